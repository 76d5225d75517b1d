// Test engine timings on a full vocabulary: judging one keystroke (each kind
// of keystroke on its own, the one that completes the answer included), the
// preparation of an item's accepted answers and synonyms, and a whole item in
// the real test window (Next item, then the exact answer).
#include "app/mainwindow.h"
#include "platform/scripted.h"
#include "test/answercheck.h"
#include "test/itempool.h"
#include "test/optionspanel.h"
#include "test/synonyms.h"
#include "test/testcommands.h"
#include "test/testwindow.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

#include "benchsupport.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

// A vocabulary of the given size over 20 lessons: every third item has
// alternatives, and every 500th item translates "casa" as well.
void FillVocabulary(VocabStore &store, int count)
{
    QVector<VocabItem> items;
    items.reserve(count);
    for (int n = 1; n <= count; ++n) {
        VocabItem item;
        item.Lesson = QString::number(n % 20 + 1).rightJustified(2, QLatin1Char('0'));
        item.CriticalMark = n % 7 == 0 ? QStringLiteral("c") : QStringLiteral(" ");
        item.English = n % 3 == 0
            ? QStringLiteral("english word %1 (synonym %1, other %1)").arg(n)
            : QStringLiteral("english word %1").arg(n);
        item.MyLanguage = n % 500 == 0 ? QStringLiteral("casa (abitazione)")
                                       : QStringLiteral("parola italiana %1").arg(n);
        items.append(item);
    }
    items[0].English = QStringLiteral("house (home, dwelling)");
    items[0].MyLanguage = QStringLiteral("casa");
    store.SetItems(items);
}

struct Engine {
    VocabStore store;
    RunOptions options;
    ItemPool pool;
    TestSession session;
    AnswerChecker checker;
    SynonymSearch search;

    explicit Engine(int count)
    {
        FillVocabulary(store, count);
        pool.BuildItemPool(store, options);
        pool.CurrentItem = 1;
        session.Score = 1000;
    }
};

// The keystrokes of typing "house (home, dwelling)" as an English answer.
enum Keystroke {
    GoodBeginning, // "hous": the target's beginning, black
    WrongLetter,   // "housz": red
    Alternative,   // "dwel": another accepted answer's beginning
    CompletingLate,   // "house" after a penalty: scores and marks the item critical
    CompletingInTime, // "house" in time on a critical item: scores and clears the mark
};

void BM_CheckAnswerKeystroke(benchmark::State &state, Keystroke keystroke)
{
    Engine engine(bench::Items(ItemTable::MaxItems));
    PrepareItem(engine.checker, engine.search, engine.store, engine.pool,
                TestDirection::ToEnglish);
    const QString texts[] = {QStringLiteral("hous"), QStringLiteral("housz"),
                             QStringLiteral("dwel"), QStringLiteral("house"),
                             QStringLiteral("house")};
    const QString &text = texts[keystroke];
    const bool completing = keystroke == CompletingLate || keystroke == CompletingInTime;
    for (auto _ : state) {
        if (completing) {
            // The item back as it was before this keystroke; not timed.
            state.PauseTiming();
            engine.checker.Answered = false;
            engine.checker.PreviousText = QStringLiteral("hous");
            engine.session.LastPenalty = keystroke == CompletingLate ? 3 : 0;
            if (keystroke == CompletingLate && engine.store.IsCritical(1))
                engine.pool.UnmarkCritical(engine.store);
            if (keystroke == CompletingInTime && !engine.store.IsCritical(1))
                engine.pool.MarkCritical(engine.store);
            state.ResumeTiming();
        }
        CheckOutcome outcome = engine.checker.CheckAnswer(text, engine.session, engine.pool,
                                                          engine.store, false);
        benchmark::DoNotOptimize(outcome);
        if (completing && !outcome.Answered)
            state.SkipWithError("the completing keystroke did not answer the item");
    }
    state.counters["accepted"] = engine.checker.AcceptedCount();
}
BENCHMARK_CAPTURE(BM_CheckAnswerKeystroke, good_beginning, GoodBeginning)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckAnswerKeystroke, wrong_letter, WrongLetter)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckAnswerKeystroke, alternative, Alternative)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckAnswerKeystroke, completing_late, CompletingLate)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckAnswerKeystroke, completing_in_time, CompletingInTime)
    ->Unit(benchmark::kMicrosecond);

void BM_PrepareItemSynonyms(benchmark::State &state)
{
    const int count = bench::Items(state.range(0));
    Engine engine(count);
    for (auto _ : state) {
        const PreparedItem prepared = PrepareItem(engine.checker, engine.search, engine.store,
                                                  engine.pool, TestDirection::ToEnglish);
        benchmark::DoNotOptimize(prepared);
    }
    state.counters["accepted"] = engine.checker.AcceptedCount();
    state.SetComplexityN(count);
}
BENCHMARK(BM_PrepareItemSynonyms)
    ->Arg(4096)->Arg(8192)->Arg(16384)->Arg(ItemTable::MaxItems)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// One item in the test window over a full vocabulary: the click on the start
// button (next item, question, accepted answers and synonyms) and the exact
// answer put into the answer box (judging, score, counters).
void BM_TestWindowItem(benchmark::State &state)
{
    platform::ScriptedDesktop desk;
    AppContext context(desk.desktop());
    MainWindow window(context);
    FillVocabulary(context.store, bench::Items(ItemTable::MaxItems));
    context.session.Score = 1000;
    window.options().CreateLessonBoxes();
    window.options().RebuildLessonTable();
    window.tests().menuToEng_Click();
    TestWindow *test = window.tests().openTestWindow();
    for (auto _ : state) {
        test->Command1_Click();
        test->answerBox()->setText(test->checker().Target);
    }
    state.counters["done"] = context.session.DoneCount;
}
BENCHMARK(BM_TestWindowItem)->Unit(benchmark::kMicrosecond);

} // namespace
