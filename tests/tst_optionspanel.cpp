// The options panel, driven through its real widgets: the lesson boxes and
// their rules, the sequence buttons, OK with the empty-selection question,
// the lesson table, Test reset, and the main window around the panel.
#include "app/mainwindow.h"
#include "platform/scripted.h"
#include "test/optionspanel.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestOptionsPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void panelAtStart();
    void lessonBoxesOnNewAndOpen();
    void lessonTable();
    void openingDisablesCommandsAndOkEnablesThem();
    void openingSortsByEnglish();
    void checkingAndUncheckingALesson();
    void clickingAllClearsTheLessons();
    void allAsOnlyChoiceGivesEmptySelection();
    void criticalsWithoutCriticalItems();
    void optionClickDropsPendingItem();
    void keyboardToggleWhileNotArmed();
    void testReset();
    void windowGrowsToFit();
    void windowThatCannotGrowStopsGrowing();

private:
    // Items in lessons 2, 5 and 7 (lesson 7's second item critical), in an
    // order that is not the English order; then the boxes and the lesson table
    // as Open makes them, with the commands that Open enables.
    void openVocabulary();
    void click(int lesson);
    QCheckBox *box(int lesson) { return m_panel->Ckles(lesson); }
    QList<int> pool();

    platform::ScriptedDesktop *m_desk = nullptr;
    AppContext *m_ctx = nullptr;
    MainWindow *m_mw = nullptr;
    OptionsPanel *m_panel = nullptr;
};

void TestOptionsPanel::init()
{
    m_desk = new platform::ScriptedDesktop;
    m_ctx = new AppContext(m_desk->desktop());
    m_mw = new MainWindow(*m_ctx);
    m_panel = &m_mw->options();
    m_mw->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_mw));
}

void TestOptionsPanel::cleanup()
{
    delete m_mw;
    delete m_ctx;
    delete m_desk;
}

void TestOptionsPanel::openVocabulary()
{
    m_ctx->store.SetItems({
        {"05", " ", "zebra", "zebra"},
        {"02", " ", "Apple", "mela"},
        {"07", " ", "mouse", "topo"},
        {"02", " ", "banana", "banana"},
        {"07", "c", "cat", "gatto"},
    });
    for (QMenu *m : {m_mw->menuView, m_mw->menuEdit, m_mw->menuTest, m_mw->menuOptions})
        MainWindow::setMenuEnabled(m, true);
    m_mw->setButtonsEnabled({2, 3, 4, 5, 6, 7, 8, 9}, true);
    m_panel->CreateLessonBoxes();
    m_panel->RebuildLessonTable();
}

