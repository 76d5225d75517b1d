// The layout of the main window, as invariants that hold at every size and in
// every state that changes it: the lists fill the area below the toolbar
// under the title row, nothing overlaps, the frames open at the top left,
// the work area keeps to the bottom edge, the last column takes what is left.
#include "app/countrypanel.h"
#include "edit/editview.h"
#include "edit/workarea.h"
#include "review/historyview.h"
#include "review/reviewviews.h"
#include "test/optionspanel.h"
#include "viewsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The widgets given, visible ones only, pairwise apart.
bool apart(const QWidget *area, std::initializer_list<QWidget *> widgets)
{
    QList<QRect> places;
    for (QWidget *w : widgets)
        if (w->isVisible())
            places << placeIn(area, w);
    for (int i = 0; i < places.size(); ++i)
        for (int j = i + 1; j < places.size(); ++j)
            if (places[i].intersects(places[j]))
                return false;
    return true;
}

} // namespace

class TestLayout : public WindowTest {
    Q_OBJECT

    QRect in(QWidget *w) const { return placeIn(ui->Central, w); }
    // A list fills the area: inside it, under the title row, with narrow
    // margins at the sides and the bottom.
    void verifyFillsTheArea(QWidget *list, int bottomMargin = 20)
    {
        const QRect area = ui->Central->rect();
        const QRect place = in(list);
        QVERIFY2(area.contains(place), qPrintable(list->objectName()));
        QVERIFY(place.left() <= 10 && area.right() - place.right() <= 20);
        QVERIFY(area.bottom() - place.bottom() <= bottomMargin);
        QVERIFY(place.top() > in(ui->Label0).bottom());
    }
    // The item list's columns: "L" and "C" wide enough for their headers
    // with a sort mark, "ENGLISH" wider than both, and "MY LANGUAGE" taking
    // the width that is left, so that the list never scrolls sideways.
    void verifyColumnsFit(QTreeView *list)
    {
        QCoreApplication::processEvents();
        QHeaderView *header = list->header();
        QVERIFY(header->sectionSize(0) >= header->fontMetrics().horizontalAdvance("L>"));
        QVERIFY(header->sectionSize(1) >= header->fontMetrics().horizontalAdvance("C>"));
        QVERIFY(header->sectionSize(2) > header->sectionSize(0) + header->sectionSize(1));
        QVERIFY(header->sectionSize(3) > 0);
        QCOMPARE(header->length(), list->viewport()->width());
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    }

private slots:
    void cleanup() { f.reset(); }

