// The main window: its start state, the sounds switch, the exit sequences and
// the country panel.
#include "app/countrypanel.h"
#include "viewsupport.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolBar>
#include <QtTest>

using platform::Icon;
using platform::ShownBox;

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    platform::ScriptedDesktop *m_desk = nullptr;
    AppContext *m_ctx = nullptr;
    MainWindow *m_mw = nullptr;

private slots:
    void init()
    {
        f = std::make_unique<WindowFixture>();
        m_desk = &f->desk;
        m_ctx = f->ctx.get();
        m_mw = f->mw.get();
    }
    void cleanup() { f.reset(); }

    void startStateAndSoundsSwitch()
    {
        QCOMPARE(m_mw->windowTitle(), QString("    Vocanto"));
        QCOMPARE(m_mw->objectName(), QString("Form1"));
        QCOMPARE(disabledMenus(*m_mw), (QStringList{"menuView", "menuEdit", "menuTest", "menuOptions"}));
        QCOMPARE(disabledOf({m_mw->menuNuovo, m_mw->menuApri, m_mw->menuSalva}), QStringList{"menuSalva"});
        QCOMPARE(m_mw->menuToMine->text(), QString("English -> My language "));
        QCOMPARE(m_mw->menuLezioni->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(m_mw->menuIstruzioni->shortcut(), QKeySequence(Qt::Key_F1));
        const QStringList texts{"Open", "Save", "History", "View items", "Listen items",
                                "Edit items", "Lessons selection", "to English", "to Mine", "Help"};
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(m_mw->button(n)->text(), texts[n - 1]);
        QCOMPARE(enabledButtons(*m_mw), (QList<int>{1, 10}));
        QVERIFY(m_mw->findChild<QAction *>("menuAggiorna"));
        QCOMPARE(m_ctx->store.ItemCount(), qint16(0));
        QCOMPARE(m_ctx->store.LanguageCode, qint16(0));
        QVERIFY(!m_ctx->soundsOn);
        QCOMPARE(visibleOf({m_mw->FrameNazione, m_mw->FrameOpzioni, m_mw->FrameRegole, m_mw->FrameAggiorna}),
                 QStringList());
        QVERIFY(m_mw->Sfondo->isVisible());

        // The sounds switch.
        m_mw->menuSuoni->trigger();
        QVERIFY(m_ctx->soundsOn);
        QVERIFY(m_mw->menuSuoni->isChecked());
        m_mw->menuSuoni->trigger();
        QVERIFY(!m_ctx->soundsOn);
        QVERIFY(!m_mw->menuSuoni->isChecked());
    }

    void exitWithNothingToSaveAsksNothing()
    {
        QSignalSpy ended(m_mw, &MainWindow::ended);
        m_mw->menuFine->trigger();
        QCOMPARE(ended.count(), 1);
        QVERIFY(m_desk->boxes.shown.isEmpty());
        QVERIFY(m_desk->sound.played.isEmpty()); // sounds are off
        QVERIFY(!m_mw->isVisible());
    }

    void exitAnsweredNoDropsTheSave()
    {
        m_mw->menuSuoni_Click();
        m_ctx->store.SetSaveAvailable(true);
        m_desk->boxes.answers << platform::No;
        QSignalSpy ended(m_mw, &MainWindow::ended);
        m_mw->menuFine_Click();
        // Only the save question, never "Ending really ?".
        QCOMPARE(m_desk->boxes.shown, (QList<ShownBox>{{"Attention !", "Save file and test results ?",
                                                        Icon::None, platform::Yes | platform::No}}));
        QVERIFY(!m_ctx->store.SaveAvailable());
        QCOMPARE(m_desk->sound.played, QStringList{"clap.wav"});
        QVERIFY(m_desk->dialogs.asked.isEmpty());
        QCOMPARE(ended.count(), 1);
    }

    void closeBoxAsksEndingReally()
    {
        QSignalSpy ended(m_mw, &MainWindow::ended);
        m_desk->boxes.answers << platform::No;
        QVERIFY(!m_mw->close());
        QVERIFY(m_mw->isVisible());
        QCOMPARE(m_desk->boxes.shown, (QList<ShownBox>{{"    Vocanto", "Ending really ?", Icon::Question,
                                                        platform::Yes | platform::No}}));
        QCOMPARE(ended.count(), 0);

        m_desk->boxes.answers << platform::Yes;
        QVERIFY(m_mw->close());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(m_desk->boxes.shown.size(), 2); // nothing to save: no save question
    }

    void languageCodes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("title");
        QTest::newRow("italy") << "opIta" << 1 << "ITALIAN";
        QTest::newRow("france") << "opFra" << 2 << "FRENCH";
        QTest::newRow("germany") << "opGer" << 3 << "GERMAN";
        QTest::newRow("spain") << "opSpa" << 4 << "SPANISH";
    }

    void languageCodes()
    {
        QFETCH(QString, button);
        QFETCH(int, code);
        QFETCH(QString, title);
        auto *option = m_mw->findChild<QRadioButton *>(button);
        QVERIFY(option);
        option->click();
        QCOMPARE(m_ctx->store.LanguageCode, qint16(code));
        QCOMPARE(m_ctx->store.HeaderText(3), title);
        QCOMPARE(m_mw->criticalsTable()->HeaderText(3), title);
        QCOMPARE(LookOfLanguage(code).columnTitle, title);
        m_mw->findChild<QRadioButton *>("opOth")->click();
        QCOMPARE(m_ctx->store.LanguageCode, qint16(0));
        QCOMPARE(m_ctx->store.HeaderText(3), QString("MY LANGUAGE"));
    }

    void unknownCodeShowsAsOthersButKeepsItsValue()
    {
        m_mw->findChild<QRadioButton *>("opGer")->click();
        m_ctx->store.LanguageCode = 7;
        m_mw->country().ApplyLanguage();
        QVERIFY(m_mw->findChild<QRadioButton *>("opOth")->isChecked());
        QCOMPARE(m_ctx->store.HeaderText(3), QString("MY LANGUAGE"));
        QCOMPARE(LookOfLanguage(7).flagKey, QString("none"));
        QCOMPARE(m_ctx->store.LanguageCode, qint16(7));
    }

    void countryPanel()
    {
        m_mw->country().menuCountry_Click();
        QVERIFY(m_mw->FrameNazione->isVisible());
        auto *ok = m_mw->findChild<QPushButton *>("Command2");
        QCOMPARE(ok->toolTip(), QString("Opzioni impostate"));
        QVERIFY(m_mw->findChild<QRadioButton *>("opOth")->isChecked());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!m_mw->FrameNazione->isVisible());
    }

};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
