// The item pool: which items a run asks, in which order, and the critical marks.
#include "platform/scripted.h"
#include "test/itempool.h"
#include "vocab/vocabstore.h"

#include <QtTest>
#include <set>

class TestItemPool : public QObject {
    Q_OBJECT
private slots:
    void forwardsAndRestart_data();
    void forwardsAndRestart();
    void backwardsAndRestart_data();
    void backwardsAndRestart();
    void criticalsRunOut();
    void randomNeverRepeatsNorRunsOut();
    void oneItemRandomHandsItOutAgain();
    void pendingItemComesBack();
    void lessonSelection();
    void orderFromCheckedOption();
    void markAndUnmarkCritical();
    void criticalsOverLessonsWithoutCriticals();
    void emptyPoolRequests_data();
    void emptyPoolRequests();
    void erasedPositionsNeverHandedOut();
};

using platform::ScriptedBoxes;

// A store of `count` items, all in lesson 1 unless listed in `lessons`
// (position -> lesson text); positions in `critical` carry the mark "c".
static void fill(VocabStore &store, int count, const QMap<int, QString> &lessons = {},
                 const std::set<int> &critical = {})
{
    QVector<VocabItem> items;
    for (int n = 1; n <= count; ++n)
        items.append(VocabItem{lessons.value(n, "01"), critical.count(n) ? "c" : " ",
                               QString("word%1").arg(n), QString("parola%1").arg(n)});
    store.SetItems(items);
}

// Items 4, 9 and 12 in lesson 3, the rest in lesson 1; lesson 3 chosen.
static void poolOf4_9_12(VocabStore &store, RunOptions &options, qint16 order)
{
    fill(store, 12, {{4, "03"}, {9, "03"}, {12, "03"}});
    options.LessonChecked[0] = false;
    options.LessonChecked[3] = true;
    options.CheckedOption = order;
}

static QList<int> handOut(ItemPool &pool, const VocabStore &store, const RunOptions &options,
                          ScriptedBoxes &boxes, int requests)
{
    QList<int> got;
    for (int i = 0; i < requests; ++i) {
        pool.NextItem(store, options, boxes, nullptr);
        if (pool.RunOut)
            break;
        got << pool.CurrentItem;
        pool.PendingItem = 0; // answered exactly
    }
    return got;
}

void TestItemPool::forwardsAndRestart_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestItemPool::forwardsAndRestart()
{
    QFETCH(bool, ok);
    VocabStore store;
    RunOptions options;
    poolOf4_9_12(store, options, Forwards);
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.PoolPosition, qint16(-1));

    ScriptedBoxes boxes;
    QCOMPARE(handOut(pool, store, options, boxes, 3), (QList<int>{4, 9, 12}));
    QVERIFY(boxes.shown.isEmpty());

    boxes.answers << (ok ? platform::Ok : platform::Cancel);
    pool.NextItem(store, options, boxes, nullptr);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].title, QString("Restart..."));
    QCOMPARE(boxes.shown[0].text, QString("Selected items run out... restarting"));
    QCOMPARE(boxes.shown[0].buttons, platform::Ok | platform::Cancel);
    QCOMPARE(boxes.shown[0].icon, platform::Icon::None);
    QCOMPARE(pool.PoolPosition, qint16(0));
    if (ok) {
        QVERIFY(!pool.RunOut);
        QCOMPARE(pool.CurrentItem, qint16(4));
        QCOMPARE(pool.PendingItem, qint16(4));
    } else {
        QVERIFY(pool.RunOut);
        QCOMPARE(pool.CurrentItem, qint16(12));
        QCOMPARE(pool.PendingItem, qint16(0));
        // The test window rebuilds the pool, which starts the run afresh.
        pool.BuildItemPool(store, options);
        QVERIFY(!pool.RunOut);
        QCOMPARE(handOut(pool, store, options, boxes, 1), QList<int>{4});
    }
}

void TestItemPool::backwardsAndRestart_data()
{
    forwardsAndRestart_data();
}