    void listsFillTheArea_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800x600") << QSize(800, 600);
        QTest::newRow("1024x700") << QSize(1024, 700);
        QTest::newRow("500x400") << QSize(500, 400);
    }

    void listsFillTheArea()
    {
        QFETCH(QSize, size);
        startWindow(size);
        f->open(MakeItems(120, {1}));
        mw->review().menuLeggi_Click();
        verifyFillsTheArea(ui->ListaVoci);
        verifyColumnsFit(ui->ListaVoci);
        ui->ChkCri->click();
        verifyFillsTheArea(ui->ListaCri);
        verifyColumnsFit(ui->ListaCri);
        mw->review().menuLeggi_Click();
        mw->history().menuStoria_Click();
        verifyFillsTheArea(ui->laStoria, ui->Central->height() / 2 + 20);
        // The chart lies below the history table, inside the area.
        QWidget *chart = named<QWidget>(mw, "HistoryChart");
        QVERIFY(ui->Central->rect().contains(in(chart)));
        QVERIFY(in(chart).top() > in(ui->laStoria).bottom());
        mw->history().menuStoria_Click();
        // The background picture is centred in the area below the toolbar.
        QVERIFY(qAbs(in(ui->Sfondo).center().x() - ui->Central->rect().center().x()) <= 1);
        QVERIFY(qAbs(in(ui->Sfondo).center().y() - ui->Central->rect().center().y()) <= 1);
    }

    void titleRowAndFrames()
    {
        startWindow();
        f->open(MakeItems(12, {2}));
        mw->review().menuAscolta_Click();
        // The title centred; the count ends where the list ends; the title
        // row holds the title, the switch and both counts without overlap,
        // all above the list.
        QVERIFY(qAbs(in(ui->Label0).center().x() - ui->Central->rect().center().x()) <= 1);
        QCOMPARE(in(ui->Label1).right() + 1, ui->ListaVoci->width());
        QVERIFY(apart(ui->Central, {ui->ChkCri, ui->Label8, ui->Label0, ui->Label1}));
        for (QWidget *w : {(QWidget *)ui->Label0, (QWidget *)ui->Label1, (QWidget *)ui->ChkCri,
                           (QWidget *)ui->Label8})
            QVERIFY(in(w).bottom() < in(ui->ListaVoci).top());
        mw->review().menuAscolta_Click();

        // Every frame opens at the top left of the area, and fits in it.
        mw->country().menuCountry_Click();
        mw->options().menuLezioni_Click();
        mw->options().Command5_Click();
        ui->menuRegole->trigger();
        for (QFrame *frame : {ui->FrameOpzioni, ui->FrameRegole, ui->FrameNazione}) {
            QCOMPARE(frame->pos(), QPoint(0, 0));
            QCOMPARE(frame->parentWidget(), ui->Central);
        }
        QTRY_VERIFY(ui->Central->rect().contains(ui->FrameRegole->geometry()));
    }

    void editViewOpenAndClosed()
    {
        startWindow();
        f->open(MakeItems(40, {}));
        const int H = ui->Central->height();
        const int closedHeight = ui->ListaVoci->height();

        mw->edit().menuAggiorna_Click();
        QVERIFY(ui->pressed(6));
        WorkUi work(mw);
        // The fields on the bottom row, at the bottom edge, left to right.
        const int fieldsBottom = in(work.LEZ).bottom() + 1;
        QVERIFY2(fieldsBottom <= H && fieldsBottom >= H - 6, qPrintable(QString::number(fieldsBottom)));
        for (QWidget *w : {(QWidget *)work.CRI, (QWidget *)work.ENGL, (QWidget *)work.ITAL})
            QCOMPARE(in(w).top(), in(work.LEZ).top());
        QVERIFY(in(work.LEZ).left() < in(work.CRI).left() && in(work.CRI).left() < in(work.ENGL).left()
                && in(work.ENGL).left() < in(work.ITAL).left());
        // The buttons and the status line on the row above, in their order.
        work.area->ShowStatus("Add done!");
        const QList<QWidget *> row{work.Ccan, work.Cmod, work.Cadd, work.Cpul, work.Ccome, work.Label2};
        for (int i = 0; i < row.size(); ++i) {
            QCOMPARE(in(row[i]).top(), in(work.Ccan).top());
            QVERIFY(in(row[i]).bottom() < in(work.LEZ).top());
            if (i > 0)
                QVERIFY(in(row[i]).left() > in(row[i - 1]).right());
        }
        QVERIFY(apart(ui->Central, {work.LEZ, work.CRI, work.ENGL, work.ITAL, work.Ccan, work.Cmod,
                                    work.Cadd, work.Cpul, work.Ccome, work.Label2, ui->ListaVoci}));
        for (QWidget *w : {(QWidget *)work.ITAL, (QWidget *)work.Label2})
            QVERIFY(ui->Central->rect().contains(in(w)));
        // The list ends just above the work area.
        QVERIFY(in(work.Ccan).top() - in(ui->ListaVoci).bottom() <= 6);
        QVERIFY(ui->ListaVoci->height() < closedHeight - 30);
        // Every field is tall enough for its text.
        for (QLineEdit *e : {work.LEZ, work.CRI, work.ENGL, work.ITAL})
            QVERIFY(e->height() >= e->fontMetrics().height() + 4);
        // The criticals list keeps the full height.
        QCOMPARE(ui->ListaCri->height(), closedHeight);
        // The instructions open at the top left of the area, like every frame.
        work.Ccome->click();
        QCOMPARE(ui->FrameAggiorna->pos(), QPoint(0, 0));
        QCOMPARE(ui->FrameAggiorna->parentWidget(), ui->Central);

        mw->edit().menuAggiorna_Click();
        QVERIFY(!ui->pressed(6));
        QCOMPARE(ui->ListaVoci->height(), closedHeight);
    }

    void minimisedWindowIsLeftAlone()
    {
        startWindow();
        const QRect placed = ui->ListaVoci->geometry();
        QWidget *page = ui->ListaVoci->parentWidget();
        const QRect marker(1, 2, 30, 40);
        page->setGeometry(marker);
        mw->setWindowState(Qt::WindowMinimized);
        QVERIFY(mw->isMinimized());
        mw->Form_Resize();
        QCOMPARE(page->geometry(), marker);

        // Restoring lays everything out again.
        mw->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(ui->ListaVoci->geometry(), placed);
    }

    void workAreaFollowsTheBottomEdgeTooSmallAreaStopsQuietly()
    {
        startWindow();
        f->open(MakeItems(5, {}));
        mw->edit().menuAggiorna_Click();
        WorkUi work(mw);
        const int gapBefore = ui->Central->height() - in(work.LEZ).bottom();
        mw->resize(mw->width() + 120, mw->height() + 90);
        QTRY_COMPARE(ui->Central->height() - in(work.LEZ).bottom(), gapBefore);
        QVERIFY(in(ui->ListaVoci).bottom() < in(work.Ccan).top());

        const QRect list = ui->ListaVoci->geometry();
        const QRect history = ui->laStoria->geometry();

        // An area narrower than the lists' margin: the lists keep their places.
        ui->Central->setGeometry(ui->Central->x(), ui->Central->y(), 10, 300);
        mw->Form_Resize();
        QCOMPARE(ui->ListaVoci->geometry(), list);
        QCOMPARE(ui->laStoria->geometry(), history);
        ui->Central->setGeometry(ui->Central->x(), ui->Central->y(), 300, 12);
        mw->Form_Resize();
        QCOMPARE(ui->ListaVoci->geometry(), list);

        // A window too low for the list: it shrinks to nothing above the
        // work area instead of lying over it.
        mw->resize(mw->width(), 130);
        QTRY_COMPARE(mw->height(), 130);
        QVERIFY(ui->ListaVoci->height() == 0 || in(ui->ListaVoci).bottom() < in(work.Ccan).top());

        // A really tiny window, with every view in turn: nothing breaks.
        mw->edit().menuAggiorna_Click();
        mw->resize(1, 1);
        QCoreApplication::processEvents();
        mw->review().menuLeggi_Click();
        mw->review().menuLeggi_Click();
        mw->history().menuStoria_Click();
        mw->history().menuStoria_Click();
        mw->resize(800, 600);
        mw->review().menuLeggi_Click();
        QTRY_VERIFY(ui->ListaVoci->width() > ui->Central->width() - 30);
        verifyFillsTheArea(ui->ListaVoci);
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
