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
        QTest::mouseClick(mw->ChkCri, Qt::LeftButton, {}, QPoint(8, mw->ChkCri->height() / 2));
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
        const QAction *entry = listen ? mw->menuAscolta : mw->menuLeggi;
        const QWidget *port = mw->ListaVoci->viewport();
        auto toggle = [&] {
            mw->FrameRegole->show(); // every turn hides the rules
            listen ? review().menuAscolta_Click() : review().menuLeggi_Click();
        };
        if (!listen)
            ctx->store.SetSaveAvailable(false); // saved just before

        toggle();
        QCOMPARE(mw->Label1->text(), total);
        QCOMPARE(mw->Label8->text(), criticals);
        QCOMPARE(mw->Label0->text(), QString("All items - All lessons"));
        QCOMPARE(entry->text(), onText);
        QCOMPARE(ctx->pool.CriticalCount(), 7);
        QVERIFY(mw->isButtonPressed(button));
        QCOMPARE(review().listening(), listen);
        QCOMPARE(visibleOf({mw->FrameRegole, mw->Sfondo, mw->ListaCri}), QStringList());
        QCOMPARE(hiddenOf({mw->ListaVoci, mw->Label0, mw->Label1, mw->ChkCri, mw->Label8}), QStringList());
        // The count sits at the list's right edge.
        QCOMPARE(mw->Label1->x() + mw->Label1->width(), mw->ListaVoci->width());
        QCOMPARE(disabledOf({mw->menuSalva, mw->menuLeggi, mw->menuAscolta}), disabledEntries);
        QCOMPARE(disabledMenus(*mw), (QStringList{"menuEdit", "menuTest", "menuOptions"}));
        QCOMPARE(enabledButtons(*mw), (QList<int>{button, 10})); // 1 as Open left it
        // Listening shows a pointer that tells a click will be heard.
        QCOMPARE(port->testAttribute(Qt::WA_SetCursor), listen);
        if (listen)
            QVERIFY(port->cursor().shape() != Qt::ArrowCursor);

        toggle();
        QCOMPARE(entry->text(), offText);
        QVERIFY(!mw->isButtonPressed(button));
        QVERIFY(!review().listening());
        QVERIFY(!port->testAttribute(Qt::WA_SetCursor));
        QVERIFY(mw->Sfondo->isVisible());
        QCOMPARE(visibleOf({mw->FrameRegole, mw->ListaVoci, mw->ListaCri, mw->Label0, mw->Label1,
                            mw->ChkCri, mw->Label8}),
                 QStringList());
        QCOMPARE(disabledOf({mw->menuSalva, mw->menuLeggi, mw->menuAscolta}), QStringList());
        QVERIFY(ctx->store.SaveAvailable());
        QCOMPARE(disabledMenus(*mw), QStringList());
        QCOMPARE(enabledButtons(*mw), AllButtons.mid(1));
    }

    void toolbarButtonsRunTheViews()
    {
        open(10, {2});
        mw->button(4)->trigger();
        QVERIFY(mw->isButtonPressed(4));
        QCOMPARE(mw->menuLeggi->text(), QString("End reading"));
        mw->button(4)->trigger();
        QVERIFY(!mw->isButtonPressed(4));
        QCOMPARE(mw->menuLeggi->text(), QString("Read items"));

        mw->menuAscolta->trigger();
        QVERIFY(mw->isButtonPressed(5));
        mw->button(5)->trigger();
        QVERIFY(!mw->isButtonPressed(5));
        QCOMPARE(mw->menuAscolta->text(), QString("Listen items"));
    }

    void criticalsSwitchShowsCopiesOfCriticalItems()
    {
        open(120, SevenCriticals);
        const auto items = MakeItems(120, SevenCriticals);
        review().menuLeggi_Click();

        clickSwitch();
        QVERIFY(mw->ChkCri->isChecked());
        QCOMPARE(mw->Label0->text(), QString("Critical items - All lessons"));
        QVERIFY(!mw->ListaVoci->isVisible());
        QVERIFY(mw->ListaCri->isVisible());
        const ItemTable &cri = *mw->criticalsTable();
        QCOMPARE(int(cri.ItemCount()), SevenCriticals.size());
        for (int i = 0; i < SevenCriticals.size(); ++i)
            QCOMPARE(cri.Item(i + 1), items[SevenCriticals[i] - 1]);
        QCOMPARE(mw->ListaCri->model()->rowCount(), 7);

        clickSwitch();
        QVERIFY(!mw->ChkCri->isChecked());
        QCOMPARE(mw->Label0->text(), QString("All items - All lessons"));
        QVERIFY(mw->ListaVoci->isVisible());
        QVERIFY(!mw->ListaCri->isVisible());
        QCOMPARE(int(cri.ItemCount()), 7); // kept until the next rebuild

        // Space, and a screen reader's toggle action, switch the list as well.
        mw->ChkCri->setFocus();
        QTest::keyClick(mw->ChkCri, Qt::Key_Space);
        QVERIFY(mw->ListaCri->isVisible());
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(mw->ChkCri);
        QVERIFY(box && box->actionInterface());
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!mw->ChkCri->isChecked());
        QVERIFY(mw->ListaVoci->isVisible());
        QCOMPARE(mw->Label0->text(), QString("All items - All lessons"));
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
        mw->ChkCri->click();
        QVERIFY(mw->ListaCri->isVisible());
        toggle();
        QVERIFY(!mw->ChkCri->isChecked());
        QCOMPARE(visibleOf({mw->ListaCri, mw->ListaVoci}), QStringList());
        toggle();
        QVERIFY(!mw->ChkCri->isChecked());
        QCOMPARE(visibleOf({mw->ListaCri, mw->ListaVoci}), QStringList{"ListaVoci"});
        QCOMPARE(mw->Label0->text(), QString("All items - All lessons"));
    }

    void turningOffReleasesItsOwnButtons()
    {
        open(5);
        // Reading off releases 4 and 5, however 5 was pressed meanwhile.
        review().menuLeggi_Click();
        mw->setButtonPressed(5, true);
        review().menuLeggi_Click();
        QVERIFY(!mw->isButtonPressed(4));
        QVERIFY(!mw->isButtonPressed(5));
        // Listening off leaves 4 alone.
        review().menuAscolta_Click();
        mw->setButtonPressed(4, true);
        review().menuAscolta_Click();
        QVERIFY(mw->isButtonPressed(4));
        QVERIFY(!mw->isButtonPressed(5));
    }

    void emptyVocabulary()
    {
        open(0);
        review().menuLeggi_Click();
        QCOMPARE(mw->Label1->text(), QString("Total items = 0"));
        QCOMPARE(mw->Label8->text(), QString("Criticals only (0)"));
        mw->ChkCri->click();
        QCOMPARE(int(mw->criticalsTable()->ItemCount()), 0);
        review().menuLeggi_Click();
        review().menuAscolta_Click();
        QCOMPARE(mw->Label1->text(), QString("Total items. =0"));
        QCOMPARE(mw->Label8->text(), QString("Critical only (0)"));
        QVERIFY(desk->boxes.shown.isEmpty());
    }

    void exitFromReadViewStillOffersToSave()
    {
        open(5);
        review().menuLeggi_Click();
        QVERIFY(!mw->menuSalva->isEnabled());
        desk->boxes.answers << platform::No;
        mw->menuFine_Click();
        QCOMPARE(boxTexts(desk->boxes), QStringList{"Save file and test results ?"});
        QVERIFY(mw->hasEnded());
    }

    void criticalsListIsRebuiltFromCurrentMarks()
    {
        open(20, {4});
        review().menuLeggi_Click();
        mw->ChkCri->click();
        QCOMPARE(int(mw->criticalsTable()->ItemCount()), 1);
        review().menuLeggi_Click();

        // A test marks two more items meanwhile.
        ctx->store.SetMark(9, "c");
        ctx->store.SetMark(12, "c");
        review().menuAscolta_Click();
        QCOMPARE(mw->Label8->text(), QString("Critical only (3)"));
        mw->ChkCri->click();
        QCOMPARE(int(mw->criticalsTable()->ItemCount()), 3);
        QCOMPARE(mw->criticalsTable()->Item(2).English, QString("word 9"));
    }
};

QTEST_MAIN(TestReviewViews)
#include "tst_reviewviews.moc"
