// The read and listen views and the criticals-only switch, driven through the
// real main window.
#include "review/reviewviews.h"
#include "viewsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QTreeView>
#include <QAccessible>
#include <QtTest>

namespace {
const QList<int> SevenCriticals{3, 17, 40, 41, 88, 100, 120};
}

class TestReviewViews : public WindowTest {
    Q_OBJECT

    // A window with n items open, those at the positions given critical.
    void open(int n, const QList<int> &criticals = {})
    {
        startWindow();
        f->open(MakeItems(n, criticals));
    }
    ReviewViews &review() { return mw->review(); }
    void clickSwitch()
    {
        QTest::mouseClick(ui->ChkCri, Qt::LeftButton, {}, QPoint(8, ui->ChkCri->height() / 2));
    }

private slots:
    void cleanup() { f.reset(); }

    void viewOnAndOff_data()
    {
        QTest::addColumn<bool>("listen");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("criticals");
        QTest::addColumn<QString>("onText");
        QTest::addColumn<QString>("offText");
        QTest::addColumn<QStringList>("disabledEntries");
        QTest::newRow("read") << false << "Total items = 120" << "Criticals only (7)" << "End reading"
                              << "Read items" << QStringList{"menuSalva", "menuAscolta"};
        // Listening leaves Save as it was.
        QTest::newRow("listen") << true << "Total items. =120" << "Critical only (7)"
                                << "End listening" << "Listen items" << QStringList{"menuLeggi"};
    }

    void viewOnAndOff()
    {
        QFETCH(bool, listen);
        QFETCH(QString, total);
        QFETCH(QString, criticals);
        QFETCH(QString, onText);
        QFETCH(QString, offText);
        QFETCH(QStringList, disabledEntries);
        open(120, SevenCriticals);
        const int button = listen ? 5 : 4;
        const QAction *entry = listen ? ui->menuAscolta : ui->menuLeggi;
        const QWidget *port = ui->ListaVoci->viewport();
        auto toggle = [&] {
            ui->FrameRegole->show(); // every turn hides the rules
            listen ? review().menuAscolta_Click() : review().menuLeggi_Click();
        };
        if (!listen)
            ctx->store.SetSaveAvailable(false); // saved just before

        toggle();
        QCOMPARE(ui->Label1->text(), total);
        QCOMPARE(ui->Label8->text(), criticals);
        QCOMPARE(ui->Label0->text(), QString("All items - All lessons"));
        QCOMPARE(caption(entry), onText);
        QCOMPARE(ctx->pool.CriticalCount(), 7);
        QVERIFY(ui->pressed(button));
        QCOMPARE(visibleOf({ui->FrameRegole, ui->Sfondo, ui->ListaCri}), QStringList());
        QCOMPARE(hiddenOf({ui->ListaVoci, ui->Label0, ui->Label1, ui->ChkCri, ui->Label8}), QStringList());
        // The count sits at the list's right edge.
        QCOMPARE(placeIn(ui->Central, ui->Label1).right() + 1, ui->ListaVoci->width());
        QCOMPARE(disabledOf({ui->menuSalva, ui->menuLeggi, ui->menuAscolta}), disabledEntries);
        QCOMPARE(disabledMenus(*ui), (QStringList{"menuEdit", "menuTest", "menuOptions"}));
        QCOMPARE(enabledButtons(*ui), (QList<int>{button, 10})); // 1 as Open left it
        // Listening shows a pointer that tells a click will be heard.
        QCOMPARE(port->testAttribute(Qt::WA_SetCursor), listen);
        if (listen)
            QVERIFY(port->cursor().shape() != Qt::ArrowCursor);

        toggle();
        QCOMPARE(caption(entry), offText);
        QVERIFY(!ui->pressed(button));
        QVERIFY(!port->testAttribute(Qt::WA_SetCursor));
        QVERIFY(ui->Sfondo->isVisible());
        QCOMPARE(visibleOf({ui->FrameRegole, ui->ListaVoci, ui->ListaCri, ui->Label0, ui->Label1,
                            ui->ChkCri, ui->Label8}),
                 QStringList());
        QCOMPARE(disabledOf({ui->menuSalva, ui->menuLeggi, ui->menuAscolta}), QStringList());
        QVERIFY(ctx->store.SaveAvailable());
        QCOMPARE(disabledMenus(*ui), QStringList());
        QCOMPARE(enabledButtons(*ui), AllButtons.mid(1));
    }

    void toolbarButtonsRunTheViews()
    {
        open(10, {2});
        ui->button(4)->trigger();
        QVERIFY(ui->pressed(4));
        QCOMPARE(caption(ui->menuLeggi), QString("End reading"));
        ui->button(4)->trigger();
        QVERIFY(!ui->pressed(4));
        QCOMPARE(caption(ui->menuLeggi), QString("Read items"));

        ui->menuAscolta->trigger();
        QVERIFY(ui->pressed(5));
        ui->button(5)->trigger();
        QVERIFY(!ui->pressed(5));
        QCOMPARE(caption(ui->menuAscolta), QString("Listen items"));
    }