// A real click on the box: the press arms the rules, the release toggles it.
void TestOptionsPanel::click(int lesson)
{
    QCheckBox *b = box(lesson);
    QVERIFY(b && b->isVisible() && b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

QList<int> TestOptionsPanel::pool()
{
    QList<int> numbers;
    for (int i = 0; i < m_ctx->pool.Size(); ++i)
        numbers << m_ctx->pool.At(i);
    return numbers;
}

void TestOptionsPanel::panelAtStart()
{
    QFrame *frame = m_mw->FrameOpzioni;
    QVERIFY(frame->isHidden());
    QCOMPARE(frame->size(), QSize(201, 417));
    QCOMPARE(m_panel->Label6->text(), QString("OPTIONS"));
    QCOMPARE(m_panel->Label6->font().family(), QString("Times New Roman"));
    QCOMPARE(m_panel->FrameLezioni->title(), QString("Lessons"));
    QCOMPARE(m_panel->FrameOrdine->title(), QString("Sequence"));
    QCOMPARE(m_panel->FrameLezioni->geometry(), QRect(8, 24, 56, 379));

    // Only "All" exists before the first New or Open.
    QCOMPARE(m_mw->findChildren<QCheckBox *>(QRegularExpression("^Ckles_")).size(), 1);
    QCheckBox *all = m_mw->findChild<QCheckBox *>("Ckles_0");
    QCOMPARE(all, box(0));
    QCOMPARE(all->text(), QString("All"));
    QVERIFY(all->isChecked());
    QCOMPARE(all->geometry(), QRect(4, 22, 49, 15));
    QVERIFY(!box(1));

    const QStringList captions{"Random", "Forwards", "Backwards", "Criticals"};
    for (int order = 1; order <= 4; ++order) {
        QRadioButton *option = m_mw->findChild<QRadioButton *>(QString("Option%1").arg(order));
        QCOMPARE(option, m_panel->Option(order));
        QCOMPARE(option->text(), captions[order - 1]);
        QCOMPARE(option->isChecked(), order == 2);
        QVERIFY(option->sizeHint().width() <= option->width());
    }
    QCOMPARE(m_ctx->options.CheckedOption, 2);

    auto *ok = m_mw->findChild<QPushButton *>("Command5");
    QCOMPARE(ok->text(), QString("OK"));
    QCOMPARE(ok->toolTip(), QString("Opzioni impostate"));
    QCOMPARE(ok->geometry(), QRect(88, 56, 89, 28));
    auto *restart = m_mw->findChild<QPushButton *>("Command4");
    QCOMPARE(restart->text(), QString("Restart"));
    QCOMPARE(restart->toolTip(), QString("Ricomincia con le stesse Opzioni"));
    QVERIFY(!restart->isEnabled());
    QVERIFY(!restart->isHidden());
}

void TestOptionsPanel::lessonBoxesOnNewAndOpen()
{
    for (int round = 0; round < 2; ++round) {
        m_panel->CreateLessonBoxes();
        QCOMPARE(m_mw->findChildren<QCheckBox *>(QRegularExpression("^Ckles_")).size(), 21);
        for (int k = 1; k <= 20; ++k) {
            QCheckBox *b = m_mw->findChild<QCheckBox *>(QString("Ckles_%1").arg(k));
            QCOMPARE(b, box(k));
            QCOMPARE(b->text(), QString("N.%1").arg(k));
            QVERIFY(!b->isChecked());
            QVERIFY(!b->isEnabled());
            QVERIFY(!b->isHidden());
            QCOMPARE(b->y(), (330 + 250 * k) / 15);
            // The caption fits the box and the box fits the frame.
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
            QVERIFY(b->geometry().bottom() < m_panel->FrameLezioni->height());
            QVERIFY(!m_ctx->options.LessonChecked[k]);
            QVERIFY(!m_ctx->options.LessonEnabled[k]);
        }
        QVERIFY(box(0)->isChecked());
    }
}

void TestOptionsPanel::lessonTable()
{
    openVocabulary();
    // A lesson number outside 1..20 (not from the reader) gets no box.
    m_ctx->store.Append({"25", " ", "odd", "strano"});
    m_panel->RebuildLessonTable();
    const RunOptions &o = m_ctx->options;
    for (int k = 1; k <= 20; ++k) {
        const bool present = k == 2 || k == 5 || k == 7;
        QCOMPARE(o.LessonState[k], qint16(present ? 1 : 0));
        QCOMPARE(box(k)->isEnabled(), present);
    }
    QVERIFY(box(0)->isChecked());
    QCOMPARE(o.LessonClickArmed, qint16(1));
    QCOMPARE(pool(), QList<int>({1, 2, 3, 4, 5, 6}));

    // Lessons chosen before a rebuild keep their marks but "All" is checked
    // again and every item takes part.
    m_panel->menuLezioni_Click();
    click(5);
    QVERIFY(!box(0)->isChecked());
    m_panel->RebuildLessonTable();
    QVERIFY(box(0)->isChecked());
    QVERIFY(box(5)->isChecked());
    QCOMPARE(o.LessonState[5], qint16(1));
    QCOMPARE(m_ctx->pool.Size(), 6);

    // When lesson 5 loses its only item, its box is disabled again.
    for (int n = 1; n <= m_ctx->store.ItemCount(); ++n)
        if (m_ctx->store.Item(n).Lesson == "05")
            m_ctx->store.Erase(n);
    m_panel->RebuildLessonTable();
    QCOMPARE(o.LessonState[5], qint16(0));
    QVERIFY(!box(5)->isEnabled());
}

void TestOptionsPanel::openingDisablesCommandsAndOkEnablesThem()
{
    openVocabulary();
    m_mw->FrameRegole->show();
    m_mw->button(7)->trigger();
    QVERIFY(m_panel->isOpen());
    QVERIFY(m_mw->FrameOpzioni->isVisible());
    QVERIFY(m_mw->FrameRegole->isHidden());
    for (QMenu *m : {m_mw->menuFile, m_mw->menuView, m_mw->menuEdit, m_mw->menuTest,
                     m_mw->menuOptions})
        QVERIFY2(!MainWindow::isMenuEnabled(m), qPrintable(m->objectName()));
    QVERIFY(MainWindow::isMenuEnabled(m_mw->menuHelp));
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(m_mw->button(n)->isEnabled(), n == 1 || n == 10);

    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QVERIFY(!m_panel->isOpen());
    QVERIFY(m_desk->boxes.shown.isEmpty());
    for (QMenu *m : {m_mw->menuFile, m_mw->menuView, m_mw->menuEdit, m_mw->menuTest,
                     m_mw->menuOptions})
        QVERIFY(MainWindow::isMenuEnabled(m));
    for (int n = 2; n <= 9; ++n)
        QVERIFY(m_mw->button(n)->isEnabled());
    QCOMPARE(m_ctx->options.LessonClickArmed, qint16(0));
    QVERIFY(!m_panel->Command4->isEnabled());

    // F2 opens the panel too, but not while it is open (its menu is disabled).
    m_mw->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_mw));
    QTest::keyClick(m_mw, Qt::Key_F2);
    QVERIFY(m_panel->isOpen());
    m_panel->Option1->click();
    QTest::keyClick(m_mw, Qt::Key_F2);
    QVERIFY(m_panel->Option1->isChecked());
}

