// The options panel, driven through its real widgets: the lesson boxes and
// their rules, the sequence buttons, OK with the empty-selection question,
// the lesson table, Test reset, and the main window around the panel.
#include "test/optionspanel.h"
#include "test/testlog.h"
#include "viewsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using platform::Icon;
using platform::ShownBox;

class TestOptionsPanel : public WindowTest {
    Q_OBJECT
    OptionsPanel *panel = nullptr;

    // Items in lessons 2, 5 and 7 (lesson 7's second item critical), in an
    // order that is not the English order; then the boxes and the lesson table
    // as Open makes them, with the commands that Open enables.
    void openVocabulary()
    {
        ctx->store.SetItems({
            {"05", " ", "zebra", "zebra"},
            {"02", " ", "Apple", "mela"},
            {"07", " ", "mouse", "topo"},
            {"02", " ", "banana", "banana"},
            {"07", "c", "cat", "gatto"},
        });
        f->enableCommands();
        panel->CreateLessonBoxes();
        panel->RebuildLessonTable();
    }
    // Opens the panel (the commands of its menu entry) ready for clicks.
    void openPanel()
    {
        openVocabulary();
        panel->menuLezioni_Click();
    }
    QCheckBox *box(int lesson) { return mw->findChild<QCheckBox *>(QString("Ckles_%1").arg(lesson)); }
    QRadioButton *option(int order) { return named<QRadioButton>(mw, QString("Option%1").arg(order)); }
    QPushButton *okButton() { return named<QPushButton>(ui->FrameOpzioni, "Command5"); }
    QPushButton *restartButton() { return named<QPushButton>(ui->FrameOpzioni, "Command4"); }
    QGroupBox *group(const char *name) { return named<QGroupBox>(mw, name); }
    // A real click on the box: the press arms the rules, the release toggles it.
    void click(int lesson)
    {
        QCheckBox *b = box(lesson);
        QVERIFY(b && b->isVisible() && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    void ok() { QTest::mouseClick(okButton(), Qt::LeftButton); }
    QList<int> pool() const
    {
        QList<int> numbers;
        for (int i = 0; i < ctx->pool.Size(); ++i)
            numbers << ctx->pool.At(i);
        return numbers;
    }
    // The boxes that are ticked, and the lessons the run options choose
    // (0 standing for "All").
    QList<int> ticked()
    {
        QList<int> lessons;
        for (int k = 0; k <= 20; ++k)
            if (box(k)->isChecked())
                lessons << k;
        return lessons;
    }
    QList<int> chosen() const
    {
        QList<int> lessons;
        for (int k = 0; k <= 20; ++k)
            if (ctx->options.LessonChecked[k])
                lessons << k;
        return lessons;
    }

private slots:
    void init()
    {
        startWindow();
        panel = &mw->options();
    }
    void cleanup() { f.reset(); }

    void panelAtStartAndLessonBoxesOnNewAndOpen()
    {
        QFrame *frame = ui->FrameOpzioni;
        QVERIFY(frame->isHidden());
        QCOMPARE(frame->size(), QSize(201, 417));
        QCOMPARE(named<QLabel>(mw, "Label6")->text(), QString("OPTIONS"));
        QCOMPARE(named<QLabel>(mw, "Label6")->font().family(), QString("Times New Roman"));
        QCOMPARE(group("FrameLezioni")->title(), QString("Lessons"));
        QCOMPARE(group("FrameOrdine")->title(), QString("Sequence"));
        QCOMPARE(group("FrameLezioni")->geometry(), QRect(8, 24, 56, 379));

        // Only "All" exists before the first New or Open.
        QCOMPARE(mw->findChildren<QCheckBox *>(QRegularExpression("^Ckles_")).size(), 1);
        QCheckBox *all = mw->findChild<QCheckBox *>("Ckles_0");
        QCOMPARE(all, box(0));
        QCOMPARE(all->text(), QString("All"));
        QVERIFY(all->isChecked());
        QCOMPARE(all->geometry(), QRect(4, 22, 49, 15));
        QVERIFY(!box(1));

        const QStringList captions{"Random", "Forwards", "Backwards", "Criticals"};
        for (int order = 1; order <= 4; ++order) {
            QRadioButton *button = option(order);
            QCOMPARE(button->text(), captions[order - 1]);
            QCOMPARE(button->isChecked(), order == 2);
            QVERIFY(button->sizeHint().width() <= button->width());
        }
        QCOMPARE(ctx->options.CheckedOption, 2);

        auto *ok = mw->findChild<QPushButton *>("Command5");
        QCOMPARE(ok->text(), QString("OK"));
        QCOMPARE(ok->toolTip(), QString("Opzioni impostate"));
        QCOMPARE(ok->geometry(), QRect(88, 56, 89, 28));
        auto *restart = mw->findChild<QPushButton *>("Command4");
        QCOMPARE(restart->text(), QString("Restart"));
        QCOMPARE(restart->toolTip(), QString("Ricomincia con le stesse Opzioni"));
        QVERIFY(!restart->isEnabled());
        QVERIFY(!restart->isHidden());

        // The twenty lesson boxes, made again by every New and Open.
        for (int round = 0; round < 2; ++round) {
            panel->CreateLessonBoxes();
            QCOMPARE(mw->findChildren<QCheckBox *>(QRegularExpression("^Ckles_")).size(), 21);
            for (int k = 1; k <= 20; ++k) {
                QCheckBox *b = mw->findChild<QCheckBox *>(QString("Ckles_%1").arg(k));
                QCOMPARE(b, box(k));
                QCOMPARE(b->text(), QString("N.%1").arg(k));
                QVERIFY(!b->isEnabled());
                QVERIFY(!b->isHidden());
                QCOMPARE(b->y(), (330 + 250 * k) / 15);
                // The caption fits the box and the box fits the frame.
                QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
                QVERIFY(b->geometry().bottom() < group("FrameLezioni")->height());
                QVERIFY(!ctx->options.LessonEnabled[k]);
            }
            QCOMPARE(ticked(), QList<int>{0});
            QCOMPARE(chosen(), QList<int>{0});
        }
    }

    void lessonTable()
    {
        openVocabulary();
        // A lesson number outside 1..20 (not from the reader) gets no box.
        ctx->store.Append({"25", " ", "odd", "strano"});
        panel->RebuildLessonTable();
        const RunOptions &o = ctx->options;
        for (int k = 1; k <= 20; ++k) {
            const bool present = k == 2 || k == 5 || k == 7;
            QCOMPARE(o.LessonState[k], qint16(present ? 1 : 0));
            QCOMPARE(box(k)->isEnabled(), present);
        }
        QCOMPARE(ticked(), QList<int>{0});
        QCOMPARE(o.LessonClickArmed, qint16(1));
        QCOMPARE(pool(), QList<int>({1, 2, 3, 4, 5, 6}));

        // Lessons chosen before a rebuild keep their marks but "All" is checked
        // again and every item takes part.
        panel->menuLezioni_Click();
        click(5);
        QCOMPARE(ticked(), QList<int>{5});
        panel->RebuildLessonTable();
        QCOMPARE(ticked(), (QList<int>{0, 5}));
        QCOMPARE(o.LessonState[5], qint16(1));
        QCOMPARE(ctx->pool.Size(), 6);

        // When lesson 5 loses its only item, its box is disabled again.
        for (int n = 1; n <= ctx->store.ItemCount(); ++n)
            if (ctx->store.Item(n).Lesson == "05")
                ctx->store.Erase(n);
        panel->RebuildLessonTable();
        QCOMPARE(o.LessonState[5], qint16(0));
        QVERIFY(!box(5)->isEnabled());
    }

    void openingDisablesCommandsAndOkEnablesThem()
    {
        openVocabulary();
        ui->FrameRegole->show();
        ui->button(7)->trigger();
        QVERIFY(panel->isOpen());
        QVERIFY(ui->FrameOpzioni->isVisible());
        QVERIFY(ui->FrameRegole->isHidden());
        QCOMPARE(disabledMenus(*ui),
                 (QStringList{"menuFile", "menuView", "menuEdit", "menuTest", "menuOptions"}));
        QCOMPARE(enabledButtons(*ui), (QList<int>{1, 10}));

        ok();
        QVERIFY(!panel->isOpen());
        QVERIFY(desk->boxes.shown.isEmpty());
        QCOMPARE(disabledMenus(*ui), QStringList());
        QCOMPARE(enabledButtons(*ui), AllButtons);
        QCOMPARE(ctx->options.LessonClickArmed, qint16(0));
        QVERIFY(!restartButton()->isEnabled());

        // F2 opens the panel too, but not while it is open (its menu is disabled).
        mw->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mw));
        QTest::keyClick(mw, Qt::Key_F2);
        QVERIFY(panel->isOpen());
        option(1)->click();
        QTest::keyClick(mw, Qt::Key_F2);
        QVERIFY(option(1)->isChecked());
    }

