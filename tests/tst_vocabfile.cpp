// The .eng file: reading (row numbers, refused rows, encodings, odd input),
// writing (layout, encodings, refusals) and saving safely.
#include "vocab/vocabfile.h"

#include "failingdevice.h"
#include "testsupport.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QtTest>
#include <cerrno>
#include <sys/syscall.h>
#include <unistd.h>

// A full disk, as the system reports it to this test program: in the first
// mode every write to a file other than the standard streams fails with
// ENOSPC, in the second only syncing one does (as on file systems that find
// out late). Defining the two calls here puts them before the C library's
// for every caller in the program, Qt included.
namespace fulldisk {
enum Mode { Off, Writes, Syncs };
Mode mode = Off;
} // namespace fulldisk

extern "C" ssize_t write(int fd, const void *data, size_t size)
{
    if (fulldisk::mode == fulldisk::Writes && fd > 2) {
        errno = ENOSPC;
        return -1;
    }
    return syscall(SYS_write, fd, data, size);
}

extern "C" int fsync(int fd)
{
    if (fulldisk::mode == fulldisk::Syncs && fd > 2) {
        errno = ENOSPC;
        return -1;
    }
    return int(syscall(SYS_fsync, fd));
}

class TestVocabFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void writtenLayout();
    void rowNumbersCountEveryLine();
    void lessonPadding_data();
    void lessonPadding();
    void lessonOutOfRangeIsRefused_data();
    void lessonOutOfRangeIsRefused();
    void languageLine_data();
    void languageLine();
    void lineEnds();
    void charactersBeyondColumn105Ignored();
    void decoding_data();
    void decoding();
    void tooManyItems();
    void refusedRowsBeyondTenShareOneMessage_data();
    void refusedRowsBeyondTenShareOneMessage();
    void textTooLongOnceSpacedIsRefused();
    void emptyTextIsRefused_data();
    void emptyTextIsRefused();
    void textsReadBehaveAsTheirOwn();
    void anyInputLoads_data();
    void anyInputLoads();
    void eventsRunWhileReading();
    void writerRefusesUnwritableItems();
    void failedWriteToDevice();
    void failedSaveKeepsOldFile();
    void saveOntoAFullDisk_data();
    void saveOntoAFullDisk();
    void saveIntoImpossibleFolder();
    void saveReplacesFile();
    void readMissingFile();
    void readTooLargeFile();
    void extensionRule_data();
    void extensionRule();
};

Q_DECLARE_METATYPE(VocabFileEncoding)

namespace {

const QByteArray Ruler =
    "## c #.............................................#   #................................................#";

// An item line as Save writes it, without its line end.
QString itemLine(const QString &lesson, const QString &mark, const QString &english,
                 const QString &mine)
{
    return lesson + ' ' + mark + ' ' + english.leftJustified(50) + mine.leftJustified(50);
}

QByteArray latin(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += line.toLatin1() + "\r\n";
    return out;
}

// An item line from the bytes of its first columns, with "x" as its
// my-language text; `skip` bytes before the line (a byte order mark) do not
// count as columns.
QByteArray withMine(const QByteArray &head, int skip = 0)
{
    return head + QByteArray(55 + skip - head.size(), ' ') + "x";
}

VocabItem item(const QString &lesson, const QString &english, const QString &mine,
               const QString &mark = " ")
{
    return VocabItem{lesson, mark, english, mine};
}

} // namespace

void TestVocabFile::roundTrip_data()
{
    QTest::addColumn<QVector<VocabItem>>("items");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("utf8");

    QTest::newRow("Windows-1252 accents")
        << QVector<VocabItem>{item("01", "because (since, as)", "perché (poiché)", "c"),
                              item("20", "street", "Straße"), item("05", "naive", "naïve"),
                              item("03", "euro [money]", "€ – «quote»"),
                              item("01", "because (since, as)", "perché (poiché)")}
        << 1 << false;
    QTest::newRow("UTF-8 beyond the code page")
        << QVector<VocabItem>{item("02", "boat", "łódź"), item("12", "Japan", "日本"),
                              item("07", "smile (grin)", "😀 (sorriso)", "c"),
                              item("07", "café", "kawiarnia")}
        << 4 << true;
    // These bytes in Windows-1252 would be read back as the UTF-8 of "é".
    QTest::newRow("code page text that looks like UTF-8")
        << QVector<VocabItem>{item("01", "Ã©", "x")} << 0 << true;
    // Two lines of those bytes would outvote the third and be read as UTF-8.
    QTest::newRow("code page text that would be read line by line")
        << QVector<VocabItem>{item("01", "Ã©", "x"), item("01", "Ã©x", "y"), item("01", "é", "z")}
        << 0 << true;
    QTest::newRow("unassigned code page bytes")
        << QVector<VocabItem>{item("01", QString(QChar(0x81)) + "x", "y")} << 2 << false;
    QTest::newRow("no items") << QVector<VocabItem>{} << 3 << false;
    QTest::newRow("full-width texts")
        << QVector<VocabItem>{item("09", QString(50, 'e'), QString(50, QChar(0xE8)))} << 0
        << false;
}

