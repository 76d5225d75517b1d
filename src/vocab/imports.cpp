#include "vocab/imports.h"

#include "vocab/entry.h"
#include "vocab/fastxml.h"
#include "vocab/textblocks.h"
#include "vocab/textscan.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>
#include <QVarLengthArray>
#include <QXmlStreamReader>
#include <cstring>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr int EventsInterval = 16;  // ms between two calls of letEventsRun
constexpr int NamedRefusals = 5;    // refused rows that the message names
constexpr int NamedLessons = 5;     // joined lessons that the notice names

// Calls letEventsRun now and then, as the .eng reader does.
class EventPump {
public:
    explicit EventPump(const VocabFileReadOptions &options) : m_options(options) { m_since.start(); }
    // Called for every entry or row: the common answer stays inline.
    Q_ALWAYS_INLINE void tick()
    {
        if ((++m_count & 63) == 0 && m_options.letEventsRun)
            tickNow();
    }

private:
    void tickNow()
    {
        if (m_since.elapsed() >= EventsInterval) {
            m_options.letEventsRun();
            m_since.restart();
        }
    }

    const VocabFileReadOptions &m_options;
    QElapsedTimer m_since;
    unsigned m_count = 0;
};

inline bool IsLineBreak(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// A text as it enters a row: trimmed, with each line break inside it made a
// blank (an item's texts stand on one line).
QString CleanText(QString text)
{
    text = std::move(text).trimmed();
    const qsizetype first = text.indexOf(u'\r') >= 0 ? 0 : text.indexOf(u'\n');
    if (first < 0)
        return text;
    for (qsizetype i = first; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            text.remove(i, 1);
        if (IsLineBreak(text[i].unicode()))
            text[i] = u' ';
    }
    return text;
}

// The rows that could not be taken, counted for one message at the end that
// names the first few. `thing` is what a row is called ("row", "entry").
class Refusals {
public:
    Refusals(QString thing, QString things) : m_thing(std::move(thing)), m_things(std::move(things))
    {
    }

    void add(qsizetype line, const QString &why, const QString &english, const QString &mine)
    {
        if (m_count++ < NamedRefusals) {
            QString named = QStringLiteral("  The %1 on line %2 %3").arg(m_thing).arg(line).arg(why);
            if (!english.isEmpty() || !mine.isEmpty())
                named += QStringLiteral(": ") + english + QStringLiteral(" = ") + mine;
            m_named << named;
        }
    }
    void addBeyondRoom(qsizetype line)
    {
        add(line, QStringLiteral("is beyond the %1 items a vocabulary holds").arg(ItemTable::MaxItems),
            {}, {});
    }

    void report(VocabFileContents &result, const VocabFileReadOptions &options) const
    {
        if (m_count == 0)
            return;
        QString text = m_count == 1
            ? QStringLiteral("1 %1 of the file could not be taken and was left out:").arg(m_thing)
            : QStringLiteral("%1 %2 of the file could not be taken and were left out; the first "
                             "of them:")
                  .arg(m_count)
                  .arg(m_things);
        text += CrLf + CrLf + m_named.join(CrLf);
        if (m_count > NamedRefusals)
            text += CrLf + QStringLiteral("  ... and %1 more.").arg(m_count - NamedRefusals);
        Tell(result, options, {QStringLiteral("Rows discarded ..."), text});
    }

    static void Tell(VocabFileContents &result, const VocabFileReadOptions &options,
                     VocabFileMessage message)
    {
        if (options.onRefusedRow)
            options.onRefusedRow(message);
        result.messages.append(std::move(message));
    }

private:
    QString m_thing;
    QString m_things;
    qsizetype m_count = 0;
    QStringList m_named;
};

// Checks a row and appends it as an item, or counts it as refused.
// Whether both texts are settled (see IsSettledEntry). Readers ask as soon
// as a row is read, while its texts are still in the processor's cache.
bool Settled(const QString &english, const QString &mine)
{
    return IsSettledEntry(english) && IsSettledEntry(mine);
}

void TakeRow(VocabFileContents &result, Refusals &refusals, qsizetype line, const QString &lesson,
             const QString &mark, QString english, QString mine, bool settled)
{
    const RowFault fault = SettleRow(english, mine, settled);
    if (fault != RowFault::None) {
        refusals.add(line, RowFaultText(fault), english, mine);
        return;
    }
    result.items.append(VocabItem{lesson, mark, std::move(english), std::move(mine)});
}

// The language part of a locale or a name, in lower case: "de_AT" -> "de".
QString LanguagePart(QStringView name)
{
    name = name.trimmed();
    qsizetype end = 0;
    while (end < name.size() && name[end] != u'_' && name[end] != u'-' && name[end] != u'@'
           && name[end] != u'.')
        ++end;
    return name.left(end).toString().toLower();
}

bool IsEnglishLocale(QStringView locale)
{
    return LanguagePart(locale) == QLatin1String("en");
}

} // namespace

QString LanguageHeaderName(qint16 languageCode)
{
    switch (languageCode) {
    case 1: return QStringLiteral("Italian");
    case 2: return QStringLiteral("French");
    case 3: return QStringLiteral("German");
    case 4: return QStringLiteral("Spanish");
    default: return QStringLiteral("My language");
    }
}

std::optional<qint16> LanguageCodeOfName(QStringView name)
{
    static const QHash<QString, qint16> codes = [] {
        QHash<QString, qint16> c;
        for (const char *n : {"it", "ita", "italian", "italiano", "italienisch", "italien"})
            c.insert(QString::fromUtf8(n), 1);
        for (const char *n : {"fr", "fra", "fre", "french", "français", "francais", "französisch"})
            c.insert(QString::fromUtf8(n), 2);
        for (const char *n : {"de", "deu", "ger", "german", "deutsch", "allemand", "tedesco"})
            c.insert(QString::fromUtf8(n), 3);
        for (const char *n : {"es", "spa", "spanish", "español", "espanol", "spanisch", "espagnol",
                              "spagnolo"})
            c.insert(QString::fromUtf8(n), 4);
        for (const char *n : {"my language", "others", "other"})
            c.insert(QString::fromUtf8(n), 0);
        return c;
    }();
    const auto it = codes.constFind(LanguagePart(name));
    if (it == codes.constEnd())
        return std::nullopt;
    return *it;
}

// ---- KVTML ---------------------------------------------------------------

