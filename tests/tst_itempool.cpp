// The item pool: which items a run asks, in which order, and the critical marks.
#include "test/itempool.h"
#include "testsupport.h"
#include "vocab/vocabstore.h"

#include <QtTest>
#include <set>

namespace {

// A run over `count` items, all in lesson 1 unless listed in `lessons`
// (position -> lesson text); positions in `critical` carry the mark "c".
struct Run {
    VocabStore store;
    RunOptions options;
    ItemPool pool;
    // The questions the pool asked the window for, and the answers to the
    // restart questions (yes when none is left).
    QList<NextOutcome> questions;
    QList<bool> restartAnswers;

    explicit Run(int count, const QMap<int, QString> &lessons = {}, const std::set<int> &critical = {})
    {
        QVector<VocabItem> items;
        for (int n = 1; n <= count; ++n)
            items.append(VocabItem{lessons.value(n, "01"), critical.count(n) ? "c" : " ",
                                   QString("word%1").arg(n), QString("parola%1").arg(n)});
        store.SetItems(items);
    }
    // Chooses the lessons given instead of "All", and the order; builds the pool.
    void choose(std::initializer_list<int> chosen, int order)
    {
        options.LessonChecked[0] = false;
        for (int k : chosen)
            options.LessonChecked[k] = true;
        options.CheckedOption = order;
        build();
    }
    void build() { pool.BuildItemPool(store, options); }
    void next()
    {
        const NextOutcome outcome = pool.NextItem(store, options);
        if (outcome == NextOutcome::AskRestart || outcome == NextOutcome::CriticalsRunOut)
            questions << outcome;
        if (outcome == NextOutcome::AskRestart)
            pool.AnswerRestart(restartAnswers.isEmpty() || restartAnswers.takeFirst(), store, options);
    }
    // The items handed out by up to `requests` requests, each answered exactly.
    QList<int> handOut(int requests)
    {
        QList<int> got;
        for (int i = 0; i < requests; ++i) {
            next();
            if (pool.RunOut)
                break;
            got << pool.CurrentItem;
            pool.PendingItem = 0;
        }
        return got;
    }
    // Whether each of `times` further requests reports the end.
    bool keepsRunningOut(int times)
    {
        for (int i = 0; i < times; ++i) {
            pool.RunOut = false;
            next();
            if (!pool.RunOut)
                return false;
        }
        return true;
    }
    // The numbers from..to that the pool contains.
    QList<int> contained(int from, int to) const
    {
        QList<int> numbers;
        for (int n = from; n <= to; ++n)
            if (pool.Contains(n))
                numbers << n;
        return numbers;
    }
};

} // namespace

