// The edit view driven through its real widgets: opening and closing, clicks
// in both lists, header sorting, the work area's Add, Change and Erase with
// their messages, the keys of the four fields and the edit instructions.
#include "app/mainwindow.h"
#include "edit/editview.h"
#include "edit/workarea.h"
#include "platform/scripted.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

namespace {

VocabItem item(const char *lesson, const char *mark, const char *english, const char *mine)
{
    return {QString::fromUtf8(lesson), QString::fromUtf8(mark), QString::fromUtf8(english),
            QString::fromUtf8(mine)};
}

QStringList englishColumn(const ItemTable &table)
{
    QStringList texts;
    for (const VocabItem &i : table.Items())
        texts << i.English;
    return texts;
}

bool isRed(const QLineEdit *field)
{
    return field->palette().color(QPalette::Text) == QColor(255, 0, 0);
}

} // namespace

class TestEditView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openAndClose();
    void closingRebuildsTheLessonTable();
    void emptyVocabularyOpensWithZero();
    void itemClickLoadsTheWorkArea();
    void readViewClickDoesNothing();
    void listenClickSpeaksAndReportsFailure();
    void criticalsListLeavesOutOtherMarks();
    void sortDirectionsAndMarks();
    void sortClearsTheWorkAreaAndFollowsEverywhere();
    void sortOfCriticalsSortsOnlyTheCopy();
    void checkMessages_data();
    void checkMessages();
    void addStoresNormalisedAndKeepsLesson();
    void duplicatesAskForEachAndStopAtNo();
    void changeReplacesTheLoadedItem();
    void eraseThenAddBringsTheItemBack();
    void buttonStatesFollowEveryEvent();
    void enterFlowAndTabOrder();
    void fieldKeys();
    void redPastTheLongestText();
    void instructionsFrameGrowsTheWindow();
    void fullTableRefusesAdd();
    void poolNeverHandsOutAnErasedPosition();

private:
    void fill(const QVector<VocabItem> &items);
    void openView();
    void clickRow(QTreeView *list, int row);
    void clickHeader(QTreeView *list, int section);
    void fillFields(const QString &lesson, const QString &mark, const QString &english,
                    const QString &mine);
    void checkButtons(bool add, bool change, bool erase);

    platform::ScriptedDesktop *m_desk = nullptr;
    AppContext *m_ctx = nullptr;
    MainWindow *m_mw = nullptr;
    WorkArea *w = nullptr;
};

void TestEditView::init()
{
    m_desk = new platform::ScriptedDesktop;
    m_ctx = new AppContext(m_desk->desktop());
    m_mw = new MainWindow(*m_ctx);
    w = &m_mw->edit().workArea();
    // As after Open: every menu and button usable.
    for (QMenu *m : {m_mw->menuView, m_mw->menuEdit, m_mw->menuTest, m_mw->menuOptions})
        MainWindow::setMenuEnabled(m, true);
    m_mw->setButtonsEnabled({2, 3, 4, 5, 6, 7, 8, 9}, true);
    m_mw->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_mw));
}

void TestEditView::cleanup()
{
    delete m_mw;
    delete m_ctx;
    delete m_desk;
}

void TestEditView::fill(const QVector<VocabItem> &items)
{
    m_ctx->store.SetItems(items);
}

void TestEditView::openView()
{
    m_mw->menuAggiorna->trigger();
    QVERIFY(m_mw->edit().isOpen());
}

