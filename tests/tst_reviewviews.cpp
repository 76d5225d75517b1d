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
#include <QtTest>

namespace {
const QList<int> SevenCriticals{3, 17, 40, 41, 88, 100, 120};
}

class TestReviewViews : public QObject {
    Q_OBJECT
private slots:
    void readViewOnAndOff();
    void listenViewOnAndOff();
    void toolbarButtonsRunTheViews();
    void criticalsSwitchShowsCopiesOfCriticalItems();
    void turningOffWithSwitchTickedBringsFullListBack_data();
    void turningOffWithSwitchTickedBringsFullListBack();
    void readOffReleasesFourAndFive();
    void listenOffLeavesFourAlone();
    void emptyVocabulary();
    void viewsHideTheRulesFrame();
    void exitFromReadViewStillOffersToSave();
    void criticalsListIsRebuiltFromCurrentMarks();
};

void TestReviewViews::readViewOnAndOff()
{
    WindowFixture f;
    f.open(MakeItems(120, SevenCriticals));
    MainWindow &mw = *f.mw;
    f.ctx->store.SetSaveAvailable(false); // saved just before

    mw.review().menuLeggi_Click();
    QCOMPARE(mw.Label1->text(), QString("Total items = 120"));
    QCOMPARE(mw.Label8->text(), QString("Criticals only (7)"));
    QCOMPARE(mw.Label0->text(), QString("All items - All lessons"));
    QCOMPARE(mw.menuLeggi->text(), QString("End reading"));
    QCOMPARE(f.ctx->pool.CriticalCount(), 7);
    QVERIFY(mw.isButtonPressed(4));
    QVERIFY(!mw.Sfondo->isVisible());
    for (QWidget *w : {(QWidget *)mw.ListaVoci, (QWidget *)mw.Label0, (QWidget *)mw.Label1,
                       (QWidget *)mw.ChkCri, (QWidget *)mw.Label8})
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(!mw.ListaCri->isVisible());
    // The count sits at the list's right edge.
    QCOMPARE(mw.Label1->x() + mw.Label1->width(), mw.ListaVoci->width());

    QVERIFY(!mw.menuSalva->isEnabled());
    QVERIFY(!mw.menuAscolta->isEnabled());
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuTest})
        QVERIFY(!MainWindow::isMenuEnabled(m));
    QVERIFY(MainWindow::isMenuEnabled(mw.menuFile));
    QVERIFY(MainWindow::isMenuEnabled(mw.menuHelp));
    QVERIFY(MainWindow::isMenuEnabled(mw.menuView));
    QVERIFY(mw.menuLeggi->isEnabled());
    for (int n = 2; n <= 10; ++n)
        QCOMPARE(mw.button(n)->isEnabled(), n == 4 || n == 10);
    QVERIFY(!mw.button(1)->isEnabled()); // as Open left it

    mw.review().menuLeggi_Click();
    QCOMPARE(mw.menuLeggi->text(), QString("Read items"));
    QVERIFY(!mw.isButtonPressed(4));
    QVERIFY(mw.Sfondo->isVisible());
    for (QWidget *w : {(QWidget *)mw.ListaVoci, (QWidget *)mw.ListaCri, (QWidget *)mw.Label0,
                       (QWidget *)mw.Label1, (QWidget *)mw.ChkCri, (QWidget *)mw.Label8})
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(mw.menuSalva->isEnabled());
    QVERIFY(f.ctx->store.SaveAvailable());
    QVERIFY(mw.menuAscolta->isEnabled());
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuTest})
        QVERIFY(MainWindow::isMenuEnabled(m));
    for (int n = 2; n <= 10; ++n)
        QVERIFY(mw.button(n)->isEnabled());
    QVERIFY(!mw.button(1)->isEnabled());
}

