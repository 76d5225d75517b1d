// Vocabularies from other programs: real files as KDE's vocabulary library,
// LibreOffice Calc and Anki write them, tables of small inputs and the items
// they give, the files refused as a whole, and the table that Save writes
// read back.
#include "vocab/imports.h"

#include "vocab/fastxml.h"

#include "testsupport.h"

#include <QDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString Data = QStringLiteral(IMPORT_DATA_DIR);

// Items as "lesson mark|English|my language", for compact tables.
QStringList Brief(const QVector<VocabItem> &items)
{
    QStringList out;
    for (const VocabItem &item : items)
        out << item.Lesson + u' ' + item.CriticalMark + u'|' + item.English + u'|' + item.MyLanguage;
    return out;
}

// The language a read gave, -1 for none.
int Language(const VocabFileContents &contents)
{
    return contents.languageCode ? *contents.languageCode : -1;
}

// A KVTML file with English (id 0) and German (id 1) and the given entries
// and lessons; each entry "N:english=german".
QByteArray Kvtml(const QStringList &entries, const QString &lessons)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<kvtml version=\"2.0\"><identifiers>"
                                 "<identifier id=\"0\"><locale>en</locale></identifier>"
                                 "<identifier id=\"1\"><locale>de</locale></identifier>"
                                 "</identifiers><entries>\n");
    for (const QString &entry : entries) {
        const QString id = entry.section(u':', 0, 0);
        const QString texts = entry.section(u':', 1);
        xml += QStringLiteral("<entry id=\"%1\"><translation id=\"0\"><text>%2</text></translation>"
                              "<translation id=\"1\"><text>%3</text></translation></entry>\n")
                   .arg(id, texts.section(u'=', 0, 0), texts.section(u'=', 1));
    }
    xml += QStringLiteral("</entries><lessons>") + lessons + QStringLiteral("</lessons></kvtml>");
    return xml.toUtf8();
}

QString Container(const QString &name, const QList<int> &ids, const QString &inside = {})
{
    QString xml = QStringLiteral("<container><name>%1</name>").arg(name) + inside;
    for (int id : ids)
        xml += QStringLiteral("<entry id=\"%1\"/>").arg(id);
    return xml + QStringLiteral("</container>");
}

// Reads up to the start of the n-th element of this name; false when there
// is none.
bool StartOf(FastXmlReader &scanner, QByteArrayView name, int n = 1)
{
    while (!scanner.atEnd())
        if (scanner.readNext() == FastXmlReader::StartElement && scanner.name() == name && --n == 0)
            return true;
    return false;
}

// The tokens that the scanner reads from where it stands, with their lines,
// and whether it read them all.
QStringList RestOf(FastXmlReader &scanner)
{
    QStringList tokens;
    while (const auto token = scanner.readNext())
        tokens << QStringLiteral("%1 %2 %3")
                      .arg(token == FastXmlReader::StartElement ? "<" : "</")
                      .arg(QString::fromUtf8(scanner.name()))
                      .arg(scanner.lineNumber());
    return tokens << (scanner.unsupported() ? "unsupported" : "read");
}

} // namespace

class TestImports : public QObject {
    Q_OBJECT
private slots:
    void realFiles_data();
    void realFiles();
    void refusedAsAWhole_data();
    void refusedAsAWhole();
    void kvtmlLessons_data();
    void kvtmlLessons();
    void fastScannerAgreesWithQt_data();
    void fastScannerAgreesWithQt();
    void plainLayout_data();
    void plainLayout();
    void tables_data();
    void tables();
    void quickRowsAgreeWithGeneral_data();
    void quickRowsAgreeWithGeneral();
    void refusedRowsMakeOneMessage();
    void tableRoundTrip_data();
    void tableRoundTrip();
    void plainTextOfHtml_data();
    void plainTextOfHtml();
    void kindOfFile_data();
    void kindOfFile();
    void engNameForImport();
};

