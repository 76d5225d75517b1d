// The entry syntax: normalising, the bracket check, splitting into parts and
// the answer part.
#include "vocab/entry.h"

#include <QRandomGenerator>
#include <QtTest>

class TestEntry : public QObject {
    Q_OBJECT
private slots:
    void normalise_data();
    void normalise();
    void normaliseIsStableOnNormalForms();
    void normaliseMatchesStepByStepRewrite();
    void settledEntries_data();
    void settledEntries();
    void checkBrackets_data();
    void checkBrackets();
    void leadingBracketIsRefused_data();
    void leadingBracketIsRefused();
    void parse_data();
    void parse();
    void parseKeepsEveryAlternative();
    void mainText_data();
    void mainText();
};

void TestEntry::normalise_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks around brackets and commas")
        << "house(home ,dwelling )" << "house (home, dwelling)";
    QTest::newRow("words after the closing bracket dropped")
        << "to get (something) back" << "to get (something)";
    QTest::newRow("square brackets") << "to get  [ informal ]" << "to get [informal]";
    QTest::newRow("comma without bracket untouched") << "big ,large" << "big ,large";
    QTest::newRow("leading bracket untouched") << "(note) word" << "(note) word";
    QTest::newRow("no closing bracket") << "a(b ,c" << "a (b, c";
    QTest::newRow("parenthesis wins over earlier square bracket")
        << "a [x] b(c)" << "a [x] b (c)";
    QTest::newRow("comma before the bracket") << "a ,b (c,d)" << "a, b (c, d)";
    // The search goes on after where the comma stood before it moved left,
    // so a comma that moves past that place is not reached.
    QTest::newRow("blanks before a comma") << "x (a   ,b,   c)" << "x (a, b,   c)";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("closing bracket first") << "a )b(" << "a)";
}

void TestEntry::normalise()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(NormaliseEntry(text), expected);
}

void TestEntry::normaliseIsStableOnNormalForms()
{
    for (const QString &s : {QStringLiteral("house (home, dwelling)"),
                             QStringLiteral("to get [informal]"), QStringLiteral("go away"),
                             QStringLiteral("é (à, ü, ß)")})
        QCOMPARE(NormaliseEntry(s), s);
}

// The normalisation written step by step on whole strings, as a reference for
// the buffered one.
static QString normaliseStepByStep(QString s)
{
    qsizetype p = s.indexOf('(');
    if (p < 0)
        p = s.indexOf('[');
    if (p <= 0)
        return s;
    s = s.left(p).trimmed() + ' ' + s.at(p) + s.mid(p + 1).trimmed();
    qsizetype q = s.indexOf(')');
    if (q < 0)
        q = s.indexOf(']');
    if (q >= 1)
        s = s.left(q).trimmed() + s.at(q);
    for (qsizetype k = 0;;) {
        const qsizetype c = s.indexOf(',', k);
        if (c < 1)
            break;
        s = s.left(c).trimmed() + ", " + s.mid(c + 1).trimmed();
        k = c + 1;
    }
    return s;
}

void TestEntry::normaliseMatchesStepByStepRewrite()
{
    const QString alphabet = QStringLiteral("ab ,,  ()[]\t\u00A0\u3000é");
    QRandomGenerator random(7);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = random.bounded(0, 200);
        for (int i = 0; i < length; ++i)
            text += alphabet.at(random.bounded(alphabet.size()));
        QCOMPARE(NormaliseEntry(text), normaliseStepByStep(text));
        // Normalised texts, and texts close to them, take the short way for
        // entries already in normal form.
        QString near = normaliseStepByStep(text);
        QCOMPARE(NormaliseEntry(near), normaliseStepByStep(near));
        if (!near.isEmpty())
            near.insert(random.bounded(near.size()), alphabet.at(random.bounded(alphabet.size())));
        QCOMPARE(NormaliseEntry(near), normaliseStepByStep(near));
        // A settled entry needs neither the rewrite nor the check.
        for (const QString &t : {text, normaliseStepByStep(text), near}) {
            if (IsSettledEntry(t)) {
                QCOMPARE(normaliseStepByStep(t), t);
                QCOMPARE(int(CheckBrackets(t, "x")), 0);
                QCOMPARE(int(CheckBrackets("x", t)), 0);
            }
        }
    }
}

void TestEntry::settledEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("settled");
    QTest::newRow("plain") << "go away" << true;
    QTest::newRow("commas without brackets") << "big ,large" << true;
    QTest::newRow("alternatives") << "house (home, dwelling)" << true;
    QTest::newRow("tail") << "to get [informal]" << true;
    QTest::newRow("accents") << "é (à, ü, ß)" << true;
    QTest::newRow("blank before a comma") << "house (home , dwelling)" << false;
    QTest::newRow("two blanks after a comma") << "house (home,  dwelling)" << false;
    QTest::newRow("comma at the end") << "house (home,)" << false;
    QTest::newRow("no blank before the bracket") << "house(home)" << false;
    QTest::newRow("words after the bracket") << "to get (x) back" << false;
    QTest::newRow("unpaired") << "a (b" << false;
    QTest::newRow("both kinds") << "a (b) [c]" << false;
    QTest::newRow("leading bracket") << "(note) word" << false;
    QTest::newRow("closing bracket first") << "a )b(" << false;
    QTest::newRow("longer than 64 characters, left to the rewrite")
        << QString(70, 'a') + " (b)" << false;
}

