// The edit view on a full vocabulary: sorting by a column (the table alone,
// and the whole header click with the list on screen), and the duplicate
// search that every Add runs. Each is run at two sizes so that the fit shows
// how it grows. Every sort starts from the items in file order, as the first
// click after Open does; putting them back is not timed.
#include "app/mainwindow.h"
#include "edit/editview.h"
#include "edit/entrychecks.h"
#include "platform/scripted.h"
#include "vocab/vocabstore.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <random>

namespace {

// `count` items of made-up words in mixed case, over the 20 lessons.
QVector<VocabItem> makeItems(int count)
{
    std::mt19937 random(20261207u);
    std::uniform_int_distribution<int> letter(0, 25), length(3, 12), capital(0, 4);
    auto word = [&] {
        QString w;
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            w += QChar(u'a' + letter(random));
        if (capital(random) == 0)
            w[0] = w[0].toUpper();
        return w;
    };
    QVector<VocabItem> items;
    items.reserve(count);
    for (int n = 0; n < count; ++n)
        items.append(VocabItem{QStringLiteral("%1").arg(n % 20 + 1, 2, 10, QLatin1Char('0')),
                               n % 7 == 0 ? QStringLiteral("c") : QStringLiteral(" "),
                               word() + u' ' + word(), word()});
    return items;
}

void BM_TableSortByColumn(benchmark::State &state)
{
    const int count = bench::Items(state.range(0));
    const QVector<VocabItem> unsorted = makeItems(count);
    ItemTable table;
    bool ascending = true;
    for (auto _ : state) {
        state.PauseTiming();
        table.SetItems(unsorted);
        state.ResumeTiming();
        table.SortByColumn(ItemTable::EnglishColumn,
                           ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        ascending = !ascending;
        benchmark::DoNotOptimize(table.Item(1));
    }
    state.SetComplexityN(count);
}

// A click on the "ENGLISH" header with the edit view open: the header mark,
// the sort, the list's update, the cleared work area and the pool rebuilt.
void BM_HeaderClickInEditView(benchmark::State &state)
{
    const int count = bench::Items(state.range(0));
    const QVector<VocabItem> unsorted = makeItems(count);
    platform::ScriptedDesktop desk;
    AppContext ctx(desk.desktop());
    ctx.store.SetItems(unsorted);
    MainWindow mw(ctx);
    mw.show();
    mw.edit().menuAggiorna_Click();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        ctx.store.SetItems(unsorted);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        mw.edit().ListaVoci_ColumnClick(ItemTable::EnglishColumn);
        QCoreApplication::processEvents();
    }
    state.SetComplexityN(count);
}

// The duplicate search of one Add: a single pass over the table, asking at
// each of the three equal rows.
void BM_DuplicateSearchOfOneAdd(benchmark::State &state)
{
    const int count = bench::Items(state.range(0));
    ItemTable table;
    QVector<VocabItem> items = makeItems(count);
    const QString english = QStringLiteral("a text held three times");
    for (int at : {10, int(items.size()) / 2, int(items.size()) - 1})
        items[at].English = english;
    table.SetItems(std::move(items));
    for (auto _ : state) {
        int asked = 0;
        for (int n = NextDuplicate(table, english, 0); n != 0; n = NextDuplicate(table, english, n))
            ++asked;
        benchmark::DoNotOptimize(asked);
    }
    state.SetComplexityN(count);
}

} // namespace

BENCHMARK(BM_TableSortByColumn)->Arg(8192)->Arg(32767)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_HeaderClickInEditView)->Arg(8192)->Arg(32767)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_DuplicateSearchOfOneAdd)->Arg(8192)->Arg(32767)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);