void TestImports::realFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("refused"); // what the one summary names

    // Written by KDE's own vocabulary library: nested lessons (the inner one
    // is a lesson of its own), an empty lesson (no number), alternatives, a
    // bracket to normalise, and bad entries.
    QTest::newRow("KVTML by KDE's library")
        << "kde-english-german.kvtml"
        << QStringList{"01  |house (home, dwelling)|Haus (Heim)", "01  |door|Tür",
                       "01  |window|Fenster", "02  |kitchen|Küche",
                       "02  |bed room (sleeping room, chamber)|Schlafzimmer",
                       "03  |to get [informal]|bekommen [ugs.]", "03  |station|Bahnhof",
                       "03  |railway|Eisenbahn", "04  |one|eins"}
        << 3
        << QStringList{"3 entries", "line 68 badly uses brackets or commas: train (railway = Zug",
                       "line 76 has no my-language text: ticket = ",
                       "line 107 is longer than 50 characters"};
    // Written by LibreOffice Calc from libreoffice-words.fods: a header,
    // quoted fields with commas and doubled quotes, a line break in a cell,
    // Windows-1252 text.
    QTest::newRow("CSV by LibreOffice Calc")
        << "libreoffice-words.csv"
        << QStringList{"01  |house (home, dwelling)|maison (demeure, logis)",
                       "02 c|the \"Big Apple\"|la « Grosse Pomme »",
                       "20  |yes, no; maybe|oui, non; peut-être", "03  |two lines|deux lignes",
                       "04  |to go away|s'en aller"}
        << 2
        << QStringList{"2 rows", "line 7 badly uses brackets or commas: bread (loaf = pain",
                       "line 8 has a lesson out of range (1 to 20): cheese = fromage"};
    // Anki's "Notes in Plain Text" with HTML, GUID, note type, deck and tags
    // columns.
    QTest::newRow("Anki notes in plain text")
        << "anki-notes.txt"
        << QStringList{"01  |bread|pane", "01  |cheese|formaggio",
                       "01  |fish & chips|pesce e patatine",
                       "01  |the \"door\" (gate)|la porta (il cancello)"}
        << -1 << QStringList{"1 row", "line 11 has no my-language text: window = "};
}

void TestImports::realFiles()
{
    QFETCH(QString, file);
    QFETCH(QStringList, items);
    QFETCH(int, language);
    QFETCH(QStringList, refused);

    VocabFileContents contents;
    QString error;
    QList<VocabFileMessage> told;
    VocabFileReadOptions options;
    options.onRefusedRow = [&](const VocabFileMessage &m) { told << m; };
    QVERIFY2(ReadAnyVocabFileAt(QDir(Data).filePath(file), contents, &error, options),
             qPrintable(error));
    QCOMPARE(Brief(contents.items), items);
    QCOMPARE(Language(contents), language);
    QCOMPARE(told, contents.messages);
    QCOMPARE(contents.messages.size(), 1);
    QCOMPARE(contents.messages[0].title, QString("Rows discarded ..."));
    QVERIFY(!contents.messages[0].notice);
    for (const QString &part : refused)
        QVERIFY2(contents.messages[0].text.contains(part), qPrintable(contents.messages[0].text));
}

void TestImports::refusedAsAWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    auto file = [](const QString &path) { return readFileBytes(path); };
    QTest::newRow("one language, by KDE's library")
        << "animals.kvtml" << file(QDir(Data).filePath("kde-english-only.kvtml"))
        << "only one language (en)";
    // One of Debian's kdeedu-data word lists, where installed.
    const QString debian = "/usr/share/apps/kvtml/en/animals.kvtml";
    if (QFile::exists(debian))
        QTest::newRow("kdeedu-data word list") << "animals.kvtml" << file(debian)
                                               << "only one language (en)";
    QTest::newRow("no English")
        << "x.kvtml"
        << QByteArray("<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>de"
                      "</locale></identifier><identifier id=\"1\"><locale>fr</locale>"
                      "</identifier></identifiers></kvtml>")
        << "(de, fr) include no English one";
    QTest::newRow("not XML") << "x.kvtml" << QByteArray("house,casa\n")
                             << "not a KVTML vocabulary: its XML is broken at line 1";
    QTest::newRow("other XML") << "x.kvtml" << QByteArray("<?xml version=\"1.0\"?><html/>")
                               << "outermost XML element is <html>";
    QTest::newRow("version 1") << "x.kvtml" << QByteArray("<kvtml><e><o>a</o></e></kvtml>")
                               << "of version 1";
    QTest::newRow("broken late")
        << "x.kvtml" << Kvtml({"0:a=b"}, Container("L", {0})).replace("</kvtml>", "</kvtm")
        << "broken at line";
    QTest::newRow("empty") << "x.kvtml" << QByteArray(" \n") << "it is empty";
}

void TestImports::refusedAsAWhole()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(writeFileBytes(path, bytes));
    VocabFileContents contents;
    contents.items = {VocabItem{"01", " ", "kept", "kept"}};
    QString error;
    QVERIFY(!ReadAnyVocabFileAt(path, contents, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(contents.items.size(), 1); // untouched
}

void TestImports::kvtmlLessons_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("notice");

    QTest::newRow("no lessons: all in lesson 1")
        << Kvtml({"0:a=b", "1:c=d"}, {}) << QStringList{"01  |a|b", "01  |c|d"} << QString();
    QTest::newRow("nested, empty and repeated, then no lesson")
        << Kvtml({"0:a=b", "1:c=d", "2:e=f", "3:g=h"},
                 Container("outer", {1}, Container("inner", {0}) + Container("empty", {}))
                     + Container("again", {1, 9}))
        << QStringList{"01  |c|d", "02  |a|b", "03  |e|f", "03  |g|h"} << QString();
    QStringList entries;
    QString lessons;
    QStringList expected;
    for (int i = 0; i < 23; ++i) {
        entries << QStringLiteral("%1:w%1=v%1").arg(i);
        lessons += Container(QStringLiteral("L%1").arg(i + 1), {i});
        expected << QStringLiteral("%1  |w%2|v%2").arg(qMin(i + 1, 20), 2, 10, QChar('0')).arg(i);
    }
    QTest::newRow("23 lessons") << Kvtml(entries, lessons) << expected
                                << "has 23 lessons, and a vocabulary has at most 20: the lessons "
                                   "from the 20th on make up lesson 20 together (\"L20\", "
                                   "\"L21\", \"L22\", \"L23\").";
}

