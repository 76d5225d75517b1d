#include "edit/entrychecks.h"

#include "vocab/entry.h"

#include <QStringList>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Trims a field after turning every control character into a blank.
QString CleanField(const QString &text)
{
    QString s = text;
    for (QChar &ch : s)
        if (ch.category() == QChar::Other_Control)
            ch = u' ';
    return s.trimmed();
}

bool IsLessonInRange(const QString &lesson)
{
    if (lesson.size() != 2)
        return false;
    const char16_t tens = lesson[0].unicode();
    const char16_t units = lesson[1].unicode();
    if (tens < u'0' || tens > u'9' || units < u'0' || units > u'9')
        return false;
    const int value = (tens - u'0') * 10 + (units - u'0');
    return value >= 1 && value <= 20;
}

} // namespace

QString ProgramTitle()
{
    return QStringLiteral("    Vocanto");
}

EntryCheck CheckEntry(const QString &lesson, const QString &mark, const QString &english,
                      const QString &myLanguage)
{
    EntryCheck check;
    VocabItem &item = check.item;
    item.Lesson = CleanField(lesson);
    item.CriticalMark = CleanField(mark);
    item.English = CleanField(english);
    item.MyLanguage = CleanField(myLanguage);

    if (item.Lesson.size() == 1)
        item.Lesson.prepend(u'0');
    if (item.CriticalMark.isEmpty())
        item.CriticalMark = QStringLiteral(" ");

    if (item.CriticalMark.size() > 1 || item.English.size() > MaxTypedEnglish
        || item.MyLanguage.size() > MaxTypedMyLanguage || item.Lesson.size() > MaxTypedLesson) {
        check.fault = EntryFault::WrongLength;
        return check;
    }
    if (item.English.isEmpty() || item.MyLanguage.isEmpty() || item.Lesson.isEmpty()) {
        check.fault = EntryFault::DataMissing;
        return check;
    }
    if (!IsLessonInRange(item.Lesson)) {
        check.fault = EntryFault::LessonOutOfRange;
        return check;
    }
    item.English = NormaliseEntry(item.English);
    item.MyLanguage = NormaliseEntry(item.MyLanguage);
    if (CheckBrackets(item.English, item.MyLanguage) != 0) {
        check.fault = EntryFault::BracketsError;
        return check;
    }
    if (item.English.size() > MaxStoredText || item.MyLanguage.size() > MaxStoredText)
        check.fault = EntryFault::WrongLength;
    return check;
}

QString FaultMessage(EntryFault fault)
{
    switch (fault) {
    case EntryFault::WrongLength: return QStringLiteral("Wrong length for any data");
    case EntryFault::DataMissing: return QStringLiteral("Any data missing");
    case EntryFault::LessonOutOfRange: return QStringLiteral("Lesson nr out of range");
    case EntryFault::BracketsError: return QStringLiteral("Brackets error");
    case EntryFault::None: break;
    }
    return {};
}

int NextDuplicate(const ItemTable &table, const QString &english, int after)
{
    const QVector<VocabItem> &items = table.Items();
    for (qsizetype i = qMax(after, 0); i < items.size(); ++i)
        if (items.at(i).English == english)
            return int(i + 1);
    return 0;
}

QString DuplicateTitle()
{
    return QStringLiteral("DUPLICATE ...");
}

QString DuplicateQuestion(const VocabItem &found)
{
    return QStringLiteral("Item exists yet in Less.= ") + found.Lesson + CrLf
        + QStringLiteral(" Eng.= ") + found.English + CrLf + QStringLiteral(" Oth.= ")
        + found.MyLanguage + CrLf + CrLf + QStringLiteral(" To add anyway?");
}

HeaderSort SortForHeader(const QString &headerText)
{
    QString h = headerText;
    if (!h.endsWith(u'>') && !h.endsWith(u'<'))
        h += u' ';
    const QString name = h.first(h.size() - 1);
    const QChar oldMark = h.back();

    HeaderSort sort;
    QChar newMark = u'>';
    if (oldMark == u'>') {
        newMark = u'<';
        sort.order = Qt::DescendingOrder;
    }
    if (name == QLatin1String("L"))
        sort.column = ItemTable::LessonColumn;
    else if (name == QLatin1String("C"))
        sort.column = ItemTable::MarkColumn;
    else if (name == QLatin1String("ENGLISH"))
        sort.column = ItemTable::EnglishColumn;
    else
        sort.column = ItemTable::MyLanguageColumn;
    sort.headerText = name + newMark;
    return sort;
}

QString TotalItemsText(int count)
{
    return QStringLiteral("Total items = ") + QString::number(count);
}

QString ItemNrText(int count)
{
    return QStringLiteral("Item nr =") + QString::number(count);
}

QString FullTableMessage()
{
    return QStringLiteral("The vocabulary is full: it holds %1 items, the most a file can keep. "
                          "Nothing was added.")
        .arg(ItemTable::MaxItems);
}

QString EditInstructions()
{
    const QStringList lines{
        QStringLiteral("To SELECT an existing item, click on its Lesson nr, and it will"),
        QStringLiteral("appear below in the work area. There you can:"),
        QStringLiteral("- ERASE it: clicking on the small 'E' button;"),
        QStringLiteral("   or"),
        QStringLiteral("- CHANGE it: modifying what needs and clicking on 'C' button,"),
        QStringLiteral("   that will be enabled just as consequence of your typing."),
        QStringLiteral("To ADD new items: first 'Clear work area' if necessary, then fill"),
        QStringLiteral("   the lesson and both the language fields, and then click 'A' or"),
        QStringLiteral("   the Enter key from the last language field."),
        QStringLiteral("   Suggestion: use the Enter key when adding a sequence of items."),
    };
    return lines.join(CrLf);
}