void TestOptionsPanel::openingSortsByEnglish()
{
    openVocabulary();
    m_ctx->store.SortByColumn(ItemTable::MyLanguageColumn, Qt::AscendingOrder);
    m_mw->menuLezioni->trigger();
    QStringList english;
    for (int n = 1; n <= m_ctx->store.ItemCount(); ++n)
        english << m_ctx->store.Item(n).English;
    QCOMPARE(english, QStringList({"Apple", "banana", "cat", "mouse", "zebra"}));
    // The pool is built over the sorted items: lesson 7 is now items 3 and 4.
    QCOMPARE(pool(), QList<int>({1, 2, 3, 4, 5}));
    QCOMPARE(m_ctx->pool.CriticalNumbers(), std::vector<qint16>{3});

    // Items added later stay where they are put.
    m_ctx->store.Append({"02", " ", "ant", "formica"});
    QCOMPARE(m_ctx->store.Item(6).English, QString("ant"));
}

void TestOptionsPanel::checkingAndUncheckingALesson()
{
    openVocabulary();
    m_panel->menuLezioni_Click();
    m_ctx->pool.PendingItem = 4;
    click(7);
    const RunOptions &o = m_ctx->options;
    QVERIFY(box(7)->isChecked());
    QVERIFY(!box(0)->isChecked());
    QCOMPARE(o.LessonState[7], qint16(2));
    QCOMPARE(o.LessonClickArmed, qint16(0));
    QCOMPARE(m_ctx->pool.PendingItem, qint16(0));
    QVERIFY(o.LessonChecked[7] && !o.LessonChecked[0]);
    // The pool sees the boxes at once (after the sort: cat 3, mouse 4).
    m_ctx->pool.BuildItemPool(m_ctx->store, m_ctx->options);
    QCOMPARE(pool(), QList<int>({3, 4}));

    click(7);
    QVERIFY(!box(7)->isChecked());
    QVERIFY(box(0)->isChecked());
    QCOMPARE(o.LessonState[7], qint16(1));
    QVERIFY(o.LessonChecked[0]);
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(pool(), QList<int>({1, 2, 3, 4, 5}));
}

