// The main window: its start state, the sounds switch, the exit sequences and
// the country panel.
#include "app/countrypanel.h"
#include "app/mainwindow.h"
#include "platform/scripted.h"

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

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startState();
    void soundsSwitch();
    void exitWithNothingToSaveAsksNothing();
    void exitAnsweredNoDropsTheSave();
    void closeBoxAsksEndingReally();
    void languageCodes_data();
    void languageCodes();
    void unknownCodeShowsAsOthersButKeepsItsValue();
    void countryPanel();

private:
    platform::ScriptedDesktop *m_desk = nullptr;
    AppContext *m_ctx = nullptr;
    MainWindow *m_mw = nullptr;
};

void TestMainWindow::init()
{
    m_desk = new platform::ScriptedDesktop;
    m_ctx = new AppContext(m_desk->desktop());
    m_mw = new MainWindow(*m_ctx);
    m_mw->show();
}

void TestMainWindow::cleanup()
{
    delete m_mw;
    delete m_ctx;
    delete m_desk;
}

void TestMainWindow::startState()
{
    QCOMPARE(m_mw->windowTitle(), QString("    Vocanto"));
    QCOMPARE(m_mw->objectName(), QString("Form1"));
    QVERIFY(MainWindow::isMenuEnabled(m_mw->menuFile));
    QVERIFY(MainWindow::isMenuEnabled(m_mw->menuHelp));
    for (QMenu *m : {m_mw->menuView, m_mw->menuEdit, m_mw->menuTest, m_mw->menuOptions})
        QVERIFY2(!MainWindow::isMenuEnabled(m), qPrintable(m->objectName()));
    QVERIFY(m_mw->menuNuovo->isEnabled());
    QVERIFY(m_mw->menuApri->isEnabled());
    QVERIFY(!m_mw->menuSalva->isEnabled());
    QCOMPARE(m_mw->menuToMine->text(), QString("English -> My language "));
    QCOMPARE(m_mw->menuLezioni->shortcut(), QKeySequence(Qt::Key_F2));
    QCOMPARE(m_mw->menuIstruzioni->shortcut(), QKeySequence(Qt::Key_F1));
    const QStringList texts{"Open", "Save", "History", "View items", "Listen items",
                            "Edit items", "Lessons selection", "to English", "to Mine", "Help"};
    for (int n = 1; n <= 10; ++n) {
        QCOMPARE(m_mw->button(n)->text(), texts[n - 1]);
        QCOMPARE(m_mw->button(n)->isEnabled(), n == 1 || n == 10);
    }
    QVERIFY(m_mw->findChild<QAction *>("menuAggiorna"));
    QCOMPARE(m_ctx->store.ItemCount(), qint16(0));
    QCOMPARE(m_ctx->store.LanguageCode, qint16(0));
    QVERIFY(!m_ctx->soundsOn);
    for (QFrame *f : {m_mw->FrameNazione, m_mw->FrameOpzioni, m_mw->FrameRegole, m_mw->FrameAggiorna})
        QVERIFY(!f->isVisible());
    QVERIFY(m_mw->Sfondo->isVisible());
}

void TestMainWindow::soundsSwitch()
{
    m_mw->menuSuoni->trigger();
    QVERIFY(m_ctx->soundsOn);
    QVERIFY(m_mw->menuSuoni->isChecked());
    m_mw->menuSuoni->trigger();
    QVERIFY(!m_ctx->soundsOn);
    QVERIFY(!m_mw->menuSuoni->isChecked());
}

void TestMainWindow::exitWithNothingToSaveAsksNothing()
{
    QSignalSpy ended(m_mw, &MainWindow::ended);
    m_mw->menuFine->trigger();
    QCOMPARE(ended.count(), 1);
    QVERIFY(m_desk->boxes.shown.isEmpty());
    QVERIFY(m_desk->sound.played.isEmpty()); // sounds are off
    QVERIFY(!m_mw->isVisible());
}

void TestMainWindow::exitAnsweredNoDropsTheSave()
{
    m_mw->menuSuoni_Click();
    m_ctx->store.SetSaveAvailable(true);
    m_desk->boxes.answers << platform::No;
    QSignalSpy ended(m_mw, &MainWindow::ended);
    m_mw->menuFine_Click();
    QCOMPARE(m_desk->boxes.shown.size(), 1); // only the save question, never "Ending really ?"
    QCOMPARE(m_desk->boxes.shown[0].title, QString("Attention !"));
    QCOMPARE(m_desk->boxes.shown[0].text, QString("Save file and test results ?"));
    QCOMPARE(m_desk->boxes.shown[0].buttons, platform::Yes | platform::No);
    QCOMPARE(m_desk->boxes.shown[0].icon, platform::Icon::None);
    QVERIFY(!m_ctx->store.SaveAvailable());
    QCOMPARE(m_desk->sound.played, QStringList{"clap.wav"});
    QVERIFY(m_desk->dialogs.asked.isEmpty());
    QCOMPARE(ended.count(), 1);
}

void TestMainWindow::closeBoxAsksEndingReally()
{
    QSignalSpy ended(m_mw, &MainWindow::ended);
    m_desk->boxes.answers << platform::No;
    QVERIFY(!m_mw->close());
    QVERIFY(m_mw->isVisible());
    QCOMPARE(m_desk->boxes.shown.last().text, QString("Ending really ?"));
    QCOMPARE(m_desk->boxes.shown.last().title, QString("    Vocanto"));
    QCOMPARE(m_desk->boxes.shown.last().icon, platform::Icon::Question);
    QCOMPARE(ended.count(), 0);

    m_desk->boxes.answers << platform::Yes;
    QVERIFY(m_mw->close());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(m_desk->boxes.shown.size(), 2); // nothing to save: no save question
}

void TestMainWindow::languageCodes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::newRow("italy") << "opIta" << 1 << "ITALIAN";
    QTest::newRow("france") << "opFra" << 2 << "FRENCH";
    QTest::newRow("germany") << "opGer" << 3 << "GERMAN";
    QTest::newRow("spain") << "opSpa" << 4 << "SPANISH";
}

void TestMainWindow::languageCodes()
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

void TestMainWindow::unknownCodeShowsAsOthersButKeepsItsValue()
{
    m_mw->findChild<QRadioButton *>("opGer")->click();
    m_ctx->store.LanguageCode = 7;
    m_mw->country().ApplyLanguage();
    QVERIFY(m_mw->findChild<QRadioButton *>("opOth")->isChecked());
    QCOMPARE(m_ctx->store.HeaderText(3), QString("MY LANGUAGE"));
    QCOMPARE(LookOfLanguage(7).flagKey, QString("none"));
    QCOMPARE(m_ctx->store.LanguageCode, qint16(7));
}

void TestMainWindow::countryPanel()
{
    m_mw->country().menuCountry_Click();
    QVERIFY(m_mw->FrameNazione->isVisible());
    auto *ok = m_mw->findChild<QPushButton *>("Command2");
    QCOMPARE(ok->toolTip(), QString("Opzioni impostate"));
    QVERIFY(m_mw->findChild<QRadioButton *>("opOth")->isChecked());
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!m_mw->FrameNazione->isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
