// Test engine timings on a full vocabulary: judging one keystroke, and the
// preparation of an item's accepted answers and synonyms.
#include "test/answercheck.h"
#include "test/itempool.h"
#include "test/synonyms.h"
#include "test/testsession.h"
#include "vocab/vocabstore.h"

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

void BM_CheckAnswerKeystroke(benchmark::State &state)
{
    Engine engine(ItemTable::MaxItems);
    PrepareItem(engine.checker, engine.search, engine.store, engine.pool,
                TestDirection::ToEnglish);
    const QString texts[] = {QStringLiteral("hou"), QStringLiteral("hous"),
                             QStringLiteral("housz"), QStringLiteral("dwel")};
    int i = 0;
    for (auto _ : state) {
        CheckOutcome outcome = engine.checker.CheckAnswer(texts[i++ & 3], engine.session,
                                                          engine.pool, engine.store, false);
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["accepted"] = engine.checker.AcceptedCount();
}
BENCHMARK(BM_CheckAnswerKeystroke)->Unit(benchmark::kMicrosecond);

void BM_PrepareItemSynonyms(benchmark::State &state)
{
    Engine engine(int(state.range(0)));
    for (auto _ : state) {
        const PreparedItem prepared = PrepareItem(engine.checker, engine.search, engine.store,
                                                  engine.pool, TestDirection::ToEnglish);
        benchmark::DoNotOptimize(prepared);
    }
    state.counters["accepted"] = engine.checker.AcceptedCount();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PrepareItemSynonyms)
    ->Arg(4096)->Arg(8192)->Arg(16384)->Arg(ItemTable::MaxItems)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
