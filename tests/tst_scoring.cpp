// The clocks of a test window, Assistance and the direction texts.
#include "test/assistance.h"
#include "test/direction.h"
#include "test/scoring.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

#include <QtTest>

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void targetTimeFromAnswerLength();
    void penaltyGrowsWithEachTargetTime();
    void tooSlowAndAssistanceAfterTenSeconds();
    void scoreSaturatesAtBothBounds();
    void successAndBlinkClocks();
    void assistanceHints_data();
    void assistanceHints();
    void assistanceChargesEveryClick();
    void directionSides();
    void languageTexts();
};

void TestScoring::targetTimeFromAnswerLength()
{
    QCOMPARE(TargetTimeFor("fourteen chars"), qint16(14));
    QCOMPARE(TargetTimeFor("sixsix"), qint16(10));
    QCOMPARE(TargetTimeFor(""), qint16(10));
    QCOMPARE(TargetTimeFor(QString(40000, 'x')), qint16(32767));
}

void TestScoring::penaltyGrowsWithEachTargetTime()
{
    TestSession s;
    s.Score = 1000;
    int beeps = 0;
    for (int tick = 1; tick <= 25; ++tick) {
        const AnswerTick t = AnswerClockTick(s, "house");
        QCOMPARE(t.TargetTime, qint16(10));
        QCOMPARE(s.LastPenalty, t.Penalty);
        if (tick <= 9)
            QCOMPARE(s.Score, qint16(1000));
        if (tick == 10 || tick == 20)
            QCOMPARE(t.Penalty, qint16(tick / 10));
        beeps += t.Beep;
    }
    QCOMPARE(s.ElapsedSeconds, qint16(25));
    QCOMPARE(s.Score, qint16(1000 - 22)); // 10 x 1 + 6 x 2
    QCOMPARE(beeps, 15);                  // every second past the target time
    QCOMPARE(s.TargetTime, qint16(10));
}

void TestScoring::tooSlowAndAssistanceAfterTenSeconds()
{
    TestSession s;
    const QString longAnswer(20, 'a'); // TT = 20
    AnswerTick t;
    for (int tick = 1; tick <= 10; ++tick) {
        t = AnswerClockTick(s, longAnswer);
        QVERIFY(!t.TooSlow);
    }
    s.ErrorFlag = 1;
    QVERIFY(!t.ShowAssistance);
    t = AnswerClockTick(s, longAnswer);
    QVERIFY(t.TooSlow);
    QVERIFY(t.ShowAssistance);
    QCOMPARE(t.Penalty, qint16(0));
    QVERIFY(!t.Beep);
    // A right beginning hides it again.
    s.ErrorFlag = 0;
    QVERIFY(!AnswerClockTick(s, longAnswer).ShowAssistance);
}

void TestScoring::scoreSaturatesAtBothBounds()
{
    TestSession s;
    s.Score = -32760;
    s.ElapsedSeconds = 200; // 20 points a second with TT = 10
    AnswerClockTick(s, "x");
    QCOMPARE(s.Score, qint16(-32768));
    AnswerClockTick(s, "x");
    QCOMPARE(s.Score, qint16(-32768));
    s.ElapsedSeconds = 32767; // the clock stops at its bound too
    AnswerClockTick(s, "x");
    QCOMPARE(s.ElapsedSeconds, qint16(32767));

    s.Score = -32767;
    s.TypedLength = 0;
    Assistance(s, "a long answer");
    QCOMPARE(s.Score, qint16(-32768));
    QCOMPARE(SaturatingAdd(32760, 100), qint16(32767));
}

void TestScoring::successAndBlinkClocks()
{
    TestSession s;
    for (int i = 1; i <= 5; ++i)
        QVERIFY(!SuccessClockTick(s));
    QVERIFY(SuccessClockTick(s));

    QVERIFY(!BlinkTick(s)); // 1: ImOhi
    QVERIFY(BlinkTick(s));  // 2: ImHai
    s.BlinkCount = 32767;
    QVERIFY(BlinkTick(s)); // keeps alternating past the bound
    QVERIFY(!BlinkTick(s));
}

void TestScoring::assistanceHints_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("typed");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<int>("penalty");
    QTest::newRow("the house") << "the house" << 3 << "the #####" << 4;
    QTest::newRow("how are you?") << "how are you?" << 3 << "how ### ###?" << 6;
    QTest::newRow("typed longer") << "cat" << 7 << "cat" << 1;
    QTest::newRow("nothing typed") << "a b" << 0 << "# #" << 1;
}

void TestScoring::assistanceHints()
{
    QFETCH(QString, target);
    QFETCH(int, typed);
    QFETCH(QString, hint);
    QFETCH(int, penalty);
    TestSession s;
    s.Score = 1000;
    s.TypedLength = qint16(typed);
    const AssistanceResult r = Assistance(s, target);
    QCOMPARE(r.Hint, hint);
    QCOMPARE(r.Penalty, qint16(penalty));
    QCOMPARE(s.LastPenalty, qint16(penalty));
    QCOMPARE(s.Score, qint16(1000 - penalty));
    QVERIFY(s.TypedLength <= target.size());
}

void TestScoring::assistanceChargesEveryClick()
{
    TestSession s;
    s.Score = 1000;
    s.TypedLength = 3;
    Assistance(s, "the house");
    const AssistanceResult second = Assistance(s, "the house");
    QCOMPARE(second.Hint, QString("the #####"));
    QCOMPARE(s.Score, qint16(992));
    QCOMPARE(s.LastPenalty, qint16(4));
}

void TestScoring::directionSides()
{
    const VocabItem item{"01", " ", "house", "casa"};
    QCOMPARE(QuestionField(item, TestDirection::ToEnglish), QString("casa"));
    QCOMPARE(AnswerField(item, TestDirection::ToEnglish), QString("house"));
    QCOMPARE(QuestionField(item, TestDirection::FromEnglish), QString("house"));
    QCOMPARE(AnswerField(item, TestDirection::FromEnglish), QString("casa"));
    QCOMPARE(Points(TestDirection::ToEnglish).AnswerBox, QString("Textin"));
    QCOMPARE(Points(TestDirection::FromEnglish).AnswerBox, QString("Textit"));
    QCOMPARE(TargetTimeCaption(TestDirection::ToEnglish, 14),
             QString("    Test to English ... (Target Time= 14)"));
    QCOMPARE(TargetTimeCaption(TestDirection::FromEnglish, 10),
             QString("    Test from English ... (Target Time= 10)"));
}

void TestScoring::languageTexts()
{
    QCOMPARE(TextsForLanguage(TestDirection::ToEnglish, 3).Caption,
             QString("   Test from German to English"));
    QCOMPARE(TextsForLanguage(TestDirection::FromEnglish, 1).Label3, QString("T O   I T A L I A N"));
    // Codes other than 1 to 4 all take the "my language" texts.
    for (const qint16 code : {qint16(0), qint16(5), qint16(-1)}) {
        QCOMPARE(TextsForLanguage(TestDirection::ToEnglish, code).Caption,
                 QString("   Test from My Lamguage to English"));
        QCOMPARE(TextsForLanguage(TestDirection::FromEnglish, code).Label3,
                 QString("T O   M Y   L A N G U A G E"));
        QCOMPARE(FlagPictureName(code), QString("banOthers"));
    }
    QCOMPARE(FlagPictureName(4), QString("banSpain"));
    QCOMPARE(IconPictureName(2), QString("icoFrance"));
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