void TestImports::kvtmlLessons()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    QFETCH(QString, notice);
    VocabFileContents contents;
    QString error;
    QVERIFY2(ReadKvtml(bytes, contents, &error), qPrintable(error));
    QCOMPARE(Brief(contents.items), items);
    QCOMPARE(Language(contents), 3);
    if (notice.isEmpty()) {
        QCOMPARE(contents.messages, QList<VocabFileMessage>{});
    } else {
        QCOMPARE(contents.messages.size(), 1);
        QCOMPARE(contents.messages[0].title, QString("Lessons joined ..."));
        QVERIFY(contents.messages[0].notice);
        QVERIFY2(contents.messages[0].text.endsWith(notice), qPrintable(contents.messages[0].text));
    }
}

void TestImports::fastScannerAgreesWithQt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("fast"); // the scanner reads it to the end itself

    const QByteArray real = readFileBytes(QDir(Data).filePath("kde-english-german.kvtml"));
    QTest::newRow("KDE's library") << real << true;
    QByteArray crlf = real;
    QTest::newRow("CR LF") << crlf.replace("\n", "\r\n").replace("train (railway", "tra\rin") << true;
    const QByteArray head = "<?xml version='1.0' encoding='utf-8' standalone='yes'?>\n"
                            "<!DOCTYPE kvtml SYSTEM 'kvtml2.dtd'><!-- c -->\n<kvtml version='2.0'>"
                            "<identifiers><identifier id='0'><locale>en_US</locale></identifier>"
                            "<identifier id=\"1\" ><locale>es</locale></identifier></identifiers>"
                            "<entries>";
    auto doc = [&](const QByteArray &entries) { return head + entries + "</entries></kvtml>"; };
    QTest::newRow("references, CDATA, comments, children")
        << doc("<entry id='0'><translation id='0'><text>a &amp; b &#233;&#x20AC;<!-- x -->"
               "<![CDATA[ <c>\r\n]]><b>skipped</b> d</text></translation>"
               "<translation id='1'><text>e</text><text/></translation></entry>"
               "<entry id='1'><translation id='0'><text/></translation></entry>")
        << true;
    auto entry = [](int id, const QByteArray &english, const QByteArray &mine) {
        return "<entry id='" + QByteArray::number(id) + "'><translation id='0'><text>" + english
            + "</text></translation><translation id='1'><text>" + mine
            + "</text></translation></entry>";
    };
    QTest::newRow("plain texts: brackets, commas, beyond ASCII, long")
        << doc(entry(0, "to get [informal]", "a]]b ]")
               + entry(1, " house(home,dwelling)\t", "casa (dimora, abitazione)")
               + entry(2, "abcdefghijklmnopqrst (u,v)", "abcdefghijklmnopq\xC3\xA9 (r, s)")
               + entry(3, "\xF0\x9F\x98\x80 smile", "\xEF\xBC\x88" "full\xEF\xBC\x89 \xEF\xBB\xBF")
               + entry(4, "\xC2\xA0nbsp", "x\xC2\xA0 (y) \xE2\x80\x83")
               + entry(5, QByteArray(70, 'a') + " (b)", "long")
               + entry(6, "a (b) c", "[x]"))
        << true;
    QTest::newRow("line ends in white space and attribute values")
        << doc("<note a='1\n2\r\n3\r4\"'/>\r\n                    \r\n\r   \n\n"
               + entry(0, "a", "b") + "\r\n                         \r"
               + entry(1, "", "refused") + "\n\t\r\n" + entry(2, "(x)", "y"))
        << true;
    QTest::newRow("]]> in a text") << doc(entry(0, "a]]>b", "c")) << false;
    QTest::newRow("U+FFFF in a text") << doc(entry(0, "a\xEF\xBF\xBF", "c")) << false;
    QTest::newRow("unknown entity") << doc("<entry id='0'><translation id='0'><text>&eacute;</text>"
                                           "</translation></entry>")
                                    << false;
    QTest::newRow("mismatched tag") << doc("<entry id='0'></entri>") << false;
    QTest::newRow("end tag that goes on") << doc("<entry id='0'></entry.x>") << false;
    QTest::newRow("end tag with a blank") << doc("<entry id='0'></entry\n >") << true;
    QTest::newRow("namespace") << doc("<entry id='0' x:y='1'/>") << false;
    QTest::newRow("id with blank") << doc("<entry id=' 1'/>") << true; // left to Qt when read
    QTest::newRow("other encoding")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><kvtml version=\"2.0\">"
                      "</kvtml>")
        << false;
    QTest::newRow("control character") << doc("<entry id='0'>\x01</entry>") << false;
    QTest::newRow("text after the root")
        << QByteArray("<kvtml version='2.0'></kvtml>junk") << true;
    QTest::newRow("unclosed") << QByteArray("<kvtml version='2.0'><identifiers>") << false;
}