void TestVocabFile::roundTrip()
{
    QFETCH(QVector<VocabItem>, items);
    QFETCH(int, language);
    QFETCH(bool, utf8);

    QTemporaryDir dir;
    const QString path = dir.filePath("words.eng");
    const VocabSaveResult saved = SaveVocabFile(path, items, qint16(language));
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(EncodeVocabFile(items, qint16(language)).utf8, utf8);
    QCOMPARE(readFileBytes(path).startsWith("\xEF\xBB\xBF"), utf8);

    VocabFileContents read;
    QString error;
    QVERIFY(ReadVocabFileAt(path, read, &error));
    QCOMPARE(read.messages, QList<VocabFileMessage>{});
    QCOMPARE(read.items, items);
    QCOMPARE(read.languageCode, std::optional<qint16>(qint16(language)));

    VocabStore store;
    store.LanguageCode = 9;
    AddToStore(read, store);
    QCOMPARE(store.Items(), items);
    QCOMPARE(store.LanguageCode, qint16(language));
}

void TestVocabFile::writtenLayout()
{
    const VocabFileBytes file =
        EncodeVocabFile({item("01", "house (home)", "casa", "c"), item("12", "é", "")}, 1);
    QVERIFY(file.ok());
    const QList<QByteArray> lines = file.bytes.split('\n');
    QCOMPARE(lines.size(), 5); // four lines, each ended by CR LF
    QCOMPARE(lines[0], QByteArray("@@ 1 1=ita 2=fra 3=ger 4=spa 0=others\r"));
    QCOMPARE(lines[1], Ruler + "\r");
    QCOMPARE(lines[2], "01 c house (home)" + QByteArray(38, ' ') + "casa" + QByteArray(46, ' ')
                           + "\r");
    QCOMPARE(lines[3], "12   \xE9" + QByteArray(49 + 50, ' ') + "\r");
    QCOMPARE(lines[4], QByteArray());
    QCOMPARE(RulerLine().size(), 105);
    QCOMPARE(LanguageLine(0), QString("@@ 0 1=ita 2=fra 3=ger 4=spa 0=others"));
}

void TestVocabFile::rowNumbersCountEveryLine()
{
    const QByteArray bytes = latin({
        "@@ 2 1=ita 2=fra 3=ger 4=spa 0=others",         // 1
        QString::fromLatin1(Ruler),                       // 2
        "",                                               // 3
        "ab",                                             // 4
        "## a comment",                                   // 5
        itemLine("01", " ", "house(home ,dwelling )", "maison"), // 6
        itemLine("02", "c", "door (gate", "porte  (portail ,entrée)"), // 7
        "x",                                              // 8
        itemLine(" 3", " ", "window", "fenêtre [f.] ouverte"), // 9
        itemLine("04", " ", "a [b)", "x"),               // 10
        itemLine("05", " ", "roof", "toit"),              // 11
    });
    QList<VocabFileMessage> seen;
    VocabFileReadOptions options;
    options.onRefusedRow = [&](const VocabFileMessage &m) { seen.append(m); };
    const VocabFileContents read = ReadVocabFile(bytes, options);

    QCOMPARE(read.lineCount, 11);
    QCOMPARE(read.languageCode, std::optional<qint16>(2));
    QCOMPARE(read.items,
             (QVector<VocabItem>{item("01", "house (home, dwelling)", "maison"),
                                 item("03", "window", "fenêtre [f.]"), item("05", "roof", "toit")}));
    QCOMPARE(read.messages.size(), 2);
    QCOMPARE(read.messages[0].title, QString("Row discarded ..."));
    QCOMPARE(read.messages[0].text,
             QString("The row number 7 badly uses brackets or commas\r\n\r\n"
                     "  Lesson = 02 c\r\n"
                     "  English = door (gate\r\n"
                     "  My language= porte (portail, entrée)"));
    QVERIFY(read.messages[1].text.startsWith("The row number 10 badly uses brackets or commas"));
    QCOMPARE(seen, read.messages);
}

