#include "test/synonyms.h"

#include "test/answercheck.h"
#include "test/itempool.h"
#include "vocab/entry.h"
#include "vocab/vocabstore.h"

namespace {

QString RightTrimmed(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace

QString SynonymLine(const VocabItem &item)
{
    return QStringLiteral("(Les.") + item.Lesson.left(2).trimmed() + QStringLiteral(")   ")
        + item.English + QStringLiteral(" = ") + item.MyLanguage;
}

QString QuestionMainOf(const QString &question)
{
    const QString trimmed = question.trimmed();
    const qsizetype bracket = trimmed.indexOf(QLatin1Char('('));
    if (bracket < 0)
        return trimmed;
    // The blank before the bracket goes too; a question that starts with its
    // bracket has no main text.
    return trimmed.left(std::max<qsizetype>(0, bracket - 1));
}

void ListOwnAlternatives(const VocabItem &item, TestDirection direction, SynonymSearch &search,
                         QStringList &acceptedAnswers)
{
    search.OwnLine.clear();
    const QStringList parts = ParseEntry(AnswerField(item, direction));
    if (parts.size() > 1) {
        search.OwnLine = SynonymLine(item);
        search.SynonymsText = search.OwnLine;
        acceptedAnswers = parts;
    } else {
        acceptedAnswers.clear();
    }
}

void FindSynonyms(const QString &question, const VocabStore &store, const ItemPool &pool,
                  TestDirection direction, SynonymSearch &search, QStringList &acceptedAnswers)
{
    search.QuestionMain = QuestionMainOf(RightTrimmed(question));
    const QString &wanted = search.QuestionMain;
    const int count = store.ItemCount();
    for (int n = 1; n <= count; ++n) {
        if (!pool.Contains(n))
            continue;
        const VocabItem &item = store.Item(n);
        const QString &field = QuestionField(item, direction);
        // An entry without parentheses has one part, its trimmed text; and
        // every part of an entry is a piece of its text, so a field that does
        // not contain the question cannot have a part equal to it. This keeps
        // the entry splitting to the few candidates.
        if (!field.contains(QLatin1Char('('))) {
            if (QStringView(field).trimmed() != wanted)
                continue;
        } else if (!field.contains(wanted, Qt::CaseSensitive)
                   || !ParseEntry(field).contains(wanted, Qt::CaseSensitive)) {
            continue;
        }
        const QString line = SynonymLine(item);
        if (line == search.OwnLine)
            continue; // the current item itself (or an exact copy of it)
        search.SynonymsText += QLatin1Char('\r') + line;
        acceptedAnswers += ParseEntry(AnswerField(item, direction));
    }
}

QString SynonymsTitle(const SynonymSearch &search)
{
    return QStringLiteral("Synonyms of:  ") + search.QuestionMain
        + QStringLiteral(" (within the selected lessons)");
}

QString SynonymsMessageText(const SynonymSearch &search)
{
    QString text = search.SynonymsText;
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

PreparedItem PrepareItem(AnswerChecker &checker, SynonymSearch &search, const VocabStore &store,
                         const ItemPool &pool, TestDirection direction)
{
    PreparedItem prepared;
    const int n = pool.CurrentItem;
    if (!store.IsValidPosition(n))
        return prepared;
    const VocabItem &item = store.Item(n);
    prepared.Critical = item.IsCritical();
    prepared.Lablez = QStringLiteral("Lez/Num ") + item.Lesson + QLatin1Char('/') + QString::number(n);
    prepared.Question = RightTrimmed(QuestionField(item, direction));

    checker.StartItem(MainText(RightTrimmed(AnswerField(item, direction))), prepared.Critical);
    search = SynonymSearch{};
    ListOwnAlternatives(item, direction, search, checker.AcceptedAnswers);
    FindSynonyms(prepared.Question, store, pool, direction, search, checker.AcceptedAnswers);
    return prepared;
}