    void openingSortsByEnglish()
    {
        openVocabulary();
        ctx->store.SortByColumn(ItemTable::MyLanguageColumn, Qt::AscendingOrder);
        ui->menuLezioni->trigger();
        QStringList english;
        for (int n = 1; n <= ctx->store.ItemCount(); ++n)
            english << ctx->store.Item(n).English;
        QCOMPARE(english, QStringList({"Apple", "banana", "cat", "mouse", "zebra"}));
        // The pool is built over the sorted items: lesson 7 is now items 3 and 4.
        QCOMPARE(pool(), QList<int>({1, 2, 3, 4, 5}));
        QCOMPARE(ctx->pool.CriticalNumbers(), std::vector<qint16>{3});

        // Items added later stay where they are put.
        ctx->store.Append({"02", " ", "ant", "formica"});
        QCOMPARE(ctx->store.Item(6).English, QString("ant"));
    }

    void checkingLessonsAndSequences()
    {
        openPanel();
        ctx->pool.PendingItem = 4;
        click(7);
        const RunOptions &o = ctx->options;
        QCOMPARE(ticked(), QList<int>{7});
        QCOMPARE(o.LessonState[7], qint16(2));
        QCOMPARE(o.LessonClickArmed, qint16(0));
        QCOMPARE(ctx->pool.PendingItem, qint16(0));
        QCOMPARE(chosen(), QList<int>{7});
        // The pool sees the boxes at once (after the sort: cat 3, mouse 4).
        ctx->pool.BuildItemPool(ctx->store, ctx->options);
        QCOMPARE(pool(), QList<int>({3, 4}));

        click(7);
        QCOMPARE(ticked(), QList<int>{0});
        QCOMPARE(o.LessonState[7], qint16(1));
        QCOMPARE(chosen(), QList<int>{0});
        ok();
        QCOMPARE(pool(), QList<int>({1, 2, 3, 4, 5}));

        // A click on a sequence button drops the pending item too; the order
        // itself is taken at OK.
        panel->menuLezioni_Click();
        ctx->pool.PendingItem = 3;
        QTest::mouseClick(option(1), Qt::LeftButton);
        QCOMPARE(ctx->pool.PendingItem, qint16(0));
        QCOMPARE(ctx->options.CheckedOption, 1);
        QCOMPARE(ctx->options.SequenceOrder, qint16(2));
        ok();
        QCOMPARE(ctx->options.SequenceOrder, qint16(1));
        QVERIFY(!restartButton()->isEnabled());
    }