void TestVocabFile::lessonPadding_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("lesson");
    QTest::newRow("blank first") << " 5" << "05";
    QTest::newRow("blank second") << "5 " << "05";
    QTest::newRow("two digits") << "05" << "05";
    QTest::newRow("twenty") << "20" << "20";
    QTest::newRow("one") << "1 " << "01";
}

void TestVocabFile::lessonPadding()
{
    QFETCH(QString, columns);
    QFETCH(QString, lesson);
    const VocabFileContents read = ReadVocabFile(latin({itemLine(columns, "c", "a", "b")}));
    QCOMPARE(read.messages, QList<VocabFileMessage>{});
    QCOMPARE(read.items, QVector<VocabItem>{item(lesson, "a", "b", "c")});
}

void TestVocabFile::lessonOutOfRangeIsRefused_data()
{
    QTest::addColumn<QString>("columns");
    QTest::newRow("zero") << "00";
    QTest::newRow("zero alone") << "0 ";
    QTest::newRow("twenty-one") << "21";
    QTest::newRow("letters") << "ab";
    QTest::newRow("digit and letter") << "1a";
    QTest::newRow("blank") << "  ";
    QTest::newRow("sign") << "+5";
}

void TestVocabFile::lessonOutOfRangeIsRefused()
{
    QFETCH(QString, columns);
    const VocabFileContents read = ReadVocabFile(
        latin({"## x", itemLine(columns, "c", "word", "parola"), itemLine("07", " ", "w", "p")}));
    QCOMPARE(read.items, QVector<VocabItem>{item("07", "w", "p")});
    QCOMPARE(read.messages.size(), 1);
    QCOMPARE(read.messages[0].title, QString("Row discarded ..."));
    QCOMPARE(read.messages[0].text,
             "The row number 2 has a lesson out of range (1 to 20)\r\n\r\n  Lesson = " + columns
                 + " c\r\n  English = word\r\n  My language= parola");
}

void TestVocabFile::languageLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("code"); // -1: no language line
    QTest::newRow("Italian") << QStringList{"@@ 1 1=ita"} << 1;
    QTest::newRow("last one wins") << QStringList{"@@ 1", "01 c a", "@@ 3"} << 3;
    QTest::newRow("not a digit") << QStringList{"@@ x 1=ita"} << 0;
    QTest::newRow("sign in column 4") << QStringList{"@@ -1"} << 0;
    QTest::newRow("too short for column 4") << QStringList{"@@ "} << 0;
    QTest::newRow("digit beyond the languages kept") << QStringList{"@@ 7"} << 7;
    QTest::newRow("nine") << QStringList{"@@ 9"} << 9;
    QTest::newRow("two characters are skipped") << QStringList{"@@"} << -1;
    QTest::newRow("none") << QStringList{"## c"} << -1;
}

void TestVocabFile::languageLine()
{
    QFETCH(QStringList, lines);
    QFETCH(int, code);
    const VocabFileContents read = ReadVocabFile(latin(lines));
    if (code < 0)
        QVERIFY(!read.languageCode);
    else
        QCOMPARE(read.languageCode, std::optional<qint16>(qint16(code)));

    VocabStore store;
    store.LanguageCode = 4;
    AddToStore(read, store);
    QCOMPARE(store.LanguageCode, qint16(code < 0 ? 4 : code));
}

void TestVocabFile::lineEnds()
{
    const QByteArray a = itemLine("01", " ", "one", "uno").toLatin1();
    const QByteArray bad = itemLine("02", " ", "two (", "due").toLatin1();
    const QByteArray b = itemLine("03", " ", "three", "tre").toLatin1();
    for (const QByteArray &bytes :
         {a + "\n\n" + bad + "\n" + b, a + "\r\r" + bad + "\r" + b + "\r",
          a + "\r\n\n" + bad + "\r" + b + "\r\n"}) {
        const VocabFileContents read = ReadVocabFile(bytes);
        QCOMPARE(read.items.size(), 2);
        QCOMPARE(read.items[1], item("03", "three", "tre"));
        QCOMPARE(read.messages.size(), 1);
        QVERIFY(read.messages[0].text.startsWith("The row number 3 "));
    }
}

void TestVocabFile::charactersBeyondColumn105Ignored()
{
    const QString line = itemLine("01", " ", "one", QString(50, 'm')) + "(tail";
    const VocabFileContents read = ReadVocabFile(latin({line, line + QString(100000, 'z')}));
    QCOMPARE(read.messages, QList<VocabFileMessage>{});
    QCOMPARE(read.items.size(), 2);
    QCOMPARE(read.items[0].MyLanguage, QString(50, 'm'));
    QCOMPARE(read.items[1], read.items[0]);
}

