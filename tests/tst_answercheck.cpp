// Judging typed answers: the beginning check, target switching among the
// accepted answers, exact answers with their score and critical marks.
#include "platform/scripted.h"
#include "test/answercheck.h"
#include "test/itempool.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

#include <QtTest>

using Mark = CheckOutcome::MarkChange;

// A store of three items in lesson 1 with a pool over all of them; item 2
// (mark given) is the one asked.
struct Fixture {
    VocabStore store;
    RunOptions options;
    ItemPool pool;
    TestSession session;
    AnswerChecker checker;

    explicit Fixture(const QString &mark = " ", const QStringList &accepted = {"house"})
    {
        store.Append({"01", " ", "cat", "gatto"});
        store.Append({"01", mark, "house", "casa"});
        store.Append({"02", "c", "dog", "cane"});
        pool.BuildItemPool(store, options);
        pool.CurrentItem = 2;
        pool.PendingItem = 2;
        session.Score = 1000;
        checker.StartItem(accepted.value(0), mark == "c");
        checker.AcceptedAnswers = accepted;
    }
    CheckOutcome type(const QString &text, bool sounds = true)
    {
        return checker.CheckAnswer(text, session, pool, store, sounds);
    }
};

class TestAnswerCheck : public QObject {
    Q_OBJECT
private slots:
    void wrongBeginningTurnsRedAndAlerts();
    void exactnessRules();
    void trailingBlanksPastedAtOnceAnswer();
    void exactAnswerEffects();
    void targetFollowsTheAcceptedAnswers();
    void lateAnswerMarksCritical();
    void timelyAnswerUnmarksCritical();
    void otherMarksUntouched();
    void repeatedExactAnswerCountsOnce();
    void nothingAnsweredBeforeAnItemIsShown();
    void emptyTargetIsNeverExact();
    void manyAcceptedAnswersAllCount();
    void scoreAndDoneCountSaturate();
    void soundsFollowTheOutcome();
};

void TestAnswerCheck::wrongBeginningTurnsRedAndAlerts()
{
    Fixture f;
    for (const QString t : {"h", "ho", "hou"}) {
        const CheckOutcome o = f.type(t);
        QVERIFY(!o.Red);
        QVERIFY(!o.PlayAlert);
        QCOMPARE(f.session.ErrorFlag, qint16(0));
    }
    // A wrong character added after "ho".
    f.type("ho");
    CheckOutcome o = f.type("hoa");
    QVERIFY(o.Red);
    QVERIFY(o.PlayAlert);
    QCOMPARE(f.session.ErrorFlag, qint16(1));
    QCOMPARE(f.session.TypedLength, qint16(3));

    // Deleting the wrong character: black again, no sound.
    o = f.type("ho");
    QVERIFY(!o.Red);
    QVERIFY(!o.PlayAlert);
    QCOMPARE(f.session.ErrorFlag, qint16(0));

    // A wrong character added with sounds off: red but silent.
    o = f.type("hoz", false);
    QVERIFY(o.Red);
    QVERIFY(!o.PlayAlert);

    // Removing a character from a wrong text keeps it red but silent.
    f.type("hozz");
    o = f.type("hoz");
    QVERIFY(o.Red);
    QVERIFY(!o.PlayAlert);

    // Emptying the box changes only colour and error flag.
    o = f.type("");
    QVERIFY(!o.Red);
    QVERIFY(!o.Answered);
    QCOMPARE(f.session.ErrorFlag, qint16(0));
    QCOMPARE(f.session.Score, qint16(1000));
}

void TestAnswerCheck::exactnessRules()
{
    Fixture f;
    // Case counts.
    CheckOutcome o = f.type("House");
    QVERIFY(o.Red);
    QVERIFY(!o.Answered);
    // A leading blank is never exact.
    o = f.type(" house");
    QVERIFY(o.Red);
    QVERIFY(!o.Answered);
    o = f.type(" house ");
    QVERIFY(!o.Answered);
    // Beyond the end of the target.
    o = f.type("houses");
    QVERIFY(o.Red);
    QVERIFY(!o.Answered);
    QCOMPARE(f.session.DoneCount, qint16(0));
    QCOMPARE(f.pool.PendingItem, qint16(2));
}

void TestAnswerCheck::trailingBlanksPastedAtOnceAnswer()
{
    Fixture f;
    const CheckOutcome o = f.type("house  ");
    QVERIFY(o.Red); // not a beginning of the target, yet exact
    QVERIFY(o.Answered);
    QCOMPARE(f.session.Score, qint16(1005));
}

