// The lesson-box rules on the run options alone, for a case that clicks on
// the panel reach only in a roundabout way: a rebuild while armed.
#include "test/lessonrules.h"
#include "vocab/vocabstore.h"

#include <QtTest>

class TestLessonRules : public QObject {
    Q_OBJECT
private slots:
    void rebuildWhileArmedUnchecksTheLessons()
    {
        VocabStore store;
        RunOptions o;
        LessonRules rules(o);
        // Lessons 2, 5 and 9 present, "All" checked, armed.
        store.SetItems({{"02", " ", "a", "a"}, {"05", " ", "b", "b"}, {"09", "c", "c", "c"}});
        rules.ResetLessonBoxes();
        rules.RebuildTable(store);
        QVERIFY(o.LessonChecked[0]);
        QCOMPARE(o.LessonClickArmed, qint16(1));
        rules.BoxChanged(5, true);          // disarms
        QVERIFY(!o.LessonChecked[0]);
        // Not armed: checking "All" keeps the lesson's mark.
        QVERIFY(!rules.RebuildTable(store));
        QVERIFY(o.LessonChecked[5]);
        QCOMPARE(o.LessonState[5], qint16(1));

        // A lesson chosen, then a press on a box released outside it: armed,
        // with "All" unchecked. A rebuild then runs the rules from "All", which
        // clears the lesson boxes.
        rules.BoxChanged(2, true);
        QCOMPARE(o.LessonClickArmed, qint16(0));
        rules.Ckles_MouseDown();
        QVERIFY(rules.RebuildTable(store));
        QVERIFY(o.LessonChecked[0]);
        QVERIFY(!o.LessonChecked[2]);
        QVERIFY(!o.LessonChecked[5]);

        // A lesson whose items have gone is absent again, though "All" marked it.
        store.SetItems({{"02", " ", "a", "a"}});
        o.LessonChecked[0] = false;
        rules.RebuildTable(store);
        QCOMPARE(o.LessonState[5], qint16(0));
        QVERIFY(!o.LessonEnabled[5]);
        QVERIFY(!o.LessonEnabled[9]);
        QVERIFY(o.LessonEnabled[2]);
    }
};

QTEST_MAIN(TestLessonRules)
#include "tst_lessonrules.moc"
