// The item pool on large vocabularies: building it, and handing out items in
// each order. Both must grow no faster than the item count; each is run at
// two sizes so that the fit shows how it grows.
#include "test/itempool.h"
#include "vocab/vocabstore.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

namespace {

// `count` items spread over the 20 lessons, every third one critical.
void fillStore(VocabStore &store, int count)
{
    QVector<VocabItem> items;
    items.reserve(count);
    for (int n = 1; n <= count; ++n)
        items.append(VocabItem{QStringLiteral("%1").arg(n % 20 + 1, 2, 10, QLatin1Char('0')),
                               n % 3 == 0 ? QStringLiteral("c") : QStringLiteral(" "),
                               QStringLiteral("word %1").arg(n),
                               QStringLiteral("parola %1").arg(n)});
    store.SetItems(std::move(items));
}

void BM_BuildAllLessons(benchmark::State &state)
{
    VocabStore store;
    fillStore(store, bench::Items(state.range(0)));
    RunOptions options;
    ItemPool pool;
    for (auto _ : state) {
        pool.BuildItemPool(store, options);
        benchmark::DoNotOptimize(pool.Size());
    }
    state.SetComplexityN(bench::Items(state.range(0)));
}

void BM_BuildFewLessons(benchmark::State &state)
{
    VocabStore store;
    fillStore(store, bench::Items(state.range(0)));
    RunOptions options;
    options.LessonChecked[0] = false;
    options.LessonChecked[2] = options.LessonChecked[7] = options.LessonChecked[19] = true;
    ItemPool pool;
    for (auto _ : state) {
        pool.BuildItemPool(store, options);
        benchmark::DoNotOptimize(pool.Size());
    }
    state.SetComplexityN(bench::Items(state.range(0)));
}

// 10,000 requests in one order, each answered exactly; a run that ends is
// rebuilt as the test window does. A request costs a binary search or two
// over the pool, so the total grows with log N (Criticals also pays for its
// rebuilds, fewer of them as the pool grows).
void BM_NextItem(benchmark::State &state, SequenceOrderValue order)
{
    VocabStore store;
    fillStore(store, bench::Items(state.range(0)));
    RunOptions options;
    options.CheckedOption = order;
    ItemPool pool;
    pool.Seed(20240607u);
    pool.BuildItemPool(store, options);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            // An ordered run that runs out is started again, as OK does.
            if (pool.NextItem(store, options) == NextOutcome::AskRestart)
                pool.AnswerRestart(true, store, options);
            if (pool.RunOut)
                pool.BuildItemPool(store, options);
            pool.PendingItem = 0;
        }
        benchmark::DoNotOptimize(pool.CurrentItem);
    }
    state.SetComplexityN(bench::Items(state.range(0)));
}

} // namespace

BENCHMARK(BM_BuildAllLessons)->RangeMultiplier(8)->Range(4096, 32767)->Complexity(benchmark::oN);
BENCHMARK(BM_BuildFewLessons)->RangeMultiplier(8)->Range(4096, 32767)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_NextItem, Random, Random)->RangeMultiplier(8)->Range(4096, 32767)->Complexity(benchmark::oLogN);
BENCHMARK_CAPTURE(BM_NextItem, Forwards, Forwards)->RangeMultiplier(8)->Range(4096, 32767)->Complexity(benchmark::oLogN);
BENCHMARK_CAPTURE(BM_NextItem, Backwards, Backwards)->RangeMultiplier(8)->Range(4096, 32767)->Complexity(benchmark::oLogN);
BENCHMARK_CAPTURE(BM_NextItem, Criticals, Criticals)->RangeMultiplier(8)->Range(4096, 32767)->Complexity(benchmark::oLogN);