void TestItemPool::backwardsAndRestart()
{
    QFETCH(bool, ok);
    VocabStore store;
    RunOptions options;
    poolOf4_9_12(store, options, Backwards);
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(options.SequenceOrder, qint16(Backwards));
    QCOMPARE(pool.PoolPosition, qint16(3));

    ScriptedBoxes boxes;
    QCOMPARE(handOut(pool, store, options, boxes, 3), (QList<int>{12, 9, 4}));
    boxes.answers << (ok ? platform::Ok : platform::Cancel);
    pool.NextItem(store, options, boxes, nullptr);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].title, QString("Restart..."));
    QCOMPARE(boxes.shown[0].text, QString("Selected items run out... restarting"));
    if (ok) {
        QVERIFY(!pool.RunOut);
        QCOMPARE(pool.CurrentItem, qint16(12));
        QCOMPARE(pool.PoolPosition, qint16(2));
    } else {
        QVERIFY(pool.RunOut);
        QCOMPARE(pool.PoolPosition, qint16(-1));
        QCOMPARE(pool.CurrentItem, qint16(4));
    }
}

void TestItemPool::criticalsRunOut()
{
    VocabStore store;
    // Criticals: 2 (lesson 1), 5 and 8 (lesson 3), 11 (lesson 4).
    fill(store, 12, {{5, "03"}, {8, "03"}, {11, "04"}, {6, "03"}}, {2, 5, 8, 11});
    RunOptions options;
    options.LessonChecked[0] = false;
    options.LessonChecked[3] = true;
    options.LessonChecked[4] = true;
    options.CheckedOption = Criticals;
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.PoolCriticals, 3);
    QCOMPARE(pool.CriticalCount(), 4);
    QVERIFY(pool.Contains(5) && pool.Contains(11));
    QVERIFY(!pool.Contains(2) && !pool.Contains(6));

    ScriptedBoxes boxes;
    pool.NextItem(store, options, boxes, nullptr);
    QCOMPARE(pool.CurrentItem, qint16(5));
    pool.PendingItem = 0;
    // Item 6 of lesson 3 becomes critical during the run; it is not asked.
    pool.CurrentItem = 6;
    pool.MarkCritical(store);
    QCOMPARE(pool.CurrentCriticals(), 4);
    QCOMPARE(handOut(pool, store, options, boxes, 5), (QList<int>{8, 11}));
    QVERIFY(pool.RunOut);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].title, QString("Change lessons Options..."));
    QCOMPARE(boxes.shown[0].text, QString("Criticals run out ..."));
    QCOMPARE(boxes.shown[0].buttons, platform::Buttons(platform::Ok));
    QCOMPARE(boxes.shown[0].icon, platform::Icon::None);

    // Further requests keep reporting the end and never wrap to the start.
    for (int i = 0; i < 3; ++i) {
        pool.RunOut = false;
        pool.NextItem(store, options, boxes, nullptr);
        QVERIFY(pool.RunOut);
    }
    QCOMPARE(pool.CurrentItem, qint16(11));
}

void TestItemPool::randomNeverRepeatsNorRunsOut()
{
    for (int size : {2, 3, 10}) {
        VocabStore store;
        fill(store, size);
        RunOptions options;
        options.CheckedOption = Random;
        ItemPool pool;
        pool.Seed(4711u);
        pool.BuildItemPool(store, options);
        ScriptedBoxes boxes;
        const QList<int> got = handOut(pool, store, options, boxes, 2000);
        QCOMPARE(got.size(), 2000);
        QVERIFY(!pool.RunOut);
        QVERIFY(boxes.shown.isEmpty());
        QMap<int, int> seen;
        for (int i = 0; i < got.size(); ++i) {
            QVERIFY(got[i] >= 1 && got[i] <= size);
            if (i > 0)
                QVERIFY2(got[i] != got[i - 1], qPrintable(QString("repeat at %1").arg(i)));
            ++seen[got[i]];
        }
        // Every item comes up, none is starved.
        QCOMPARE(seen.size(), size);
        for (int n : seen)
            QVERIFY(n > 2000 / size / 2);
    }
}

void TestItemPool::oneItemRandomHandsItOutAgain()
{
    VocabStore store;
    fill(store, 3, {{2, "05"}});
    RunOptions options;
    options.LessonChecked[0] = false;
    options.LessonChecked[5] = true;
    options.CheckedOption = Random;
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.Size(), 1);
    ScriptedBoxes boxes;
    QCOMPARE(handOut(pool, store, options, boxes, 4), (QList<int>{2, 2, 2, 2}));
    QVERIFY(!pool.RunOut);
}