namespace {

struct KvtmlEntry {
    QString english;
    QString mine;
    qint64 line = 0;
    bool settled = false;
};

struct KvtmlLesson {
    QString name;
    QVector<int> entryIds;
};

// Decodes the UTF-8 of a text of the document (valid, as the scanner checks
// the whole document first) into out, which has room for its size + 16
// characters, and sets the text's marks: bit i is set when its character i
// is a bracket or a comma (the first 64 characters only). The bytes may be
// read on up to `readable`. Returns the number of characters written.
qsizetype DecodeText(QByteArrayView bytes, const char *readable, char16_t *out, quint64 *marks)
{
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    return textscan::DecodeUtf8Marked(
        in, in + bytes.size(), reinterpret_cast<const uchar *>(readable), out, marks,
        [](const uchar *p) { return *p < 0xE0 ? 2 : *p < 0xF0 ? 3 : 4; });
}

// The two XML readers behind one set of calls: QXmlStreamReader, which
// reads any XML and says what is wrong with a broken file, and the fast
// scanner, which reads the plain XML that vocabulary programs write and
// gives up on anything else.
class QtXml {
public:
    static constexpr bool Fast = false;
    enum Token { NoToken, StartElement, EndElement };
    explicit QtXml(const QByteArray &bytes) : m_xml(bytes) {}
    Token readNext()
    {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement: return StartElement;
        case QXmlStreamReader::EndElement: return EndElement;
        default: return NoToken;
        }
    }
    bool readNextStartElement() { return m_xml.readNextStartElement(); }
    void skipCurrentElement() { m_xml.skipCurrentElement(); }
    QString readElementText() { return m_xml.readElementText(QXmlStreamReader::SkipChildElements); }
    // An element's text as an item takes it.
    QString readText(TextBlocks &, bool *settled)
    {
        QString text = CleanText(readElementText());
        *settled = IsSettledEntry(text);
        return text;
    }
    bool isStartElement() const { return m_xml.isStartElement(); }
    bool atEnd() const { return m_xml.atEnd(); }
    qint64 lineNumber() const { return m_xml.lineNumber(); }
    bool nameIs(const char *name) const { return m_xml.name() == QLatin1String(name); }
    QString nameText() const { return m_xml.name().toString(); }
    int numberAttribute(const char *name, bool *ok) const
    {
        return m_xml.attributes().value(QLatin1String(name)).toInt(ok);
    }
    QString attributeText(const char *name) const
    {
        return m_xml.attributes().value(QLatin1String(name)).toString();
    }
    bool failed() const { return m_xml.hasError(); }
    QString failure() const
    {
        return QStringLiteral("It is not a KVTML vocabulary: its XML is broken at line %1, column "
                              "%2 (%3).")
            .arg(m_xml.lineNumber())
            .arg(m_xml.columnNumber())
            .arg(m_xml.errorString());
    }

private:
    QXmlStreamReader m_xml;
};

// Character i of a decoded text, and whether it is white space, for
// IsSettledEntry; asked once per bracket or comma, so always inlined.
struct CharAt {
    const char16_t *text;
    Q_ALWAYS_INLINE char16_t operator()(qsizetype i) const { return text[i]; }
};
struct SpaceAt {
    const char16_t *text;
    Q_ALWAYS_INLINE bool operator()(qsizetype i) const { return textscan::IsSpace(text[i]); }
};

class FastXml : public FastXmlReader {
public:
    static constexpr bool Fast = true;
    using FastXmlReader::FastXmlReader;
    // The length of a literal name is known when compiling.
    template <qsizetype N>
    bool nameIs(const char (&n)[N]) const
    {
        const QByteArrayView current = name();
        return current.size() == N - 1 && std::memcmp(current.data(), n, N - 1) == 0;
    }
    QString nameText() const { return QString::fromUtf8(name()); }
    template <qsizetype N>
    int numberAttribute(const char (&name)[N], bool *ok)
    {
        return FastXmlReader::numberAttribute(QByteArrayView(name, N - 1), ok);
    }
    QString attributeText(const char *name)
    {
        // Values with line ends or tabs are normalised by XML: not read here.
        const QByteArrayView value = attribute(QByteArrayView(name));
        if (value.contains('\t') || value.contains('\n') || value.contains('\r'))
            m_odd = true;
        return QString::fromUtf8(value);
    }
    bool failed() const { return unsupported() || m_odd; }
    QString failure() const { return QString(); }

    // An element's text as an item takes it, and whether it is settled (see
    // IsSettledEntry). A plain one, the common case, is trimmed of its blanks
    // as bytes and decoded straight into the shared blocks, its brackets and
    // commas noted on the way.
    QString readText(TextBlocks &texts, bool *settled)
    {
        QByteArrayView bytes;
        if (!readPlainText(&bytes)) {
            QString text = CleanText(readElementText());
            *settled = IsSettledEntry(text);
            return text;
        }
        return plainText(bytes, texts, settled);
    }
    // The same for the bytes of a plain text.
    QString plainText(QByteArrayView bytes, TextBlocks &texts, bool *settled) const
    {
        while (!bytes.isEmpty() && (bytes.front() == ' ' || bytes.front() == '\t'))
            bytes = bytes.sliced(1);
        while (!bytes.isEmpty() && (bytes.back() == ' ' || bytes.back() == '\t'))
            bytes.chop(1);
        // Sixteen characters are written at a time: room for those beyond
        // the text's own.
        char16_t *const out = texts.room(bytes.size() + 15);
        quint64 marks = 0;
        const qsizetype n = DecodeText(bytes, documentEnd(), out, &marks);
        QString text = texts.take(n);
        // White space beyond ASCII at an end is trimmed as QString does it.
        if (n > 0 && (textscan::IsSpace(out[0]) || textscan::IsSpace(out[n - 1]))) {
            text = CleanText(std::move(text));
            *settled = IsSettledEntry(text);
            return text;
        }
        *settled = n <= 64 && IsSettledEntry(marks, n, CharAt{out}, SpaceAt{out});
        return text;
    }

private:
    bool m_odd = false;
};

// Reads the containers inside <lessons> (the reader stands on its start),
// nested ones included, in the order in which they begin. Walks the
// elements with a stack rather than by recursion, so that no nesting is too
// deep for it.
template <typename Xml>
void ReadLessons(Xml &xml, QVector<KvtmlLesson> &lessons, EventPump &events)
{
    QVector<int> open; // indices of the containers open, innermost last
    QVector<int> openDepth;
    int depth = 0; // elements open inside <lessons>
    while (!xml.atEnd()) {
        if constexpr (Xml::Fast) {
            // A container's list of entries in the regular layout.
            if (!openDepth.isEmpty() && openDepth.last() == depth) {
                QVector<int> &ids = lessons[open.last()].entryIds;
                int id;
                while (xml.readPlainEntryRef(&id)) {
                    ids.append(id);
                    events.tick();
                }
            }
        }
        const auto token = xml.readNext();
        if (token == Xml::EndElement) {
            if (depth == 0)
                return; // </lessons>
            if (!openDepth.isEmpty() && openDepth.last() == depth) {
                open.removeLast();
                openDepth.removeLast();
            }
            --depth;
            continue;
        }
        if (token != Xml::StartElement)
            continue;
        ++depth;
        // A child of the innermost open container, or of <lessons> itself.
        const bool child = depth == (openDepth.isEmpty() ? 1 : openDepth.last() + 1);
        if (child && xml.nameIs("container")) {
            lessons.append(KvtmlLesson{});
            open.append(lessons.size() - 1);
            openDepth.append(depth);
        } else if (child && !open.isEmpty() && xml.nameIs("entry")) {
            bool ok = false;
            const int id = xml.numberAttribute("id", &ok);
            if (ok)
                lessons[open.last()].entryIds.append(id);
            events.tick();
        } else if (child && !open.isEmpty() && xml.nameIs("name")) {
            lessons[open.last()].name = xml.readElementText();
            --depth; // the text was read up to its end tag
        }
    }
}