void TestVocabFile::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes"); // after a language line of code 3
    QTest::addColumn<VocabFileEncoding>("encoding");
    QTest::addColumn<QStringList>("items"); // "English = my language"
    using E = VocabFileEncoding;
    auto utf8 = [](const QString &head) { return (head.leftJustified(55) + "x\r\n").toUtf8(); };

    // 0x80 is the euro sign; a lone 0xE9 is not UTF-8.
    QTest::newRow("Windows-1252") << withMine("01   \x80 \xE9") << E::Windows1252
                                  << QStringList{"€ é = x"};
    QTest::newRow("UTF-8 recognised by its accented letters")
        << (QString("01   é ł").leftJustified(55) + "x").toUtf8() << E::Utf8
        << QStringList{"é ł = x"};
    QTest::newRow("columns count characters, not bytes")
        << itemLine("01", "c", "żółw", "tartaruga").toUtf8() << E::Utf8
        << QStringList{"żółw = tartaruga"};
    // Every byte stays a character of its own, none a replacement character.
    QTest::newRow("byte order mark and broken sequences")
        << withMine("01   a\xFF\xC3") << E::Utf8LineByLine << QStringList{"aÿÃ = x"};
    QTest::newRow("UTF-8 with one stray Windows-1252 line")
        << utf8("01   Grüße") + withMine("01   B\xE4r") + "\r\n" + utf8("02   Tür")
               + utf8("02   Straße (Weg)")
        << E::Utf8LineByLine << QStringList{"Grüße = x", "Bär = x", "Tür = x", "Straße (Weg) = x"};
    QTest::newRow("byte order mark, UTF-8 and a stray line")
        << utf8("01   Grüße") + withMine("01   B\xE4r") << E::Utf8LineByLine
        << QStringList{"Grüße = x", "Bär = x"};
    // A line is UTF-8 only when all of it is, the characters beyond the
    // 105 that count included.
    QTest::newRow("byte order mark and a broken sequence beyond column 105")
        << (QString("01   Grüße").leftJustified(55) + QString("x").leftJustified(50)).toUtf8()
               + "\xFF\r\n" + utf8("02   Tür")
        << E::Utf8LineByLine << QStringList{"GrÃ¼ÃŸe = x", "Tür = x"};
    QTest::newRow("UTF-8 texts lose white space of every kind at both ends")
        << (QString("01   \u3000żółw\t").leftJustified(55) + "\u00A0x (y)\u2003").toUtf8()
        << E::Utf8 << QStringList{"żółw = x (y)"};
    // "Ã©" is valid UTF-8 by chance; the other lines outvote it.
    QTest::newRow("Windows-1252 with one line that looks like UTF-8")
        << withMine("01   \xC3\xA9") + "\r\n" + withMine("01   \xE9") + "\r\n"
               + withMine("01   \xFC")
        << E::Windows1252 << QStringList{"Ã© = x", "é = x", "ü = x"};
    QTest::newRow("as many lines of each")
        << withMine("01   \xC3\xA9") + "\r\n" + withMine("01   \xE8") << E::Windows1252
        << QStringList{"Ã© = x", "è = x"};
    QTest::newRow("plain ASCII") << withMine("01   a") << E::Windows1252 << QStringList{"a = x"};

    // An ASCII head and English text with a my-language text of UTF-8: the
    // my-language text is cut and checked in characters, as any other.
    auto mine = [](const QString &text) {
        return (QString("01   pear").leftJustified(55) + text + "\r\n").toUtf8();
    };
    QTest::newRow("UTF-8 my-language texts, settled or brought into normal form")
        << mine("pêra (fruta)") + mine("łódź,casa  (x )") + mine("pera 🍐, pêra")
        << E::Utf8
        << QStringList{"pear = pêra (fruta)", "pear = łódź, casa (x)", "pear = pera 🍐, pêra"};
    QTest::newRow("UTF-8 my-language texts lose white space of every kind at both ends")
        << mine("\u00A0żółw\u2003") + mine("\tżółw ") + mine("   żółw\u3000  ") << E::Utf8
        << QStringList{"pear = żółw", "pear = żółw", "pear = żółw"};
    QTest::newRow("UTF-8 my-language texts end at column 105")
        << mine(QString(50, u'é')) + mine(QString(50, u'é') + "(tail")
               + mine(QString(10, ' ') + QString(45, u'ł')) + mine("🍐" + QString(49, u'é'))
        << E::Utf8
        << QStringList{"pear = " + QString(50, u'é'), "pear = " + QString(50, u'é'),
                       "pear = " + QString(40, u'ł'), "pear = 🍐" + QString(48, u'é')};
    QTest::newRow("byte order mark and a broken sequence in a my-language text")
        << mine("Tür") + (QString("02   pear").leftJustified(55) + "T").toUtf8() + "\xFCr\r\n"
        << E::Utf8LineByLine << QStringList{"pear = Tür", "pear = Tür"};
}