void TestEditView::clickRow(QTreeView *list, int row)
{
    const QModelIndex index = list->model()->index(row - 1, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void TestEditView::clickHeader(QTreeView *list, int section)
{
    QHeaderView *header = list->header();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

void TestEditView::fillFields(const QString &lesson, const QString &mark, const QString &english,
                              const QString &mine)
{
    w->LEZ->setText(lesson);
    w->CRI->setText(mark);
    w->ENGL->setText(english);
    w->ITAL->setText(mine);
}

void TestEditView::checkButtons(bool add, bool change, bool erase)
{
    QCOMPARE(w->Cadd->isEnabled(), add);
    QCOMPARE(w->Cmod->isEnabled(), change);
    QCOMPARE(w->Ccan->isEnabled(), erase);
}

void TestEditView::openAndClose()
{
    fill({item("01", " ", "house", "casa"), item("02", "c", "dog", "cane"),
          item("03", " ", "cat", "gatto")});
    m_mw->FrameRegole->show();
    const int closedHeight = m_mw->ListaVoci->height();

    openView();
    QVERIFY(!m_mw->FrameRegole->isVisible());
    QVERIFY(!m_mw->Sfondo->isVisible());
    QVERIFY(m_mw->isButtonPressed(6));
    QCOMPARE(m_mw->menuAggiorna->text(), QString("End editing"));
    QCOMPARE(m_mw->Label0->text(), QString("All items - All lessons"));
    QVERIFY(m_mw->Label0->isVisible());
    QCOMPARE(m_mw->Label1->text(), QString("Total items = 3"));
    QVERIFY(m_mw->Label1->isVisible());
    QVERIFY(m_mw->ListaVoci->isVisible());
    QVERIFY(m_mw->ListaVoci->viewport()->testAttribute(Qt::WA_SetCursor));
    // The pencil picture, with its tip as the hot spot.
    QCOMPARE(m_mw->ListaVoci->viewport()->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(m_mw->ListaVoci->viewport()->cursor().hotSpot(), QPoint(2, 30));
    QVERIFY(!m_mw->ChkCri->isVisible());
    QVERIFY(!m_mw->Label8->isVisible());
    for (QMenu *m : {m_mw->menuView, m_mw->menuTest, m_mw->menuOptions})
        QVERIFY(!MainWindow::isMenuEnabled(m));
    QVERIFY(MainWindow::isMenuEnabled(m_mw->menuEdit));
    QVERIFY(m_mw->menuSalva->isEnabled());
    for (int n = 1; n <= 10; ++n)
        QCOMPARE(m_mw->button(n)->isEnabled(), n == 1 || n == 6 || n == 10);
    for (QWidget *c : std::initializer_list<QWidget *>{w->LEZ, w->CRI, w->ENGL, w->ITAL, w->Ccan,
                                                       w->Cmod, w->Cadd, w->Cpul, w->Ccome}) {
        QVERIFY2(c->isVisible(), qPrintable(c->objectName()));
        QCOMPARE(c->parentWidget(), m_mw->Central);
    }
    QCOMPARE(w->Ccan->text(), QString("E"));
    QCOMPARE(w->Cmod->text(), QString("C"));
    QCOMPARE(w->Cadd->text(), QString("A"));
    QCOMPARE(w->Cpul->text(), QString("Clear work area"));
    QCOMPARE(w->Ccome->toolTip(), QString("Edit instruction"));
    QCOMPARE(w->Cpul->toolTip(), QString("Clear below"));
    QCOMPARE(w->ENGL->accessibleName(), QString("English"));
    checkButtons(true, false, false);
    QCOMPARE(m_mw->edit().SelectedItem, qint16(0));

    // The list ends above the work area, which sits at the bottom edge.
    const QRect list = m_mw->ListaVoci->geometry();
    QVERIFY(list.height() < closedHeight);
    QVERIFY(w->Cadd->geometry().top() > list.bottom());
    QVERIFY(w->LEZ->geometry().top() > w->Cadd->geometry().bottom());
    QVERIFY(w->LEZ->geometry().bottom() < m_mw->Central->height());
    QVERIFY(w->LEZ->x() < w->CRI->x() && w->CRI->x() < w->ENGL->x() && w->ENGL->x() < w->ITAL->x());

    // An item loaded, a status shown and the instructions open: closing
    // clears all of it away.
    clickRow(m_mw->ListaVoci, 2);
    w->Ccome->click();
    w->Ccan->click();
    QVERIFY(w->Label2->isVisible());
    m_ctx->store.SetSaveAvailable(false);
    m_mw->button(6)->trigger();
    QVERIFY(!m_mw->edit().isOpen());
    QCOMPARE(m_mw->menuAggiorna->text(), QString("Edit items"));
    QVERIFY(!m_mw->isButtonPressed(6));
    QVERIFY(!m_mw->ListaVoci->isVisible());
    QVERIFY(!m_mw->ListaVoci->viewport()->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(m_mw->ListaVoci->height(), closedHeight);
    for (QWidget *c : std::initializer_list<QWidget *>{m_mw->Label0, m_mw->Label1, w->Label2,
                                                       m_mw->FrameAggiorna, w->LEZ, w->ITAL,
                                                       w->Cadd, w->Ccome})
        QVERIFY2(!c->isVisible(), qPrintable(c->objectName()));
    for (QMenu *m : {m_mw->menuView, m_mw->menuTest, m_mw->menuOptions})
        QVERIFY(MainWindow::isMenuEnabled(m));
    QVERIFY(m_mw->menuSalva->isEnabled());
    for (int n = 1; n <= 10; ++n)
        QVERIFY(m_mw->button(n)->isEnabled());
    QVERIFY(m_mw->Sfondo->isVisible());
}

void TestEditView::closingRebuildsTheLessonTable()
{
    fill({item("01", " ", "house", "casa")});
    openView();
    fillFields("7", "", "dog", "cane");
    w->Cadd->click();
    QVERIFY(!m_ctx->options.LessonEnabled[7]);
    m_mw->menuAggiorna->trigger();
    QVERIFY(m_ctx->options.LessonEnabled[7]);
    QCOMPARE(m_ctx->options.LessonState[7], qint16(1));
    QCOMPARE(m_ctx->pool.Size(), 2);
}

void TestEditView::emptyVocabularyOpensWithZero()
{
    openView();
    QCOMPARE(m_mw->Label1->text(), QString("Total items = 0"));
    // Change and Erase with nothing loaded do nothing and say nothing.
    w->Cmod_Click();
    w->Ccan_Click();
    QVERIFY(m_desk->boxes.shown.isEmpty());
    QVERIFY(!w->Label2->isVisible());
}

void TestEditView::itemClickLoadsTheWorkArea()
{
    fill({item("01", " ", "house", "casa"), item("02", "c", "dog", "cane")});
    openView();
    w->ShowStatus("Add done!");
    clickRow(m_mw->ListaVoci, 2);
    QCOMPARE(m_mw->edit().SelectedItem, qint16(2));
    QCOMPARE(m_mw->ListaVoci->currentIndex().row(), 1);
    QCOMPARE(w->LEZ->text(), QString("02"));
    QCOMPARE(w->CRI->text(), QString("c"));
    QCOMPARE(w->ENGL->text(), QString("dog"));
    QCOMPARE(w->ITAL->text(), QString("cane"));
    QVERIFY(!w->Label2->isVisible());
    checkButtons(false, false, true);
    QVERIFY(m_desk->speech.spoken.isEmpty());
}

void TestEditView::readViewClickDoesNothing()
{
    fill({item("01", " ", "house", "casa")});
    m_mw->ListaVoci->show(); // as the read view shows it
    clickRow(m_mw->ListaVoci, 1);
    QCOMPARE(m_mw->edit().SelectedItem, qint16(0));
    QVERIFY(w->ENGL->text().isEmpty());
    QVERIFY(w->LEZ->text().isEmpty());
    QVERIFY(m_desk->speech.spoken.isEmpty());
    QVERIFY(m_desk->boxes.shown.isEmpty());
}

void TestEditView::listenClickSpeaksAndReportsFailure()
{
    fill({item("01", " ", "house", "casa"), item("02", "c", "dog", "cane")});
    m_mw->setButtonPressed(5, true);
    m_mw->ListaVoci->show();
    clickRow(m_mw->ListaVoci, 2);
    QCOMPARE(m_desk->speech.spoken, QStringList{"dog"});
    QCOMPARE(w->ENGL->text(), QString("dog"));
    QVERIFY(w->LEZ->text().isEmpty());
    QVERIFY(m_desk->boxes.shown.isEmpty());

    m_desk->speech.fail = true;
    m_mw->edit().ListaVoci_ItemClick(1);
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    QCOMPARE(m_desk->boxes.shown[0].title, QString("Attention"));
    QCOMPARE(m_desk->boxes.shown[0].text, QString("Any error ..."));
    QCOMPARE(m_desk->boxes.shown[0].icon, platform::Icon::Critical);

    // The criticals list speaks in any view, and never loads the work area.
    m_desk->speech.fail = false;
    m_mw->setButtonPressed(5, false);
    openView();
    m_mw->edit().RebuildCriticalsList();
    m_mw->ListaCri->show();
    clickRow(m_mw->ListaCri, 1);
    QCOMPARE(m_desk->speech.spoken.last(), QString("dog"));
    QCOMPARE(m_mw->edit().SelectedItem, qint16(0));
    QVERIFY(w->LEZ->text().isEmpty());
}

void TestEditView::criticalsListLeavesOutOtherMarks()
{
    fill({item("01", "c", "one", "uno"), item("01", "C", "two", "due"),
          item("02", " ", "three", "tre"), item("02", "x", "four", "quattro"),
          item("03", "c", "five", "cinque")});
    m_mw->criticalsTable()->SetItems({item("09", "c", "old", "vecchio")});
    m_mw->edit().RebuildCriticalsList();
    QCOMPARE(englishColumn(*m_mw->criticalsTable()), (QStringList{"one", "five"}));
    QCOMPARE(m_mw->criticalsTable()->Item(2), item("03", "c", "five", "cinque"));
}

void TestEditView::sortDirectionsAndMarks()
{
    fill({item("02", " ", "banana", "b"), item("01", " ", "Cherry", "c"),
          item("03", " ", "apple", "a"), item("01", " ", "date", "d")});
    m_mw->ctx().store.SetHeaderText(3, "ITALIAN");
    openView();
    QTreeView *list = m_mw->ListaVoci;
    const ItemTable &store = m_ctx->store;

    clickHeader(list, 2);
    QCOMPARE(store.HeaderText(2), QString("ENGLISH>"));
    QCOMPARE(englishColumn(store), (QStringList{"apple", "banana", "Cherry", "date"}));
    clickHeader(list, 2);
    QCOMPARE(store.HeaderText(2), QString("ENGLISH<"));
    QCOMPARE(englishColumn(store), (QStringList{"date", "Cherry", "banana", "apple"}));
    clickHeader(list, 2);
    QCOMPARE(store.HeaderText(2), QString("ENGLISH>"));
    QCOMPARE(englishColumn(store), (QStringList{"apple", "banana", "Cherry", "date"}));

    // Another column sorts ascending first; the English mark stays. Equal
    // lessons keep their order (Cherry before date).
    clickHeader(list, 0);
    QCOMPARE(store.HeaderText(0), QString("L>"));
    QCOMPARE(store.HeaderText(2), QString("ENGLISH>"));
    QCOMPARE(englishColumn(store), (QStringList{"Cherry", "date", "banana", "apple"}));
    clickHeader(list, 0);
    QCOMPARE(store.HeaderText(0), QString("L<"));
    QCOMPARE(englishColumn(store), (QStringList{"apple", "banana", "Cherry", "date"}));

    // The language title names the fourth column.
    m_mw->edit().ListaVoci_ColumnClick(3);
    QCOMPARE(store.HeaderText(3), QString("ITALIAN>"));
    QCOMPARE(store.Item(1).MyLanguage, QString("a"));
    QCOMPARE(list->model()->headerData(3, Qt::Horizontal).toString(), QString("ITALIAN>"));
}

void TestEditView::sortClearsTheWorkAreaAndFollowsEverywhere()
{
    fill({item("02", " ", "b", "2"), item("01", " ", "c", "3"), item("02", " ", "a", "1")});
    // A run over lesson 2 only, built before the sort.
    m_ctx->options.LessonChecked[0] = false;
    m_ctx->options.LessonChecked[2] = true;
    m_ctx->pool.BuildItemPool(m_ctx->store, m_ctx->options);
    QCOMPARE(m_ctx->pool.Size(), 2);

    openView();
    clickRow(m_mw->ListaVoci, 1);
    QTest::keyClicks(w->ENGL, "x");
    checkButtons(false, true, true);
    w->ShowStatus("Change done!");
    clickHeader(m_mw->ListaVoci, 2);
    QCOMPARE(m_mw->edit().SelectedItem, qint16(0));
    for (QLineEdit *f : {w->LEZ, w->CRI, w->ENGL, w->ITAL})
        QVERIFY(f->text().isEmpty());
    checkButtons(true, false, false);
    QVERIFY(!w->Label2->isVisible());
    QVERIFY(!m_mw->ListaVoci->selectionModel()->hasSelection());

    // The positions now name the sorted items, and the pool follows them.
    QCOMPARE(englishColumn(m_ctx->store), (QStringList{"a", "b", "c"}));
    for (int i = 0; i < m_ctx->pool.Size(); ++i)
        QCOMPARE(m_ctx->store.Item(m_ctx->pool.At(i)).Lesson, QString("02"));
}

void TestEditView::sortOfCriticalsSortsOnlyTheCopy()
{
    fill({item("01", "c", "b", "2"), item("01", "c", "a", "1")});
    m_mw->edit().RebuildCriticalsList();
    m_mw->ListaCri->show();
    clickHeader(m_mw->ListaCri, 2);
    QCOMPARE(m_mw->criticalsTable()->HeaderText(2), QString("ENGLISH>"));
    QCOMPARE(englishColumn(*m_mw->criticalsTable()), (QStringList{"a", "b"}));
    QCOMPARE(englishColumn(m_ctx->store), (QStringList{"b", "a"}));
    QCOMPARE(m_ctx->store.HeaderText(2), QString("ENGLISH"));
}

void TestEditView::checkMessages_data()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("mine");
    QTest::addColumn<QString>("message");
    const QString e47(47, u'e'), e48(48, u'e'), m50(50, u'm'), m51(51, u'm');
    QTest::newRow("english 47") << "1" << e47 << "casa" << "";
    QTest::newRow("english 48") << "1" << e48 << "casa" << "Wrong length for any data";
    QTest::newRow("mine 50") << "1" << "house" << m50 << "";
    QTest::newRow("mine 51") << "1" << "house" << m51 << "Wrong length for any data";
    QTest::newRow("length before missing") << "1" << e48 << "" << "Wrong length for any data";
    QTest::newRow("lesson 123") << "123" << "house" << "casa" << "Wrong length for any data";
    QTest::newRow("missing") << "1" << "house" << "" << "Any data missing";
    QTest::newRow("lesson 7") << " 7 " << "house" << "casa" << "";
    QTest::newRow("lesson 00") << "00" << "house" << "casa" << "Lesson nr out of range";
    QTest::newRow("lesson 21") << "21" << "house" << "casa" << "Lesson nr out of range";
    QTest::newRow("lesson with a letter") << "1x" << "house" << "casa" << "Lesson nr out of range";
    QTest::newRow("brackets") << "1" << "house (home" << "casa" << "Brackets error";
}

void TestEditView::checkMessages()
{
    QFETCH(QString, lesson);
    QFETCH(QString, english);
    QFETCH(QString, mine);
    QFETCH(QString, message);
    fill({item("04", " ", "cat", "gatto")});
    openView();
    QTest::keyClicks(w->LEZ, lesson);
    QTest::keyClicks(w->ENGL, english);
    QTest::keyClicks(w->ITAL, mine);
    QCOMPARE(w->LEZ->text(), lesson); // three keys: the cut comes with the fourth
    w->Cadd->click();
    if (message.isEmpty()) {
        QVERIFY(m_desk->boxes.shown.isEmpty());
        QCOMPARE(m_ctx->store.ItemCount(), qint16(2));
        QCOMPARE(m_ctx->store.Item(2).English, english);
        return;
    }
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    const platform::ShownBox &box = m_desk->boxes.shown[0];
    QCOMPARE(box.text, message);
    QCOMPARE(box.title, QString("    Vocanto"));
    QCOMPARE(box.icon, platform::Icon::None);
    QCOMPARE(box.buttons, platform::Ok);
    QCOMPARE(m_ctx->store.ItemCount(), qint16(1));
    QCOMPARE(w->ENGL->text(), english);
    QCOMPARE(w->ITAL->text(), mine);
    QVERIFY(!w->Label2->isVisible());
    checkButtons(true, false, false);

    // Change runs the same checks and leaves the item as it was.
    clickRow(m_mw->ListaVoci, 1);
    fillFields(lesson, "", english, mine);
    w->Cmod_Click();
    QCOMPARE(m_desk->boxes.shown.size(), 2);
    QCOMPARE(m_desk->boxes.shown[1].text, message);
    QCOMPARE(m_ctx->store.Item(1), item("04", " ", "cat", "gatto"));
}

void TestEditView::addStoresNormalisedAndKeepsLesson()
{
    openView();
    fillFields(" 7 ", "", " house(home ,dwelling ) ", "casa");
    m_ctx->store.SetSaveAvailable(false);
    w->Cadd->click();
    QCOMPARE(m_ctx->store.ItemCount(), qint16(1));
    QCOMPARE(m_ctx->store.Item(1), item("07", " ", "house (home, dwelling)", "casa"));
    QCOMPARE(w->LEZ->text(), QString(" 7 "));
    QVERIFY(w->ENGL->text().isEmpty());
    QVERIFY(w->ITAL->text().isEmpty());
    QCOMPARE(m_mw->Label1->text(), QString("Item nr =1"));
    QCOMPARE(w->Label2->text(), QString("Add done!"));
    QVERIFY(w->Label2->isVisible());
    QVERIFY(m_ctx->store.SaveAvailable());

    fillFields("7", "x", "dog", "cane");
    w->Cadd->click();
    QCOMPARE(m_ctx->store.Item(2), item("07", "x", "dog", "cane"));
    QVERIFY(!m_ctx->store.IsCritical(2));
}

void TestEditView::duplicatesAskForEachAndStopAtNo()
{
    fill({item("01", " ", "go", "andare"), item("02", " ", "Go", "gioco"),
          item("03", " ", "go", "vai"), item("04", " ", "go", "va")});
    openView();
    fillFields("5", "", "go", "muoversi");
    m_desk->boxes.answers = {platform::Yes, platform::No};
    w->Cadd->click();
    QCOMPARE(m_desk->boxes.shown.size(), 2);
    QCOMPARE(m_desk->boxes.shown[0].title, QString("DUPLICATE ..."));
    QCOMPARE(m_desk->boxes.shown[0].buttons, platform::Yes | platform::No);
    QCOMPARE(m_desk->boxes.shown[0].icon, platform::Icon::None);
    QCOMPARE(m_desk->boxes.shown[0].text,
             QString("Item exists yet in Less.= 01\r\n Eng.= go\r\n Oth.= andare\r\n\r\n"
                     " To add anyway?"));
    QVERIFY(m_desk->boxes.shown[1].text.startsWith("Item exists yet in Less.= 03\r\n"));
    QCOMPARE(w->Label2->text(), QString("Add discarded"));
    QVERIFY(w->Label2->isVisible());
    QCOMPARE(m_ctx->store.ItemCount(), qint16(4));
    QCOMPARE(w->ENGL->text(), QString("go"));
    QCOMPARE(w->ITAL->text(), QString("muoversi"));
    checkButtons(true, false, false);

    // Yes to all three adds at the end.
    m_desk->boxes.shown.clear();
    m_desk->boxes.answers = {platform::Yes, platform::Yes, platform::Yes};
    w->Cadd->click();
    QCOMPARE(m_desk->boxes.shown.size(), 3);
    QCOMPARE(m_ctx->store.ItemCount(), qint16(5));
    QCOMPARE(m_ctx->store.Item(5).MyLanguage, QString("muoversi"));

    // Texts that differ in letter case are not duplicates.
    m_desk->boxes.shown.clear();
    fillFields("5", "", "GO", "x");
    w->Cadd->click();
    QVERIFY(m_desk->boxes.shown.isEmpty());
    QCOMPARE(m_ctx->store.ItemCount(), qint16(6));
}

void TestEditView::changeReplacesTheLoadedItem()
{
    fill({item("01", " ", "house", "casa"), item("02", " ", "dog", "cane")});
    openView();
    clickRow(m_mw->ListaVoci, 2);
    m_ctx->store.SetSaveAvailable(false);
    QTest::keyClicks(w->CRI, "c");
    QTest::keyClick(w->ENGL, Qt::Key_End);
    QTest::keyClicks(w->ENGL, "(hound)");
    checkButtons(false, true, true);
    w->Cmod->click();
    QCOMPARE(m_ctx->store.ItemCount(), qint16(2));
    QCOMPARE(m_ctx->store.Item(2), item("02", "c", "dog (hound)", "cane"));
    QCOMPARE(w->Label2->text(), QString("Change done!"));
    QVERIFY(m_ctx->store.SaveAvailable());
    QCOMPARE(m_mw->edit().SelectedItem, qint16(2));
    QCOMPARE(w->ENGL->text(), QString("dog(hound)"));
    checkButtons(false, false, true);
    // No duplicate search on Change.
    fillFields("2", "", "house", "casa");
    w->Cmod_Click();
    QVERIFY(m_desk->boxes.shown.isEmpty());
    QCOMPARE(m_ctx->store.Item(2).English, QString("house"));
}

void TestEditView::eraseThenAddBringsTheItemBack()
{
    fill({item("01", " ", "one", "uno"), item("01", " ", "two", "due"),
          item("02", "c", "three", "tre"), item("02", " ", "four", "quattro"),
          item("03", " ", "five", "cinque")});
    openView();
    clickRow(m_mw->ListaVoci, 3);
    m_ctx->store.SetSaveAvailable(false);
    w->Ccan->click();
    QVERIFY(m_desk->boxes.shown.isEmpty());
    QCOMPARE(englishColumn(m_ctx->store), (QStringList{"one", "two", "four", "five"}));
    QCOMPARE(m_mw->Label1->text(), QString("Item nr =4"));
    QCOMPARE(w->Label2->text(), QString("Erase done!"));
    QVERIFY(m_ctx->store.SaveAvailable());
    QCOMPARE(m_mw->edit().SelectedItem, qint16(3));
    QCOMPARE(w->ENGL->text(), QString("three"));
    checkButtons(true, false, false);

    w->Cadd->click();
    QCOMPARE(m_ctx->store.ItemCount(), qint16(5));
    QCOMPARE(m_ctx->store.Item(5), item("02", "c", "three", "tre"));
    QCOMPARE(m_mw->edit().SelectedItem, qint16(0));
    QCOMPARE(m_mw->Label1->text(), QString("Item nr =5"));
}

void TestEditView::buttonStatesFollowEveryEvent()
{
    fill({item("01", " ", "one", "uno"), item("02", " ", "two", "due")});
    openView();
    checkButtons(true, false, false);
    QTest::keyClicks(w->ENGL, "x"); // a key while "A" is on changes nothing
    checkButtons(true, false, false);
    clickRow(m_mw->ListaVoci, 1);
    checkButtons(false, false, true);
    for (QLineEdit *f : {w->LEZ, w->CRI, w->ENGL, w->ITAL}) {
        clickRow(m_mw->ListaVoci, 1);
        QTest::keyClick(f, Qt::Key_Shift);
        checkButtons(false, true, true);
    }
    w->ENGL->clear();
    w->Cmod->click(); // failed check: nothing changes
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    checkButtons(false, true, true);
    w->ENGL->setText("one");
    w->Cmod->click();
    checkButtons(false, false, true);
    w->Cpul->click();
    checkButtons(true, false, false);
    QCOMPARE(m_mw->edit().SelectedItem, qint16(0));
    for (QLineEdit *f : {w->LEZ, w->CRI, w->ENGL, w->ITAL})
        QVERIFY(f->text().isEmpty());

    fillFields("1", "", "one", "again");
    m_desk->boxes.answers = {platform::No};
    w->Cadd->click(); // discarded
    checkButtons(true, false, false);
    clickRow(m_mw->ListaVoci, 2);
    w->Ccan->click();
    checkButtons(true, false, false);
    w->Cadd->click();
    checkButtons(true, false, false);
    clickRow(m_mw->ListaVoci, 1);
    m_mw->edit().ListaVoci_ColumnClick(0);
    checkButtons(true, false, false);
}

void TestEditView::enterFlowAndTabOrder()
{
    fill({item("01", " ", "one", "uno")});
    m_mw->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_mw));
    openView();
    QCOMPARE(QApplication::focusWidget(), w->LEZ);

    QTest::keyClicks(w->LEZ, "3");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->ENGL);
    QTest::keyClicks(w->ENGL, "dog");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->ITAL);
    QTest::keyClicks(w->ITAL, "cane");
    QTest::keyClick(w->ITAL, Qt::Key_Return);
    QCOMPARE(m_ctx->store.ItemCount(), qint16(2));
    QCOMPARE(m_ctx->store.Item(2), item("03", " ", "dog", "cane"));
    QCOMPARE(QApplication::focusWidget(), w->ENGL);
    QCOMPARE(w->LEZ->text(), QString("3"));
    QVERIFY(w->ENGL->text().isEmpty());

    // The next item of the lesson: English, Tab, my language, Enter.
    QTest::keyClicks(w->ENGL, "cat");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "gatto");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QCOMPARE(m_ctx->store.Item(3), item("03", " ", "cat", "gatto"));

    // A failed check still brings the focus back to English.
    QTest::keyClicks(w->ENGL, "bird");
    w->ITAL->setFocus();
    QTest::keyClick(w->ITAL, Qt::Key_Return);
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    QCOMPARE(m_desk->boxes.shown[0].text, QString("Any data missing"));
    QCOMPARE(QApplication::focusWidget(), w->ENGL);
    QCOMPARE(m_ctx->store.ItemCount(), qint16(3));

    // The mark comes after my language; Enter elsewhere adds nothing.
    w->ITAL->setFocus();
    QTest::keyClick(w->ITAL, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->CRI);
    w->ITAL->setText("uccello");
    QTest::keyClick(w->ENGL, Qt::Key_Return);
    QTest::keyClick(w->LEZ, Qt::Key_Return);
    QCOMPARE(m_ctx->store.ItemCount(), qint16(3));

    // Enter with an item loaded runs Change.
    clickRow(m_mw->ListaVoci, 1);
    w->ITAL->setFocus();
    QTest::keyClick(w->ITAL, Qt::Key_End);
    QTest::keyClicks(w->ITAL, "!");
    QTest::keyClick(w->ITAL, Qt::Key_Return);
    QCOMPARE(m_ctx->store.Item(1).MyLanguage, QString("uno!"));
    QCOMPARE(w->Label2->text(), QString("Change done!"));
    QCOMPARE(m_ctx->store.ItemCount(), qint16(3));
}