enum class KvtmlRead { Read, Refused, Unsupported };

// Entry ids to positions: a table for the small ids that programs number
// their entries with, a hash for any others. The first entry of an id
// counts.
class EntryIndex {
public:
    void insert(int id, int at)
    {
        if (id >= 0 && id < Dense) {
            if (size_t(id) >= m_dense.size())
                m_dense.resize(qMax<size_t>(size_t(id) + 1, 2 * m_dense.size()), -1);
            if (m_dense[size_t(id)] < 0)
                m_dense[size_t(id)] = at;
        } else if (!m_other.contains(id)) {
            m_other.insert(id, at);
        }
    }
    int value(int id) const
    {
        if (id >= 0 && id < Dense)
            return size_t(id) < m_dense.size() ? m_dense[size_t(id)] : -1;
        return m_other.value(id, -1);
    }

private:
    static constexpr int Dense = 1 << 20;
    std::vector<int> m_dense;
    QHash<int, int> m_other;
};

template <typename Xml>
KvtmlRead ReadKvtmlWith(Xml &xml, qsizetype documentSize, VocabFileContents &contents,
                        QString *error, const VocabFileReadOptions &options, EventPump &events)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return KvtmlRead::Refused;
    };
    // A broken file: the fast scanner leaves it to QXmlStreamReader.
    auto broken = [&]() { return Xml::Fast ? KvtmlRead::Unsupported : fail(xml.failure()); };
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (xml.failed())
        return broken();
    if (!xml.isStartElement())
        return fail(QStringLiteral("It is not a KVTML vocabulary: it holds no XML element."));
    if (!xml.nameIs("kvtml"))
        return fail(QStringLiteral("It is not a KVTML vocabulary: its outermost XML element is "
                                   "<%1>, not <kvtml>.")
                        .arg(xml.nameText()));
    const QString version = xml.attributeText("version");
    if (xml.failed())
        return broken();
    if (!version.startsWith(u'2'))
        return fail(QStringLiteral("It is a KVTML vocabulary of version %1; only version 2 is "
                                   "read. Saving it again in a program that writes version 2 "
                                   "makes it readable.")
                        .arg(version.isEmpty() ? QStringLiteral("1") : version));
    int englishId = -1;
    int mineId = -1;
    QString englishLocale;
    QString mineLocale;
    QStringList locales;
    QVector<KvtmlEntry> entries;
    // An entry takes a hundred bytes and more as programs write it.
    entries.reserve(qMin<qsizetype>(documentSize / 128, ItemTable::MaxItems + 1));
    EntryIndex entryIndex; // entry id -> position in entries
    TextBlocks texts(1024);
    QVector<KvtmlLesson> lessons;

    while (xml.readNextStartElement()) {
        if (xml.nameIs("identifiers")) {
            while (xml.readNextStartElement()) {
                if (!xml.nameIs("identifier")) {
                    xml.skipCurrentElement();
                    continue;
                }
                bool ok = false;
                const int id = xml.numberAttribute("id", &ok);
                QString locale;
                while (xml.readNextStartElement()) {
                    if (xml.nameIs("locale"))
                        locale = xml.readElementText().trimmed();
                    else
                        xml.skipCurrentElement();
                }
                if (!ok)
                    continue;
                locales << (locale.isEmpty() ? QStringLiteral("?") : locale);
                // The first English identifier gives the English texts, the
                // first other one (before or after it) my language.
                if (englishId < 0 && IsEnglishLocale(locale)) {
                    englishId = id;
                    englishLocale = locale;
                } else if (mineId < 0) {
                    mineId = id;
                    mineLocale = locale;
                }
            }
        } else if (xml.nameIs("entries")) {
            for (;;) {
                if constexpr (Xml::Fast) {
                    // Entries in the regular layout, as long as they come.
                    FastXmlReader::PlainEntry plain;
                    while (xml.readPlainEntry(&plain)) {
                        entryIndex.insert(plain.id, int(entries.size()));
                        KvtmlEntry &entry = entries.emplace_back();
                        entry.line = plain.line;
                        bool englishSettled = true;
                        bool mineSettled = true;
                        for (int t = 0; t < plain.translations; ++t) {
                            const int translation = plain.translation[t].id;
                            const bool english = translation == englishId;
                            QString *text = english ? &entry.english
                                : translation == mineId ? &entry.mine
                                                        : nullptr;
                            if (text)
                                *text = xml.plainText(plain.translation[t].text, texts,
                                                      english ? &englishSettled : &mineSettled);
                        }
                        entry.settled = englishSettled && mineSettled;
                        events.tick();
                    }
                }
                if (!xml.readNextStartElement())
                    break;
                if (!xml.nameIs("entry")) {
                    xml.skipCurrentElement();
                    continue;
                }
                KvtmlEntry entry;
                entry.line = xml.lineNumber();
                bool idOk = false;
                const int id = xml.numberAttribute("id", &idOk);
                // An entry without a text has an empty one, which is settled.
                bool englishSettled = true;
                bool mineSettled = true;
                while (xml.readNextStartElement()) {
                    if (!xml.nameIs("translation")) {
                        xml.skipCurrentElement();
                        continue;
                    }
                    bool ok = false;
                    const int translation = xml.numberAttribute("id", &ok);
                    const bool english = ok && translation == englishId;
                    QString *text = !ok ? nullptr
                        : english                  ? &entry.english
                        : translation == mineId    ? &entry.mine
                                                   : nullptr;
                    while (xml.readNextStartElement()) {
                        if (text && xml.nameIs("text"))
                            *text = xml.readText(texts, english ? &englishSettled : &mineSettled);
                        else
                            xml.skipCurrentElement();
                    }
                }
                // Lessons name entries by id; the first entry of an id counts.
                if (idOk)
                    entryIndex.insert(id, int(entries.size()));
                entry.settled = englishSettled && mineSettled;
                entries.append(std::move(entry));
                events.tick();
            }
        } else if (xml.nameIs("lessons")) {
            ReadLessons(xml, lessons, events);
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.failed())
        return broken();
    if (englishId < 0)
        return fail(QStringLiteral("Its languages (%1) include no English one: an English "
                                   "identifier has the locale \"en\", \"en_GB\", \"en_US\" or "
                                   "another \"en_...\".")
                        .arg(locales.isEmpty() ? QStringLiteral("none") : locales.join(u", ")));
    if (mineId < 0)
        return fail(QStringLiteral("It holds only one language (%1): there are no translations "
                                   "to learn.")
                        .arg(englishLocale.isEmpty() ? QStringLiteral("en") : englishLocale));

    // Lessons: each container with entries not taken yet, in the order in
    // which the containers begin; the entries of no lesson after them.
    VocabFileContents result;
    result.languageCode = LanguageCodeOfName(mineLocale).value_or(0);
    result.lineCount = xml.lineNumber();
    result.encoding = VocabFileEncoding::Utf8;
    std::vector<int> lessonOf(size_t(entries.size()), 0);
    std::vector<int> order;
    order.reserve(size_t(entries.size()));
    int lessonCount = 0;
    QStringList joined; // the names of the lessons that make up lesson 20
    auto startLesson = [&](const QString &name) {
        ++lessonCount;
        if (lessonCount >= 20)
            joined << name;
        return qMin(lessonCount, 20);
    };
    for (const KvtmlLesson &lesson : lessons) {
        int number = 0;
        for (int id : lesson.entryIds) {
            const int at = entryIndex.value(id);
            if (at < 0 || lessonOf[at] != 0)
                continue;
            if (number == 0)
                number = startLesson(lesson.name.trimmed());
            lessonOf[at] = number;
            order.push_back(at);
        }
    }
    int unlessoned = 0;
    for (int at = 0; at < entries.size(); ++at) {
        if (lessonOf[at] != 0)
            continue;
        if (unlessoned == 0)
            unlessoned = startLesson(QStringLiteral("entries in no lesson"));
        lessonOf[at] = unlessoned;
        order.push_back(at);
    }

    const qsizetype room = qMax(0, options.room);
    result.items.reserve(qMin<qsizetype>(room, qsizetype(order.size())));
    Refusals refusals(QStringLiteral("entry"), QStringLiteral("entries"));
    const QString blank = MarkText(u' ');
    KvtmlEntry *const entryAt = entries.data();
    for (int at : order) {
        KvtmlEntry &entry = entryAt[at];
        if (result.items.size() >= room) {
            refusals.addBeyondRoom(entry.line);
            continue;
        }
        TakeRow(result, refusals, entry.line, LessonText(lessonOf[at]), blank,
                std::move(entry.english), std::move(entry.mine), entry.settled);
        events.tick();
    }
    if (lessonCount > 20) {
        QStringList named;
        for (const QString &name : joined.mid(0, NamedLessons))
            named << (u'"' + name + u'"');
        if (joined.size() > NamedLessons)
            named << QStringLiteral("...");
        Refusals::Tell(result, options,
                       {QStringLiteral("Lessons joined ..."),
                        QStringLiteral("The file has %1 lessons, and a vocabulary has at most 20: "
                                       "the lessons from the 20th on make up lesson 20 together ("
                                       "%2).")
                            .arg(lessonCount)
                            .arg(named.join(QStringLiteral(", "))),
                        true});
    }
    refusals.report(result, options);
    contents = std::move(result);
    return KvtmlRead::Read;
}

} // namespace