void TestVocabFile::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(VocabFileEncoding, encoding);
    QFETCH(QStringList, items);
    // A byte order mark is not part of the first line, and it stands before
    // every file of a row whose name says so (a language line follows it).
    const bool marked = QByteArray(QTest::currentDataTag()).contains("byte order mark");
    const VocabFileContents read =
        ReadVocabFile((marked ? "\xEF\xBB\xBF" : "") + QByteArray("@@ 3\r\n") + bytes);
    QCOMPARE(read.encoding, encoding);
    QCOMPARE(read.languageCode, std::optional<qint16>(3));
    QStringList texts;
    for (const VocabItem &i : read.items)
        texts << i.English + " = " + i.MyLanguage;
    QCOMPARE(texts, items);

    // Save loses no character: what it writes reads back the same.
    const VocabFileBytes written = EncodeVocabFile(read.items, 3);
    const VocabFileContents back = ReadVocabFile(written.bytes);
    QCOMPARE(back.items, read.items);
    QCOMPARE(back.messages, QList<VocabFileMessage>{});
}

void TestVocabFile::tooManyItems()
{
    QByteArray bytes = "@@ 1\r\n";
    const QByteArray good = itemLine("01", " ", "w", "p").toLatin1() + "\r\n";
    for (int i = 0; i < ItemTable::MaxItems; ++i)
        bytes += good;
    bytes += good + "## c\r\n" + good + "zz bad row\r\n@@ 2\r\n";
    const VocabFileContents read = ReadVocabFile(bytes);
    QCOMPARE(read.items.size(), ItemTable::MaxItems);
    QCOMPARE(read.languageCode, std::optional<qint16>(2));
    QCOMPARE(read.messages.size(), 1);
    QCOMPARE(read.messages[0].title, QString("Rows discarded ..."));
    QCOMPARE(read.messages[0].text,
             QString("A vocabulary holds at most 32767 items: the 3 item rows from the row "
                     "number 32769 on were not read."));

    // Items already in the store leave less room.
    VocabFileReadOptions options;
    options.room = 1;
    const VocabFileContents some = ReadVocabFile(good + good, options);
    QCOMPARE(some.items.size(), 1);
    QCOMPARE(some.messages.size(), 1);
}

void TestVocabFile::refusedRowsBeyondTenShareOneMessage_data()
{
    QTest::addColumn<int>("badRows");
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("counts"); // the messages after the rows' own
    QTest::newRow("three") << 3 << 100 << QStringList{};
    QTest::newRow("ten") << 10 << 100 << QStringList{};
    QTest::newRow("eleven") << 11 << 100
                            << QStringList{"1 more row, the row number 24, could not be read "
                                           "either; it was discarded without a message."};
    QTest::newRow("126") << 126 << 200
                         << QStringList{"116 more rows, from the row number 24 on, could not be "
                                        "read either; they were discarded without a message "
                                        "each."};
    // Rows beyond the room are not checked: they count only for the room.
    QTest::newRow("and no room for the rest")
        << 40 << 30
        << QStringList{"19 more rows, from the row number 24 on, could not be read either; "
                       "they were discarded without a message each.",
                       "A vocabulary holds at most 32767 items: the 21 item rows from the row "
                       "number 62 on were not read."};
}

void TestVocabFile::refusedRowsBeyondTenShareOneMessage()
{
    QFETCH(int, badRows);
    QFETCH(int, room);
    QFETCH(QStringList, counts);
    // Every other row is refused, each for another reason, after a header.
    const QStringList bad{itemLine("00", " ", "w", "p"), itemLine("01", " ", "", "p"),
                          itemLine("02", " ", "w (", "p"),
                          itemLine("03", " ", "n(a,b,c,d" + QString(40, 'x') + ")", "p")};
    QStringList lines{"@@ 1", QString::fromLatin1(Ruler)};
    for (int i = 0; i < badRows; ++i)
        lines << itemLine("04", " ", QString("w%1").arg(i), "p") << bad[i % 4];
    QList<VocabFileMessage> seen;
    VocabFileReadOptions options;
    options.room = room;
    options.onRefusedRow = [&](const VocabFileMessage &m) { seen.append(m); };
    const VocabFileContents read = ReadVocabFile(latin(lines), options);

    QCOMPARE(read.items.size(), qMin(badRows, room));
    QCOMPARE(seen, read.messages);
    const int own = qMin(badRows, 10);
    QCOMPARE(read.messages.size(), own + counts.size());
    for (int i = 0; i < own; ++i) {
        QCOMPARE(read.messages[i].title, QString("Row discarded ..."));
        QVERIFY2(read.messages[i].text.startsWith(QString("The row number %1 ").arg(4 + 2 * i)),
                 qPrintable(read.messages[i].text));
    }
    for (int i = 0; i < counts.size(); ++i) {
        QCOMPARE(read.messages[own + i].title, QString("Rows discarded ..."));
        QCOMPARE(read.messages[own + i].text, counts[i]);
    }
}