void TestReviewViews::listenViewOnAndOff()
{
    WindowFixture f;
    f.open(MakeItems(120, SevenCriticals));
    MainWindow &mw = *f.mw;

    mw.review().menuAscolta_Click();
    QCOMPARE(mw.Label1->text(), QString("Total items. =120"));
    QCOMPARE(mw.Label8->text(), QString("Critical only (7)"));
    QCOMPARE(mw.Label0->text(), QString("All items - All lessons"));
    QCOMPARE(mw.menuAscolta->text(), QString("End listening"));
    QVERIFY(mw.isButtonPressed(5));
    QVERIFY(mw.review().listening());
    QVERIFY(!mw.menuLeggi->isEnabled());
    QVERIFY(mw.menuSalva->isEnabled()); // left as it was
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuTest})
        QVERIFY(!MainWindow::isMenuEnabled(m));
    for (int n = 2; n <= 10; ++n)
        QCOMPARE(mw.button(n)->isEnabled(), n == 5 || n == 10);
    QVERIFY(mw.ListaVoci->isVisible() && mw.ChkCri->isVisible() && mw.Label8->isVisible());
    // A pointer that tells a click will be heard.
    QVERIFY(mw.ListaVoci->viewport()->testAttribute(Qt::WA_SetCursor));
    QVERIFY(mw.ListaVoci->viewport()->cursor().shape() != Qt::ArrowCursor);

    mw.review().menuAscolta_Click();
    QCOMPARE(mw.menuAscolta->text(), QString("Listen items"));
    QVERIFY(!mw.isButtonPressed(5));
    QVERIFY(!mw.review().listening());
    QVERIFY(mw.menuLeggi->isEnabled());
    QVERIFY(!mw.ListaVoci->viewport()->testAttribute(Qt::WA_SetCursor));
    QVERIFY(!mw.ListaVoci->isVisible() && !mw.Label1->isVisible() && !mw.Label8->isVisible());
    QVERIFY(mw.Sfondo->isVisible());
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuTest})
        QVERIFY(MainWindow::isMenuEnabled(m));
    for (int n = 2; n <= 10; ++n)
        QVERIFY(mw.button(n)->isEnabled());
}

void TestReviewViews::toolbarButtonsRunTheViews()
{
    WindowFixture f;
    f.open(MakeItems(10, {2}));
    MainWindow &mw = *f.mw;
    mw.button(4)->trigger();
    QVERIFY(mw.isButtonPressed(4));
    QCOMPARE(mw.menuLeggi->text(), QString("End reading"));
    mw.button(4)->trigger();
    QVERIFY(!mw.isButtonPressed(4));
    QCOMPARE(mw.menuLeggi->text(), QString("Read items"));

    mw.menuAscolta->trigger();
    QVERIFY(mw.isButtonPressed(5));
    mw.button(5)->trigger();
    QVERIFY(!mw.isButtonPressed(5));
    QCOMPARE(mw.menuAscolta->text(), QString("Listen items"));
}

void TestReviewViews::criticalsSwitchShowsCopiesOfCriticalItems()
{
    WindowFixture f;
    const auto items = MakeItems(120, SevenCriticals);
    f.open(items);
    MainWindow &mw = *f.mw;
    mw.review().menuLeggi_Click();

    QTest::mouseClick(mw.ChkCri, Qt::LeftButton, {}, QPoint(8, mw.ChkCri->height() / 2));
    QVERIFY(mw.ChkCri->isChecked());
    QCOMPARE(mw.Label0->text(), QString("Critical items - All lessons"));
    QVERIFY(!mw.ListaVoci->isVisible());
    QVERIFY(mw.ListaCri->isVisible());
    const ItemTable &cri = *mw.criticalsTable();
    QCOMPARE(int(cri.ItemCount()), SevenCriticals.size());
    for (int i = 0; i < SevenCriticals.size(); ++i)
        QCOMPARE(cri.Item(i + 1), items[SevenCriticals[i] - 1]);
    QCOMPARE(mw.ListaCri->model()->rowCount(), 7);

    QTest::mouseClick(mw.ChkCri, Qt::LeftButton, {}, QPoint(8, mw.ChkCri->height() / 2));
    QVERIFY(!mw.ChkCri->isChecked());
    QCOMPARE(mw.Label0->text(), QString("All items - All lessons"));
    QVERIFY(mw.ListaVoci->isVisible());
    QVERIFY(!mw.ListaCri->isVisible());
    QCOMPARE(int(cri.ItemCount()), 7); // kept until the next rebuild
}

void TestReviewViews::turningOffWithSwitchTickedBringsFullListBack_data()
{
    QTest::addColumn<bool>("listen");
    QTest::newRow("read") << false;
    QTest::newRow("listen") << true;
}