void TestOptionsPanel::clickingAllClearsTheLessons()
{
    openVocabulary();
    m_panel->menuLezioni_Click();
    click(2);
    click(5);
    const RunOptions &o = m_ctx->options;
    QCOMPARE(o.LessonState[2], qint16(2));
    QCOMPARE(o.LessonState[5], qint16(2));
    QVERIFY(!box(0)->isChecked());
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(pool(), QList<int>({1, 2, 5}));   // Apple, banana, zebra

    m_panel->menuLezioni_Click();
    click(0);
    QVERIFY(box(0)->isChecked());
    QVERIFY(!box(2)->isChecked());
    QVERIFY(!box(5)->isChecked());
    QCOMPARE(o.LessonState[2], qint16(1));
    QCOMPARE(o.LessonState[5], qint16(1));
    QVERIFY(!o.LessonChecked[2] && !o.LessonChecked[5] && o.LessonChecked[0]);
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(m_ctx->pool.Size(), 5);
}

void TestOptionsPanel::allAsOnlyChoiceGivesEmptySelection()
{
    openVocabulary();
    m_panel->menuLezioni_Click();
    m_panel->Option3->click();
    click(0);
    QVERIFY(!box(0)->isChecked());
    for (int k = 1; k <= 20; ++k)
        QVERIFY(!box(k)->isChecked());

    m_desk->boxes.answers << platform::Cancel;
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    const platform::ShownBox shown = m_desk->boxes.shown[0];
    QCOMPARE(shown.title, QString("Redo your choice..."));
    QCOMPARE(shown.text, QString("Empty selection ... 'Forward' restored"));
    QCOMPARE(shown.buttons, platform::Ok | platform::Cancel);
    QCOMPARE(shown.icon, platform::Icon::None);
    QVERIFY(m_panel->isOpen());
    QVERIFY(!MainWindow::isMenuEnabled(m_mw->menuFile));
    QVERIFY(!m_mw->button(7)->isEnabled());
    QVERIFY(m_panel->Option3->isChecked());
    QCOMPARE(m_ctx->options.SequenceOrder, qint16(3));

    m_desk->boxes.answers << platform::Ok;
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(m_desk->boxes.shown.size(), 2);
    QVERIFY(!m_panel->isOpen());
    QVERIFY(m_panel->Option2->isChecked());
    QCOMPARE(m_ctx->options.SequenceOrder, qint16(2));
    QCOMPARE(m_ctx->pool.Size(), 0);
    QVERIFY(MainWindow::isMenuEnabled(m_mw->menuFile));
}

void TestOptionsPanel::criticalsWithoutCriticalItems()
{
    openVocabulary();
    m_panel->menuLezioni_Click();
    click(2);
    QTest::mouseClick(m_panel->Option4, Qt::LeftButton);
    QVERIFY(m_panel->Option4->isChecked());
    m_desk->boxes.answers << platform::Ok;
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    QCOMPARE(m_desk->boxes.shown[0].text, QString("Empty selection ... 'Forward' restored"));
    QVERIFY(!m_panel->isOpen());
    QVERIFY(m_panel->Option2->isChecked());
    QVERIFY(!m_panel->Option4->isChecked());
    QCOMPARE(m_ctx->options.SequenceOrder, qint16(2));
    QCOMPARE(pool(), QList<int>({1, 2}));   // lesson 2: Apple, banana

    // Criticals over lesson 7, which has one, needs no question; opening the
    // panel again selects the order in use.
    m_panel->menuLezioni_Click();
    QVERIFY(m_panel->Option2->isChecked());
    click(2);
    click(7);
    QTest::mouseClick(m_panel->Option4, Qt::LeftButton);
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    QCOMPARE(m_ctx->options.SequenceOrder, qint16(4));
    QCOMPARE(pool(), QList<int>({3}));   // cat
    m_panel->menuLezioni_Click();
    QVERIFY(m_panel->Option4->isChecked());
}