bool ReadKvtml(const QByteArray &bytes, VocabFileContents &contents, QString *error,
               const VocabFileReadOptions &options)
{
    if (QByteArrayView(bytes).trimmed().isEmpty()) {
        if (error)
            *error = QStringLiteral("It is not a KVTML vocabulary: it is empty.");
        return false;
    }
    // The fast scanner first; QXmlStreamReader for a file it does not read.
    // Messages are told only once the read that counts is over.
    VocabFileReadOptions quiet = options;
    QList<VocabFileMessage> told;
    quiet.onRefusedRow = [&told](const VocabFileMessage &m) { told << m; };
    EventPump events(options);
    KvtmlRead read;
    {
        FastXml fast(bytes);
        read = ReadKvtmlWith(fast, bytes.size(), contents, error, quiet, events);
    }
    if (read == KvtmlRead::Unsupported) {
        told.clear();
        QtXml xml(bytes);
        read = ReadKvtmlWith(xml, bytes.size(), contents, error, quiet, events);
    }
    if (options.onRefusedRow)
        for (const VocabFileMessage &m : told)
            options.onRefusedRow(m);
    return read == KvtmlRead::Read;
}

bool ReadKvtmlWithQt(const QByteArray &bytes, VocabFileContents &contents, QString *error,
                     const VocabFileReadOptions &options)
{
    EventPump events(options);
    QtXml xml(bytes);
    return ReadKvtmlWith(xml, bytes.size(), contents, error, options, events) == KvtmlRead::Read;
}

// ---- Tables --------------------------------------------------------------

namespace {

// A field of a record: characters [begin, end) of the text; a quoted field
// without its quotes, `escaped` when it holds doubled quotes.
struct TableField {
    qsizetype begin = 0;
    qsizetype end = 0;
    bool escaped = false;
};

// A field as the quick reading of a record finds it: characters [begin,
// end), and bit k of marks set when character begin + k (k < 64) is a
// bracket or a comma.
struct QuickField {
    qsizetype begin = 0;
    qsizetype end = 0;
    quint64 marks = 0;
};

class TableText {
public:
    explicit TableText(const QString &text)
        : m_data(reinterpret_cast<const char16_t *>(text.constData())), m_size(text.size())
    {
    }

    qsizetype size() const { return m_size; }
    char16_t at(qsizetype i) const { return m_data[i]; }
    QStringView view(qsizetype begin, qsizetype end) const
    {
        return QStringView(m_data + begin, end - begin);
    }
    QString fieldText(const TableField &f) const
    {
        QStringView v = view(f.begin, f.end);
        if (!f.escaped)
            return v.toString();
        QString out = v.toString();
        out.replace(QLatin1String("\"\""), QLatin1String("\""));
        return out;
    }

    // The position after the line end at or after i (CR LF, LF or CR).
    qsizetype nextLine(qsizetype i) const
    {
        while (i < m_size && m_data[i] != u'\r' && m_data[i] != u'\n')
            ++i;
        return skipLineEnd(i);
    }
    qsizetype lineEnd(qsizetype i) const
    {
        while (i < m_size && m_data[i] != u'\r' && m_data[i] != u'\n')
            ++i;
        return i;
    }
    qsizetype skipLineEnd(qsizetype i) const
    {
        if (i < m_size && m_data[i] == u'\r')
            ++i;
        else if (i < m_size && m_data[i] == u'\n')
            return i + 1;
        if (i < m_size && m_data[i] == u'\n' && m_data[i - 1] == u'\r')
            ++i;
        return i;
    }

