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

class TestMainWindow : public WindowTest {
    Q_OBJECT
private slots:
    void init() { startWindow(); }
    void cleanup() { f.reset(); }

    void startStateAndSoundsSwitch()
    {
        QCOMPARE(mw->windowTitle(), QString("    Vocanto"));
        QCOMPARE(mw->objectName(), QString("Form1"));
        QCOMPARE(disabledMenus(*ui), (QStringList{"menuView", "menuEdit", "menuTest", "menuOptions"}));
        QCOMPARE(disabledOf({ui->menuNuovo, ui->menuApri, ui->menuSalva}), QStringList{"menuSalva"});
        QCOMPARE(caption(ui->menuToMine), QString("English -> My language "));
        QCOMPARE(ui->menuLezioni->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(ui->menuIstruzioni->shortcut(), QKeySequence(Qt::Key_F1));
        const QStringList texts{"Open", "Save", "History", "View items", "Listen items",
                                "Edit items", "Lessons selection", "to English", "to Mine", "Help"};
        for (int n = 1; n <= 10; ++n)
            QCOMPARE(ui->button(n)->text(), texts[n - 1]);
        QCOMPARE(enabledButtons(*ui), (QList<int>{1, 10}));
        QVERIFY(mw->findChild<QAction *>("menuAggiorna"));
        QCOMPARE(ctx->store.ItemCount(), qint16(0));
        QCOMPARE(ctx->store.LanguageCode, qint16(0));
        QVERIFY(!ctx->soundsOn);
        QCOMPARE(visibleOf({ui->FrameNazione, ui->FrameOpzioni, ui->FrameRegole, ui->FrameAggiorna}),
                 QStringList());
        QVERIFY(ui->Sfondo->isVisible());

        // The sounds switch.
        ui->menuSuoni->trigger();
        QVERIFY(ctx->soundsOn);
        QVERIFY(ui->menuSuoni->isChecked());
        ui->menuSuoni->trigger();
        QVERIFY(!ctx->soundsOn);
        QVERIFY(!ui->menuSuoni->isChecked());
    }

    void exitWithNothingToSaveAsksNothing()
    {
        QSignalSpy ended(mw, &MainWindow::ended);
        ui->menuFine->trigger();
        QCOMPARE(ended.count(), 1);
        QVERIFY(desk->boxes.shown.isEmpty());
        QVERIFY(desk->sound.played.isEmpty()); // sounds are off
        QVERIFY(!mw->isVisible());
    }

    void exitAnsweredNoDropsTheSave()
    {
        mw->menuSuoni_Click();
        ctx->store.SetSaveAvailable(true);
        desk->boxes.answers << platform::No;
        QSignalSpy ended(mw, &MainWindow::ended);
        mw->menuFine_Click();
        // Only the save question, never "Ending really ?".
        QCOMPARE(desk->boxes.shown, (QList<ShownBox>{{"Attention !", "Save file and test results ?",
                                                      Icon::None, platform::Yes | platform::No}}));
        QVERIFY(!ctx->store.SaveAvailable());
        QCOMPARE(desk->sound.played, QStringList{"clap.wav"});
        QVERIFY(desk->dialogs.asked.isEmpty());
        QCOMPARE(ended.count(), 1);
    }

    void closeBoxAsksEndingReally()
    {
        QSignalSpy ended(mw, &MainWindow::ended);
        desk->boxes.answers << platform::No;
        QVERIFY(!mw->close());
        QVERIFY(mw->isVisible());
        QCOMPARE(desk->boxes.shown, (QList<ShownBox>{{"    Vocanto", "Ending really ?", Icon::Question,
                                                      platform::Yes | platform::No}}));
        QCOMPARE(ended.count(), 0);

        desk->boxes.answers << platform::Yes;
        QVERIFY(mw->close());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(desk->boxes.shown.size(), 2); // nothing to save: no save question
    }

    // The desktop's own boxes answered with Escape or their close button:
    // Exit is called off, nothing is saved and nothing is thrown away.
    void questionsLeftByEscapeLoseNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("escape");
        QTest::newRow("Exit, Escape at the save question") << false << true;
        QTest::newRow("Exit, save question closed") << false << false;
        QTest::newRow("close box, Escape at Ending really") << true << true;
    }

    void questionsLeftByEscapeLoseNothing()
    {
        QFETCH(bool, closeBox);
        QFETCH(bool, escape);
        ctx->desktop.boxes = &platform::systemMessageBoxes();
        ctx->store.Append({"01", " ", "house", "casa"});
        ctx->store.SetSaveAvailable(true);
        QSignalSpy ended(mw, &MainWindow::ended);
        QString asked;
        actOnNextModal([&](QWidget *box) {
            asked = box->findChild<QLabel *>("qt_msgbox_label")->text();
            if (escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        if (closeBox)
            QVERIFY(!mw->close());
        else
            ui->menuFine->trigger();
        QCOMPARE(asked, QString(closeBox ? "Ending really ?" : "Save file and test results ?"));
        QCOMPARE(ended.count(), 0);
        QVERIFY(mw->isVisible());
        QVERIFY(ctx->store.SaveAvailable());
        QVERIFY(desk->dialogs.asked.isEmpty());
        QCOMPARE(ctx->store.ItemCount(), qint16(1));
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
        auto *option = mw->findChild<QRadioButton *>(button);
        QVERIFY(option);
        auto *toMine = mw->findChild<QAction *>("BottBar_9");
        const QImage before = toMine->icon().pixmap(QSize(28, 28)).toImage();
        option->click();
        QCOMPARE(ctx->store.LanguageCode, qint16(code));
        // The language's flag on the button, in a square like the other
        // buttons' pictures, so that the captions stay in line.
        const QPixmap flag = toMine->icon().pixmap(QSize(28, 28));
        QCOMPARE(flag.deviceIndependentSize().toSize(), QSize(28, 28));
        QVERIFY(flag.toImage() != before);
        QCOMPARE(ctx->store.HeaderText(3), title);
        QCOMPARE((&ui->criticals())->HeaderText(3), title);
        QCOMPARE(LookOfLanguage(code).columnTitle, title);
        mw->findChild<QRadioButton *>("opOth")->click();
        QCOMPARE(ctx->store.LanguageCode, qint16(0));
        QCOMPARE(ctx->store.HeaderText(3), QString("MY LANGUAGE"));
    }

    void unknownCodeShowsAsOthersButKeepsItsValue()
    {
        mw->findChild<QRadioButton *>("opGer")->click();
        ctx->store.LanguageCode = 7;
        mw->country().ApplyLanguage();
        QVERIFY(mw->findChild<QRadioButton *>("opOth")->isChecked());
        QCOMPARE(ctx->store.HeaderText(3), QString("MY LANGUAGE"));
        QCOMPARE(LookOfLanguage(7).flagKey, QString("none"));
        QCOMPARE(ctx->store.LanguageCode, qint16(7));
    }

    void countryPanel()
    {
        mw->country().menuCountry_Click();
        QVERIFY(ui->FrameNazione->isVisible());
        auto *ok = mw->findChild<QPushButton *>("Command2");
        QCOMPARE(ok->toolTip(), QString("Opzioni impostate"));
        QVERIFY(mw->findChild<QRadioButton *>("opOth")->isChecked());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!ui->FrameNazione->isVisible());
    }

};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
