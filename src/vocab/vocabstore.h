#pragma once
// The vocabulary: the ordered table of items that the item lists show, the
// edit view changes, the tests ask and Save writes, together with the values
// of the open file.

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVector>

struct VocabItem {
    QString Lesson;       // two digits "01".."20"
    QString CriticalMark; // one character; "c" is critical
    QString English;
    QString MyLanguage;

    bool IsCritical() const { return CriticalMark == QLatin1String("c"); }
    // The lesson as a number, 0 when the field is not a number.
    int LessonNumber() const { return Lesson.trimmed().toInt(); }
    // The text of a column: 0 lesson, 1 mark, 2 English, 3 my language.
    const QString &Field(int column) const;
    bool operator==(const VocabItem &) const = default;
};

// A table of items shown by a list view: the store itself, or a copy of some
// of its items (the criticals list). Positions are 1-based, as the program
// addresses items; the model's rows are 0-based, as Qt's views expect.
class ItemTable : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int MaxItems = 32767;
    enum Column { LessonColumn = 0, MarkColumn = 1, EnglishColumn = 2, MyLanguageColumn = 3 };

    explicit ItemTable(QObject *parent = nullptr);

    qint16 ItemCount() const { return static_cast<qint16>(m_items.size()); }
    const VocabItem &Item(int n) const { return m_items.at(n - 1); }
    bool IsValidPosition(int n) const { return n >= 1 && n <= m_items.size(); }
    bool IsCritical(int n) const { return IsValidPosition(n) && Item(n).IsCritical(); }

    // Returns false (and changes nothing) when the table is full.
    bool Append(const VocabItem &item);
    void Replace(int n, const VocabItem &item);
    void Erase(int n);
    void SetMark(int n, const QString &mark);
    void SetItems(QVector<VocabItem> items);
    void Clear();
    const QVector<VocabItem> &Items() const { return m_items; }

    // Reorders the table by the text of one column: a stable sort,
    // case-insensitive, in the user's locale.
    void SortByColumn(int column, Qt::SortOrder order);

    QString HeaderText(int column) const { return m_headers.value(column); }
    void SetHeaderText(int column, const QString &text);

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVector<VocabItem> m_items;
    QStringList m_headers;
};

class VocabStore : public ItemTable {
    Q_OBJECT
public:
    explicit VocabStore(QObject *parent = nullptr) : ItemTable(parent) {}

    qint16 LanguageCode = 0;
    QString CurrentFileName;
    QString WorkingFolder;
    bool SkipNextSave = false;

    bool SaveAvailable() const { return m_saveAvailable; }
    void SetSaveAvailable(bool on);

signals:
    void saveAvailableChanged(bool on);

private:
    bool m_saveAvailable = false;
};
