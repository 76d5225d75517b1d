// The vocabularies that ship with the program: each one opens without a
// message and is saved back byte for byte, and the folder is found beside
// the program and in the installed layout.
#include "app/helpcommands.h"
#include "vocab/vocabfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class TestStarter : public QObject {
    Q_OBJECT
private slots:
    void vocabulary_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("languageCode");
        QTest::newRow("Italian") << "English-Italian.eng" << 1;
        QTest::newRow("French") << "English-French.eng" << 2;
        QTest::newRow("German") << "English-German.eng" << 3;
        QTest::newRow("Spanish") << "English-Spanish.eng" << 4;
    }

    void vocabulary()
    {
        QFETCH(QString, fileName);
        QFETCH(int, languageCode);
        // Found as the program finds it when started from the build tree.
        const QString folder = FindStarterFolder(QCoreApplication::applicationDirPath() + "/../src");
        QVERIFY2(!folder.isEmpty(), "no starter folder beside the program");
        QFile file(QDir(folder).filePath(fileName));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();

        const VocabFileContents contents = ReadVocabFile(bytes);
        QVERIFY2(contents.messages.isEmpty(), qPrintable(contents.messages.value(0).text));
        QCOMPARE(contents.languageCode, std::optional<qint16>(qint16(languageCode)));
        QVERIFY(contents.items.size() >= 300);
        QSet<QString> lessons;
        for (const VocabItem &item : contents.items) {
            lessons.insert(item.Lesson);
            QCOMPARE(item.CriticalMark, QString(" "));
            // What the edit work area would let the user type.
            QVERIFY2(item.English.size() <= 47, qPrintable(item.English));
        }
        QVERIFY(lessons.size() >= 10);

        // Saved again unchanged: every entry is already in its normal form,
        // and the file is in the layout and encoding that Save writes.
        const VocabFileBytes written = EncodeVocabFile(contents.items, qint16(languageCode));
        QVERIFY(written.ok());
        QVERIFY(!written.utf8);
        QCOMPARE(written.bytes, bytes);
    }

    void folderBesideProgramComesFirst()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        QCOMPARE(FindStarterFolder(bin), QString());
        const QString installed = QDir::cleanPath(prefix.filePath("share/vocanto/Starter vocabularies"));
        QVERIFY(QDir().mkpath(installed));
        QCOMPARE(FindStarterFolder(bin), installed);
        const QString beside = QDir::cleanPath(prefix.filePath("bin/Starter vocabularies"));
        QVERIFY(QDir().mkpath(beside));
        QCOMPARE(FindStarterFolder(bin), beside);
    }
};

QTEST_GUILESS_MAIN(TestStarter)
#include "tst_starter.moc"
