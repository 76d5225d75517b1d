// The Help menu: the instructions page, the test rules frame and the about
// window, driven through the real main window.
#include "app/aboutwindow.h"
#include "app/helpcommands.h"
#include "test/optionspanel.h"
#include "testsupport.h"
#include "viewsupport.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTimer>
#include <QAccessible>
#include <QtTest>

class TestHelp : public WindowTest {
    Q_OBJECT
private slots:
    void cleanup() { f.reset(); }

    void rulesText()
    {
        const QStringList lines = TestRulesLines();
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines.first(), QString("START"));
        QCOMPARE(lines[1], QString("  - you start with 1000 bonus points"));
        QCOMPARE(lines[4], QString("    points as its number of characters"));
        QCOMPARE(lines[9], QString("  - over 2 TT, but less than 3 TT: "));
        QCOMPARE(lines[14], QString("----------"));
        QCOMPARE(lines.last(), QString("window title"));
        QCOMPARE(TestRulesText(), lines.join("\r\n"));
        QCOMPARE(TestRulesText().count("\r\n"), 16);
    }

    void rulesFrameShownAgainAndAgain()
    {
        startWindow();
        ui->menuRegole->trigger();
        QVERIFY(ui->FrameRegole->isVisible());
        QCOMPARE(ui->FrameRegole->pos(), QPoint(0, 0)); // just below the toolbar
        auto *title = ui->FrameRegole->findChild<QLabel *>("Label9");
        QVERIFY(title);
        QCOMPARE(title->text(), QString("TEST  RULES"));
        auto *label = ui->FrameRegole->findChild<QLabel *>("Label7");
        QVERIFY(label);
        QCOMPARE(label->text(), TestRulesText());
        const QFontMetrics fm(label->font());
        QCOMPARE(fm.horizontalAdvance("i"), fm.horizontalAdvance("W")); // monospaced
        // The whole text fits in the frame.
        QVERIFY(label->geometry().bottom() < ui->FrameRegole->height());
        QVERIFY(label->width() >= label->sizeHint().width());
        QVERIFY(label->height() >= label->sizeHint().height());

        auto *ok = ui->FrameRegole->findChild<QPushButton *>("Command6");
        QVERIFY(ok);
        QCOMPARE(ok->text(), QString("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!ui->FrameRegole->isVisible());

        // Shown twice over, the text is there once.
        ui->menuRegole->trigger();
        ui->menuRegole->trigger();
        QCOMPARE(label->text(), TestRulesText());
        QCOMPARE(label->text().count("START"), 1);
    }

    void rulesConfirmTheOpenOptionsFirst()
    {
        startWindow();
        f->open(MakeItems(30, {}), QString());
        mw->options().menuLezioni_Click();
        QVERIFY(ui->FrameOpzioni->isVisible());
        QVERIFY(!menuEnabled(ui->menuView));
        ui->menuRegole->trigger();
        // Confirmed as its OK button would: closed, and the menus usable again.
        QVERIFY(!ui->FrameOpzioni->isVisible());
        QVERIFY(menuEnabled(ui->menuView));
        QVERIFY(ui->FrameRegole->isVisible());
    }

    void rulesGrowTheWindowInSteps()
    {
        startWindow(QSize(200, 200));
        const QSize frame = ui->FrameRegole->size();
        QVERIFY(ui->Central->width() - 2 < frame.width());
        QVERIFY(ui->Central->height() < frame.height());
        const QSize before = mw->size();
        ui->menuRegole->trigger();
        QTRY_VERIFY(ui->Central->width() - 2 >= frame.width());
        QTRY_VERIFY(ui->Central->height() >= frame.height());
        // Steps of 100 twips: never more than one step beyond what was needed.
        const int wider = mw->width() - before.width();
        const int taller = mw->height() - before.height();
        QVERIFY(wider > 0 && taller > 0);
        QVERIFY(ui->Central->width() - 2 - frame.width() <= 7);
        QVERIFY2(ui->Central->height() - frame.height() <= 7,
                 qPrintable(QString("%1 %2 %3 %4").arg(before.height()).arg(mw->height())
                                .arg(ui->Central->height()).arg(frame.height())));
        QCOMPARE(ui->FrameRegole->size(), frame); // the frame keeps its size and place
        QCOMPARE(ui->FrameRegole->pos(), QPoint(0, 0));
    }

    void rulesKeepALargeWindowAsItIs()
    {
        startWindow(QSize(900, 700));
        const QSize before = mw->size();
        ui->menuRegole->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(mw->size(), before);
    }

    void rulesStayThroughCommandsThatDoNotChangeTheView()
    {
        startWindow();
        f->open(MakeItems(5, {}));
        ui->menuRegole->trigger();
        mw->menuSuoni_Click();
        mw->help().menuIstruzioni_Click();
        QTimer::singleShot(0, [] {
            if (auto *about = qobject_cast<AboutWindow *>(QApplication::activeModalWidget()))
                about->Command1_Click();
        });
        mw->help().menuInfo_Click();
        QVERIFY(ui->FrameRegole->isVisible());
    }

    void aboutWindow()
    {
        AboutWindow about;
        QCOMPARE(about.objectName(), QString("Form4"));
        QCOMPARE(about.windowTitle(), QString("   Information"));
        QVERIFY(about.isModal());
        auto *picture = about.findChild<QSvgWidget *>();
        QVERIFY(picture);
        QVERIFY(picture->renderer()->isValid());
        // The picture only decorates: a screen reader does not meet it.
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&about);
        for (int i = 0; i < window->childCount(); ++i)
            QVERIFY(window->child(i)->object() != picture);
        bool product = false;
        for (QLabel *l : about.findChildren<QLabel *>())
            product = product || l->text() == "Vocanto Version 8";
        QVERIFY(product);
        about.show();
        auto *ok = about.findChild<QPushButton *>("Command1");
        QVERIFY(ok);
        QCOMPARE(ok->text(), QString("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void aboutFromTheMenuIsModal()
    {
        startWindow();
        QString title;
        QWidget *parent = nullptr;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto *about = qobject_cast<AboutWindow *>(QApplication::activeModalWidget());
            if (!about)
                return;
            shown = about->isVisible();
            title = about->windowTitle();
            parent = about->parentWidget();
            QTest::mouseClick(about->findChild<QPushButton *>("Command1"), Qt::LeftButton);
        });
        ui->menuInfo->trigger();
        QVERIFY(shown);
        QCOMPARE(title, QString("   Information"));
        QCOMPARE(parent, mw);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void instructionsPageOpensFromTheBuild()
    {
        startWindow();
        // The test programs are built beside the program's folder.
        mw->help().setProgramFolder(QCoreApplication::applicationDirPath() + "/../src");
        ui->button(10)->trigger();
        ui->menuIstruzioni->trigger();
        QCOMPARE(desk->browser.opened.size(), 2);
        const QUrl url = desk->browser.opened[0];
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.scheme(), QString("file"));
        QVERIFY2(url.path().endsWith("/help/contiene/VOCA8ENH.HTM"), qPrintable(url.toString()));
        QVERIFY(QFileInfo(url.toLocalFile()).isFile());
        QVERIFY(desk->boxes.shown.isEmpty());

        // A desktop that cannot open it: the message names the page's file.
        desk->browser.failWith = "no browser";
        ui->menuIstruzioni->trigger();
        QCOMPARE(desk->boxes.shown.size(), 1);
        QCOMPARE(desk->boxes.shown[0].title, QString("General instruction"));
        QVERIFY(desk->boxes.shown[0].text.contains(QDir::toNativeSeparators(url.toLocalFile())));
    }

    void instructionsPageMissingOrFoundWhenInstalled()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        startWindow();
        mw->help().setProgramFolder(bin);
        mw->help().menuIstruzioni_Click();
        QVERIFY(desk->browser.opened.isEmpty());
        QCOMPARE(desk->boxes.shown.size(), 1);
        QVERIFY(desk->boxes.shown[0].text.contains("VOCA8ENH.HTM"));

        QVERIFY(QDir().mkpath(prefix.filePath("share/vocanto/help/contiene")));
        const QString page = prefix.filePath("share/vocanto/help/contiene/VOCA8ENH.HTM");
        QVERIFY(writeFileBytes(page, "<html></html>"));
        QCOMPARE(FindHelpPage(bin), QDir::cleanPath(page));
        // A page beside the program comes first.
        QVERIFY(QDir().mkpath(prefix.filePath("bin/help/contiene")));
        const QString beside = prefix.filePath("bin/help/contiene/VOCA8ENH.HTM");
        QVERIFY(writeFileBytes(beside, "<html></html>"));
        QCOMPARE(FindHelpPage(bin), QDir::cleanPath(beside));
        mw->help().menuIstruzioni_Click();
        QCOMPARE(desk->browser.opened, QList<QUrl>{QUrl::fromLocalFile(QDir::cleanPath(beside))});
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