void TestEditView::fieldKeys()
{
    openView();
    // The mark field holds only the character just typed.
    QTest::keyClicks(w->CRI, "abc");
    QCOMPARE(w->CRI->text(), QString("c"));
    QTest::keyClick(w->CRI, Qt::Key_Backspace);
    QCOMPARE(w->CRI->text(), QString(""));
    // The lesson field is cut to its last two characters before a key once
    // it holds more than two.
    QTest::keyClicks(w->LEZ, "1234");
    QCOMPARE(w->LEZ->text(), QString("234"));
    QTest::keyClicks(w->LEZ, "5");
    QCOMPARE(w->LEZ->text(), QString("345"));
    // Every key hides the status line.
    w->ShowStatus("Add done!");
    QTest::keyClick(w->ENGL, Qt::Key_A);
    QVERIFY(!w->Label2->isVisible());
}

void TestEditView::redPastTheLongestText()
{
    openView();
    QTest::keyClicks(w->ENGL, QString(47, u'e'));
    QVERIFY(!isRed(w->ENGL));
    QTest::keyClicks(w->ENGL, "e");
    QVERIFY(isRed(w->ENGL));
    QCOMPARE(w->ENGL->text().size(), 48);
    QTest::keyClick(w->ENGL, Qt::Key_Backspace);
    QVERIFY(!isRed(w->ENGL));

    QTest::keyClicks(w->ITAL, QString(50, u'm'));
    QVERIFY(!isRed(w->ITAL));
    QTest::keyClicks(w->ITAL, "m");
    QVERIFY(isRed(w->ITAL));
    w->Cpul->click();
    QVERIFY(!isRed(w->ITAL));
}