void TestItemPool::pendingItemComesBack()
{
    VocabStore store;
    fill(store, 5);
    RunOptions options;
    ItemPool pool;
    pool.BuildItemPool(store, options);
    ScriptedBoxes boxes;
    pool.NextItem(store, options, boxes, nullptr);
    pool.NextItem(store, options, boxes, nullptr);
    QCOMPARE(pool.CurrentItem, qint16(1));
    QCOMPARE(pool.PoolPosition, qint16(0));
    // A rebuild (Test reset) keeps the pending item too.
    pool.BuildItemPool(store, options);
    pool.NextItem(store, options, boxes, nullptr);
    QCOMPARE(pool.CurrentItem, qint16(1));
    QCOMPARE(pool.PoolPosition, qint16(-1));
    pool.PendingItem = 0;
    pool.NextItem(store, options, boxes, nullptr);
    QCOMPARE(pool.CurrentItem, qint16(1));
    QCOMPARE(pool.PreviousItem, qint16(1));
}

void TestItemPool::lessonSelection()
{
    VocabStore store;
    // Item 5's lesson cannot come from a file read, but must not break a build.
    fill(store, 6, {{2, "02"}, {3, "20"}, {4, "02"}, {5, "25"}, {6, "xx"}}, {2, 3});
    RunOptions options;
    options.LessonChecked[2] = true; // ignored while "All" is checked
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.Size(), 6);
    QCOMPARE(pool.PoolCriticals, 2);
    for (int n = 1; n <= 6; ++n)
        QVERIFY(pool.Contains(n));
    QVERIFY(!pool.Contains(0) && !pool.Contains(7) && !pool.Contains(-1));

    options.LessonChecked[0] = false;
    options.LessonChecked[20] = true;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.Size(), 3);
    QCOMPARE(pool.At(0), qint16(2));
    QCOMPARE(pool.At(1), qint16(3));
    QCOMPARE(pool.At(2), qint16(4));
    QVERIFY(!pool.Contains(5) && !pool.Contains(6) && !pool.Contains(1));
    QCOMPARE(pool.PoolCriticals, 2);
}

void TestItemPool::orderFromCheckedOption()
{
    VocabStore store;
    fill(store, 4);
    RunOptions options;
    options.SequenceOrder = Backwards;
    options.CheckedOption = 0; // no button checked: the order stays
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(options.SequenceOrder, qint16(Backwards));
    QCOMPARE(pool.PoolPosition, qint16(4));

    // Random keeps the position it had; a rebuild clears RunOut and the delta.
    options.CheckedOption = Random;
    pool.RunOut = true;
    pool.CriticalsDelta = -3;
    pool.BuildItemPool(store, options);
    QCOMPARE(options.SequenceOrder, qint16(Random));
    QCOMPARE(pool.PoolPosition, qint16(4));
    QVERIFY(!pool.RunOut);
    QCOMPARE(pool.CriticalsDelta, 0);

    // An order the program does not know leaves the pool empty.
    options.CheckedOption = 0;
    options.SequenceOrder = 9;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.Size(), 0);
    QVERIFY(!pool.Contains(1));
}

void TestItemPool::markAndUnmarkCritical()
{
    VocabStore store;
    fill(store, 20, {}, {3, 12});
    RunOptions options;
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.CurrentCriticals(), 2);

    pool.CurrentItem = 7;
    pool.MarkCritical(store);
    QCOMPARE(pool.CriticalsDelta, -1);
    QCOMPARE(pool.CurrentCriticals(), 3);
    QVERIFY(store.IsCritical(7));
    QStringList memo;
    for (qint16 n : pool.CriticalNumbers())
        memo << ItemPool::FormatNumber(n);
    QCOMPARE(memo, (QStringList{"0003", "0007", "0012"}));
    QCOMPARE(ItemPool::FormatNumber(12345), QString("12345"));

    // Unmarking an item that is not in the list changes nothing.
    pool.CurrentItem = 8;
    pool.UnmarkCritical(store);
    QCOMPARE(pool.CriticalsDelta, -1);
    QCOMPARE(store.Item(8).CriticalMark, QString(" "));

    pool.CurrentItem = 7;
    pool.UnmarkCritical(store);
    QCOMPARE(pool.CriticalsDelta, 0);
    QCOMPARE(store.Item(7).CriticalMark, QString(" "));
    QCOMPARE(pool.CriticalNumbers(), (std::vector<qint16>{3, 12}));

    // An item marked twice is listed once.
    pool.CurrentItem = 3;
    pool.MarkCritical(store);
    QCOMPARE(pool.CriticalNumbers(), (std::vector<qint16>{3, 12}));
}

