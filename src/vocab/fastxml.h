#pragma once
// A scanner for the plain XML in which vocabulary programs write their files
// (UTF-8, elements with attributes, texts with the five predefined entities
// and character references, comments, CDATA sections, a document type that
// only names its definition). For the calls that the KVTML reader makes it
// answers as QXmlStreamReader does, many times faster. Anything outside
// that subset (another encoding, a document type with declarations of its
// own, processing instructions, namespaces, names beyond ASCII, other
// entities, references in attribute values) and any error make it stop
// with unsupported() set: the caller then reads the file with
// QXmlStreamReader, which gives its own answer or message.

#include <QByteArrayView>
#include <QString>
#include <QVarLengthArray>
#include <vector>

class FastXmlReader {
public:
    enum Token { NoToken, StartElement, EndElement };

    explicit FastXmlReader(QByteArrayView document);

    // As QXmlStreamReader's functions of the same names; texts as
    // readElementText(QXmlStreamReader::SkipChildElements).
    Token readNext();
    bool readNextStartElement()
    {
        for (;;) {
            const Token token = readNext();
            if (token == StartElement)
                return true;
            if (token != NoToken || m_stopped)
                return false;
        }
    }
    void skipCurrentElement();
    QString readElementText();
    // The text of the current start element when it is one plain piece of
    // the document (no reference, line end, CDATA, comment or child): then
    // its bytes, read up to the end tag. False, with nothing read, when it
    // is not.
    bool readPlainText(QByteArrayView *text);
    // An <entry> as vocabulary programs write it, read straight from its
    // bytes: white space, <entry id="N">, then translations that are each
    // <translation id="N"> white space <text>plain text</text> white space
    // </translation>, with white space between them, and </entry>. Ids of
    // one to nine digits in double quotes, no other attribute, no other
    // child, and texts that readPlainText would take. The reader must stand
    // inside the element that holds the entries; afterwards it stands on the
    // entry's end tag. False, with nothing read, when the next element is
    // not written so (or is no entry): the general calls then read it.
    struct PlainTranslation {
        int id;
        QByteArrayView text;
    };
    static constexpr int MaxPlainTranslations = 4;
    struct PlainEntry {
        int id;
        qint64 line; // the line of the entry's start tag
        int translations;
        PlainTranslation translation[MaxPlainTranslations];
    };
    bool readPlainEntry(PlainEntry *entry);
    // The same for an empty <entry id="N"/> (as a lesson lists its entries).
    bool readPlainEntryRef(int *id);
    // The end of the document: the bytes of a text read by readPlainText
    // may be read on up to here (sixteen at a time).
    const char *documentEnd() const { return m_end; }
    bool isStartElement() const { return m_token == StartElement; }
    bool atEnd() const { return m_stopped; }
    qint64 lineNumber() const { return m_line; }

    // The name of the element of the current token.
    QByteArrayView name() const { return m_name; }
    // The value of an attribute of the current start element that holds
    // only ASCII digits (at most nine), as a number; *present false when
    // the element has no such attribute. Any other value makes the reader
    // unsupported.
    int numberAttribute(QByteArrayView attribute, bool *present);
    // The raw value of an attribute of the current start element, or a null
    // view.
    QByteArrayView attribute(QByteArrayView name) const;

    // The scanner met something it does not read: its answers so far are
    // not to be used.
    bool unsupported() const { return m_unsupported; }

private:
    struct Attribute {
        QByteArrayView name;
        QByteArrayView value;
    };

    class TextSink;

    bool bail();
    bool declaration();
    bool doctype();
    bool comment();
    // Scans character data from m_p to the next "<", checking it; adds its
    // text to *text when given. False when the data is not readable.
    bool characters(TextSink *text, bool inside);
    bool cdata(TextSink *text);
    bool startTag();
    bool endTag();
    const char *name(const char *p) const;
    const char *plainTextEnd(const char *p) const;
    const char *plainSpace(const char *p);
    bool canReadPlain() const
    {
        // Inside an element, after a token read to its end.
        return !m_stopped && !m_pendingEnd && !m_open.isEmpty();
    }

    // The bytes of the last entry read in the regular layout around its id
    // and texts (white space, tags and the translations' ids), each with its
    // line ends. A program writes every entry alike: the next one is mostly
    // checked against these pieces, a comparison of bytes each, rather than
    // read tag by tag.
    struct Piece {
        const char *data = nullptr;
        qsizetype size = 0;
        int lines = 0;
    };
    struct Layout {
        int translations = -1; // -1: none known yet
        // Before the entry's id, then before each text, then the rest up to
        // the end of the entry.
        Piece piece[MaxPlainTranslations + 2];
        int id[MaxPlainTranslations]; // the translations' ids
    };
    Piece piece(const char *begin, const char *end) const;
    bool takePiece(const char *&p, const Piece &piece);
    bool readEntryLike(PlainEntry *entry, const Layout &layout);
    bool readLooseEntry(PlainEntry *entry);
    Layout m_entryLayout;
    Layout m_refLayout; // translations 0: before the id and after it
    const char *space(const char *p);
    const char *spaceRun(const char *p);

    const char *m_p;
    const char *m_end;
    qint64 m_line = 1;
    Token m_token = NoToken;
    QByteArrayView m_name;
    std::vector<Attribute> m_attributes; // kept from tag to tag, cleared
    QVarLengthArray<QByteArrayView, 16> m_open;
    bool m_pendingEnd = false;
    bool m_rootSeen = false;
    bool m_doctypeSeen = false;
    bool m_stopped = false;
    bool m_unsupported = false;
};