void TestAnswerCheck::exactAnswerEffects()
{
    Fixture f;
    f.session.DoneCount = 3;
    f.session.SuccessTicks = 9;
    const CheckOutcome o = f.type("house");
    QVERIFY(o.Answered);
    QVERIFY(!o.Red);
    QCOMPARE(o.Beeps, 40);
    QCOMPARE(f.session.DoneCount, qint16(4));
    QCOMPARE(f.session.Score, qint16(1005));
    QCOMPARE(f.session.LastPenalty, qint16(0));
    QCOMPARE(f.session.SuccessTicks, qint16(0));
    QCOMPARE(f.pool.PendingItem, qint16(0));
    QCOMPARE(o.Mark, Mark::None);
    // One critical in the pool (item 3).
    QCOMPARE(o.Counters, QString("Done =4 Criticals =1"));
    QVERIFY(!o.ShowSynonyms);
}

void TestAnswerCheck::targetFollowsTheAcceptedAnswers()
{
    Fixture f(" ", {"house", "home", "dwelling"});
    CheckOutcome o = f.type("d");
    QVERIFY(!o.Red);
    QCOMPARE(f.checker.Target, QString("dwelling"));
    o = f.type("dwelling");
    QVERIFY(o.Answered);
    QVERIFY(o.ShowSynonyms);
    QCOMPARE(f.session.Score, qint16(1008));

    Fixture g(" ", {"house", "home", "dwelling"});
    g.type("h");
    QCOMPARE(g.checker.Target, QString("house")); // the first that fits
    g.type("ho");
    QCOMPARE(g.checker.Target, QString("house"));
    o = g.type("hom");
    QVERIFY(!o.Red);
    QCOMPARE(g.checker.Target, QString("home"));
    // Nothing fits: the target chosen last stays and judges the text.
    o = g.type("homa");
    QVERIFY(o.Red);
    QCOMPARE(g.checker.Target, QString("home"));
    QCOMPARE(g.checker.ChosenTarget, QString("home"));
    o = g.type("home");
    QVERIFY(o.Answered);
    QCOMPARE(g.session.Score, qint16(1004));
}

void TestAnswerCheck::lateAnswerMarksCritical()
{
    Fixture f;
    const int criticalsBefore = f.pool.CurrentCriticals();
    const int storeCriticalsBefore = f.pool.CriticalCount();
    f.store.SetSaveAvailable(false); // the vocabulary was just saved
    f.session.LastPenalty = 1; // answered after 12 s with TT = 10
    const CheckOutcome o = f.type("house");
    QCOMPARE(o.Mark, Mark::Marked);
    QCOMPARE(f.store.Item(2).CriticalMark, QString("c"));
    QVERIFY(f.store.SaveAvailable()); // the new mark is something to save
    QCOMPARE(f.pool.CurrentCriticals(), criticalsBefore + 1);
    QCOMPARE(f.pool.CriticalCount(), storeCriticalsBefore + 1);
    QCOMPARE(o.Counters, QString("Done =1 Criticals =2"));
    QCOMPARE(f.session.LastPenalty, qint16(0));

    // Answered in time: stays ordinary.
    Fixture g;
    g.store.SetSaveAvailable(false);
    g.session.LastPenalty = 0;
    QCOMPARE(g.type("house").Mark, Mark::None);
    QCOMPARE(g.store.Item(2).CriticalMark, QString(" "));
    QVERIFY(!g.store.SaveAvailable());
}

void TestAnswerCheck::timelyAnswerUnmarksCritical()
{
    Fixture f("c");
    QCOMPARE(f.pool.CurrentCriticals(), 2);
    f.store.SetSaveAvailable(false);
    f.session.LastPenalty = 0;
    CheckOutcome o = f.type("house");
    QCOMPARE(o.Mark, Mark::Unmarked);
    QCOMPARE(f.store.Item(2).CriticalMark, QString(" "));
    QVERIFY(f.store.SaveAvailable());
    QCOMPARE(f.pool.CurrentCriticals(), 1);
    QCOMPARE(o.Counters, QString("Done =1 Criticals =1"));

    // A critical item answered late (or after Assistance) stays critical and
    // is not marked a second time.
    Fixture g("c");
    g.session.LastPenalty = 3;
    o = g.type("house");
    QCOMPARE(o.Mark, Mark::None);
    QCOMPARE(g.store.Item(2).CriticalMark, QString("c"));
    QCOMPARE(g.pool.CurrentCriticals(), 2);
    QCOMPARE(g.pool.CriticalCount(), 2);
}

