// The edit view driven through its real widgets: opening and closing, clicks
// in both lists, header sorting, the work area's Add, Change and Erase with
// their messages, the keys of the four fields and the edit instructions.
#include "edit/editview.h"
#include "edit/itemlists.h"
#include "review/reviewviews.h"
#include "edit/workarea.h"
#include "viewsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using platform::Icon;
using platform::ShownBox;

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

void clickRow(QTreeView *list, int row)
{
    const QModelIndex index = list->model()->index(row - 1, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void clickHeader(QTreeView *list, int section)
{
    QHeaderView *header = list->header();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Presses Tab where the focus is and returns where it went.
QWidget *tab()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget();
}

} // namespace

class TestEditView : public WindowTest {
    Q_OBJECT
    std::unique_ptr<WorkUi> w;

    void fill(const QVector<VocabItem> &items) { ctx->store.SetItems(items); }
    void openView()
    {
        ui->menuAggiorna->trigger();
        QVERIFY(mw->edit().isOpen());
    }
    void fillFields(const QString &lesson, const QString &mark, const QString &english,
                    const QString &mine)
    {
        w->LEZ->setText(lesson);
        w->CRI->setText(mark);
        w->ENGL->setText(english);
        w->ITAL->setText(mine);
    }
    QStringList fields() const
    {
        return {w->LEZ->text(), w->CRI->text(), w->ENGL->text(), w->ITAL->text()};
    }
    // The status line's text while it is shown.
    QString status() const { return w->Label2->isVisible() ? w->Label2->text() : QString(); }
    void checkButtons(bool add, bool change, bool erase)
    {
        QCOMPARE(w->Cadd->isEnabled(), add);
        QCOMPARE(w->Cmod->isEnabled(), change);
        QCOMPARE(w->Ccan->isEnabled(), erase);
    }

private slots:
    void init()
    {
        startWindow();
        w = std::make_unique<WorkUi>(mw);
        f->enableCommands(); // as after Open
    }
    void cleanup() { f.reset(); }

    void openAndClose()
    {
        fill({item("01", " ", "house", "casa"), item("02", "c", "dog", "cane"),
              item("03", " ", "cat", "gatto")});
        ui->FrameRegole->show();
        const int closedHeight = ui->ListaVoci->height();
        const QWidget *port = ui->ListaVoci->viewport();

        openView();
        QCOMPARE(visibleOf({ui->FrameRegole, ui->Sfondo, ui->ChkCri, ui->Label8}), QStringList());
        QCOMPARE(hiddenOf({ui->Label0, ui->Label1, ui->ListaVoci}), QStringList());
        QVERIFY(ui->pressed(6));
        QCOMPARE(caption(ui->menuAggiorna), QString("End editing"));
        QCOMPARE(ui->Label0->text(), QString("All items - All lessons"));
        QCOMPARE(ui->Label1->text(), QString("Total items = 3"));
        QVERIFY(port->testAttribute(Qt::WA_SetCursor));
        // The pencil picture, with its tip as the hot spot.
        QCOMPARE(port->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(port->cursor().hotSpot(), QPoint(2, 30));
        QCOMPARE(disabledMenus(*ui), (QStringList{"menuView", "menuTest", "menuOptions"}));
        QVERIFY(ui->menuSalva->isEnabled());
        QCOMPARE(enabledButtons(*ui), (QList<int>{1, 6, 10}));
        for (QWidget *c : std::initializer_list<QWidget *>{w->LEZ, w->CRI, w->ENGL, w->ITAL, w->Ccan,
                                                           w->Cmod, w->Cadd, w->Cpul, w->Ccome}) {
            QVERIFY2(c->isVisible(), qPrintable(c->objectName()));
            QVERIFY(ui->Central->rect().contains(placeIn(ui->Central, c)));
        }
        QCOMPARE((QStringList{w->Ccan->text(), w->Cmod->text(), w->Cadd->text(), w->Cpul->text(),
                              w->Ccome->toolTip(), w->Cpul->toolTip(), w->ENGL->accessibleName()}),
                 (QStringList{"E", "C", "A", "Clear work area", "Edit instruction", "Clear below",
                              "English"}));
        checkButtons(true, false, false);
        QCOMPARE(mw->edit().SelectedItem, qint16(0));

        // The list ends above the work area, which sits at the bottom edge.
        const QRect list = placeIn(ui->Central, ui->ListaVoci);
        QVERIFY(list.height() < closedHeight);
        QVERIFY(placeIn(ui->Central, w->Cadd).top() > list.bottom());
        QVERIFY(placeIn(ui->Central, w->LEZ).top() > placeIn(ui->Central, w->Cadd).bottom());
        QVERIFY(placeIn(ui->Central, w->LEZ).bottom() < ui->Central->height());
        QVERIFY(w->LEZ->x() < w->CRI->x() && w->CRI->x() < w->ENGL->x() && w->ENGL->x() < w->ITAL->x());

        // An item loaded, a status shown and the instructions open: closing
        // clears all of it away.
        clickRow(ui->ListaVoci, 2);
        w->Ccome->click();
        w->Ccan->click();
        QVERIFY(w->Label2->isVisible());
        ctx->store.SetSaveAvailable(false);
        ui->button(6)->trigger();
        QVERIFY(!mw->edit().isOpen());
        QCOMPARE(caption(ui->menuAggiorna), QString("Edit items"));
        QVERIFY(!ui->pressed(6));
        QVERIFY(!port->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(ui->ListaVoci->height(), closedHeight);
        QCOMPARE(visibleOf({ui->ListaVoci, ui->Label0, ui->Label1, w->Label2, ui->FrameAggiorna,
                            w->LEZ, w->ITAL, w->Cadd, w->Ccome}),
                 QStringList());
        QCOMPARE(disabledMenus(*ui), QStringList());
        QVERIFY(ui->menuSalva->isEnabled());
        QCOMPARE(enabledButtons(*ui), AllButtons);
        QVERIFY(ui->Sfondo->isVisible());
    }

    void itemClickLoadsTheWorkArea()
    {
        fill({item("01", " ", "house", "casa"), item("02", "c", "dog", "cane")});
        openView();
        w->area->ShowStatus("Add done!");
        clickRow(ui->ListaVoci, 2);
        QCOMPARE(mw->edit().SelectedItem, qint16(2));
        QCOMPARE(ui->ListaVoci->currentIndex().row(), 1);
        QCOMPARE(fields(), (QStringList{"02", "c", "dog", "cane"}));
        QCOMPARE(status(), QString());
        checkButtons(false, false, true);
        QVERIFY(desk->speech.spoken.isEmpty());
    }

    void readViewClickDoesNothingListenClickSpeaks()
    {
        fill({item("01", " ", "house", "casa"), item("02", "c", "dog", "cane")});
        ui->ListaVoci->show(); // as the read view shows it
        clickRow(ui->ListaVoci, 1);
        QCOMPARE(mw->edit().SelectedItem, qint16(0));
        QCOMPARE(fields(), QStringList(4));
        QVERIFY(desk->speech.spoken.isEmpty());

        // The listen view speaks, and reports a failure.
        mw->review().menuAscolta_Click();
        clickRow(ui->ListaVoci, 2);
        QCOMPARE(desk->speech.spoken, QStringList{"dog"});
        QCOMPARE(fields(), (QStringList{"", "", "dog", ""}));
        QVERIFY(desk->boxes.shown.isEmpty());

        desk->speech.fail = true;
        mw->edit().ListaVoci_ItemClick(1);
        QCOMPARE(desk->boxes.shown,
                 (QList<ShownBox>{{"Attention", "Any error ...", Icon::Critical, platform::Ok}}));

        // The criticals list speaks in any view, and never loads the work area.
        desk->speech.fail = false;
        mw->review().menuAscolta_Click();
        openView();
        mw->findChild<ItemLists *>()->RebuildCriticalsList();
        ui->ListaCri->show();
        clickRow(ui->ListaCri, 1);
        QCOMPARE(desk->speech.spoken.last(), QString("dog"));
        QCOMPARE(mw->edit().SelectedItem, qint16(0));
        QVERIFY(w->LEZ->text().isEmpty());
    }

    void criticalsListLeavesOutOtherMarksAndSortsAlone()
    {
        fill({item("01", "c", "one", "uno"), item("01", "C", "two", "due"),
              item("02", " ", "three", "tre"), item("02", "x", "four", "quattro"),
              item("03", "c", "five", "cinque")});
        (&ui->criticals())->SetItems({item("09", "c", "old", "vecchio")});
        mw->findChild<ItemLists *>()->RebuildCriticalsList();
        QCOMPARE(englishColumn(*(&ui->criticals())), (QStringList{"one", "five"}));
        QCOMPARE((&ui->criticals())->Item(2), item("03", "c", "five", "cinque"));

        // Sorting it sorts only the copy.
        ui->ListaCri->show();
        clickHeader(ui->ListaCri, 2);
        QCOMPARE((&ui->criticals())->HeaderText(2), QString("ENGLISH>"));
        QCOMPARE(englishColumn(*(&ui->criticals())), (QStringList{"five", "one"}));
        QCOMPARE(englishColumn(ctx->store), (QStringList{"one", "two", "three", "four", "five"}));
        QCOMPARE(ctx->store.HeaderText(2), QString("ENGLISH"));
    }

    void sortDirectionsAndMarks()
    {
        fill({item("02", " ", "banana", "b"), item("01", " ", "Cherry", "c"),
              item("03", " ", "apple", "a"), item("01", " ", "date", "d")});
        ctx->store.SetHeaderText(3, "ITALIAN");
        openView();
        const ItemTable &store = ctx->store;
        // A click on a header: its new text, then the English column.
        auto sort = [&](int section) {
            clickHeader(ui->ListaVoci, section);
            return store.HeaderText(section) + ": " + englishColumn(store).join(' ');
        };
        QCOMPARE(sort(2), QString("ENGLISH>: apple banana Cherry date"));
        QCOMPARE(sort(2), QString("ENGLISH<: date Cherry banana apple"));
        QCOMPARE(sort(2), QString("ENGLISH>: apple banana Cherry date"));
        // Another column sorts ascending first; the English mark stays. Equal
        // lessons keep their order (Cherry before date).
        QCOMPARE(sort(0), QString("L>: Cherry date banana apple"));
        QCOMPARE(store.HeaderText(2), QString("ENGLISH>"));
        QCOMPARE(sort(0), QString("L<: apple banana Cherry date"));
        // A quick second click (a double click to Qt) sorts twice, as two
        // slow clicks do.
        QHeaderView *header = ui->ListaVoci->header();
        doubleClick(header->viewport(),
                    QPoint(header->sectionViewportPosition(2) + header->sectionSize(2) / 2,
                           header->height() / 2));
        QCOMPARE(store.HeaderText(2) + ": " + englishColumn(store).join(' '),
                 QString("ENGLISH>: apple banana Cherry date"));

        // The language title names the fourth column.
        mw->edit().ListaVoci_ColumnClick(3);
        QCOMPARE(store.HeaderText(3), QString("ITALIAN>"));
        QCOMPARE(store.Item(1).MyLanguage, QString("a"));
        QCOMPARE(ui->ListaVoci->model()->headerData(3, Qt::Horizontal).toString(), QString("ITALIAN>"));
    }

    void sortClearsTheWorkAreaAndFollowsEverywhere()
    {
        fill({item("02", " ", "b", "2"), item("01", " ", "c", "3"), item("02", " ", "a", "1")});
        // A run over lesson 2 only, built before the sort.
        ctx->options.LessonChecked[0] = false;
        ctx->options.LessonChecked[2] = true;
        ctx->pool.BuildItemPool(ctx->store, ctx->options);
        QCOMPARE(ctx->pool.Size(), 2);

        openView();
        clickRow(ui->ListaVoci, 1);
        QTest::keyClicks(w->ENGL, "x");
        checkButtons(false, true, true);
        w->area->ShowStatus("Change done!");
        clickHeader(ui->ListaVoci, 2);
        QCOMPARE(mw->edit().SelectedItem, qint16(0));
        QCOMPARE(fields(), QStringList(4));
        checkButtons(true, false, false);
        QCOMPARE(status(), QString());
        QVERIFY(!ui->ListaVoci->selectionModel()->hasSelection());

        // The positions now name the sorted items, and the pool follows them.
        QCOMPARE(englishColumn(ctx->store), (QStringList{"a", "b", "c"}));
        for (int i = 0; i < ctx->pool.Size(); ++i)
            QCOMPARE(ctx->store.Item(ctx->pool.At(i)).Lesson, QString("02"));
    }

    void checkMessages_data()
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

    void checkMessages()
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
            QVERIFY(desk->boxes.shown.isEmpty());
            QCOMPARE(ctx->store.ItemCount(), qint16(2));
            QCOMPARE(ctx->store.Item(2).English, english);
            return;
        }
        QCOMPARE(desk->boxes.shown,
                 (QList<ShownBox>{{"    Vocanto", message, Icon::None, platform::Ok}}));
        QCOMPARE(ctx->store.ItemCount(), qint16(1));
        QCOMPARE(fields().mid(2), (QStringList{english, mine}));
        QCOMPARE(status(), QString());
        checkButtons(true, false, false);

        // Change runs the same checks and leaves the item as it was.
        clickRow(ui->ListaVoci, 1);
        fillFields(lesson, "", english, mine);
        w->area->Cmod_Click();
        QCOMPARE(boxTexts(desk->boxes), (QStringList{message, message}));
        QCOMPARE(ctx->store.Item(1), item("04", " ", "cat", "gatto"));
    }

    void emptyVocabularyThenAddStoresNormalisedAndClosingRebuilds()
    {
        openView();
        QCOMPARE(ui->Label1->text(), QString("Total items = 0"));
        // Change and Erase with nothing loaded do nothing and say nothing.
        w->area->Cmod_Click();
        w->area->Ccan_Click();
        QVERIFY(desk->boxes.shown.isEmpty());
        QCOMPARE(status(), QString());

        fillFields(" 7 ", "", " house(home ,dwelling ) ", "casa");
        ctx->store.SetSaveAvailable(false);
        w->Cadd->click();
        QCOMPARE(ctx->store.Items(),
                 QVector<VocabItem>{item("07", " ", "house (home, dwelling)", "casa")});
        QCOMPARE(fields(), (QStringList{" 7 ", "", "", ""}));
        QCOMPARE(ui->Label1->text(), QString("Item nr =1"));
        QCOMPARE(status(), QString("Add done!"));
        QVERIFY(ctx->store.SaveAvailable());

        fillFields("7", "x", "dog", "cane");
        w->Cadd->click();
        QCOMPARE(ctx->store.Item(2), item("07", "x", "dog", "cane"));
        QVERIFY(!ctx->store.IsCritical(2));

        // Closing brings the new lesson to the lesson table and the pool.
        QVERIFY(!ctx->options.LessonEnabled[7]);
        ui->menuAggiorna->trigger();
        QVERIFY(ctx->options.LessonEnabled[7]);
        QCOMPARE(ctx->options.LessonState[7], qint16(1));
        QCOMPARE(ctx->pool.Size(), 2);
    }

    void duplicatesAskForEachAndStopAtNo()
    {
        fill({item("01", " ", "go", "andare"), item("02", " ", "Go", "gioco"),
              item("03", " ", "go", "vai"), item("04", " ", "go", "va")});
        openView();
        fillFields("5", "", "go", "muoversi");
        desk->boxes.answers = {platform::Yes, platform::No};
        w->Cadd->click();
        QCOMPARE(desk->boxes.shown.size(), 2);
        QCOMPARE(desk->boxes.shown[0],
                 (ShownBox{"DUPLICATE ...",
                           "Item exists yet in Less.= 01\r\n Eng.= go\r\n Oth.= andare\r\n\r\n"
                           " To add anyway?",
                           Icon::None, platform::Yes | platform::No}));
        QVERIFY(desk->boxes.shown[1].text.startsWith("Item exists yet in Less.= 03\r\n"));
        QCOMPARE(status(), QString("Add discarded"));
        QCOMPARE(ctx->store.ItemCount(), qint16(4));
        QCOMPARE(fields().mid(2), (QStringList{"go", "muoversi"}));
        checkButtons(true, false, false);

        // Yes to all three adds at the end.
        desk->boxes.shown.clear();
        desk->boxes.answers = {platform::Yes, platform::Yes, platform::Yes};
        w->Cadd->click();
        QCOMPARE(desk->boxes.shown.size(), 3);
        QCOMPARE(ctx->store.ItemCount(), qint16(5));
        QCOMPARE(ctx->store.Item(5).MyLanguage, QString("muoversi"));

        // Texts that differ in letter case are not duplicates.
        desk->boxes.shown.clear();
        fillFields("5", "", "GO", "x");
        w->Cadd->click();
        QVERIFY(desk->boxes.shown.isEmpty());
        QCOMPARE(ctx->store.ItemCount(), qint16(6));
    }

    void changeReplacesTheLoadedItem()
    {
        fill({item("01", " ", "house", "casa"), item("02", " ", "dog", "cane")});
        openView();
        clickRow(ui->ListaVoci, 2);
        ctx->store.SetSaveAvailable(false);
        QTest::keyClicks(w->CRI, "c");
        QTest::keyClick(w->ENGL, Qt::Key_End);
        QTest::keyClicks(w->ENGL, "(hound)");
        checkButtons(false, true, true);
        w->Cmod->click();
        QCOMPARE(ctx->store.ItemCount(), qint16(2));
        QCOMPARE(ctx->store.Item(2), item("02", "c", "dog (hound)", "cane"));
        QCOMPARE(status(), QString("Change done!"));
        QVERIFY(ctx->store.SaveAvailable());
        QCOMPARE(mw->edit().SelectedItem, qint16(2));
        QCOMPARE(w->ENGL->text(), QString("dog(hound)"));
        checkButtons(false, false, true);
        // No duplicate search on Change.
        fillFields("2", "", "house", "casa");
        w->area->Cmod_Click();
        QVERIFY(desk->boxes.shown.isEmpty());
        QCOMPARE(ctx->store.Item(2).English, QString("house"));
    }

    void eraseThenAddBringsTheItemBack()
    {
        fill({item("01", " ", "one", "uno"), item("01", " ", "two", "due"),
              item("02", "c", "three", "tre"), item("02", " ", "four", "quattro"),
              item("03", " ", "five", "cinque")});
        openView();
        clickRow(ui->ListaVoci, 3);
        ctx->store.SetSaveAvailable(false);
        w->Ccan->click();
        QVERIFY(desk->boxes.shown.isEmpty());
        QCOMPARE(englishColumn(ctx->store), (QStringList{"one", "two", "four", "five"}));
        QCOMPARE(ui->Label1->text(), QString("Item nr =4"));
        QCOMPARE(status(), QString("Erase done!"));
        QVERIFY(ctx->store.SaveAvailable());
        QCOMPARE(mw->edit().SelectedItem, qint16(3));
        QCOMPARE(w->ENGL->text(), QString("three"));
        checkButtons(true, false, false);

        w->Cadd->click();
        QCOMPARE(ctx->store.ItemCount(), qint16(5));
        QCOMPARE(ctx->store.Item(5), item("02", "c", "three", "tre"));
        QCOMPARE(mw->edit().SelectedItem, qint16(0));
        checkButtons(true, false, false);
        QCOMPARE(ui->Label1->text(), QString("Item nr =5"));
    }

    void buttonStatesFollowEveryEvent()
    {
        fill({item("01", " ", "one", "uno"), item("02", " ", "two", "due")});
        openView();
        checkButtons(true, false, false);
        QTest::keyClicks(w->ENGL, "x"); // a key while "A" is on changes nothing
        checkButtons(true, false, false);
        clickRow(ui->ListaVoci, 1);
        checkButtons(false, false, true);
        for (QLineEdit *field : {w->LEZ, w->CRI, w->ENGL, w->ITAL}) {
            clickRow(ui->ListaVoci, 1);
            QTest::keyClick(field, Qt::Key_Shift);
            checkButtons(false, true, true);
        }
        w->ENGL->clear();
        w->Cmod->click(); // failed check: nothing changes
        QCOMPARE(desk->boxes.shown.size(), 1);
        checkButtons(false, true, true);
        w->ENGL->setText("one");
        w->Cmod->click();
        checkButtons(false, false, true);
        w->Cpul->click();
        checkButtons(true, false, false);
        QCOMPARE(mw->edit().SelectedItem, qint16(0));
        QCOMPARE(fields(), QStringList(4));

        // A sort with an item loaded clears it too.
        clickRow(ui->ListaVoci, 1);
        mw->edit().ListaVoci_ColumnClick(0);
        checkButtons(true, false, false);
    }

    void enterFlowAndTabOrder()
    {
        fill({item("01", " ", "one", "uno")});
        mw->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mw));
        openView();
        QCOMPARE(QApplication::focusWidget(), w->LEZ);

        QTest::keyClicks(w->LEZ, "3");
        QCOMPARE(tab(), w->ENGL);
        QTest::keyClicks(w->ENGL, "dog");
        QCOMPARE(tab(), w->ITAL);
        QTest::keyClicks(w->ITAL, "cane");
        QTest::keyClick(w->ITAL, Qt::Key_Return);
        QCOMPARE(ctx->store.Items(), (QVector<VocabItem>{item("01", " ", "one", "uno"),
                                                          item("03", " ", "dog", "cane")}));
        QCOMPARE(QApplication::focusWidget(), w->ENGL);
        QCOMPARE(fields(), (QStringList{"3", "", "", ""}));

        // The next item of the lesson: English, Tab, my language, Enter.
        QTest::keyClicks(w->ENGL, "cat");
        QTest::keyClicks(tab(), "gatto");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(ctx->store.Item(3), item("03", " ", "cat", "gatto"));

        // A failed check still brings the focus back to English.
        QTest::keyClicks(w->ENGL, "bird");
        w->ITAL->setFocus();
        QTest::keyClick(w->ITAL, Qt::Key_Return);
        QCOMPARE(boxTexts(desk->boxes), QStringList{"Any data missing"});
        QCOMPARE(QApplication::focusWidget(), w->ENGL);
        QCOMPARE(ctx->store.ItemCount(), qint16(3));

        // The mark comes after my language; Enter elsewhere adds nothing.
        w->ITAL->setFocus();
        QCOMPARE(tab(), w->CRI);
        w->ITAL->setText("uccello");
        QTest::keyClick(w->ENGL, Qt::Key_Return);
        QTest::keyClick(w->LEZ, Qt::Key_Return);
        QCOMPARE(ctx->store.ItemCount(), qint16(3));

        // Enter with an item loaded runs Change.
        clickRow(ui->ListaVoci, 1);
        w->ITAL->setFocus();
        QTest::keyClick(w->ITAL, Qt::Key_End);
        QTest::keyClicks(w->ITAL, "!");
        QTest::keyClick(w->ITAL, Qt::Key_Return);
        QCOMPARE(ctx->store.Item(1).MyLanguage, QString("uno!"));
        QCOMPARE(w->Label2->text(), QString("Change done!"));
        QCOMPARE(ctx->store.ItemCount(), qint16(3));
    }

    void fieldKeys()
    {
        openView();
        // Red past the longest text a field may hold.
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
        w->area->ShowStatus("Add done!");
        QTest::keyClick(w->ENGL, Qt::Key_A);
        QCOMPARE(status(), QString());

        // Text from an input method (a dead-key accent) is typing too.
        fill({item("01", " ", "why", "perche")});
        clickRow(ui->ListaVoci, 1);
        checkButtons(false, false, true);
        w->ITAL->setFocus();
        w->ITAL->end(false);
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("\u00e9"));
        QCoreApplication::sendEvent(w->ITAL, &composed);
        QCOMPARE(w->ITAL->text(), QStringLiteral("perche\u00e9"));
        checkButtons(false, true, true);
    }

    void instructionsFrameGrowsTheWindow()
    {
        mw->resize(320, 240);
        QTRY_VERIFY(mw->width() <= 330);
        openView();
        w->Ccome->click();
        QFrame *frame = ui->FrameAggiorna;
        QVERIFY(frame->isVisible());
        QCOMPARE(w->Label4->text(), QString("EDIT  RULES"));
        QCOMPARE(w->Label4->parentWidget(), frame);
        QCOMPARE(w->Label5->text().split("\r\n").size(), 10);
        QVERIFY(w->Label5->text().startsWith("To SELECT an existing item"));
        // 30 twips (2 pixels) to spare in height.
        QTRY_VERIFY(ui->Central->height() - 2 >= frame->height());
        QVERIFY(ui->Central->width() >= frame->width());
        // Grown in steps of about 7 pixels: never more than one step too far.
        QVERIFY(ui->Central->height() - 2 < frame->height() + 7);
        QCOMPARE(w->Command1->text(), QString("OK"));
        w->Command1->click();
        QVERIFY(!frame->isVisible());

        // A window whose area is as tall as the frame still lacks the spare.
        mw->resize(mw->width(), mw->height() - (ui->Central->height() - frame->height()));
        QTRY_COMPARE(ui->Central->height(), frame->height());
        w->Ccome->click();
        QTRY_VERIFY(ui->Central->height() - 2 >= frame->height());
    }

    void fullTableRefusesAdd()
    {
        fill(QVector<VocabItem>(ItemTable::MaxItems, item("01", " ", "word", "parola")));
        openView();
        fillFields("2", "", "new", "nuovo");
        w->Cadd->click();
        QCOMPARE(desk->boxes.shown.size(), 1);
        QCOMPARE(desk->boxes.shown[0].title, QString("    Vocanto"));
        QVERIFY(desk->boxes.shown[0].text.contains("full"));
        QCOMPARE(ctx->store.ItemCount(), qint16(ItemTable::MaxItems));
        QCOMPARE(fields().mid(2), (QStringList{"new", "nuovo"}));
        QCOMPARE(status(), QString());

        // Room again after an erase.
        clickRow(ui->ListaVoci, 1);
        w->Ccan->click();
        fillFields("2", "", "new", "nuovo");
        w->Cadd->click();
        QCOMPARE(ctx->store.Item(ItemTable::MaxItems).English, QString("new"));
    }

    void poolNeverHandsOutAnErasedPosition()
    {
        fill({item("01", " ", "one", "uno"), item("01", " ", "two", "due"),
              item("01", " ", "three", "tre"), item("01", " ", "four", "quattro")});
        ctx->pool.BuildItemPool(ctx->store, ctx->options);
        auto askAll = [this] {
            QList<int> asked;
            ctx->pool.PoolPosition = -1;
            ctx->pool.RunOut = false;
            for (int i = 0; i < 6 && !ctx->pool.RunOut; ++i) {
                ctx->pool.NextItem(ctx->store, ctx->options); // a restart is refused
                if (!ctx->pool.RunOut)
                    asked << ctx->pool.CurrentItem;
                ctx->pool.PendingItem = 0; // answered
            }
            return asked;
        };
        openView();
        clickRow(ui->ListaVoci, 4);
        w->Ccan->click();
        clickRow(ui->ListaVoci, 3);
        w->Ccan->click();
        QCOMPARE(ctx->store.ItemCount(), qint16(2));
        // The pool built before the erases, and the one rebuilt on closing.
        QCOMPARE(askAll(), (QList<int>{1, 2}));
        ui->menuAggiorna->trigger();
        QCOMPARE(ctx->pool.Size(), 2);
        QCOMPARE(askAll(), (QList<int>{1, 2}));
    }
};

QTEST_MAIN(TestEditView)
#include "tst_editview.moc"
