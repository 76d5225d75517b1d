// Accepted answers and synonyms of the item being asked.
#include "platform/scripted.h"
#include "test/answercheck.h"
#include "test/itempool.h"
#include "test/synonyms.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

#include <QtTest>

// A store of 40 items: item 12 (lesson 03) and item 40 (lesson 05) both
// translate "casa"; the others are fillers in lesson 01.
struct Vocabulary {
    VocabStore store;
    RunOptions options;
    ItemPool pool;
    AnswerChecker checker;
    SynonymSearch search;

    explicit Vocabulary(const QString &item12English = "house (home)")
    {
        for (int n = 1; n <= 40; ++n) {
            if (n == 12)
                store.Append({"03", " ", item12English, "casa"});
            else if (n == 40)
                store.Append({"05", " ", "dwelling", "casa (abitazione)"});
            else
                store.Append({"01", " ", QString("word%1").arg(n), QString("parola%1").arg(n)});
        }
    }
    void selectLessons(std::initializer_list<int> lessons)
    {
        options.LessonChecked.fill(false);
        for (int l : lessons)
            options.LessonChecked[l] = true;
    }
    PreparedItem ask(int n, TestDirection direction = TestDirection::ToEnglish)
    {
        pool.BuildItemPool(store, options);
        pool.CurrentItem = qint16(n);
        return PrepareItem(checker, search, store, pool, direction);
    }
};

class TestSynonyms : public QObject {
    Q_OBJECT
private slots:
    void ownAlternativesAndSynonym();
    void singlePartItemFoundByTheSearch();
    void onlyItemsOfThePool();
    void fromEnglishLooksUpEnglishQuestions();
    void acceptedAnswersGrowPastTwenty();
    void noSynonymsNoMessage();
    void questionMainCutsBeforeParenthesis();
};

void TestSynonyms::ownAlternativesAndSynonym()
{
    Vocabulary v;
    const PreparedItem shown = v.ask(12);
    QCOMPARE(shown.Question, QString("casa"));
    QCOMPARE(shown.Lablez, QString("Lez/Num 03/12"));
    QVERIFY(!shown.Critical);
    QCOMPARE(v.checker.Target, QString("house"));
    QCOMPARE(v.checker.AcceptedAnswers, (QStringList{"house", "home", "dwelling"}));
    QCOMPARE(v.search.OwnLine, QString("(Les.03)   house (home) = casa"));
    QCOMPARE(v.search.SynonymsText,
             QString("(Les.03)   house (home) = casa\r(Les.05)   dwelling = casa (abitazione)"));

    // The exact answer asks for the message.
    TestSession session;
    const CheckOutcome o = v.checker.CheckAnswer("dwelling", session, v.pool, v.store, false);
    QVERIFY(o.Answered);
    QVERIFY(o.ShowSynonyms);
    QCOMPARE(SynonymsTitle(v.search), QString("Synonyms of:  casa (within the selected lessons)"));
    QCOMPARE(SynonymsMessageText(v.search),
             QString("(Les.03)   house (home) = casa\n(Les.05)   dwelling = casa (abitazione)"));
}

void TestSynonyms::singlePartItemFoundByTheSearch()
{
    Vocabulary v("house");
    v.ask(12);
    QCOMPARE(v.checker.AcceptedAnswers, (QStringList{"house", "dwelling"}));
    QCOMPARE(v.search.OwnLine, QString());
    QCOMPARE(v.search.SynonymsText,
             QString("\r(Les.03)   house = casa\r(Les.05)   dwelling = casa (abitazione)"));
}

void TestSynonyms::onlyItemsOfThePool()
{
    Vocabulary v;
    v.selectLessons({1, 3});
    v.ask(12);
    QCOMPARE(v.checker.AcceptedAnswers, (QStringList{"house", "home"}));
    QCOMPARE(v.search.SynonymsText, QString("(Les.03)   house (home) = casa"));

    // Item 40 asked with its own lesson only: item 12 is no synonym.
    Vocabulary w;
    w.selectLessons({5});
    w.ask(40);
    QCOMPARE(w.checker.AcceptedAnswers, (QStringList{"dwelling"}));
}

void TestSynonyms::fromEnglishLooksUpEnglishQuestions()
{
    Vocabulary v;
    v.store.Append({"02", "c", "dwelling", "dimora"});
    const PreparedItem shown = v.ask(40, TestDirection::FromEnglish);
    QCOMPARE(shown.Question, QString("dwelling"));
    QCOMPARE(v.checker.Target, QString("casa"));
    QCOMPARE(v.checker.AcceptedAnswers, (QStringList{"casa", "abitazione", "dimora"}));
    QCOMPARE(v.search.QuestionMain, QString("dwelling"));
    QCOMPARE(v.search.SynonymsText,
             QString("(Les.05)   dwelling = casa (abitazione)\r(Les.02)   dwelling = dimora"));

    // Asked from the other item: the answers come in store order, while the
    // target stays the item's own answer.
    QVERIFY(v.ask(41, TestDirection::FromEnglish).Critical);
    QCOMPARE(v.checker.Target, QString("dimora"));
    QCOMPARE(v.checker.AcceptedAnswers, (QStringList{"casa", "abitazione", "dimora"}));
    QVERIFY(v.search.SynonymsText.startsWith("\r(Les.05)   dwelling"));
}

void TestSynonyms::acceptedAnswersGrowPastTwenty()
{
    Vocabulary v;
    for (int i = 1; i <= 25; ++i)
        v.store.Append({"07", " ", QString("syn%1").arg(i), "albero"});
    v.ask(41);
    QCOMPARE(v.checker.AcceptedCount(), 25);
    QCOMPARE(v.checker.AcceptedAnswers.last(), QString("syn25"));
    TestSession session;
    QVERIFY(v.checker.CheckAnswer("syn25", session, v.pool, v.store, false).Answered);
}

void TestSynonyms::noSynonymsNoMessage()
{
    Vocabulary v;
    v.ask(7);
    QCOMPARE(v.checker.AcceptedAnswers, QStringList{"word7"});
    TestSession session;
    const CheckOutcome o = v.checker.CheckAnswer("word7", session, v.pool, v.store, false);
    QVERIFY(o.Answered);
    QVERIFY(!o.ShowSynonyms);

    // An exact copy of an item with alternatives adds nothing.
    v.store.Append({"03", " ", "house (home)", "casa"});
    v.ask(12);
    QCOMPARE(v.checker.AcceptedAnswers, (QStringList{"house", "home", "dwelling"}));
}

void TestSynonyms::questionMainCutsBeforeParenthesis()
{
    QCOMPARE(QuestionMainOf("  casa (abitazione) "), QString("casa"));
    QCOMPARE(QuestionMainOf("to get [informal]"), QString("to get [informal]"));
    QCOMPARE(QuestionMainOf("(note) word"), QString());
    QCOMPARE(SynonymLine({" 5", " ", "a", "b"}), QString("(Les.5)   a = b"));
}

QTEST_GUILESS_MAIN(TestSynonyms)
#include "tst_synonyms.moc"