void TestImports::fastScannerAgreesWithQt()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, fast);
    VocabFileContents mixed, qt;
    QString mixedError, qtError;
    const bool mixedRead = ReadKvtml(bytes, mixed, &mixedError);
    QCOMPARE(mixedRead, ReadKvtmlWithQt(bytes, qt, &qtError));
    QCOMPARE(mixedError, qtError);
    QCOMPARE(mixed.items, qt.items);
    QCOMPARE(mixed.messages, qt.messages);
    QCOMPARE(mixed.languageCode, qt.languageCode);

    FastXmlReader scanner(bytes);
    while (scanner.readNext() != FastXmlReader::NoToken || !scanner.atEnd())
        ;
    QCOMPARE(!scanner.unsupported(), fast);
}

// Entries and a lesson's list of entries in the layout that KDE's library
// writes: what the reader's own path for that layout takes ("id: translation
// =text ..." per entry, or the ids listed) before it leaves the rest to the
// general scan, which must go on as if it had read them.
void TestImports::plainLayout_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QByteArray>("lesson");
    QTest::addColumn<QStringList>("taken");

    auto entry = [](int id, const QByteArray &english, const QByteArray &mine,
                    const QByteArray &indent = "\n    ") {
        const QByteArray in = indent + "  ";
        return indent + "<entry id=\"" + QByteArray::number(id) + "\">" + in
            + "<translation id=\"0\">" + in + "  <text>" + english + "</text>" + in
            + "</translation>" + in + "<translation id=\"1\">" + in + "  <text>" + mine
            + "</text>" + in + "</translation>" + indent + "</entry>";
    };
    auto swapped = [](QByteArray xml) {
        return xml.replace("n id=\"0\"", "n id=\"9\"").replace("n id=\"1\"", "n id=\"0\"")
            .replace("n id=\"9\"", "n id=\"1\"");
    };
    const QByteArray three = entry(0, "house", "Haus") + entry(1, "", "refused")
        + entry(123456789, " a (b)\t", "\xC3\xA9t\xC3\xA9");
    const QStringList threeTaken{"0: 0=house 1=Haus", "1: 0= 1=refused",
                                 "123456789: 0= a (b)\t 1=\xC3\xA9t\xC3\xA9"};
    const QStringList abc{"0: 0=a 1=b", "1: 0=c 1=d", "2: 0=e 1=f"};
    QTest::newRow("regular") << three << QByteArray() << threeTaken;
    QTest::newRow("CR LF") << QByteArray(three).replace("\n", "\r\n") << QByteArray() << threeTaken;
    QTest::newRow("CR") << QByteArray(three).replace("\n", "\r") << QByteArray() << threeTaken;
    QTest::newRow("no white space, then indentation")
        << entry(0, "a", "b", "") + entry(1, "c", "d", "\n\t") + entry(2, "e", "f", "\n\t")
        << QByteArray() << abc;
    QTest::newRow("a line feed for a blank, early and late")
        << entry(0, "a", "b") + QByteArray(entry(1, "c", "d")).replace(0, 5, "\n \n  ")
               + QByteArray(entry(2, "e", "f")).replace("\n        <text>f", "\n       \n<text>f")
        << QByteArray() << abc;
    QTest::newRow("translations in another order, then swapped")
        << swapped(entry(0, "a", "b") + entry(1, "c", "d")) + entry(2, "e", "f") << QByteArray()
        << QStringList{"0: 1=a 0=b", "1: 1=c 0=d", "2: 0=e 1=f"};
    QTest::newRow("one translation, none, four")
        << entry(0, "a", "b") + "\n<entry id=\"1\"><translation id=\"1\"><text>x</text>"
               "</translation></entry>\n<entry id=\"2\">\n</entry><entry id=\"3\">"
               + QByteArray("<translation id=\"0\"><text>t</text></translation>").repeated(4)
               + "</entry>"
        << QByteArray() << QStringList{"0: 0=a 1=b", "1: 1=x", "2:", "3: 0=t 0=t 0=t 0=t"};
    // Where the plain reading stops: at the second entry, which follows a
    // line feed and the indentation as a regular one would.
    const QStringList first{"0: 0=a 1=b"};
    for (const auto &[name, second] : std::initializer_list<std::pair<const char *, QByteArray>>{
             {"five translations",
              "<entry id=\"1\">"
                  + QByteArray("<translation id=\"0\"><text>t</text></translation>").repeated(5)
                  + "</entry>"},
             {"single quotes", "<entry id='1'></entry>"},
             {"other attribute", "<entry id=\"1\" x=\"y\"></entry>"},
             {"id with blank", "<entry id=\" 1\"></entry>"},
             {"id of ten digits", "<entry id=\"1234567890\"></entry>"},
             // Nine digits times ten would overflow an int.
             {"id of ten nines", "<entry id=\"9999999999\"></entry>"},
             {"reference", entry(1, "a &amp; b", "c")},
             {"]]>", entry(1, "a]]>", "c")},
             {"U+FFFF", entry(1, "a\xEF\xBF\xBF", "c")},
             {"line end in a text", entry(1, "a\nb", "c")},
             {"child of a text", entry(1, "a<b>c</b>", "c")},
             {"empty text element",
              QByteArray(entry(1, "", "c")).replace("<text></text>", "<text/>")},
             {"end tag with a blank",
              QByteArray(entry(1, "a", "c")).replace("</text>", "</text >")},
             {"other child", QByteArray(entry(1, "a", "c")).replace("</text>", "</text><x/>")}})
        QTest::newRow(name) << entry(0, "a", "b")
                + (second.startsWith('\n') ? second : "\n    " + second) + entry(2, "c", "d")
                            << QByteArray() << first;
    QTest::newRow("ends inside an entry")
        << entry(0, "a", "b") + entry(1, "c", "d").left(40) << QByteArray() << first;

    const QByteArray refs = "\n  <entry id=\"3\"/>\n  <entry id=\"10\"/>";
    QTest::newRow("lesson") << QByteArray() << refs + "\r\n\t<entry id=\"4\"/><entry id=\"5\"/>"
                            << QStringList{"3", "10", "4", "5"};
    for (const char *second : {"<entry id=\"7\" />", "<entry id='7'/>", "<entry id=\"7\"></entry>",
                               "<entry id=\"1234567890\"/>", "<entry id=\"9999999999\"/>",
                               "<entry id=\"\"/>", "<name>L</name>"})
        QTest::newRow(second) << QByteArray() << refs + "\n  " + second + "\n  <entry id=\"4\"/>"
                              << QStringList{"3", "10"};
}