    // Reads the record at i into fields and returns the position after it;
    // *lines counts the line breaks inside its quoted fields. A quoted field
    // whose closing quote never comes is read as if its quote were a
    // character, so that one stray quote does not swallow the rest.
    qsizetype record(qsizetype i, char16_t separator, QVarLengthArray<TableField, 8> &fields,
                     qsizetype *lines) const
    {
        fields.clear();
        for (;;) {
            TableField f;
            if (i < m_size && m_data[i] == u'"') {
                qsizetype j = i + 1;
                qsizetype breaks = 0;
                bool closed = false;
                // The quotes right after the opening one: an odd number
                // closes the field with the last of them; an even number
                // are pairs, and then a later run of odd length must come.
                qsizetype run = j;
                while (run < m_size && m_data[run] == u'"')
                    ++run;
                if ((run - j) % 2 == 0 && m_lastOddRun != Unknown && m_lastOddRun < run)
                    j = m_size; // no closing quote anywhere after it
                while (j < m_size) {
                    const char16_t c = m_data[j];
                    if (c == u'"') {
                        if (j + 1 < m_size && m_data[j + 1] == u'"') {
                            f.escaped = true;
                            j += 2;
                            continue;
                        }
                        closed = true;
                        break;
                    }
                    if (c == u'\n' || (c == u'\r' && (j + 1 >= m_size || m_data[j + 1] != u'\n')))
                        ++breaks;
                    ++j;
                }
                if (closed) {
                    f.begin = i + 1;
                    f.end = j;
                    *lines += breaks;
                    i = j + 1;
                    // Whatever stands between the closing quote and the
                    // separator is left out.
                    while (i < m_size && m_data[i] != separator && m_data[i] != u'\r'
                           && m_data[i] != u'\n')
                        ++i;
                } else {
                    findLastOddRun();
                    f.escaped = false;
                    f.begin = i;
                    while (i < m_size && m_data[i] != separator && m_data[i] != u'\r'
                           && m_data[i] != u'\n')
                        ++i;
                    f.end = i;
                }
            } else {
                f.begin = i;
                while (i < m_size && m_data[i] != separator && m_data[i] != u'\r'
                       && m_data[i] != u'\n')
                    ++i;
                f.end = i;
            }
            fields.append(f);
            if (i < m_size && m_data[i] == separator) {
                ++i;
                continue;
            }
            return skipLineEnd(i);
        }
    }

    // Reads the record at i as record() does when it is plain: none of its
    // quoted fields has a quote or a line break inside it, lacks its closing
    // quote or has anything between that and the separator. Writes its
    // first `room` fields to fields and their number to *count, and returns
    // the position after the record; -1 when the record is not plain, and
    // record() has to read it.
    qsizetype quickRecord(qsizetype i, char16_t separator, QuickField *fields, int room,
                          int *count) const
    {
        int n = 0;
        Window window;
        for (;;) {
            QuickField f;
            if (i < m_size && m_data[i] == u'"') {
                f.begin = i + 1;
                f.end = scanTo(f.begin, u'"', u'\r', u'\n', &f.marks);
                if (f.end >= m_size || m_data[f.end] != u'"')
                    return -1; // a line break inside, or no closing quote
                i = f.end + 1;
                // A doubled quote, or text after the closing one.
                if (i < m_size && m_data[i] != separator && m_data[i] != u'\r'
                    && m_data[i] != u'\n')
                    return -1;
            } else {
                f.begin = i;
                i = scanPlain(i, separator, window, &f.marks);
                f.end = i;
            }
            if (n < room)
                fields[n] = f;
            ++n;
            if (i < m_size && m_data[i] == separator) {
                ++i;
                continue;
            }
            *count = n;
            return skipLineEnd(i);
        }
    }

private:
    // The sixteen characters last looked at by scanPlain: bit k of ends is
    // set when character base + k is the separator or a line break, of
    // marks when it is a bracket or a comma. The next field of a record
    // mostly begins among them.
    struct Window {
        qsizetype base = -16;
        unsigned ends = 0;
        unsigned marks = 0;
    };

    // scanTo for a field without quotes: up to the separator or a line
    // break. Takes what the window holds instead of looking again, and
    // looks on from its end.
    qsizetype scanPlain(qsizetype i, char16_t separator, Window &w, quint64 *marks) const
    {
        qsizetype from = i;
        quint64 before = 0;
        if (quint64(i - w.base) < 16) {
            const int offset = int(i - w.base);
            const unsigned ends = w.ends >> offset;
            before = w.marks >> offset;
            if (ends) {
                *marks = before & ((1u << __builtin_ctz(ends)) - 1);
                return i + __builtin_ctz(ends);
            }
            from = w.base + 16;
        }
        quint64 after = 0;
        const qsizetype end = scanTo(from, separator, u'\r', u'\n', &after, &w);
        // Less than sixteen characters came from the window.
        *marks = before | (after << (from - i));
        return end;
    }

    // The position of the first of a, b and c (all ASCII) at or after i, or
    // the end; *marks gets the brackets and commas before it (bit k for
    // character i + k, k < 64). Sixteen characters at a time where the text
    // has them; the last sixteen looked at are kept in *window, if given.
    qsizetype scanTo(qsizetype i, char16_t a, char16_t b, char16_t c, quint64 *marks,
                     Window *window = nullptr) const
    {
        const qsizetype start = i;
        quint64 found = 0;
#ifdef __SSE2__
        const __m128i va = _mm_set1_epi8(char(a));
        const __m128i vb = _mm_set1_epi8(char(b));
        const __m128i vc = _mm_set1_epi8(char(c));
        for (; i + 16 <= m_size; i += 16) {
            const __m128i v = textscan::NarrowedUtf16(m_data + i);
            const unsigned stops = unsigned(_mm_movemask_epi8(_mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)), _mm_cmpeq_epi8(v, vc))));
            unsigned m = textscan::MarkBits(v);
            if (window)
                *window = {i, stops, m};
            if (stops)
                m &= (1u << __builtin_ctz(stops)) - 1;
            if (i - start < 64)
                found |= quint64(m) << (i - start);
            if (stops) {
                *marks = found;
                return i + __builtin_ctz(stops);
            }
        }
#else
        Q_UNUSED(window);