void TestEditView::instructionsFrameGrowsTheWindow()
{
    m_mw->resize(320, 240);
    QTRY_VERIFY(m_mw->width() <= 330);
    openView();
    w->Ccome->click();
    QFrame *frame = m_mw->FrameAggiorna;
    QVERIFY(frame->isVisible());
    QCOMPARE(w->Label4->text(), QString("EDIT  RULES"));
    QCOMPARE(w->Label4->parentWidget(), frame);
    QCOMPARE(w->Label5->text().split("\r\n").size(), 10);
    QVERIFY(w->Label5->text().startsWith("To SELECT an existing item"));
    QTRY_VERIFY(m_mw->Central->height() >= frame->height());
    QVERIFY(m_mw->Central->width() >= frame->width());
    // Grown in steps of about 7 pixels: never more than one step too far.
    QVERIFY(m_mw->Central->height() < frame->height() + 7);
    QCOMPARE(w->Command1->text(), QString("OK"));
    w->Command1->click();
    QVERIFY(!frame->isVisible());
}

void TestEditView::fullTableRefusesAdd()
{
    QVector<VocabItem> items(ItemTable::MaxItems, item("01", " ", "word", "parola"));
    fill(items);
    openView();
    fillFields("2", "", "new", "nuovo");
    w->Cadd->click();
    QCOMPARE(m_desk->boxes.shown.size(), 1);
    QCOMPARE(m_desk->boxes.shown[0].title, QString("    Vocanto"));
    QVERIFY(m_desk->boxes.shown[0].text.contains("full"));
    QCOMPARE(m_ctx->store.ItemCount(), qint16(ItemTable::MaxItems));
    QCOMPARE(w->ENGL->text(), QString("new"));
    QCOMPARE(w->ITAL->text(), QString("nuovo"));
    QVERIFY(!w->Label2->isVisible());

    // Room again after an erase.
    clickRow(m_mw->ListaVoci, 1);
    w->Ccan->click();
    fillFields("2", "", "new", "nuovo");
    w->Cadd->click();
    QCOMPARE(m_ctx->store.Item(ItemTable::MaxItems).English, QString("new"));
}