void TestAnswerCheck::otherMarksUntouched()
{
    for (const int penalty : {0, 2}) {
        Fixture f("x");
        f.session.LastPenalty = qint16(penalty);
        const CheckOutcome o = f.type("house");
        QVERIFY(o.Answered);
        QCOMPARE(o.Mark, Mark::None);
        QCOMPARE(f.store.Item(2).CriticalMark, QString("x"));
        QCOMPARE(f.pool.CurrentCriticals(), 1);
    }
}

void TestAnswerCheck::repeatedExactAnswerCountsOnce()
{
    Fixture f;
    f.session.LastPenalty = 1;
    QVERIFY(f.type("house").Answered);
    QCOMPARE(f.store.Item(2).CriticalMark, QString("c"));
    // An added blank, a deletion and the answer retyped: judged for colour
    // only, nothing counted or marked again.
    QVERIFY(!f.type("house ").Answered);
    CheckOutcome o = f.type("housx");
    QVERIFY(o.Red);
    QVERIFY(!o.Answered);
    o = f.type("house");
    QVERIFY(!o.Answered);
    QCOMPARE(o.Beeps, 0);
    QCOMPARE(f.session.DoneCount, qint16(1));
    QCOMPARE(f.session.Score, qint16(1005));
    QCOMPARE(f.store.Item(2).CriticalMark, QString("c"));

    // The next item is judged afresh.
    f.pool.CurrentItem = 1;
    f.checker.StartItem("cat", false);
    f.checker.AcceptedAnswers = {"cat"};
    QVERIFY(f.type("cat").Answered);
    QCOMPARE(f.session.DoneCount, qint16(2));
}

void TestAnswerCheck::nothingAnsweredBeforeAnItemIsShown()
{
    VocabStore store;
    RunOptions options;
    ItemPool pool;
    TestSession session;
    AnswerChecker checker; // no item shown: Target is empty
    const CheckOutcome o = checker.CheckAnswer("", session, pool, store, true);
    QVERIFY(!o.Answered);
    QCOMPARE(session.DoneCount, qint16(0));
}

void TestAnswerCheck::emptyTargetIsNeverExact()
{
    // An item whose expected answer is empty: neither the box emptied by the
    // program, nor a typed and deleted character, nor blanks answer it.
    Fixture f(" ", {});
    f.checker.StartItem("", false);
    for (const QString &text : {QString(), QString("a"), QString(), QString("   ")})
        QVERIFY(!f.type(text).Answered);
    QCOMPARE(f.session.DoneCount, qint16(0));
    QCOMPARE(f.session.Score, qint16(1000));
    QCOMPARE(f.pool.PendingItem, qint16(2));
}

void TestAnswerCheck::manyAcceptedAnswersAllCount()
{
    QStringList accepted;
    for (int i = 1; i <= 25; ++i)
        accepted << QString("answer%1").arg(i);
    Fixture f(" ", accepted);
    QCOMPARE(f.checker.AcceptedCount(), 25);
    f.type("answer");
    QCOMPARE(f.checker.Target, QString("answer1"));
    const CheckOutcome o = f.type("answer25");
    QVERIFY(o.Answered);
    QCOMPARE(f.checker.Target, QString("answer25"));
}

void TestAnswerCheck::scoreAndDoneCountSaturate()
{
    Fixture f;
    f.session.Score = 32765;
    f.session.DoneCount = 32767;
    QVERIFY(f.type("house").Answered);
    QCOMPARE(f.session.Score, qint16(32767));
    QCOMPARE(f.session.DoneCount, qint16(32767));
}

void TestAnswerCheck::soundsFollowTheOutcome()
{
    Fixture f;
    f.type("h");
    CheckOutcome o = f.type("hx");
    QVERIFY(o.PlayAlert);
    QCOMPARE(o.Beeps, 0);
    // Forty beeps at an exact answer, whatever the sound switch says.
    o = f.type("house", false);
    QVERIFY(!o.PlayAlert);
    QCOMPARE(o.Beeps, 40);
}

QTEST_GUILESS_MAIN(TestAnswerCheck)
#include "tst_answercheck.moc"