#endif
        return scanRest(i, start, a, b, c, found, marks);
    }

    // The end of a scan, a character at a time: found holds the marks of
    // the characters from start to i.
    qsizetype scanRest(qsizetype i, qsizetype start, char16_t a, char16_t b, char16_t c,
                       quint64 found, quint64 *marks) const
    {
        for (; i < m_size; ++i) {
            const char16_t ch = m_data[i];
            if (ch == a || ch == b || ch == c)
                break;
            if (textscan::IsMark(ch) && i - start < 64)
                found |= quint64(1) << (i - start);
        }
        *marks = found;
        return i;
    }

    // Where the last run of quotes of odd length begins (-1: none). A
    // quoted field that opens after it can have no closing quote (inside a
    // field quotes come in pairs). Found once, after the first field whose
    // closing quote never came, so that a file of such fields is not
    // scanned to its end for each of them.
    void findLastOddRun() const
    {
        if (m_lastOddRun != Unknown)
            return;
        m_lastOddRun = -1;
        qsizetype run = 0;
        for (qsizetype i = m_size - 1; i >= -1; --i) {
            if (i >= 0 && m_data[i] == u'"') {
                ++run;
                continue;
            }
            if (run % 2 == 1) {
                m_lastOddRun = i + 1;
                return;
            }
            run = 0;
        }
    }

    static constexpr qsizetype Unknown = -2;
    const char16_t *m_data;
    qsizetype m_size;
    mutable qsizetype m_lastOddRun = Unknown;
};

char16_t SeparatorOfName(QStringView value)
{
    const QString v = value.trimmed().toString().toLower();
    if (v == QLatin1String("tab") || value == u"\t")
        return u'\t';
    if (v == QLatin1String("comma") || v == QLatin1String(","))
        return u',';
    if (v == QLatin1String("semicolon") || v == QLatin1String(";"))
        return u';';
    if (v == QLatin1String("space") || value == u" ")
        return u' ';
    if (v == QLatin1String("pipe") || v == QLatin1String("|"))
        return u'|';
    if (v == QLatin1String("colon") || v == QLatin1String(":"))
        return u':';
    return 0;
}

// The separator of the record at i: the first of tab, ";" and "," that
// stands outside quotes in it; a tab when none does.
char16_t GuessSeparator(const TableText &t, qsizetype i)
{
    bool quoted = false;
    bool semicolon = false;
    bool comma = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i);
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == u'\r' || c == u'\n')
                break;
            if (c == u'\t')
                return u'\t';
            semicolon = semicolon || c == u';';
            comma = comma || c == u',';
        }
    }
    return semicolon ? u';' : comma ? u',' : u'\t';
}

QString Label(QStringView cell)
{
    cell = cell.trimmed();
    if (cell.startsWith(u'#'))
        cell = cell.mid(1).trimmed();
    return cell.toString().toLower();
}

// Whether the cells of a first row name the columns rather than hold an
// item; *language gets the language that the second one names.
bool IsHeaderRow(const QStringList &cells, std::optional<qint16> *language)
{
    if (cells.size() < 2)
        return false;
    static const QStringList firsts{"english", "en", "front", "word", "question", "term"};
    static const QStringList seconds{"translation", "back", "answer", "meaning"};
    if (!firsts.contains(Label(cells[0])))
        return false;
    const std::optional<qint16> named = LanguageCodeOfName(Label(cells[1]));
    const bool lessonLabel = cells.size() >= 3 && Label(cells[2]).startsWith(u"lesson");
    if (!named && !seconds.contains(Label(cells[1])) && !lessonLabel)
        return false;
    *language = named;
    return true;
}

// A row as read, before the columns are judged.
struct TableRow {
    QString english;
    QString mine;
    qsizetype line = 0;
    int lesson = -1;    // -1 empty, -2 not a whole number, else its value (at most 999)
    int mark = 0;       // 0 empty, -1 more than one character, else the character
    bool settled = false;
};

int LessonValue(QStringView field)
{
    field = field.trimmed();
    if (field.isEmpty())
        return -1;
    int value = 0;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return -2;
        value = qMin(value * 10 + (c.unicode() - u'0'), 999);
    }
    return value;
}

int MarkValue(QStringView field)
{
    field = field.trimmed();
    if (field.isEmpty())
        return 0;
    return field.size() == 1 ? field[0].unicode() : -1;
}

} // namespace

