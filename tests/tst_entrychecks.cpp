// The rules of the edit view without its widgets: the entry checks with their
// order and boundaries, the duplicate search, the header sort marks and the
// fixed texts.
#include "edit/entrychecks.h"

#include <QtTest>

class TestEntryChecks : public QObject {
    Q_OBJECT
private slots:
    void faults_data()
    {
        QTest::addColumn<QString>("lesson");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("myLanguage");
        QTest::addColumn<QString>("message");

        const QString e47(47, u'e'), e48(48, u'e'), m50(50, u'm'), m51(51, u'm');
        QTest::newRow("english 47") << "3" << "" << e47 << "casa" << "";
        QTest::newRow("english 48") << "3" << "" << e48 << "casa" << "Wrong length for any data";
        QTest::newRow("english 48 with blanks around counts 48")
            << "3" << "" << "  " + e48 + "  " << "casa" << "Wrong length for any data";
        QTest::newRow("english 47 with blanks around") << "3" << "" << "  " + e47 + " " << "casa" << "";
        QTest::newRow("my language 50") << "3" << "" << "house" << m50 << "";
        QTest::newRow("my language 51") << "3" << "" << "house" << m51 << "Wrong length for any data";
        QTest::newRow("mark of two") << "3" << "cc" << "house" << "casa" << "Wrong length for any data";
        QTest::newRow("lesson 123") << "123" << "" << "house" << "casa" << "Wrong length for any data";
        QTest::newRow("length before missing")
            << "3" << "" << e48 << "" << "Wrong length for any data";
        QTest::newRow("length before lesson range")
            << "00" << "" << "house" << m51 << "Wrong length for any data";
        QTest::newRow("english missing") << "3" << "" << "   " << "casa" << "Any data missing";
        QTest::newRow("my language missing") << "3" << "" << "house" << "" << "Any data missing";
        QTest::newRow("lesson missing") << " " << "" << "house" << "casa" << "Any data missing";
        QTest::newRow("missing before lesson range") << "99" << "" << "" << "casa" << "Any data missing";
        QTest::newRow("lesson 00") << "00" << "" << "house" << "casa" << "Lesson nr out of range";
        QTest::newRow("lesson 0") << "0" << "" << "house" << "casa" << "Lesson nr out of range";
        QTest::newRow("lesson 21") << "21" << "" << "house" << "casa" << "Lesson nr out of range";
        QTest::newRow("lesson 7a") << "7a" << "" << "house" << "casa" << "Lesson nr out of range";
        QTest::newRow("lesson a") << "a" << "" << "house" << "casa" << "Lesson nr out of range";
        QTest::newRow("lesson -1") << "-1" << "" << "house" << "casa" << "Lesson nr out of range";
        QTest::newRow("lesson 01") << "01" << "" << "house" << "casa" << "";
        QTest::newRow("lesson 20") << "20" << "" << "house" << "casa" << "";
        QTest::newRow("range before brackets")
            << "21" << "" << "a (b" << "casa" << "Lesson nr out of range";
        QTest::newRow("english bracket open") << "3" << "" << "a (b" << "casa" << "Brackets error";
        QTest::newRow("mixed brackets") << "3" << "" << "a [b)" << "casa" << "Brackets error";
        QTest::newRow("my language bracket") << "3" << "" << "house" << "casa (dimora" << "Brackets error";
        QTest::newRow("leading bracket") << "3" << "" << "(note) word" << "casa" << "Brackets error";
        QTest::newRow("pairs pass") << "3" << "" << "house (home)" << "casa [f]" << "";
    }

    void faults()
    {
        QFETCH(QString, lesson);
        QFETCH(QString, mark);
        QFETCH(QString, english);
        QFETCH(QString, myLanguage);
        QFETCH(QString, message);
        const EntryCheck check = CheckEntry(lesson, mark, english, myLanguage);
        QCOMPARE(FaultMessage(check.fault), message);
        QCOMPARE(check.ok(), message.isEmpty());
    }