void TestOptionsPanel::optionClickDropsPendingItem()
{
    openVocabulary();
    m_panel->menuLezioni_Click();
    m_ctx->pool.PendingItem = 3;
    QTest::mouseClick(m_panel->Option1, Qt::LeftButton);
    QCOMPARE(m_ctx->pool.PendingItem, qint16(0));
    QCOMPARE(m_ctx->options.CheckedOption, 1);
    // The order itself is taken at OK.
    QCOMPARE(m_ctx->options.SequenceOrder, qint16(2));
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(m_ctx->options.SequenceOrder, qint16(1));
    QVERIFY(!m_panel->Command4->isEnabled());
}

void TestOptionsPanel::keyboardToggleWhileNotArmed()
{
    openVocabulary();
    m_panel->menuLezioni_Click();
    click(2);   // disarms
    box(5)->setFocus();
    QTest::keyClick(box(5), Qt::Key_Space);
    QVERIFY(box(5)->isChecked());
    // Only the box changed: its lesson state did not, but the pool follows it.
    QCOMPARE(m_ctx->options.LessonState[5], qint16(1));
    QVERIFY(m_ctx->options.LessonChecked[5]);
    QVERIFY(!box(0)->isChecked());
    QTest::mouseClick(m_panel->Command5, Qt::LeftButton);
    QCOMPARE(pool(), QList<int>({1, 2, 5}));
}

void TestOptionsPanel::testReset()
{
    openVocabulary();
    m_ctx->session.Score = 40;
    m_ctx->session.DoneCount = 9;
    m_ctx->pool.PendingItem = 2;
    m_ctx->store.Append({"05", " ", "dog", "cane"});
    m_mw->menuScore->trigger();
    QCOMPARE(m_ctx->session.Score, qint16(1000));
    QCOMPARE(m_ctx->session.DoneCount, qint16(0));
    QCOMPARE(m_ctx->pool.PendingItem, qint16(2));
    QCOMPARE(m_ctx->pool.Size(), 6);   // rebuilt, with the new item
    QVERIFY(!m_panel->isOpen());
    QVERIFY(MainWindow::isMenuEnabled(m_mw->menuFile));
}

void TestOptionsPanel::windowGrowsToFit()
{
    openVocabulary();
    m_mw->resize(150, 200);
    QTRY_COMPARE(m_mw->size(), QSize(150, 200));
    QVERIFY(m_mw->Central->height() - 2 < m_mw->FrameOpzioni->height());
    m_panel->menuLezioni_Click();
    QVERIFY(m_mw->Central->height() - 2 >= m_mw->FrameOpzioni->height());
    QVERIFY(m_mw->Central->width() >= m_mw->FrameOpzioni->width());
    // In steps of 100 twips: never more than one step too tall.
    QVERIFY(m_mw->Central->height() - 2 < m_mw->FrameOpzioni->height() + 100 / 15);
}

void TestOptionsPanel::windowThatCannotGrowStopsGrowing()
{
    openVocabulary();
    m_mw->resize(300, 200);
    m_mw->setMaximumHeight(260);
    QTRY_COMPARE(m_mw->size(), QSize(300, 200));
    m_panel->menuLezioni_Click();
    QCOMPARE(m_mw->height(), 260);
    QVERIFY(m_panel->isOpen());
    QVERIFY(m_panel->Option2->isChecked());
    QCOMPARE(m_ctx->pool.Size(), 5);
}

QTEST_MAIN(TestOptionsPanel)
#include "tst_optionspanel.moc"