VocabFileContents ReadTable(const QByteArray &bytes, const VocabFileReadOptions &options)
{
    VocabFileContents result;
    const QString decoded = DecodeVocabText(bytes, &result.encoding);
    const TableText t(decoded);
    EventPump events(options);

    // Anki's headers: an optional "tags:" line, then "#key:value" lines.
    char16_t separator = 0;
    bool html = false;
    QVector<int> metaColumns; // 1-based columns that hold no text of an item
    QStringView columnsLine;  // "#columns:" names
    QStringView headerLine;   // a "#" line that may name the columns
    qsizetype i = 0;
    qsizetype line = 0;
    if (t.view(0, t.lineEnd(0)).startsWith(u"tags:")) {
        i = t.nextLine(0);
        ++line;
    }
    while (i < t.size() && t.at(i) == u'#') {
        const qsizetype end = t.lineEnd(i);
        const QStringView text = t.view(i + 1, end);
        const qsizetype colon = text.indexOf(u':');
        const QString key = colon < 0 ? QString() : text.left(colon).trimmed().toString().toLower();
        const QStringView value = colon < 0 ? QStringView() : text.mid(colon + 1);
        if (key == QLatin1String("separator")) {
            separator = SeparatorOfName(value);
        } else if (key == QLatin1String("html")) {
            html = value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0;
        } else if (key == QLatin1String("columns")) {
            columnsLine = value;
        } else if (key.endsWith(QLatin1String(" column"))) {
            const int column = value.trimmed().toInt();
            if (column > 0)
                metaColumns << column;
        } else if (headerLine.isNull()) {
            headerLine = t.view(i, end);
        }
        i = t.skipLineEnd(end);
        ++line;
    }
    const qsizetype dataStart = i;
    if (separator == 0) {
        qsizetype first = dataStart;
        while (first < t.size() && (t.at(first) == u'#' || t.at(first) == u'\r' || t.at(first) == u'\n'))
            first = t.nextLine(first);
        separator = GuessSeparator(t, first < t.size() ? first : dataStart);
    }

    auto regular = [&](const QStringList &cells) {
        QStringList kept;
        for (qsizetype k = 0; k < cells.size(); ++k)
            if (!metaColumns.contains(int(k) + 1))
                kept << cells[k];
        return kept;
    };
    auto cellsOf = [&](QStringView lineText) {
        const QString copy = lineText.toString();
        const TableText lt(copy);
        QVarLengthArray<TableField, 8> fields;
        qsizetype unused = 0;
        lt.record(0, separator, fields, &unused);
        QStringList cells;
        for (const TableField &f : fields)
            cells << lt.fieldText(f);
        return regular(cells);
    };
    bool headerSeen = false;
    std::optional<qint16> language;
    if (!columnsLine.isNull()) {
        const QStringList labels = cellsOf(columnsLine);
        if (labels.size() >= 2)
            language = LanguageCodeOfName(labels[1]);
        headerSeen = true;
    }
    if (!headerLine.isNull() && !headerSeen)
        headerSeen = IsHeaderRow(cellsOf(headerLine), &language);

    // The records. A plain record (see quickRecord) after the first one is
    // read the quick way when its columns are the first four and hold no
    // HTML: its fields go straight from the text into the shared blocks,
    // their brackets and commas noted on the way.
    const bool quick = !html && metaColumns.isEmpty() && separator < 0x7F && separator != u'"'
        && !IsLineBreak(separator);
    TextBlocks texts(t.size());
    QVector<TableRow> rows;
    rows.reserve(qMin<qsizetype>(t.size() / 24 + 1, ItemTable::MaxItems + 1));
    QVarLengthArray<TableField, 8> fields;
    QVarLengthArray<TableField, 4> kept;
    i = dataStart;
    // A row of empty cells, as spreadsheets leave below a table, is left out.
    auto addRow = [&](TableRow &&r) {
        if (!r.english.isEmpty() || !r.mine.isEmpty() || r.lesson != -1 || r.mark != 0)
            rows.append(std::move(r));
    };
    // The text of a field of the quick reading, trimmed, as an item's text,
    // and whether it is settled.
    auto quickText = [&](const QuickField &f, bool *settled) {
        qsizetype b = f.begin;
        qsizetype e = f.end;
        while (b < e && textscan::IsSpace(t.at(b)))
            ++b;
        while (e > b && textscan::IsSpace(t.at(e - 1)))
            --e;
        const qsizetype n = e - b;
        char16_t *const out = texts.room(n);
        if (n > 0)
            std::memcpy(out, t.view(b, e).utf16(), size_t(n) * sizeof(char16_t));
        QString text = texts.take(n);
        const qsizetype lead = b - f.begin;
        *settled = n == 0
            || (n <= 64
                && (lead + n <= 64 ? IsSettledEntry(f.marks >> lead, n, CharAt{out}, SpaceAt{out})
                                   : IsSettledEntry(QStringView(out, n))));
        return text;
    };
    while (i < t.size()) {
        const char16_t first = t.at(i);
        if (first == u'#' || first == u'\r' || first == u'\n') {
            // A comment or an empty line.
            i = t.nextLine(i);
            ++line;
            continue;
        }
        if (quick && headerSeen) {
            QuickField cells[4];
            int count = 0;
            const qsizetype next = t.quickRecord(i, separator, cells, 4, &count);
            if (next >= 0) {
                i = next;
                events.tick();
                TableRow r;
                r.line = ++line;
                bool englishSettled = true;
                bool mineSettled = true;
                if (count > 0)
                    r.english = quickText(cells[0], &englishSettled);
                if (count > 1)
                    r.mine = quickText(cells[1], &mineSettled);
                r.lesson = count > 2 ? LessonValue(t.view(cells[2].begin, cells[2].end)) : -1;
                r.mark = count > 3 ? MarkValue(t.view(cells[3].begin, cells[3].end)) : 0;
                r.settled = englishSettled && mineSettled;
                addRow(std::move(r));
                continue;
            }
        }
        const qsizetype row = ++line;
        qsizetype breaks = 0;
        i = t.record(i, separator, fields, &breaks);
        line += breaks;
        events.tick();
        kept.clear();
        for (qsizetype k = 0; k < fields.size() && kept.size() < 4; ++k)
            if (metaColumns.isEmpty() || !metaColumns.contains(int(k) + 1))
                kept.append(fields[k]);
        // The text of a kept column, as an item's text: a plain field (the
        // common case) goes straight from the text into the shared blocks.
        auto cell = [&](int k) -> QString {
            if (k >= kept.size())
                return QString();
            const TableField &f = kept[k];
            if (html || f.escaped) {
                const QString raw = t.fieldText(f);
                return html ? CleanText(PlainTextOfHtml(raw)) : CleanText(raw);
            }
            const QStringView v = t.view(f.begin, f.end).trimmed();
            if (v.contains(u'\r') || v.contains(u'\n'))
                return CleanText(v.toString());
            char16_t *out = texts.room(v.size());
            if (!v.isEmpty())
                std::memcpy(out, v.utf16(), size_t(v.size()) * sizeof(char16_t));
            return texts.take(v.size());
        };
        if (!headerSeen && rows.isEmpty()) {
            headerSeen = true;
            QStringList cells;
            for (int k = 0; k < kept.size(); ++k)
                cells << t.fieldText(kept[k]);
            if (IsHeaderRow(cells, &language))
                continue;
        }
        TableRow r;
        r.line = row;
        r.english = cell(0);
        r.mine = cell(1);
        r.lesson = kept.size() > 2 ? LessonValue(t.fieldText(kept[2])) : -1;
        r.mark = kept.size() > 3 ? MarkValue(t.fieldText(kept[3])) : 0;
        r.settled = Settled(r.english, r.mine);
        addRow(std::move(r));
    }
    result.lineCount = line;
    result.languageCode = language;

    // The third column is one of lessons when it holds only whole numbers,
    // the fourth one of marks when it holds only single characters.
    bool lessons = true;
    bool marks = true;
    for (const TableRow &r : rows) {
        lessons = lessons && r.lesson != -2;
        marks = marks && r.mark != -1;
    }
    marks = marks && lessons;

    const qsizetype room = qMax(0, options.room);
    result.items.reserve(qMin<qsizetype>(room, rows.size()));
    Refusals refusals(QStringLiteral("row"), QStringLiteral("rows"));
    for (TableRow &r : rows) {
        if (result.items.size() >= room) {
            refusals.addBeyondRoom(r.line);
            continue;
        }
        int lesson = lessons && r.lesson >= 0 ? r.lesson : 1;
        if (lesson < 1 || lesson > 20) {
            refusals.add(r.line, QStringLiteral("has a lesson out of range (1 to 20)"),
                         r.english, r.mine);
            continue;
        }
        const QString mark = marks && r.mark > 0 ? MarkText(char16_t(r.mark)) : MarkText(u' ');
        TakeRow(result, refusals, r.line, LessonText(lesson), mark, std::move(r.english),
                std::move(r.mine), r.settled);
        events.tick();
    }
    refusals.report(result, options);
    return result;
}

// ---- Which reader --------------------------------------------------------