void TestImports::plainLayout()
{
    QFETCH(QByteArray, entries);
    QFETCH(QByteArray, lesson);
    QFETCH(QStringList, taken);
    const QByteArray bytes =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kvtml version=\"2.0\">\n<identifiers>"
        "<identifier id=\"0\"><locale>en</locale></identifier><identifier id=\"1\"><locale>de"
        "</locale></identifier></identifiers>\n<entries>"
        + entries + "\n</entries>\n<lessons><container>" + lesson
        + "</container></lessons></kvtml>\n";
    VocabFileContents mixed, qt;
    QString mixedError, qtError;
    QCOMPARE(ReadKvtml(bytes, mixed, &mixedError), ReadKvtmlWithQt(bytes, qt, &qtError));
    QCOMPARE(mixedError, qtError);
    QCOMPARE(mixed.items, qt.items);
    QCOMPARE(mixed.messages, qt.messages);

    // The lines of the entries as QXmlStreamReader counts them.
    QList<qint64> lines;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"entry")
            lines << xml.lineNumber();
    const QByteArrayView parent = lesson.isEmpty() ? "entries" : "container";
    FastXmlReader scanner(bytes);
    QVERIFY(StartOf(scanner, parent));
    QStringList read;
    FastXmlReader::PlainEntry entry;
    int id;
    while (lesson.isEmpty() ? scanner.readPlainEntry(&entry) : scanner.readPlainEntryRef(&id)) {
        QCOMPARE(scanner.name(), QByteArrayView("entry"));
        if (!lesson.isEmpty()) {
            read << QString::number(id);
            continue;
        }
        QString brief = QString::number(entry.id) + u':';
        for (int t = 0; t < entry.translations; ++t)
            brief += QStringLiteral(" %1=%2").arg(entry.translation[t].id)
                         .arg(QString::fromUtf8(entry.translation[t].text));
        read << brief;
        QCOMPARE(entry.line, lines.value(read.size() - 1));
    }
    QCOMPARE(read, taken);
    FastXmlReader general(bytes);
    QVERIFY(StartOf(general, parent));
    for (int ended = 0; ended < taken.size();)
        ended += general.readNext() == FastXmlReader::EndElement && general.name() == "entry";
    QCOMPARE(RestOf(scanner), RestOf(general));
}

