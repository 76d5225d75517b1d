// Test engine timings on a full vocabulary: judging one keystroke, the
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

#include <QApplication>
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

// One item in the test window over a full vocabulary: the click on the start
// button (next item, question, accepted answers and synonyms) and the exact
// answer put into the answer box (judging, score, counters).
void BM_TestWindowItem(benchmark::State &state)
{
    static int argc = 1;
    static char name[] = "vocanto_bench";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *app = new QApplication(argc, argv);
    (void)app;

    platform::ScriptedDesktop desk;
    AppContext context(desk.desktop());
    MainWindow window(context);
    FillVocabulary(context.store, ItemTable::MaxItems);
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