    void clickingAllClearsTheLessons()
    {
        openPanel();
        click(2);
        click(5);
        const RunOptions &o = ctx->options;
        QCOMPARE(o.LessonState[2], qint16(2));
        QCOMPARE(o.LessonState[5], qint16(2));
        QCOMPARE(ticked(), (QList<int>{2, 5}));
        ok();
        QCOMPARE(pool(), QList<int>({1, 2, 5}));   // Apple, banana, zebra

        panel->menuLezioni_Click();
        click(0);
        QCOMPARE(ticked(), QList<int>{0});
        QCOMPARE(o.LessonState[2], qint16(1));
        QCOMPARE(o.LessonState[5], qint16(1));
        QCOMPARE(chosen(), QList<int>{0});
        ok();
        QCOMPARE(ctx->pool.Size(), 5);
    }

    void allAsOnlyChoiceGivesEmptySelection()
    {
        openPanel();
        option(3)->click();
        click(0);
        QCOMPARE(ticked(), QList<int>());

        QList<platform::ShownBox> &shown = desk->boxes.shown;
        desk->boxes.answers << platform::Cancel;
        ok();
        QCOMPARE(shown, (QList<ShownBox>{{"Redo your choice...", "Empty selection ... 'Forward' restored",
                                          Icon::None, platform::Ok | platform::Cancel}}));
        QVERIFY(panel->isOpen());
        QVERIFY(!menuEnabled(ui->menuFile));
        QVERIFY(!ui->button(7)->isEnabled());
        QVERIFY(option(3)->isChecked());
        QCOMPARE(ctx->options.SequenceOrder, qint16(3));

        desk->boxes.answers << platform::Ok;
        ok();
        QCOMPARE(shown.size(), 2);
        QVERIFY(!panel->isOpen());
        QVERIFY(option(2)->isChecked());
        QCOMPARE(ctx->options.SequenceOrder, qint16(2));
        QCOMPARE(ctx->pool.Size(), 0);
        QVERIFY(menuEnabled(ui->menuFile));
    }

