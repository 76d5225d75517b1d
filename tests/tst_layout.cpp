// The layout of the main window: where the lists, the labels, the frames and
// the work area go for a given size, in every state that changes it.
#include "edit/workarea.h"
#include "edit/editview.h"
#include "review/historyview.h"
#include "review/reviewviews.h"
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

class TestLayout : public WindowTest {
    Q_OBJECT
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
        const int W = mw->Central->width();
        const int H = mw->Central->height();
        for (QWidget *list : {(QWidget *)mw->ListaVoci, (QWidget *)mw->ListaCri, (QWidget *)mw->laStoria}) {
            QCOMPARE(list->x(), 5);
            QCOMPARE(list->width(), W - 15);
            QCOMPARE(list->geometry().bottom() + 1, H - 10);
            QVERIFY(list->y() > mw->Label0->geometry().bottom());
        }
        // The background picture is centred in the area below the toolbar.
        QCOMPARE(mw->Sfondo->x(), (W - mw->Sfondo->width()) / 2);
        QCOMPARE(mw->Sfondo->y(), (H - mw->Sfondo->height()) / 2);
    }

    void itemColumnsFitWithoutSidewaysScrolling()
    {
        startWindow();
        f->open(MakeItems(120, {1}));
        mw->review().menuLeggi_Click();
        QCoreApplication::processEvents();
        QHeaderView *header = mw->ListaVoci->header();
        const int listWidth = mw->ListaVoci->width();
        const int others = header->sectionSize(0) + header->sectionSize(1);
        QCOMPARE(header->sectionSize(2), (listWidth - (others + 3)) * 2 / 5);
        // "L" and "C" are wide enough for their texts and a sort mark.
        QVERIFY(header->sectionSize(0) >= header->fontMetrics().horizontalAdvance("L>"));
        QVERIFY(header->sectionSize(1) >= header->fontMetrics().horizontalAdvance("C>"));
        // "MY LANGUAGE" takes the rest of the visible width.
        QCOMPARE(header->length(), mw->ListaVoci->viewport()->width());
        QCOMPARE(mw->ListaVoci->horizontalScrollBar()->maximum(), 0);

        // The same after the window grows and shrinks.
        mw->resize(1000, 650);
        QTRY_COMPARE(mw->ListaVoci->width(), mw->Central->width() - 15);
        QCoreApplication::processEvents();
        QCOMPARE(header->length(), mw->ListaVoci->viewport()->width());
        QCOMPARE(mw->ListaVoci->horizontalScrollBar()->maximum(), 0);
    }

    void titleRowAndFrames()
    {
        startWindow();
        f->open(MakeItems(12, {2}));
        mw->review().menuAscolta_Click();
        const int W = mw->Central->width();
        QVERIFY(qAbs(mw->Label0->x() - (W - mw->Label0->width()) / 2) <= 1);
        QCOMPARE(mw->Label1->x(), mw->ListaVoci->width() - mw->Label1->width());
        // The title row holds the title, the switch and both counts without overlap.
        QVERIFY(!mw->ChkCri->geometry().intersects(mw->Label8->geometry()));
        QVERIFY(!mw->Label8->geometry().intersects(mw->Label0->geometry()));
        QVERIFY(!mw->Label0->geometry().intersects(mw->Label1->geometry()));
        for (QWidget *w : {(QWidget *)mw->Label0, (QWidget *)mw->Label1, (QWidget *)mw->ChkCri,
                           (QWidget *)mw->Label8})
            QVERIFY(w->geometry().bottom() < mw->ListaVoci->y());

        const auto frames = {mw->FrameOpzioni, mw->FrameRegole, mw->FrameAggiorna, mw->FrameNazione};
        for (QFrame *frame : frames)
            frame->move(40, 40);
        mw->Form_Resize();
        for (QFrame *frame : frames)
            QCOMPARE(frame->pos(), QPoint(0, 0));
    }

    void editViewOpenAndClosed()
    {
        startWindow();
        f->open(MakeItems(40, {}));
        const int H = mw->Central->height();
        const int closedHeight = mw->ListaVoci->height();

        mw->edit().menuAggiorna_Click();
        QVERIFY(mw->isButtonPressed(6));
        WorkArea &work = mw->edit().workArea();
        const int fieldsBottom = work.LEZ->geometry().bottom() + 1;
        QVERIFY2(fieldsBottom <= H && fieldsBottom >= H - 6, qPrintable(QString::number(fieldsBottom)));
        QCOMPARE(work.LEZ->x(), 5);
        for (QWidget *w : {(QWidget *)work.CRI, (QWidget *)work.ENGL, (QWidget *)work.ITAL})
            QCOMPARE(w->y(), work.LEZ->y());
        for (QWidget *w : {(QWidget *)work.Ccan, (QWidget *)work.Cmod, (QWidget *)work.Cadd,
                           (QWidget *)work.Cpul, (QWidget *)work.Ccome}) {
            QCOMPARE(w->y(), work.Ccan->y());
            QVERIFY(w->geometry().bottom() < work.LEZ->y());
        }
        QCOMPARE(work.Ccome->x(), work.Cpul->x() + work.Cpul->width() + 5);
        QCOMPARE(work.Label2->x(), work.Ccome->x() + work.Ccome->width() + 5);
        // The list ends above the work area: shorter than with the view closed.
        QVERIFY(mw->ListaVoci->geometry().bottom() < work.Ccan->y());
        QVERIFY(mw->ListaVoci->height() < closedHeight - 30);
        QVERIFY(work.Ccan->y() - mw->ListaVoci->geometry().bottom() <= 6);
        // Every field is tall enough for its text.
        for (QLineEdit *e : {work.LEZ, work.CRI, work.ENGL, work.ITAL})
            QVERIFY(e->height() >= e->fontMetrics().height() + 4);
        // The criticals list keeps the full height.
        QCOMPARE(mw->ListaCri->height(), closedHeight);

        mw->edit().menuAggiorna_Click();
        QVERIFY(!mw->isButtonPressed(6));
        QCOMPARE(mw->ListaVoci->height(), closedHeight);
    }

    void minimisedWindowIsLeftAlone()
    {
        startWindow();
        const QRect placed = mw->ListaVoci->geometry();
        const QRect marker(1, 2, 30, 40);
        mw->ListaVoci->setGeometry(marker);
        mw->setWindowState(Qt::WindowMinimized);
        QVERIFY(mw->isMinimized());
        mw->Form_Resize();
        QCOMPARE(mw->ListaVoci->geometry(), marker);

        // Restoring lays everything out again.
        mw->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(mw->ListaVoci->geometry(), placed);
    }

    void workAreaFollowsTheBottomEdgeTooSmallAreaStopsQuietly()
    {
        startWindow();
        f->open(MakeItems(5, {}));
        mw->edit().menuAggiorna_Click();
        WorkArea &work = mw->edit().workArea();
        const int gapBefore = mw->Central->height() - work.LEZ->geometry().bottom();
        mw->resize(mw->width() + 120, mw->height() + 90);
        QTRY_COMPARE(mw->Central->height() - work.LEZ->geometry().bottom(), gapBefore);
        QVERIFY(mw->ListaVoci->geometry().bottom() < work.Ccan->y());

        const QRect list = mw->ListaVoci->geometry();
        const QRect history = mw->laStoria->geometry();

        // An area narrower than the lists' margin: the lists keep their places.
        mw->Central->setGeometry(mw->Central->x(), mw->Central->y(), 10, 300);
        mw->Form_Resize();
        QCOMPARE(mw->ListaVoci->geometry(), list);
        QCOMPARE(mw->laStoria->geometry(), history);
        mw->Central->setGeometry(mw->Central->x(), mw->Central->y(), 300, 12);
        mw->Form_Resize();
        QCOMPARE(mw->ListaVoci->geometry(), list);

        // A really tiny window, with every view in turn: nothing breaks.
        mw->edit().menuAggiorna_Click();
        mw->resize(1, 1);
        QCoreApplication::processEvents();
        mw->review().menuLeggi_Click();
        mw->review().menuLeggi_Click();
        mw->history().menuStoria_Click();
        mw->history().menuStoria_Click();
        mw->resize(800, 600);
        QTRY_COMPARE(mw->ListaVoci->width(), mw->Central->width() - 15);
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