    void criticalsSwitchShowsCopiesOfCriticalItems()
    {
        open(120, SevenCriticals);
        const auto items = MakeItems(120, SevenCriticals);
        review().menuLeggi_Click();

        clickSwitch();
        QVERIFY(ui->ChkCri->isChecked());
        QCOMPARE(ui->Label0->text(), QString("Critical items - All lessons"));
        QVERIFY(!ui->ListaVoci->isVisible());
        QVERIFY(ui->ListaCri->isVisible());
        const ItemTable &cri = *(&ui->criticals());
        QCOMPARE(int(cri.ItemCount()), SevenCriticals.size());
        for (int i = 0; i < SevenCriticals.size(); ++i)
            QCOMPARE(cri.Item(i + 1), items[SevenCriticals[i] - 1]);
        QCOMPARE(ui->ListaCri->model()->rowCount(), 7);

        clickSwitch();
        QVERIFY(!ui->ChkCri->isChecked());
        QCOMPARE(ui->Label0->text(), QString("All items - All lessons"));
        QVERIFY(ui->ListaVoci->isVisible());
        QVERIFY(!ui->ListaCri->isVisible());
        QCOMPARE(int(cri.ItemCount()), 7); // kept until the next rebuild

        // Space, and a screen reader's toggle action, switch the list as well.
        ui->ChkCri->setFocus();
        QTest::keyClick(ui->ChkCri, Qt::Key_Space);
        QVERIFY(ui->ListaCri->isVisible());
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(ui->ChkCri);
        QVERIFY(box && box->actionInterface());
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!ui->ChkCri->isChecked());
        QVERIFY(ui->ListaVoci->isVisible());
        QCOMPARE(ui->Label0->text(), QString("All items - All lessons"));
    }

    void turningOffWithSwitchTickedBringsFullListBack_data()
    {
        QTest::addColumn<bool>("listen");
        QTest::newRow("read") << false;
        QTest::newRow("listen") << true;
    }

    void turningOffWithSwitchTickedBringsFullListBack()
    {
        QFETCH(bool, listen);
        open(30, {1, 2});
        auto toggle = [&] { listen ? review().menuAscolta_Click() : review().menuLeggi_Click(); };
        toggle();
        ui->ChkCri->click();
        QVERIFY(ui->ListaCri->isVisible());
        toggle();
        QVERIFY(!ui->ChkCri->isChecked());
        QCOMPARE(visibleOf({ui->ListaCri, ui->ListaVoci}), QStringList());
        toggle();
        QVERIFY(!ui->ChkCri->isChecked());
        QCOMPARE(visibleOf({ui->ListaCri, ui->ListaVoci}), QStringList{"ListaVoci"});
        QCOMPARE(ui->Label0->text(), QString("All items - All lessons"));
    }

    void turningOffReleasesItsOwnButtons()
    {
        open(5);
        // Reading off releases 4 and 5, however 5 was pressed meanwhile.
        review().menuLeggi_Click();
        ui->button(5)->setChecked(true);
        review().menuLeggi_Click();
        QVERIFY(!ui->pressed(4));
        QVERIFY(!ui->pressed(5));
        // Listening off leaves 4 alone.
        review().menuAscolta_Click();
        ui->button(4)->setChecked(true);
        review().menuAscolta_Click();
        QVERIFY(ui->pressed(4));
        QVERIFY(!ui->pressed(5));
    }

    void emptyVocabulary()
    {
        open(0);
        review().menuLeggi_Click();
        QCOMPARE(ui->Label1->text(), QString("Total items = 0"));
        QCOMPARE(ui->Label8->text(), QString("Criticals only (0)"));
        ui->ChkCri->click();
        QCOMPARE(int((&ui->criticals())->ItemCount()), 0);
        review().menuLeggi_Click();
        review().menuAscolta_Click();
        QCOMPARE(ui->Label1->text(), QString("Total items. =0"));
        QCOMPARE(ui->Label8->text(), QString("Critical only (0)"));
        QVERIFY(desk->boxes.shown.isEmpty());
    }

    void exitFromReadViewStillOffersToSave()
    {
        open(5);
        review().menuLeggi_Click();
        QVERIFY(!ui->menuSalva->isEnabled());
        desk->boxes.answers << platform::No;
        mw->menuFine_Click();
        QCOMPARE(boxTexts(desk->boxes), QStringList{"Save file and test results ?"});
        QVERIFY(mw->hasEnded());
    }

    void criticalsListIsRebuiltFromCurrentMarks()
    {
        open(20, {4});
        review().menuLeggi_Click();
        ui->ChkCri->click();
        QCOMPARE(int((&ui->criticals())->ItemCount()), 1);
        review().menuLeggi_Click();

        // A test marks two more items meanwhile.
        ctx->store.SetMark(9, "c");
        ctx->store.SetMark(12, "c");
        review().menuAscolta_Click();
        QCOMPARE(ui->Label8->text(), QString("Critical only (3)"));
        ui->ChkCri->click();
        QCOMPARE(int((&ui->criticals())->ItemCount()), 3);
        QCOMPARE((&ui->criticals())->Item(2).English, QString("word 9"));
    }
};

QTEST_MAIN(TestReviewViews)
#include "tst_reviewviews.moc"
