#include "review/historyview.h"

#include "edit/itemlists.h"
#include "platform/views.h"
#include "review/historychart.h"
#include "review/historylog.h"
#include "test/appcontext.h"

#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTreeWidget>

namespace {

// The history table with the chart in a strip below it; the columns share
// the width in the design's proportions.
class HistoryPage : public QWidget {
public:
    HistoryPage(QTreeWidget *&table, HistoryChart *&chart)
    {
        setObjectName(QStringLiteral("HistoryPage"));
        table = m_table = new QTreeWidget(this);
        m_table->setObjectName(QStringLiteral("laStoria"));
        m_table->setAccessibleName(QStringLiteral("Tests history"));
        m_table->setRootIsDecorated(false);
        m_table->setUniformRowHeights(true);
        m_table->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Start"),
                                  QStringLiteral("End"), QStringLiteral("Items"),
                                  QStringLiteral("'Cs'"), QStringLiteral("Test lessons"),
                                  QStringLiteral("Test items"), QStringLiteral("Test result"),
                                  QStringLiteral("Test 'Cs'")});
        m_table->header()->setStretchLastSection(false);
        // The history is read in file order and never sorted.
        m_table->setSortingEnabled(false);
        m_table->setSelectionMode(QAbstractItemView::SingleSelection);
        m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        chart = m_chart = new HistoryChart(this);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        const int width = event->size().width();
        const int height = event->size().height();
        constexpr int Spacing = 5;
        const int chartHeight = std::min(120, height / 2);
        const int tableHeight = height - chartHeight - Spacing;
        m_table->setGeometry(0, 0, width, tableHeight);
        m_chart->setGeometry(0, tableHeight + Spacing, width, chartHeight);
        const int parts[9] = {9, 10, 10, 16, 21, 7, 9, 9, 9};
        for (int i = 0; i < 9; ++i)
            m_table->header()->resizeSection(i, width / parts[i]);
    }

private:
    QTreeWidget *m_table;
    HistoryChart *m_chart;
};

const QString Title = QStringLiteral("Tests History");

} // namespace

HistoryView::HistoryView(AppContext &ctx, ViewHost &host, ItemLists &lists)
    : m_ctx(ctx), m_host(host), m_lists(lists)
{
    m_page = new HistoryPage(m_table, m_chart);
    lists.addPage(m_page);
}

void HistoryView::menuStoria_Click()
{
    m_host.hideRulesFrame();
    if (!m_host.isOn(View::History))
        turnOn();
    else
        turnOff();
}

void HistoryView::turnOn()
{
    m_host.showBackground(false);
    m_host.showOnState(View::History, true);
    // The Save entry is locked, not the store's "something to save": an
    // Exit from this view must still offer to save.
    m_host.lockFor(View::History, true);
    m_lists.showTitle(Title);

    m_table->clear();
    m_page->show();
    m_table->setFocus(Qt::OtherFocusReason);

    // Window events keep running while a long log is read; user input waits,
    // so that the view cannot be switched off half-way through.
    const HistoryReadResult read = ReadHistoryLog(m_ctx.store.CurrentFileName, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    fillTable(read.rows);
    if (!read.ok) {
        m_ctx.desktop.boxes->show(m_page->window(), Title,
                                  QStringLiteral("The tests log cannot be read:\r\n%1\r\n%2")
                                      .arg(QDir::toNativeSeparators(read.fileName), read.reason),
                                  platform::Icon::Warning, platform::Ok);
    }
}

void HistoryView::fillTable(const QList<QStringList> &rows)
{
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    QList<QPoint> results;
    for (const QStringList &fields : rows) {
        items.append(new QTreeWidgetItem(fields));
        if (const auto value = TestResultValue(fields.value(HistoryResultColumn)))
            results.append(QPoint(int(items.size()), *value));
    }
    m_table->addTopLevelItems(items);
    m_chart->setResults(results, int(rows.size()));
}

void HistoryView::turnOff()
{
    m_host.showOnState(View::History, false);
    m_lists.hideTitle();
    m_page->hide();
    m_host.lockFor(View::History, false);
    m_ctx.store.SetSaveAvailable(true);
    m_host.showBackground(true);
}
