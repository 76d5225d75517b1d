#include "vocab/vocabstore.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

const QString &VocabItem::Field(int column) const
{
    switch (column) {
    case 0: return Lesson;
    case 1: return CriticalMark;
    case 2: return English;
    default: return MyLanguage;
    }
}

ItemTable::ItemTable(QObject *parent)
    : QAbstractTableModel(parent),
      m_headers{QStringLiteral("L"), QStringLiteral("C"), QStringLiteral("ENGLISH"),
                QStringLiteral("MY LANGUAGE")}
{
}

bool ItemTable::Append(const VocabItem &item)
{
    if (m_items.size() >= MaxItems)
        return false;
    const int row = m_items.size();
    beginInsertRows(QModelIndex(), row, row);
    m_items.append(item);
    endInsertRows();
    return true;
}

void ItemTable::Replace(int n, const VocabItem &item)
{
    if (!IsValidPosition(n))
        return;
    m_items[n - 1] = item;
    emit dataChanged(index(n - 1, 0), index(n - 1, 3));
}

void ItemTable::Erase(int n)
{
    if (!IsValidPosition(n))
        return;
    beginRemoveRows(QModelIndex(), n - 1, n - 1);
    m_items.removeAt(n - 1);
    endRemoveRows();
}

void ItemTable::SetMark(int n, const QString &mark)
{
    if (!IsValidPosition(n))
        return;
    m_items[n - 1].CriticalMark = mark;
    emit dataChanged(index(n - 1, 1), index(n - 1, 1));
}

void ItemTable::SetItems(QVector<VocabItem> items)
{
    beginResetModel();
    m_items = std::move(items);
    if (m_items.size() > MaxItems)
        m_items.resize(MaxItems);
    endResetModel();
}

void ItemTable::Clear()
{
    SetItems({});
}

void ItemTable::SortByColumn(int column, Qt::SortOrder order)
{
    if (column < 0 || column > 3)
        return;
    // Sort keys are computed once per item, so the sort compares plain byte
    // arrays instead of running the collator n log n times.
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const int n = m_items.size();
    // In the C locale a sort key is the text's bytes, whatever the case
    // sensitivity says; folding the case first keeps that sort case-blind too.
    const bool foldCase = collator.locale().language() == QLocale::C;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(n);
    for (const VocabItem &item : std::as_const(m_items))
        keys.push_back(collator.sortKey(foldCase ? item.Field(column).toCaseFolded()
                                                 : item.Field(column)));
    std::vector<int> order_(n);
    std::iota(order_.begin(), order_.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(order_.begin(), order_.end(),
                         [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    else
        std::stable_sort(order_.begin(), order_.end(),
                         [&](int a, int b) { return keys[b].compare(keys[a]) < 0; });
    QVector<VocabItem> sorted;
    sorted.reserve(n);
    for (int i : order_)
        sorted.append(std::move(m_items[i]));
    emit layoutAboutToBeChanged();
    m_items = std::move(sorted);
    emit layoutChanged();
}

void ItemTable::SetHeaderText(int column, const QString &text)
{
    if (column < 0 || column >= m_headers.size())
        return;
    m_headers[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int ItemTable::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_items.size();
}

int ItemTable::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant ItemTable::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_items.at(index.row()).Field(index.column());
    return {};
}

QVariant ItemTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headers.value(section);
    return {};
}

void VocabStore::SetSaveAvailable(bool on)
{
    if (m_saveAvailable == on)
        return;
    m_saveAvailable = on;
    emit saveAvailableChanged(on);
}