void TestEditView::poolNeverHandsOutAnErasedPosition()
{
    fill({item("01", " ", "one", "uno"), item("01", " ", "two", "due"),
          item("01", " ", "three", "tre"), item("01", " ", "four", "quattro")});
    m_ctx->pool.BuildItemPool(m_ctx->store, m_ctx->options);
    auto askAll = [this] {
        QList<int> asked;
        m_ctx->pool.PoolPosition = -1;
        m_ctx->pool.RunOut = false;
        m_desk->boxes.answers = {platform::Cancel};
        for (int i = 0; i < 6 && !m_ctx->pool.RunOut; ++i) {
            m_ctx->pool.NextItem(m_ctx->store, m_ctx->options, m_desk->boxes, m_mw);
            if (!m_ctx->pool.RunOut)
                asked << m_ctx->pool.CurrentItem;
            m_ctx->pool.PendingItem = 0; // answered
        }
        return asked;
    };
    openView();
    clickRow(m_mw->ListaVoci, 4);
    w->Ccan->click();
    clickRow(m_mw->ListaVoci, 3);
    w->Ccan->click();
    QCOMPARE(m_ctx->store.ItemCount(), qint16(2));
    // The pool built before the erases, and the one rebuilt on closing.
    QCOMPARE(askAll(), (QList<int>{1, 2}));
    m_mw->menuAggiorna->trigger();
    QCOMPARE(m_ctx->pool.Size(), 2);
    QCOMPARE(askAll(), (QList<int>{1, 2}));
}

QTEST_MAIN(TestEditView)
#include "tst_editview.moc"