VocabFileKind KindOfVocabFile(const QString &path, const QByteArray &bytes)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("eng"))
        return VocabFileKind::Eng;
    if (suffix == QLatin1String("kvtml"))
        return VocabFileKind::Kvtml;
    QByteArrayView head(bytes.constData(), qMin<qsizetype>(bytes.size(), 4096));
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.sliced(3);
    qsizetype k = 0;
    while (k < head.size() && (head[k] == ' ' || head[k] == '\t' || head[k] == '\r' || head[k] == '\n'))
        ++k;
    const QByteArrayView start = head.sliced(k);
    if (start.startsWith("<?xml") || start.startsWith("<kvtml") || start.startsWith("<!DOCTYPE kvtml"))
        return VocabFileKind::Kvtml;
    if (suffix == QLatin1String("tsv") || suffix == QLatin1String("csv")
        || suffix == QLatin1String("txt"))
        return VocabFileKind::Table;
    // No known extension: an .eng file begins with its language or ruler
    // line, or with an item line ("01 c house ...").
    qsizetype end = 0;
    while (end < head.size() && head[end] != '\r' && head[end] != '\n')
        ++end;
    const QByteArrayView first = head.first(end);
    if (first.startsWith("@@") || first.startsWith("##"))
        return VocabFileKind::Eng;
    const bool itemLine = first.size() > 5 && first[2] == ' ' && first[4] == ' '
        && (first[1] >= '0' && first[1] <= '9');
    if (!itemLine
        && (first.contains('\t') || first.contains(';') || first.contains(',')))
        return VocabFileKind::Table;
    return VocabFileKind::Eng;
}

bool ReadAnyVocabFileAt(const QString &path, VocabFileContents &contents, QString *error,
                        const VocabFileReadOptions &options, VocabFileKind *kind)
{
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    const VocabFileKind found = KindOfVocabFile(path, bytes);
    if (kind)
        *kind = found;
    switch (found) {
    case VocabFileKind::Eng: contents = ReadVocabFile(bytes, options); return true;
    case VocabFileKind::Table: contents = ReadTable(bytes, options); return true;
    case VocabFileKind::Kvtml: return ReadKvtml(bytes, contents, error, options);
    }
    return false;
}

// ---- Table out -----------------------------------------------------------

namespace {

void AppendTableField(QString &out, const QString &text)
{
    bool quote = text.startsWith(u'#');
    for (QChar c : text) {
        if (c == u'\t' || c == u'"' || c == u'\r' || c == u'\n') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out += text;
        return;
    }
    out += u'"';
    for (QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace

VocabFileBytes EncodeTable(const QVector<VocabItem> &items, qint16 languageCode)
{
    VocabFileBytes result;
    QString out;
    out.reserve(40 + items.size() * 48);
    out += QStringLiteral("#English\t") + LanguageHeaderName(languageCode)
        + QStringLiteral("\tLesson\tCritical\r\n");
    for (qsizetype i = 0; i < items.size(); ++i) {
        const VocabItem &item = items.at(i);
        const QString reason = UnwritableReason(item);
        if (!reason.isEmpty()) {
            result.error =
                QStringLiteral("The item number %1 cannot be written: %2.").arg(i + 1).arg(reason);
            return result;
        }
        AppendTableField(out, item.English);
        out += u'\t';
        AppendTableField(out, item.MyLanguage);
        out += u'\t';
        out += QString::number(item.LessonNumber());
        out += u'\t';
        if (item.CriticalMark != QLatin1String(" "))
            AppendTableField(out, item.CriticalMark);
        out += CrLf;
    }
    result.bytes = out.toUtf8();
    result.utf8 = true;
    return result;
}

VocabSaveResult SaveTable(const QString &path, const QVector<VocabItem> &items,
                          qint16 languageCode)
{
    const VocabFileBytes encoded = EncodeTable(items, languageCode);
    if (!encoded.ok())
        return {false, encoded.error};
    QSaveFile file(path);
    return SaveFileBytes(file, encoded.bytes);
}

bool IsTableName(const QString &path)
{
    return path.endsWith(QLatin1String(".tsv"), Qt::CaseInsensitive);
}

QString EngNameFor(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0)
        return path + QStringLiteral(".eng");
    return path.left(path.size() - (name.size() - dot)) + QStringLiteral(".eng");
}

// ---- HTML ----------------------------------------------------------------

QString PlainTextOfHtml(QStringView html)
{
    QString out;
    out.reserve(html.size());
    bool blank = false; // a blank is due before the next character
    auto put = [&](QChar c) {
        if (c.isSpace()) {
            blank = !out.isEmpty();
            return;
        }
        if (blank)
            out += u' ';
        blank = false;
        out += c;
    };
    const qsizetype n = html.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype close = html.indexOf(u'>', i + 1);
            if (close < 0) {
                put(c);
                ++i;
                continue;
            }
            const QStringView tag = html.mid(i + 1, close - i - 1);
            qsizetype nameEnd = 0;
            while (nameEnd < tag.size() && (tag[nameEnd].isLetterOrNumber() || tag[nameEnd] == u'/'))
                ++nameEnd;
            const QString name = tag.left(nameEnd).toString().toLower().remove(u'/');
            i = close + 1;
            // A style sheet or a script is no text: it is left out whole.
            if ((name == QLatin1String("style") || name == QLatin1String("script"))
                && !tag.startsWith(u'/')) {
                const qsizetype end = html.indexOf(QString(QStringLiteral("</") + name), i, Qt::CaseInsensitive);
                const qsizetype endClose = end < 0 ? -1 : html.indexOf(u'>', end);
                i = endClose < 0 ? n : endClose + 1;
                continue;
            }
            static const QStringList blocks{"br", "div", "p", "li", "tr", "td", "th", "hr",
                                            "ul", "ol", "table", "h1", "h2", "h3"};
            if (blocks.contains(name))
                blank = !out.isEmpty();
            continue;
        }
        if (c == u'&') {
            const qsizetype semi = html.indexOf(u';', i + 1);
            if (semi > i + 1 && semi - i <= 10) {
                const QStringView ref = html.mid(i + 1, semi - i - 1);
                char32_t code = 0;
                if (ref.startsWith(u'#')) {
                    bool ok = false;
                    const uint value = (ref.size() > 1 && (ref[1] == u'x' || ref[1] == u'X'))
                        ? ref.mid(2).toUInt(&ok, 16)
                        : ref.mid(1).toUInt(&ok, 10);
                    if (ok && value > 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF))
                        code = value;
                } else if (ref == u"amp") {
                    code = u'&';
                } else if (ref == u"lt") {
                    code = u'<';
                } else if (ref == u"gt") {
                    code = u'>';
                } else if (ref == u"quot") {
                    code = u'"';
                } else if (ref == u"apos") {
                    code = u'\'';
                } else if (ref == u"nbsp") {
                    code = u' ';
                }
                if (code != 0) {
                    if (QChar::requiresSurrogates(code)) {
                        put(QChar(QChar::highSurrogate(code)));
                        out += QChar(QChar::lowSurrogate(code));
                    } else {
                        put(QChar(char16_t(code)));
                    }
                    i = semi + 1;
                    continue;
                }
            }
        }
        if (c == u'[' && html.mid(i).startsWith(u"[sound:")) {
            const qsizetype close = html.indexOf(u']', i);
            if (close >= 0) {
                i = close + 1;
                continue;
            }
        }
        put(c);
        ++i;
    }
    return out;
}