void TestItemPool::criticalsOverLessonsWithoutCriticals()
{
    VocabStore store;
    fill(store, 6, {{4, "02"}, {5, "02"}}, {1, 2});
    RunOptions options;
    options.LessonChecked[0] = false;
    options.LessonChecked[2] = true;
    options.CheckedOption = Criticals;
    ItemPool pool;
    pool.BuildItemPool(store, options);
    QCOMPARE(pool.Size(), 0);
    QCOMPARE(pool.PoolCriticals, 0);
    QCOMPARE(pool.CriticalCount(), 2);
}

void TestItemPool::emptyPoolRequests_data()
{
    QTest::addColumn<int>("order");
    QTest::newRow("Random") << int(Random);
    QTest::newRow("Forwards") << int(Forwards);
    QTest::newRow("Backwards") << int(Backwards);
    QTest::newRow("Criticals") << int(Criticals);
}

void TestItemPool::emptyPoolRequests()
{
    QFETCH(int, order);
    VocabStore store;
    fill(store, 3);
    RunOptions options;
    options.LessonChecked[0] = false; // nothing chosen
    options.CheckedOption = order;
    ItemPool pool;
    pool.BuildItemPool(store, options);
    ScriptedBoxes boxes;
    for (int i = 0; i < 3; ++i) {
        pool.RunOut = false;
        pool.NextItem(store, options, boxes, nullptr);
        QVERIFY(pool.RunOut);
    }
    QVERIFY(boxes.shown.isEmpty());
    QCOMPARE(pool.CurrentItem, qint16(0));
    QCOMPARE(pool.PendingItem, qint16(0));
}

void TestItemPool::erasedPositionsNeverHandedOut()
{
    for (qint16 order : {Random, Forwards, Backwards, Criticals}) {
        VocabStore store;
        fill(store, 6, {}, {2, 5, 6});
        RunOptions options;
        options.CheckedOption = order;
        ItemPool pool;
        pool.BuildItemPool(store, options);
        ScriptedBoxes boxes;
        // Item 6 is asked and left pending; then two items are erased.
        pool.PendingItem = 6;
        pool.CurrentItem = 6;
        store.Erase(1);
        store.Erase(1);
        QCOMPARE(store.ItemCount(), qint16(4));
        pool.MarkCritical(store);
        pool.UnmarkCritical(store);
        QCOMPARE(pool.CriticalsDelta, 0);

        const QList<int> got = handOut(pool, store, options, boxes, 50);
        QVERIFY(!got.isEmpty());
        for (int n : got)
            QVERIFY2(n >= 1 && n <= 4, qPrintable(QString("order %1 gave %2").arg(order).arg(n)));
        if (order == Forwards)
            QCOMPARE(got.mid(0, 5), (QList<int>{1, 2, 3, 4, 1}));
        if (order == Backwards)
            QCOMPARE(got.mid(0, 5), (QList<int>{4, 3, 2, 1, 4}));
        if (order == Criticals)
            QCOMPARE(got, (QList<int>{2}));
    }

    // Nothing left that exists: the request ends quietly.
    VocabStore store;
    fill(store, 3);
    RunOptions options;
    options.LessonChecked[0] = false;
    options.LessonChecked[1] = true;
    ItemPool pool;
    pool.BuildItemPool(store, options);
    store.Clear();
    ScriptedBoxes boxes;
    pool.NextItem(store, options, boxes, nullptr);
    QVERIFY(pool.RunOut);
    QVERIFY(boxes.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestItemPool)
#include "tst_itempool.moc"
