// The vocabulary table: positions, erasing, critical marks, sorting.
#include "vocab/vocabstore.h"

#include <QSignalSpy>
#include <QtTest>

class TestVocabStore : public QObject {
    Q_OBJECT
private slots:
    void positionsAfterErase();
    void criticalOnlyForLowerCaseC();
    void fullTableRefusesAppend();
    void stableCaseInsensitiveSort();
    void saveAvailableSignalsChanges();
};

static VocabItem item(const QString &lesson, const QString &eng, const QString &mine = "x",
                      const QString &mark = " ")
{
    return VocabItem{lesson, mark, eng, mine};
}

void TestVocabStore::positionsAfterErase()
{
    VocabStore store;
    for (int i = 1; i <= 5; ++i)
        store.Append(item("01", QString("w%1").arg(i)));
    store.Erase(3);
    QCOMPARE(store.ItemCount(), qint16(4));
    QCOMPARE(store.Item(3).English, QString("w4"));
    QCOMPARE(store.Item(4).English, QString("w5"));
    store.Erase(9); // a position that no longer exists changes nothing
    QCOMPARE(store.ItemCount(), qint16(4));
}

void TestVocabStore::criticalOnlyForLowerCaseC()
{
    VocabStore store;
    store.Append(item("01", "a", "x", "c"));
    store.Append(item("01", "b", "x", "C"));
    store.Append(item("01", "c", "x", "x"));
    QVERIFY(store.IsCritical(1));
    QVERIFY(!store.IsCritical(2));
    QVERIFY(!store.IsCritical(3));
    QVERIFY(!store.IsCritical(4));
}

void TestVocabStore::fullTableRefusesAppend()
{
    VocabStore store;
    QVector<VocabItem> items(ItemTable::MaxItems, item("01", "w"));
    store.SetItems(items);
    QCOMPARE(store.ItemCount(), qint16(32767));
    QVERIFY(!store.Append(item("02", "more")));
    QCOMPARE(store.ItemCount(), qint16(32767));
}

void TestVocabStore::stableCaseInsensitiveSort()
{
    VocabStore store;
    store.Append(item("02", "banana", "1"));
    store.Append(item("01", "Apple", "2"));
    store.Append(item("03", "apple", "3"));
    store.Append(item("01", "cherry", "4"));
    store.SortByColumn(ItemTable::EnglishColumn, Qt::AscendingOrder);
    QCOMPARE(store.Item(1).MyLanguage, QString("2")); // equal keys keep their order
    QCOMPARE(store.Item(2).MyLanguage, QString("3"));
    QCOMPARE(store.Item(3).English, QString("banana"));
    store.SortByColumn(ItemTable::LessonColumn, Qt::DescendingOrder);
    QCOMPARE(store.Item(1).Lesson, QString("03"));
    QCOMPARE(store.Item(4).Lesson, QString("01"));
}

void TestVocabStore::saveAvailableSignalsChanges()
{
    VocabStore store;
    QSignalSpy spy(&store, &VocabStore::saveAvailableChanged);
    store.SetSaveAvailable(true);
    store.SetSaveAvailable(true);
    store.SetSaveAvailable(false);
    QCOMPARE(spy.count(), 2);
    QVERIFY(!store.SaveAvailable());
}

QTEST_GUILESS_MAIN(TestVocabStore)
#include "tst_vocabstore.moc"