void TestVocabFile::textTooLongOnceSpacedIsRefused()
{
    // 50 characters in the file, 54 once the commas get their blanks.
    const QString english = "n(a,b,c,d" + QString(40, 'x') + ")";
    QCOMPARE(english.size(), 50);
    const VocabFileContents read =
        ReadVocabFile(latin({itemLine("01", " ", english, "p"), itemLine("02", " ", "w", "p")}));
    QCOMPARE(read.items, QVector<VocabItem>{item("02", "w", "p")});
    QCOMPARE(read.messages.size(), 1);
    QVERIFY(read.messages[0].text.startsWith(
        "The row number 1 is longer than 50 characters once its brackets and commas are spaced"
        "\r\n\r\n  Lesson = 01  \r\n  English = n (a, b, c, d"));
}

void TestVocabFile::emptyTextIsRefused_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("mine");
    QTest::addColumn<QString>("missing");
    QTest::newRow("no English") << "" << "casa" << "no English text";
    QTest::newRow("blank English") << QString(50, ' ') << "casa" << "no English text";
    QTest::newRow("no my language") << "house" << "" << "no my-language text";
    QTest::newRow("neither") << "" << "" << "no English and no my-language text";
}

void TestVocabFile::emptyTextIsRefused()
{
    QFETCH(QString, english);
    QFETCH(QString, mine);
    QFETCH(QString, missing);
    // The line is cut where its text ends, as an editor may leave it.
    const QString line = itemLine("03", "c", english, mine).trimmed();
    const VocabFileContents read =
        ReadVocabFile(latin({"@@ 1", line, itemLine("04", " ", "roof", "tetto")}));
    QCOMPARE(read.items, QVector<VocabItem>{item("04", "roof", "tetto")});
    QCOMPARE(read.messages.size(), 1);
    QCOMPARE(read.messages[0].title, QString("Row discarded ..."));
    QCOMPARE(read.messages[0].text,
             "The row number 2 has " + missing + "\r\n\r\n  Lesson = 03 c\r\n  English = "
                 + english.trimmed() + "\r\n  My language= " + mine);
}

void TestVocabFile::textsReadBehaveAsTheirOwn()
{
    // The texts of a file share blocks of memory; each must still behave as
    // a string of its own, whatever happens to the others.
    QStringList lines;
    for (int i = 0; i < 2000; ++i)
        lines << itemLine("01", " ", QString("word%1").arg(i), QString("parola%1 (p)").arg(i));
    VocabFileContents read = ReadVocabFile(latin(lines));
    QCOMPARE(read.items.size(), 2000);
    for (const VocabItem &i : std::as_const(read.items)) {
        QCOMPARE(i.English.utf16()[i.English.size()], u'\0');
        QCOMPARE(i.MyLanguage.utf16()[i.MyLanguage.size()], u'\0');
    }
    QVector<VocabItem> kept{read.items[0], read.items[1], read.items[1999]};
    read.items[0].English += "s and more words";
    read.items[1].MyLanguage.replace(0, 1, "P");
    read.items[1].English.resize(40, u'x');
    read.items[1999].English.clear();
    QCOMPARE(kept[0].English, QString("word0"));
    QCOMPARE(kept[1], item("01", "word1", "parola1 (p)"));
    QCOMPARE(read.items[0].English, QString("word0s and more words"));
    QCOMPARE(read.items[1].MyLanguage, QString("Parola1 (p)"));
    QCOMPARE(read.items[2], item("01", "word2", "parola2 (p)"));
    // Texts that outlive the rest of their block still change correctly.
    read = {};
    kept[2].English.append(QString(100, 'y'));
    QCOMPARE(kept[2].English, "word1999" + QString(100, 'y'));
    QCOMPARE(kept[2].MyLanguage, QString("parola1999 (p)"));
}