void TestImports::tables_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("refused");

    QTest::newRow("tabs, lesson, mark")
        << QByteArray("house\tcasa\t3\tc\ndoor\tporta\t\t\n") << QStringList{"03 c|house|casa", "01  |door|porta"} << -1 << 0;
    QTest::newRow("semicolons beat commas")
        << QByteArray("big, large;grande\n") << QStringList{"01  |big, large|grande"} << -1 << 0;
    QTest::newRow("commas, quoted fields")
        << QByteArray("\"a, b\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",x\r\n")
        << QStringList{"01  |a, b|say \"hi\"", "01  |two lines|x"} << -1 << 0;
    QTest::newRow("a stray quote swallows nothing")
        << QByteArray("\"open\tx\nnext\ty\n") << QStringList{"01  |\"open|x", "01  |next|y"} << -1 << 0;
    QTest::newRow("header gives the language")
        << QByteArray("English;Spanish;Lesson\nsun;sol;2\n") << QStringList{"02  |sun|sol"} << 4 << 0;
    QTest::newRow("header behind #")
        << QByteArray("#English\tItalian\tLesson\tCritical\r\nsun\tsole\t1\t\r\n")
        << QStringList{"01  |sun|sole"} << 1 << 0;
    QTest::newRow("a word, not a header")
        << QByteArray("English,inglese\n") << QStringList{"01  |English|inglese"} << -1 << 0;
    QTest::newRow("Anki's columns and comments")
        << QByteArray("#separator:Semicolon\n#columns:English;Deutsch;Tags\n#tags column:3\n"
                      "# a comment\nsun;Sonne;sky\n#another\nmoon;Mond;\n")
        << QStringList{"01  |sun|Sonne", "01  |moon|Mond"} << 3 << 0;
    QTest::newRow("third column not lessons")
        << QByteArray("sun,sole,noun,x\nrun,correre,,\n")
        << QStringList{"01  |sun|sole", "01  |run|correre"} << -1 << 0;
    QTest::newRow("lesson out of range")
        << QByteArray("a\tb\t21\nc\td\t0\ne\tf\t20\n") << QStringList{"20  |e|f"} << -1 << 2;
    QTest::newRow("brackets normalised and checked")
        << QByteArray("house( home ,dwelling )\tcasa\nbad (\tx\n")
        << QStringList{"01  |house (home, dwelling)|casa"} << -1 << 1;
    QTest::newRow("Windows-1252")
        << QByteArray("street\tStra\xDF" "e\n") << QStringList{"01  |street|Straße"} << -1 << 0;
    QTest::newRow("UTF-8 with byte order mark, CR line ends")
        << QByteArray("\xEF\xBB\xBFstreet\tStraße\rboat\tłódź\r") << QStringList{"01  |street|Straße", "01  |boat|łódź"} << -1 << 0;
    QTest::newRow("byte order mark, each line in its own encoding")
        << QByteArray("\xEF\xBB\xBF" "boat\tłódź\r\nstreet\tStra\xDF" "e\r\n")
        << QStringList{"01  |boat|łódź", "01  |street|Straße"} << -1 << 0;
    QTest::newRow("empty rows and a lone column")
        << QByteArray("\n,,,\nword\n") << QStringList{} << -1 << 1;
    QTest::newRow("Anki's tags line and HTML")
        << QByteArray("tags:a b\n#html:true\n<i>sun</i>&nbsp;&lt;x&gt;\t<div>so</div><div>le</div>\n")
        << QStringList{"01  |sun <x>|so le"} << -1 << 0;
}

void TestImports::tables()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    QFETCH(int, language);
    QFETCH(int, refused);
    const VocabFileContents contents = ReadTable(bytes);
    QCOMPARE(Brief(contents.items), items);
    QCOMPARE(Language(contents), language);
    QCOMPARE(contents.messages.size(), refused > 0 ? 1 : 0);
    if (refused > 0)
        QVERIFY2(contents.messages[0].text.startsWith(QString::number(refused) + " row"),
                 qPrintable(contents.messages[0].text));
}