    void criticalsWithoutCriticalItems()
    {
        openPanel();
        click(2);
        QTest::mouseClick(option(4), Qt::LeftButton);
        desk->boxes.answers << platform::Ok;
        ok();
        QCOMPARE(boxTexts(desk->boxes), QStringList{"Empty selection ... 'Forward' restored"});
        QVERIFY(!panel->isOpen());
        QVERIFY(option(2)->isChecked());
        QVERIFY(!option(4)->isChecked());
        QCOMPARE(ctx->options.SequenceOrder, qint16(2));
        QCOMPARE(pool(), QList<int>({1, 2}));   // lesson 2: Apple, banana

        // Criticals over lesson 7, which has one, needs no question; opening the
        // panel again selects the order in use.
        panel->menuLezioni_Click();
        QVERIFY(option(2)->isChecked());
        click(2);
        click(7);
        QTest::mouseClick(option(4), Qt::LeftButton);
        ok();
        QCOMPARE(desk->boxes.shown.size(), 1);
        QCOMPARE(ctx->options.SequenceOrder, qint16(4));
        QCOMPARE(pool(), QList<int>({3}));   // cat
        panel->menuLezioni_Click();
        QVERIFY(option(4)->isChecked());
    }

    // However a box changes (a slow click, a quick second click that Qt
    // reports as a double click, Space), the same rules run: the boxes shown,
    // the lesson states and the pool agree.
    void everyWayOfTogglingRunsTheRules_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("two clicks") << "clicks";
        QTest::newRow("double click") << "double";
        QTest::newRow("Space twice") << "space";
    }

    void everyWayOfTogglingRunsTheRules()
    {
        QFETCH(QString, way);
        openPanel();
        auto twice = [&](int lesson) {
            QCheckBox *b = box(lesson);
            const QPoint at(6, b->height() / 2);
            if (way == "clicks") {
                click(lesson);
                click(lesson);
            } else if (way == "double") {
                doubleClick(b, at);
            } else {
                b->setFocus();
                QTest::keyClick(b, Qt::Key_Space);
                QTest::keyClick(b, Qt::Key_Space);
            }
        };
        // With "All" ticked, lesson 5 on and off again: "All" comes back.
        twice(5);
        QCOMPARE(ticked(), QList<int>{0});
        QCOMPARE(ctx->options.LessonState[5], qint16(1));
        // With lesson 2 chosen, lesson 7 on and off again: only lesson 2.
        click(2);
        twice(7);
        QCOMPARE(ticked(), QList<int>{2});
        QCOMPARE(chosen(), QList<int>{2});
        QCOMPARE(ctx->options.LessonState[7], qint16(1));
        QCOMPARE(ctx->options.LessonState[2], qint16(2));
        // The sequence buttons: a double click selects as a click does.
        doubleClick(option(3), QPoint(6, option(3)->height() / 2));
        ok();
        QCOMPARE(ctx->options.SequenceOrder, qint16(3));
        QCOMPARE(pool(), QList<int>({1, 2}));
        QCOMPARE(LessonsField(ctx->options.LessonState), QString(" 2"));
    }

    void testReset()
    {
        openVocabulary();
        ctx->session.Score = 40;
        ctx->session.DoneCount = 9;
        ctx->pool.PendingItem = 2;
        ctx->store.Append({"05", " ", "dog", "cane"});
        ui->menuScore->trigger();
        QCOMPARE(ctx->session.Score, qint16(1000));
        QCOMPARE(ctx->session.DoneCount, qint16(0));
        QCOMPARE(ctx->pool.PendingItem, qint16(2));
        QCOMPARE(ctx->pool.Size(), 6);   // rebuilt, with the new item
        QVERIFY(!panel->isOpen());
        QVERIFY(menuEnabled(ui->menuFile));
    }

    void windowGrowsToFit()
    {
        openVocabulary();
        mw->resize(150, 200);
        QTRY_COMPARE(mw->size(), QSize(150, 200));
        QVERIFY(ui->Central->height() - 2 < ui->FrameOpzioni->height());
        panel->menuLezioni_Click();
        QVERIFY(ui->Central->height() - 2 >= ui->FrameOpzioni->height());
        QVERIFY(ui->Central->width() >= ui->FrameOpzioni->width());
        // In steps of 100 twips: never more than one step too tall.
        QVERIFY(ui->Central->height() - 2 < ui->FrameOpzioni->height() + 100 / 15);
    }

    void windowThatCannotGrowStopsGrowing()
    {
        openVocabulary();
        mw->resize(300, 200);
        mw->setMaximumHeight(260);
        QTRY_COMPARE(mw->size(), QSize(300, 200));
        panel->menuLezioni_Click();
        QCOMPARE(mw->height(), 260);
        QVERIFY(panel->isOpen());
        QVERIFY(option(2)->isChecked());
        QCOMPARE(ctx->pool.Size(), 5);
    }
};

QTEST_MAIN(TestOptionsPanel)
#include "tst_optionspanel.moc"