class TestItemPool : public QObject {
    Q_OBJECT
private slots:
    void runOutAndRestart_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("asked");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("pending");
        QTest::addColumn<int>("position");
        const QList<int> up{4, 9, 12}, down{12, 9, 4};
        QTest::newRow("forwards OK") << int(Forwards) << true << -1 << up << 4 << 4 << 0;
        QTest::newRow("forwards Cancel") << int(Forwards) << false << -1 << up << 12 << 0 << 0;
        QTest::newRow("backwards OK") << int(Backwards) << true << 3 << down << 12 << 12 << 2;
        QTest::newRow("backwards Cancel") << int(Backwards) << false << 3 << down << 4 << 0 << -1;
    }

    void runOutAndRestart()
    {
        QFETCH(int, order);
        QFETCH(bool, ok);
        QFETCH(int, start);
        QFETCH(QList<int>, asked);
        QFETCH(int, current);
        QFETCH(int, pending);
        QFETCH(int, position);
        Run r(12, {{4, "03"}, {9, "03"}, {12, "03"}});
        r.choose({3}, order);
        QCOMPARE(r.options.SequenceOrder, qint16(order));
        QCOMPARE(r.pool.PoolPosition, qint16(start));
        QCOMPARE(r.handOut(3), asked);
        QVERIFY(r.questions.isEmpty());

        r.restartAnswers << ok;
        r.next();
        QCOMPARE(r.questions, QList<NextOutcome>{NextOutcome::AskRestart});
        QCOMPARE(r.pool.RunOut, !ok);
        QCOMPARE(r.pool.CurrentItem, qint16(current));
        QCOMPARE(r.pool.PendingItem, qint16(pending));
        QCOMPARE(r.pool.PoolPosition, qint16(position));
        if (!ok) {
            // The test window rebuilds the pool, which starts the run afresh.
            r.build();
            QVERIFY(!r.pool.RunOut);
            QCOMPARE(r.handOut(1), asked.mid(0, 1));
        }
    }

    void criticalsRunOut()
    {
        // Criticals: 2 (lesson 1), 5 and 8 (lesson 3), 11 (lesson 4).
        Run r(12, {{5, "03"}, {8, "03"}, {11, "04"}, {6, "03"}}, {2, 5, 8, 11});
        r.choose({3, 4}, Criticals);
        QCOMPARE(r.pool.PoolCriticals, 3);
        QCOMPARE(r.pool.CriticalCount(), 4);
        QCOMPARE(r.contained(1, 12), (QList<int>{5, 8, 11}));
        QCOMPARE(r.handOut(1), QList<int>{5});
        // Item 6 of lesson 3 becomes critical during the run; it is not asked.
        r.pool.CurrentItem = 6;
        r.pool.MarkCritical(r.store);
        QCOMPARE(r.pool.CurrentCriticals(), 4);
        QCOMPARE(r.handOut(5), (QList<int>{8, 11}));
        QVERIFY(r.pool.RunOut);
        QCOMPARE(r.questions, QList<NextOutcome>{NextOutcome::CriticalsRunOut});
        // Further requests keep reporting the end and never wrap to the start.
        QVERIFY(r.keepsRunningOut(3));
        QCOMPARE(r.pool.CurrentItem, qint16(11));
    }

    void randomNeverRepeatsNorRunsOut()
    {
        for (int size : {2, 3, 10}) {
            Run r(size);
            r.options.CheckedOption = Random;
            r.pool.Seed(4711u);
            r.build();
            const QList<int> got = r.handOut(2000);
            QCOMPARE(got.size(), 2000);
            QVERIFY(!r.pool.RunOut);
            QVERIFY(r.questions.isEmpty());
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

        // A single item is handed out again and again.
        Run one(3, {{2, "05"}});
        one.choose({5}, Random);
        QCOMPARE(one.pool.Size(), 1);
        QCOMPARE(one.handOut(4), (QList<int>{2, 2, 2, 2}));
        QVERIFY(!one.pool.RunOut);
    }

    void pendingItemComesBack()
    {
        Run r(5);
        r.build();
        r.next();
        r.next();
        QCOMPARE(r.pool.CurrentItem, qint16(1));
        QCOMPARE(r.pool.PoolPosition, qint16(0));
        // A rebuild (Test reset) keeps the pending item too.
        r.build();
        r.next();
        QCOMPARE(r.pool.CurrentItem, qint16(1));
        QCOMPARE(r.pool.PoolPosition, qint16(-1));
        r.pool.PendingItem = 0;
        r.next();
        QCOMPARE(r.pool.CurrentItem, qint16(1));
        QCOMPARE(r.pool.PreviousItem, qint16(1));
    }

    void lessonSelection()
    {
        // Item 5's lesson cannot come from a file read, but must not break a build.
        Run r(6, {{2, "02"}, {3, "20"}, {4, "02"}, {5, "25"}, {6, "xx"}}, {2, 3});
        r.options.LessonChecked[2] = true; // ignored while "All" is checked
        r.build();
        QCOMPARE(r.pool.Size(), 6);
        QCOMPARE(r.pool.PoolCriticals, 2);
        QCOMPARE(r.contained(-1, 7), (QList<int>{1, 2, 3, 4, 5, 6}));

        r.choose({20}, Forwards); // lesson 2 stays chosen
        QCOMPARE(r.pool.Size(), 3);
        QCOMPARE((QList<int>{r.pool.At(0), r.pool.At(1), r.pool.At(2)}), (QList<int>{2, 3, 4}));
        QCOMPARE(r.contained(1, 6), (QList<int>{2, 3, 4}));
        QCOMPARE(r.pool.PoolCriticals, 2);
    }

    void orderFromCheckedOption()
    {
        Run r(4);
        r.options.SequenceOrder = Backwards;
        r.options.CheckedOption = 0; // no button checked: the order stays
        r.build();
        QCOMPARE(r.options.SequenceOrder, qint16(Backwards));
        QCOMPARE(r.pool.PoolPosition, qint16(4));

        // Random keeps the position it had; a rebuild clears RunOut and the delta.
        r.options.CheckedOption = Random;
        r.pool.RunOut = true;
        r.pool.CriticalsDelta = -3;
        r.build();
        QCOMPARE(r.options.SequenceOrder, qint16(Random));
        QCOMPARE(r.pool.PoolPosition, qint16(4));
        QVERIFY(!r.pool.RunOut);
        QCOMPARE(r.pool.CriticalsDelta, 0);

        // An order the program does not know leaves the pool empty.
        r.options.CheckedOption = 0;
        r.options.SequenceOrder = 9;
        r.build();
        QCOMPARE(r.pool.Size(), 0);
        QVERIFY(!r.pool.Contains(1));
    }

    void markAndUnmarkCritical()
    {
        Run r(20, {}, {3, 12});
        r.build();
        QCOMPARE(r.pool.CurrentCriticals(), 2);

        r.pool.CurrentItem = 7;
        r.pool.MarkCritical(r.store);
        QCOMPARE(r.pool.CriticalsDelta, -1);
        QCOMPARE(r.pool.CurrentCriticals(), 3);
        QVERIFY(r.store.IsCritical(7));
        QStringList memo;
        for (qint16 n : r.pool.CriticalNumbers())
            memo << ItemPool::FormatNumber(n);
        QCOMPARE(memo, (QStringList{"0003", "0007", "0012"}));
        QCOMPARE(ItemPool::FormatNumber(12345), QString("12345"));

        // Unmarking an item that is not in the list changes nothing.
        r.pool.CurrentItem = 8;
        r.pool.UnmarkCritical(r.store);
        QCOMPARE(r.pool.CriticalsDelta, -1);
        QCOMPARE(r.store.Item(8).CriticalMark, QString(" "));

        r.pool.CurrentItem = 7;
        r.pool.UnmarkCritical(r.store);
        QCOMPARE(r.pool.CriticalsDelta, 0);
        QCOMPARE(r.store.Item(7).CriticalMark, QString(" "));
        QCOMPARE(r.pool.CriticalNumbers(), (std::vector<qint16>{3, 12}));

        // An item marked twice is listed once.
        r.pool.CurrentItem = 3;
        r.pool.MarkCritical(r.store);
        QCOMPARE(r.pool.CriticalNumbers(), (std::vector<qint16>{3, 12}));
    }

    void criticalsOverLessonsWithoutCriticals()
    {
        Run r(6, {{4, "02"}, {5, "02"}}, {1, 2});
        r.choose({2}, Criticals);
        QCOMPARE(r.pool.Size(), 0);
        QCOMPARE(r.pool.PoolCriticals, 0);
        QCOMPARE(r.pool.CriticalCount(), 2);
    }

    void emptyPoolRequests_data()
    {
        QTest::addColumn<int>("order");
        QTest::newRow("Random") << int(Random);
        QTest::newRow("Forwards") << int(Forwards);
        QTest::newRow("Backwards") << int(Backwards);
        QTest::newRow("Criticals") << int(Criticals);
    }

    void emptyPoolRequests()
    {
        QFETCH(int, order);
        Run r(3);
        r.choose({}, order); // nothing chosen
        QVERIFY(r.keepsRunningOut(3));
        QVERIFY(r.questions.isEmpty());
        QCOMPARE(r.pool.CurrentItem, qint16(0));
        QCOMPARE(r.pool.PendingItem, qint16(0));
    }

    void erasedPositionsNeverHandedOut_data() { emptyPoolRequests_data(); }

    void erasedPositionsNeverHandedOut()
    {
        QFETCH(int, order);
        Run r(6, {}, {2, 5, 6});
        r.options.CheckedOption = order;
        r.build();
        // Item 6 is asked and left pending; then two items are erased.
        r.pool.PendingItem = 6;
        r.pool.CurrentItem = 6;
        r.store.Erase(1);
        r.store.Erase(1);
        QCOMPARE(r.store.ItemCount(), qint16(4));
        r.pool.MarkCritical(r.store);
        r.pool.UnmarkCritical(r.store);
        QCOMPARE(r.pool.CriticalsDelta, 0);

        const QList<int> got = r.handOut(50);
        QVERIFY(!got.isEmpty());
        for (int n : got)
            QVERIFY2(n >= 1 && n <= 4, qPrintable(QString("gave %1").arg(n)));
        if (order == Forwards)
            QCOMPARE(got.mid(0, 5), (QList<int>{1, 2, 3, 4, 1}));
        if (order == Backwards)
            QCOMPARE(got.mid(0, 5), (QList<int>{4, 3, 2, 1, 4}));
        if (order == Criticals)
            QCOMPARE(got, (QList<int>{2}));

        // Nothing left that exists: the request ends quietly.
        Run gone(3);
        gone.choose({1}, order);
        gone.store.Clear();
        gone.next();
        QVERIFY(gone.pool.RunOut);
        QVERIFY(gone.questions.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestItemPool)
#include "tst_itempool.moc"