void TestImports::quickRowsAgreeWithGeneral_data()
{
    // Rows that the quick reading takes, and rows that it must leave to the
    // general one; each after a first row, which always goes the general way.
    QTest::addColumn<QByteArray>("rows");
    const QByteArray first = "x\ty\n";
    const QByteArray firstCsv = "x,y\n";
    const QByteArray sixty(60, 'a');
    QTest::newRow("tabs, lesson, mark, comment, empty line")
        << first + "house\tcasa\t3\tc\n#note\n\ndoor\tporta\t\t\r\nbad (\tx\n";
    QTest::newRow("quoted fields with commas")
        << firstCsv + "\"a, b\",\"casa (dimora,abitazione)\",2,c\r\n\"\",\"\"\nbad (,x\n";
    QTest::newRow("doubled quotes") << firstCsv + "\"say \"\"hi\"\"\",b\nc,\"\"\"\"\nbad (,x\n";
    QTest::newRow("line breaks inside quotes")
        << firstCsv + "\"two\r\nlines\",b\n\"c\",\"d\re\"\nbad (,x\n";
    QTest::newRow("text after the closing quote") << QByteArray("x;y\n\"a\" b;c\n\"d\"\"\";e\nbad (;x\n");
    QTest::newRow("no closing quote") << first + "a\t\"open\nnext\ty\nbad (\tx\n";
    QTest::newRow("more than four fields")
        << first + "a\tb\t1\tc\textra\t\"q\"\nd\te\t2\t\t\"x\"\"y\"\n\"f\"\t\"g\"\t3\t\t\"\n";
    QTest::newRow("blanks and white space beyond ASCII")
        << first + " a (b) \t\xC2\xA0" "c [d]\xE3\x80\x80\t 3 \t c \n\xC2\xA0" "e\xE2\x80\x83\tf\n";
    QTest::newRow("a mark of two characters") << first + "a\tb\t1\tc\nd\te\t2\tcc\n";
    QTest::newRow("characters whose low byte is a stop or a mark")
        << first + "\xC4\x8A\xC4\xA2\xC4\x89\xC4\xA8\xC4\xAC\xC4\xBB long enough\t\xC4\x8D\xC4\xA9x\n";
    QTest::newRow("brackets and commas to settle")
        << first + "house( home ,dwelling )\tcasa\nrun  (go)\tcorrere\ta,b\tcorsa\nx (y\tz\n"
            "abcdefghijklmnopq\tr( s)xyz\nlast\tone\n";
    QTest::newRow("long texts")
        << first + sixty + " (bb)\tc\n" + QByteArray(10, ' ') + sixty.left(50) + " (b)\tc\n"
            + sixty + "aaaaa\tc\n" + QByteArray(20, ' ') + sixty.left(50) + " ( b)\td\n"
            + QByteArray(20, ' ') + "a (b,c)\td\n";
    QTest::newRow("CR line ends, no line end at the end")
        << QByteArray("x;y\r\"a\";b;4\r\"c\";d;5;c\r\"e;f\";\"g\"");
    QTest::newRow("empty rows, lone and empty fields")
        << firstCsv + ",,,\n\"\",\"\"\nword\n,x\n  , \n";
    QTest::newRow("a quote inside a plain field") << first + "a\"b\tc\"\nd\t\"e\"\"\n";
    QTest::newRow("Windows-1252") << first + "stra\xDF" "e\tStra\xDF" "e (f)\t2\n";
    // A field that begins among the sixteen characters looked at for the one
    // before it and goes on beyond them, with brackets to settle out there.
    QTest::newRow("a field going on past the last look") << first + "ab\tcc dd ee ff gg hh ii( y )\n";
}

void TestImports::quickRowsAgreeWithGeneral()
{
    // A column listed as one that holds no text of an item turns the quick
    // reading off; the ninth is never read as a text, so the items stay.
    QFETCH(QByteArray, rows);
    const VocabFileContents quick = ReadTable("#deck column:0\n" + rows);
    const VocabFileContents general = ReadTable("#deck column:9\n" + rows);
    QCOMPARE(Brief(quick.items), Brief(general.items));
    QVERIFY(!quick.items.isEmpty());
    QCOMPARE(Language(quick), Language(general));
    QCOMPARE(quick.lineCount, general.lineCount);
    QCOMPARE(quick.encoding, general.encoding);
    QCOMPARE(quick.messages.size(), general.messages.size());
    for (qsizetype k = 0; k < quick.messages.size(); ++k)
        QCOMPARE(quick.messages[k].text, general.messages[k].text);
}

void TestImports::refusedRowsMakeOneMessage()
{
    // 40 bad rows, then 10 good ones of which the store has room for 6.
    QByteArray table;
    for (int i = 0; i < 40; ++i)
        table += "bad (" + QByteArray::number(i) + "\tx\n";
    for (int i = 0; i < 10; ++i)
        table += "good" + QByteArray::number(i) + "\tx\n";
    VocabFileReadOptions options;
    options.room = 6;
    const VocabFileContents contents = ReadTable(table, options);
    QCOMPARE(contents.items.size(), 6);
    QCOMPARE(contents.messages.size(), 1);
    const QStringList lines = contents.messages[0].text.split("\r\n");
    QCOMPARE(lines.value(0), QString("44 rows of the file could not be taken and were left out; "
                                     "the first of them:"));
    QCOMPARE(lines.value(2), QString("  The row on line 1 badly uses brackets or commas: bad (0 = x"));
    QCOMPARE(lines.value(7), QString("  ... and 39 more."));
    QCOMPARE(lines.size(), 8);

    // Room refusals are named too when they come first.
    options.room = 0;
    VocabFileContents none;
    QString error;
    QVERIFY(ReadKvtml(Kvtml({"0:a=b"}, {}), none, &error, options));
    QVERIFY(none.items.isEmpty());
    QVERIFY(none.messages.value(0).text.contains("is beyond the 32767 items a vocabulary holds"));
}

