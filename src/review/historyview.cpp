#include "review/historyview.h"

#include "app/mainwindow.h"
#include "review/historychart.h"
#include "review/historylog.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>

namespace {
const QString ShowCaption = QStringLiteral("Show tests history");
const QString HideCaption = QStringLiteral("Hide test history");
} // namespace

HistoryView::HistoryView(MainWindow &mw) : m_mw(mw)
{
    m_chart = new HistoryChart(mw.Central);
    m_chart->hide();
    // The history is read in file order and never sorted.
    mw.laStoria->setSortingEnabled(false);
    mw.laStoria->setSelectionMode(QAbstractItemView::SingleSelection);
    mw.laStoria->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void HistoryView::menuStoria_Click()
{
    m_mw.hideRulesFrame();
    if (m_mw.menuStoria->text() == ShowCaption)
        turnOn();
    else
        turnOff();
}

void HistoryView::turnOn()
{
    MainWindow &mw = m_mw;
    mw.Sfondo->hide();
    mw.setButtonPressed(3, true);
    mw.menuStoria->setText(HideCaption);

    // Only the Save entry is switched off, not the store's "something to
    // save": an Exit from this view must still offer to save.
    mw.menuSalva->setEnabled(false);
    mw.menuAscolta->setEnabled(false);
    mw.menuToEng->setEnabled(false);
    mw.menuToMine->setEnabled(false);
    for (QMenu *m : {mw.menuEdit, mw.menuOptions, mw.menuView})
        MainWindow::setMenuEnabled(m, false);

    mw.Label0->setText(QStringLiteral("Tests History"));
    mw.Label0->show();
    mw.setButtonsEnabled({2, 4, 5, 6, 7, 8, 9}, false);

    mw.laStoria->clear();
    mw.laStoria->show();
    m_chart->show();
    mw.Form_Resize();

    // Window events keep running while a long log is read; user input waits,
    // so that the view cannot be switched off half-way through.
    const HistoryReadResult read = ReadHistoryLog(mw.ctx().store.CurrentFileName, [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    fillTable(read.rows);
    if (!read.ok) {
        mw.desktop().boxes->show(
            &mw, QStringLiteral("Tests History"),
            QStringLiteral("The tests log cannot be read:\r\n%1\r\n%2")
                .arg(QDir::toNativeSeparators(read.fileName), read.reason),
            platform::Icon::Warning, platform::Ok);
    }
}

void HistoryView::fillTable(const QList<QStringList> &rows)
{
    QTreeWidget *table = m_mw.laStoria;
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    QList<QPoint> results;
    for (const QStringList &fields : rows) {
        items.append(new QTreeWidgetItem(fields));
        if (const auto value = TestResultValue(fields.value(HistoryResultColumn)))
            results.append(QPoint(int(items.size()), *value));
    }
    table->addTopLevelItems(items);
    m_chart->setResults(results, int(rows.size()));
}

void HistoryView::turnOff()
{
    MainWindow &mw = m_mw;
    mw.setButtonPressed(3, false);
    mw.menuStoria->setText(ShowCaption);
    mw.Label0->hide();
    mw.laStoria->hide();
    m_chart->hide();

    mw.menuToEng->setEnabled(true);
    mw.menuToMine->setEnabled(true);
    mw.ctx().store.SetSaveAvailable(true);
    mw.menuSalva->setEnabled(true);
    mw.menuAscolta->setEnabled(true);
    for (QMenu *m : {mw.menuView, mw.menuEdit, mw.menuOptions})
        MainWindow::setMenuEnabled(m, true);
    mw.setButtonsEnabled({2, 4, 5, 6, 7, 8, 9}, true);
    mw.Sfondo->show();
}
