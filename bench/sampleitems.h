#pragma once
// The items that the benchmark cases and the memory measurement work on:
// texts of everyday length with alternatives, tails and accented letters,
// a critical mark on every seventh item, lessons 1 to 20 in turn.

#include "vocab/vocabstore.h"

#include <QString>
#include <QVector>

namespace bench {

// `count` items whose texts Windows-1252 can write; with beyondCodePage
// every fifth my-language text also holds letters beyond it, so that a
// file of them is written in UTF-8.
inline QVector<VocabItem> SampleItems(int count, bool beyondCodePage)
{
    static const char16_t *const english[] = {u"house (home, dwelling)", u"to get [informal]",
                                              u"because", u"street", u"naive (credulous)",
                                              u"to go away"};
    static const char16_t *const mine[] = {u"casa (dimora, abitazione)", u"perché (poiché)",
                                           u"Straße [f.]", u"naïve (crédule)", u"andar via",
                                           u"être (exister, se trouver)"};
    QVector<VocabItem> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        VocabItem item;
        item.Lesson = QStringLiteral("%1").arg(i % 20 + 1, 2, 10, QLatin1Char('0'));
        item.CriticalMark = (i % 7 == 0) ? QStringLiteral("c") : QStringLiteral(" ");
        item.English = QStringLiteral("w%1 ").arg(i) + QString::fromUtf16(english[i % 6]);
        item.MyLanguage = QString::fromUtf16(mine[(i / 6) % 6]);
        if (beyondCodePage && i % 5 == 0)
            item.MyLanguage.prepend(QStringLiteral("łódź "));
        items.append(item);
    }
    return items;
}

} // namespace bench