void TestImports::tableRoundTrip_data()
{
    QTest::addColumn<QVector<VocabItem>>("items");
    QTest::addColumn<int>("language");
    for (int code = 0; code <= 4; ++code)
        QTest::addRow("language %d", code)
            << QVector<VocabItem>{{"01", " ", "house (home, dwelling)", "casa (dimora)"},
                                  {"20", "c", "say \"hi\"", "#1, tab\there"},
                                  {"07", "x", "#hash", "naïve; łódź 😀"},
                                  {"03", " ", "to get [informal]", "\"quoted\""}}
            << code;
    QTest::newRow("no items") << QVector<VocabItem>{} << 1;
}

void TestImports::tableRoundTrip()
{
    QFETCH(QVector<VocabItem>, items);
    QFETCH(int, language);
    QTemporaryDir dir;
    const QString path = dir.filePath("words.tsv");
    const VocabSaveResult saved = SaveTable(path, items, qint16(language));
    QVERIFY2(saved.ok, qPrintable(saved.error));
    const QByteArray bytes = readFileBytes(path);
    QVERIFY(bytes.startsWith("#English\t" + LanguageHeaderName(qint16(language)).toUtf8()
                             + "\tLesson\tCritical\r\n"));
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));

    VocabFileContents back;
    QString error;
    QVERIFY(ReadAnyVocabFileAt(path, back, &error));
    QCOMPARE(back.messages, QList<VocabFileMessage>{});
    QCOMPARE(back.items, items);
    QCOMPARE(Language(back), language);

    // What the .eng writer refuses, the table refuses too.
    QVector<VocabItem> bad = items;
    bad.append(VocabItem{"21", " ", "a", "b"});
    QVERIFY(!EncodeTable(bad, 1).ok());
}

void TestImports::plainTextOfHtml_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("tags and breaks") << "a<br>b<div>c</div><b>d</b>e" << "a b c de";
    QTest::newRow("references") << "&amp;&lt;&#233;&#x1F600;&nbsp;&bogus; &" << "&<é😀 &bogus; &";
    QTest::newRow("style and sound") << "<style>p{}</style>x [sound:x.mp3]y" << "x y";
    QTest::newRow("unclosed tag") << "a < b" << "a < b";
}

void TestImports::plainTextOfHtml()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    QCOMPARE(PlainTextOfHtml(html), text);
}

void TestImports::kindOfFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("kind");
    const int eng = int(VocabFileKind::Eng);
    const int kvtml = int(VocabFileKind::Kvtml);
    const int table = int(VocabFileKind::Table);
    QTest::newRow(".eng, whatever it holds") << "a.ENG" << QByteArray("x,y") << eng;
    QTest::newRow(".kvtml") << "a.kvtml" << QByteArray("x,y") << kvtml;
    QTest::newRow(".csv") << "a.csv" << QByteArray("<b>x</b>,y") << table;
    QTest::newRow(".txt holding KVTML") << "a.txt" << QByteArray("\xEF\xBB\xBF <?xml") << kvtml;
    QTest::newRow("no extension, language line") << "a" << QByteArray("@@ 1 1=ita") << eng;
    QTest::newRow("no extension, item line") << "a" << QByteArray("01 c house, home  casa") << eng;
    QTest::newRow("no extension, table") << "a" << QByteArray("house;casa") << table;
    QTest::newRow("other extension, KVTML") << "a.xml" << QByteArray("<kvtml") << kvtml;
}

void TestImports::kindOfFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, head);
    QFETCH(int, kind);
    QCOMPARE(int(KindOfVocabFile(name, head)), kind);
}

void TestImports::engNameForImport()
{
    QCOMPARE(EngNameFor("/d/words.csv"), QString("/d/words.eng"));
    QCOMPARE(EngNameFor("/d.x/words"), QString("/d.x/words.eng"));
    QCOMPARE(EngNameFor("/d/my.words.kvtml"), QString("/d/my.words.eng"));
    QCOMPARE(EngNameFor("/d/.hidden"), QString("/d/.hidden.eng"));
}

QTEST_GUILESS_MAIN(TestImports)
#include "tst_imports.moc"