void TestVocabFile::anyInputLoads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QRandomGenerator random(20240611);
    QByteArray binary(200000, Qt::Uninitialized);
    for (char &c : binary)
        c = char(random.bounded(256));
    QTest::newRow("binary") << binary;
    QTest::newRow("one huge line") << QByteArray(20 * 1024 * 1024, 'a');
    static const char nuls[] = "01 c \0\0\0 (\0)\r\n\0\0\0\0\0\r\n";
    QTest::newRow("NUL bytes") << QByteArray(nuls, sizeof nuls - 1) + QByteArray(5000, '\0');
    QByteArray shortLines;
    for (int i = 0; i < 100000; ++i)
        shortLines += (i % 3 == 0) ? "\r\n" : (i % 3 == 1) ? "a\n" : "bc\r";
    QTest::newRow("only short lines") << shortLines;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("line ends only") << QByteArray(100000, '\r');
    QTest::newRow("broken UTF-8 with mark") << QByteArray("\xEF\xBB\xBF\xF0\x9F\x98 01 \xC0\xAF");
    QTest::newRow("truncated surrogate pair at column 105")
        << (QString(104, QChar('1')) + QString::fromUtf8("😀")).toUtf8();
}

void TestVocabFile::anyInputLoads()
{
    QFETCH(QByteArray, bytes);
    const VocabFileContents read = ReadVocabFile(bytes);
    // Whatever was accepted can be written back.
    for (const VocabItem &i : read.items)
        QVERIFY2(UnwritableReason(i).isEmpty(), qPrintable(i.English));
    QVERIFY(EncodeVocabFile(read.items, read.languageCode.value_or(0)).ok());
}

void TestVocabFile::eventsRunWhileReading()
{
    // Ten refused rows spread over 1000, each taking a while to be shown.
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes += (i % 100 == 0 ? QByteArray("01   bad (") : withMine("01   good")) + "\r\n";
    int calls = 0;
    VocabFileReadOptions options;
    options.letEventsRun = [&] { ++calls; };
    options.onRefusedRow = [](const VocabFileMessage &) { QTest::qSleep(20); };
    const VocabFileContents read = ReadVocabFile(bytes, options);
    QCOMPARE(read.messages.size(), 10);
    QVERIFY(calls >= 2);
}

void TestVocabFile::writerRefusesUnwritableItems()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.eng");
    const QByteArray old = "@@ 1\r\nold content\r\n";
    QVERIFY(writeFileBytes(path, old));

    const VocabItem good = item("01", "w", "p");
    const QList<VocabItem> bad{item("01", QString(51, 'e'), "p"), item("01", "e", QString(51, 'p')),
                               item("1", "e", "p"), item("21", "e", "p"), item("01", "e", "p", ""),
                               item("01", "e", "p", "cc"), item("01", "e\nf", "p"),
                               item("01", "e", "p\r")};
    for (const VocabItem &b : bad) {
        const VocabFileBytes encoded = EncodeVocabFile({good, b}, 1);
        QVERIFY(!encoded.ok());
        QVERIFY(encoded.bytes.isEmpty());
        QVERIFY2(encoded.error.startsWith("The item number 2 cannot be written: "),
                 qPrintable(encoded.error));
        const VocabSaveResult saved = SaveVocabFile(path, {good, b}, 1);
        QVERIFY(!saved.ok);
        QCOMPARE(saved.error, encoded.error);
        QCOMPARE(readFileBytes(path), old);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.eng"});
}

void TestVocabFile::failedWriteToDevice()
{
    const QVector<VocabItem> items{item("01", "w", "p")};
    for (qint64 room : {0, 10, 200}) {
        FailingDevice device(room);
        const VocabSaveResult result = WriteVocabFile(device, items, 1);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
    }

    // A full disk, for real: the error shows when the data is flushed.
    QFile full("/dev/full");
    if (full.open(QIODevice::WriteOnly)) {
        const VocabSaveResult result = WriteVocabFile(full, items, 1);
        QVERIFY(!result.ok);
        QCOMPARE(result.error, QString("The disk is full: there is no room left for the file."));
    }
}

void TestVocabFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("words.eng");
    const QVector<VocabItem> before{item("01", "old", "vecchio")};
    QVERIFY(SaveVocabFile(path, before, 1).ok);
    const QByteArray old = readFileBytes(path);

    FailingSaveFile file(path);
    const VocabSaveResult result =
        SaveVocabFile(file, {item("02", "new", "nuovo"), item("03", "more", "altro")}, 2);
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QString("No space left on device"));
    QCOMPARE(readFileBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"words.eng"});

    const VocabFileMessage message = SaveFailedMessage(path, result.error);
    QCOMPARE(message.title, QString("Save failed ..."));
    QVERIFY(message.text.contains(path));
    QVERIFY(message.text.contains("No space left on device"));
}