    void storedValues_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("lesson padded, mark defaulted")
            << QStringList{" 7 ", "", " go away ", " vai via "}
            << QStringList{"07", " ", "go away", "vai via"};
        QTest::newRow("blank mark") << QStringList{"12", "   ", "a", "b"}
                                    << QStringList{"12", " ", "a", "b"};
        QTest::newRow("any mark kept") << QStringList{"5", "x", "a", "b"}
                                       << QStringList{"05", "x", "a", "b"};
        QTest::newRow("normalised") << QStringList{"1", "c", "house(home ,dwelling )", "casa(dimora)  x"}
                                    << QStringList{"01", "c", "house (home, dwelling)", "casa (dimora)"};
        QTest::newRow("no bracket keeps commas")
            << QStringList{"1", "", "big ,large", "grande"} << QStringList{"01", " ", "big ,large", "grande"};
        QTest::newRow("line breaks become blanks")
            << QStringList{"2\n", "\t", "go\naway", "vai\r\nvia"}
            << QStringList{"02", " ", "go away", "vai  via"};
    }

    void storedValues()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, stored);
        const EntryCheck check = CheckEntry(typed[0], typed[1], typed[2], typed[3]);
        QVERIFY(check.ok());
        QCOMPARE(check.item, (VocabItem{stored[0], stored[1], stored[2], stored[3]}));
    }

    void normalisedTextMustFitTheFile()
    {
        // 47 typed characters that normalise to 49 still fit the 50 of the file.
        const QString english = QString(39, u'w') + "(a,b,c)x";
        EntryCheck check = CheckEntry("1", "", english, "casa");
        QVERIFY(check.ok());
        QCOMPARE(check.item.English, QString(39, u'w') + " (a, b, c)");
        // 50 typed characters that grow beyond 50 could not be written to the
        // file, so they are refused as too long instead of being stored.
        const QString mine = QString(42, u'm') + "(a,b,c)x";
        check = CheckEntry("1", "", "house", mine);
        QCOMPARE(check.fault, EntryFault::WrongLength);
    }

    void duplicateSearchIsExactAndGoesOn()
    {
        ItemTable table;
        table.SetItems({{"01", " ", "go", "a"},
                        {"02", " ", "Go", "b"},
                        {"03", " ", "go", "c"},
                        {"04", " ", "go ", "d"},
                        {"05", " ", "go", "e"}});
        QList<int> found;
        for (int n = NextDuplicate(table, "go", 0); n != 0; n = NextDuplicate(table, "go", n))
            found << n;
        QCOMPARE(found, (QList<int>{1, 3, 5}));
        QCOMPARE(NextDuplicate(table, "GO", 0), 0);
        QCOMPARE(NextDuplicate(table, "go", 5), 0);
        QCOMPARE(NextDuplicate(ItemTable(), "go", 0), 0);
    }

    void duplicateQuestionText()
    {
        QCOMPARE(DuplicateTitle(), QString("DUPLICATE ..."));
        QCOMPARE(DuplicateQuestion({"04", "c", "house (home)", "casa"}),
                 QString("Item exists yet in Less.= 04\r\n Eng.= house (home)\r\n Oth.= casa\r\n"
                         "\r\n To add anyway?"));
    }

    void headerSort_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QString>("newHeader");
        QTest::newRow("first click") << "ENGLISH" << 2 << true << "ENGLISH>";
        QTest::newRow("second click") << "ENGLISH>" << 2 << false << "ENGLISH<";
        QTest::newRow("third click") << "ENGLISH<" << 2 << true << "ENGLISH>";
        QTest::newRow("lesson") << "L" << 0 << true << "L>";
        QTest::newRow("mark descending") << "C>" << 1 << false << "C<";
        QTest::newRow("language title") << "ITALIAN" << 3 << true << "ITALIAN>";
        QTest::newRow("my language marked") << "MY LANGUAGE>" << 3 << false << "MY LANGUAGE<";
        QTest::newRow("lower case name is another name") << "english" << 3 << true << "english>";
    }

    void headerSort()
    {
        QFETCH(QString, header);
        QFETCH(int, column);
        QFETCH(bool, ascending);
        QFETCH(QString, newHeader);
        const HeaderSort sort = SortForHeader(header);
        QCOMPARE(sort.column, column);
        QCOMPARE(sort.order, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        QCOMPARE(sort.headerText, newHeader);
    }

    void fixedTexts()
    {
        QCOMPARE(ProgramTitle(), QString("    Vocanto"));
        QCOMPARE(TotalItemsText(0), QString("Total items = 0"));
        QCOMPARE(TotalItemsText(32767), QString("Total items = 32767"));
        QCOMPARE(ItemNrText(4), QString("Item nr =4"));
        QVERIFY(FullTableMessage().contains("32767"));
        const QStringList lines = EditInstructions().split("\r\n");
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], QString("To SELECT an existing item, click on its Lesson nr, and it will"));
        QCOMPARE(lines[3], QString("   or"));
        QCOMPARE(lines[9], QString("   Suggestion: use the Enter key when adding a sequence of items."));
        QVERIFY(!EditInstructions().contains("\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestEntryChecks)
#include "tst_entrychecks.moc"