void TestEntry::settledEntries()
{
    QFETCH(QString, text);
    QFETCH(bool, settled);
    QCOMPARE(IsSettledEntry(text), settled);
}

void TestEntry::checkBrackets_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("mine");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << "go away" << "vai via" << 0;
    QTest::newRow("alternatives both") << "house (home)" << "casa (dimora)" << 0;
    QTest::newRow("tails both") << "to get [informal]" << "prendere [inf]" << 0;
    QTest::newRow("English open only") << "a (b" << "casa (dimora" << 1;
    QTest::newRow("English mixed") << "a [b)" << "x" << 12;
    QTest::newRow("English both kinds") << "a (b) [c]" << "x" << 33;
    QTest::newRow("English reversed passes") << "a )b(" << "x" << 0;
    QTest::newRow("my language open only") << "house" << "casa (dimora" << 4;
    QTest::newRow("my language close only") << "house" << "casa dimora)" << 40;
    QTest::newRow("my language square close") << "house" << "casa]" << 80;
    QTest::newRow("my language both kinds") << "house" << "a (b) [c]" << 132;
    QTest::newRow("repeats do not count") << "a ((b)) (c)" << "x [[y]]" << 0;
}

void TestEntry::checkBrackets()
{
    QFETCH(QString, english);
    QFETCH(QString, mine);
    QFETCH(int, expected);
    QCOMPARE(int(CheckBrackets(english, mine)), expected);
}

void TestEntry::leadingBracketIsRefused_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("mine");
    QTest::addColumn<int>("expected");
    QTest::newRow("English parenthesis") << "(note) word" << "x" << int(EnglishLeadingBracket);
    QTest::newRow("English square") << "[x] word" << "x" << int(EnglishLeadingBracket);
    QTest::newRow("English after blanks") << "  (x)" << "x" << int(EnglishLeadingBracket);
    QTest::newRow("English closing first") << ")a(" << "x" << int(EnglishLeadingBracket);
    QTest::newRow("mine") << "word" << "(nota) parola" << int(MyLanguageLeadingBracket);
    QTest::newRow("unpaired sum comes first") << "(note" << "x" << 1;
    QTest::newRow("English checked first") << "(a)" << "(b)" << int(EnglishLeadingBracket);
}

void TestEntry::leadingBracketIsRefused()
{
    QFETCH(QString, english);
    QFETCH(QString, mine);
    QFETCH(int, expected);
    QCOMPARE(int(CheckBrackets(english, mine)), expected);
    // The codes cannot be confused with any sum of bracket codes.
    for (int sum = 0; sum <= 33 + 132; ++sum) {
        QVERIFY(sum != EnglishLeadingBracket);
        QVERIFY(sum != MyLanguageLeadingBracket);
    }
}

void TestEntry::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("alternatives") << "house (home, dwelling)"
                                  << QStringList{"house", "home", "dwelling"};
    QTest::newRow("tail is one part") << "to get [informal]" << QStringList{"to get [informal]"};
    QTest::newRow("empty parentheses") << "house ()" << QStringList{"house", ""};
    QTest::newRow("trimmed first") << "  go away  " << QStringList{"go away"};
    QTest::newRow("no closing bracket") << "a (b, c" << QStringList{"a", "b", "c"};
    QTest::newRow("bracket at the end") << "a (" << QStringList{"a", ""};
    QTest::newRow("closing bracket before opening") << "a ) b (" << QStringList{"a ) b", ""};
    QTest::newRow("leading bracket gives empty main text") << "(x, y)"
                                                           << QStringList{"", "x", "y"};
}

void TestEntry::parse()
{
    QFETCH(QString, text);
    QFETCH(QStringList, parts);
    QCOMPARE(ParseEntry(text), parts);
}

void TestEntry::parseKeepsEveryAlternative()
{
    QStringList alternatives;
    for (int i = 1; i <= 25; ++i)
        alternatives << QString::number(i);
    const QStringList parts = ParseEntry("n (" + alternatives.join(", ") + ")");
    QCOMPARE(parts.size(), 26);
    QCOMPARE(parts.first(), QString("n"));
    QCOMPARE(parts.mid(1), alternatives);
}

void TestEntry::mainText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("alternatives") << "house (home, dwelling)" << "house";
    QTest::newRow("tail") << "to get [informal]" << "to get";
    QTest::newRow("plain") << "go away" << "go away";
    QTest::newRow("leading bracket") << "(x)" << "";
    QTest::newRow("bracket second") << "a(b)" << "";
}

void TestEntry::mainText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(MainText(text), expected);
}

QTEST_APPLESS_MAIN(TestEntry)
#include "tst_entry.moc"