void TestVocabFile::saveOntoAFullDisk_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("mode");
    // A small file waits in the save file's buffer until it is flushed.
    QTest::newRow("small file") << 3 << int(fulldisk::Writes);
    QTest::newRow("large file") << 2000 << int(fulldisk::Writes);
    QTest::newRow("found only when synced") << 3 << int(fulldisk::Syncs);
}

void TestVocabFile::saveOntoAFullDisk()
{
    QFETCH(int, items);
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath("words.eng");
    const QByteArray old = "@@ 1\r\nold content\r\n";
    QVERIFY(writeFileBytes(path, old));

    fulldisk::mode = fulldisk::Mode(mode);
    const VocabSaveResult result =
        SaveVocabFile(path, QVector<VocabItem>(items, item("01", "w", "p")), 1);
    fulldisk::mode = fulldisk::Off;
    QVERIFY(!result.ok);
    QCOMPARE(result.error, QString("The disk is full: there is no room left for the file."));
    QCOMPARE(readFileBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"words.eng"});
}

void TestVocabFile::saveIntoImpossibleFolder()
{
    // Tests run as root, so a folder without write access would not stop the
    // write: use a folder that does not exist and one that is a plain file.
    QTemporaryDir dir;
    const QString plainFile = dir.filePath("plain");
    QVERIFY(writeFileBytes(plainFile, "keep"));
    for (const QString &path : {dir.filePath("vanished/words.eng"), plainFile + "/words.eng"}) {
        const VocabSaveResult result = SaveVocabFile(path, {item("01", "w", "p")}, 1);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
    }
    QCOMPARE(readFileBytes(plainFile), QByteArray("keep"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"plain"});
}

void TestVocabFile::saveReplacesFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("words.eng");
    QVERIFY(writeFileBytes(path, QByteArray(100000, 'x')));
    const QVector<VocabItem> items{item("04", "new", "nuovo")};
    QVERIFY(SaveVocabFile(path, items, 3).ok);
    QCOMPARE(readFileBytes(path), EncodeVocabFile(items, 3).bytes);
}

void TestVocabFile::readMissingFile()
{
    QTemporaryDir dir;
    VocabFileContents contents;
    QString error;
    QVERIFY(!ReadVocabFileAt(dir.filePath("none.eng"), contents, &error));
    QVERIFY(!error.isEmpty());
    const VocabFileMessage message = OpenFailedMessage(dir.filePath("none.eng"), error);
    QVERIFY(message.text.contains("none.eng"));
}

void TestVocabFile::readTooLargeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.eng");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(itemLine("01", " ", "w", "p").toLatin1() + "\r\n") > 0);
    QVERIFY(file.resize(MaxVocabFileBytes + 1)); // sparse: costs no disk space
    file.close();
    VocabFileContents contents;
    QString error;
    QVERIFY(!ReadVocabFileAt(path, contents, &error));
    QVERIFY(contents.items.isEmpty());
    QCOMPARE(error, QString("The file is larger than 64 MB: it is not a vocabulary."));

    // Exactly the limit is still read.
    QVERIFY(QFile::resize(path, MaxVocabFileBytes));
    QVERIFY2(ReadVocabFileAt(path, contents, &error), qPrintable(error));
    QCOMPARE(contents.items.size(), 1);

    // A file that tells no size (as those of /proc) is still read whole.
    QFile proc("/proc/self/mountinfo");
    if (proc.open(QIODevice::ReadOnly) && proc.size() == 0) {
        const qsizetype lines = proc.readAll().count('\n');
        QVERIFY(lines > 1);
        QVERIFY2(ReadVocabFileAt(proc.fileName(), contents, &error), qPrintable(error));
        QCOMPARE(contents.lineCount, lines);
    }
}

void TestVocabFile::extensionRule_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "/home/u/words" << "/home/u/words.eng";
    QTest::newRow("lower case") << "/home/u/words.eng" << "/home/u/words.eng";
    QTest::newRow("capitals") << "/home/u/words.ENG" << "/home/u/words.ENG";
    QTest::newRow("mixed") << "words.Eng" << "words.Eng";
    QTest::newRow("other extension") << "words.txt" << "words.txt.eng";
    QTest::newRow("ends in eng without dot") << "/u/leng" << "/u/leng.eng";
    QTest::newRow("only the extension") << ".eng" << ".eng";
}

void TestVocabFile::extensionRule()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QCOMPARE(WithEngExtension(chosen), written);
}

QTEST_GUILESS_MAIN(TestVocabFile)
#include "tst_vocabfile.moc"