void TestReviewViews::turningOffWithSwitchTickedBringsFullListBack()
{
    QFETCH(bool, listen);
    WindowFixture f;
    f.open(MakeItems(30, {1, 2}));
    MainWindow &mw = *f.mw;
    auto toggle = [&] {
        listen ? mw.review().menuAscolta_Click() : mw.review().menuLeggi_Click();
    };
    toggle();
    mw.ChkCri->click();
    QVERIFY(mw.ListaCri->isVisible());
    toggle();
    QVERIFY(!mw.ChkCri->isChecked());
    QVERIFY(!mw.ListaCri->isVisible());
    QVERIFY(!mw.ListaVoci->isVisible());
    toggle();
    QVERIFY(!mw.ChkCri->isChecked());
    QVERIFY(mw.ListaVoci->isVisible());
    QVERIFY(!mw.ListaCri->isVisible());
    QCOMPARE(mw.Label0->text(), QString("All items - All lessons"));
}

void TestReviewViews::readOffReleasesFourAndFive()
{
    WindowFixture f;
    f.open(MakeItems(5, {}));
    MainWindow &mw = *f.mw;
    mw.review().menuLeggi_Click();
    mw.setButtonPressed(5, true); // pressed by any means meanwhile
    mw.review().menuLeggi_Click();
    QVERIFY(!mw.isButtonPressed(4));
    QVERIFY(!mw.isButtonPressed(5));
}

void TestReviewViews::listenOffLeavesFourAlone()
{
    WindowFixture f;
    f.open(MakeItems(5, {}));
    MainWindow &mw = *f.mw;
    mw.review().menuAscolta_Click();
    mw.setButtonPressed(4, true);
    mw.review().menuAscolta_Click();
    QVERIFY(mw.isButtonPressed(4));
    QVERIFY(!mw.isButtonPressed(5));
}

void TestReviewViews::emptyVocabulary()
{
    WindowFixture f;
    f.open({});
    MainWindow &mw = *f.mw;
    mw.review().menuLeggi_Click();
    QCOMPARE(mw.Label1->text(), QString("Total items = 0"));
    QCOMPARE(mw.Label8->text(), QString("Criticals only (0)"));
    mw.ChkCri->click();
    QCOMPARE(int(mw.criticalsTable()->ItemCount()), 0);
    mw.review().menuLeggi_Click();
    mw.review().menuAscolta_Click();
    QCOMPARE(mw.Label1->text(), QString("Total items. =0"));
    QCOMPARE(mw.Label8->text(), QString("Critical only (0)"));
    QVERIFY(f.desk.boxes.shown.isEmpty());
}

void TestReviewViews::viewsHideTheRulesFrame()
{
    WindowFixture f;
    f.open(MakeItems(5, {}));
    MainWindow &mw = *f.mw;
    for (int round = 0; round < 4; ++round) {
        mw.FrameRegole->show();
        round < 2 ? mw.review().menuLeggi_Click() : mw.review().menuAscolta_Click();
        QVERIFY(!mw.FrameRegole->isVisible());
    }
}

void TestReviewViews::exitFromReadViewStillOffersToSave()
{
    WindowFixture f;
    f.open(MakeItems(5, {}));
    MainWindow &mw = *f.mw;
    mw.review().menuLeggi_Click();
    QVERIFY(!mw.menuSalva->isEnabled());
    f.desk.boxes.answers << platform::No;
    mw.menuFine_Click();
    QCOMPARE(f.desk.boxes.shown.size(), 1);
    QCOMPARE(f.desk.boxes.shown[0].text, QString("Save file and test results ?"));
    QVERIFY(mw.hasEnded());
}

void TestReviewViews::criticalsListIsRebuiltFromCurrentMarks()
{
    WindowFixture f;
    f.open(MakeItems(20, {4}));
    MainWindow &mw = *f.mw;
    mw.review().menuLeggi_Click();
    mw.ChkCri->click();
    QCOMPARE(int(mw.criticalsTable()->ItemCount()), 1);
    mw.review().menuLeggi_Click();

    // A test marks two more items meanwhile.
    f.ctx->store.SetMark(9, "c");
    f.ctx->store.SetMark(12, "c");
    mw.review().menuAscolta_Click();
    QCOMPARE(mw.Label8->text(), QString("Critical only (3)"));
    mw.ChkCri->click();
    QCOMPARE(int(mw.criticalsTable()->ItemCount()), 3);
    QCOMPARE(mw.criticalsTable()->Item(2).English, QString("word 9"));
}

QTEST_MAIN(TestReviewViews)
#include "tst_reviewviews.moc"
