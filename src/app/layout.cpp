// Places the controls of the main window whenever its size changes: the lists
// fill the window, the frames open just below the toolbar and the work area
// of the edit view stays at the bottom edge.
//
// All places are in pixels of the central area, the part of the window below
// the toolbar. The design the rules come from counted its heights from the
// top of a window whose toolbar lay inside that area, with rows 15 pixels
// tall; here the toolbar lies outside it and the widgets are taller, so the
// fixed offsets are replaced by the measured heights of the rows:
//   - the title row (Label0, ChkCri, Label8, Label1) starts a few pixels
//     below the toolbar, and the lists start just below it (the design's
//     "title top + 15");
//   - the lists end 10 pixels above the bottom edge (the design's "H - 60"
//     under a top at 50);
//   - in the edit view the work area places its two rows at the bottom edge
//     (the design's "H - 22" for the fields and "- 15" for the buttons, with
//     rows tall enough for the widgets), and the item list ends a few pixels
//     above the button row, which makes it shorter by the height of the work
//     area (the design's "H - 90" instead of "H - 60").

#include "app/mainwindow.h"
#include "edit/editview.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

namespace {

constexpr int TitleTop = 6;       // the title row below the toolbar
constexpr int TitleGap = 4;       // between the title row and the lists
constexpr int ListLeft = 5;
constexpr int ListMarginX = 15;   // the lists are this much narrower than the area
constexpr int ListBottomGap = 10; // below the lists
constexpr int WorkAreaGap = 4;    // between the list and the work area
constexpr int Spacing = 5;        // between neighbouring controls

// Widths of the "L" and "C" columns: enough for their contents and for the
// sort mark the header may carry.
int LessonColumnWidth(const QHeaderView *header)
{
    const QFontMetrics fm = header->fontMetrics();
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return std::max({fm.horizontalAdvance(QStringLiteral("00")),
                     fm.horizontalAdvance(QStringLiteral("L>"))}) + margin + 8;
}

int MarkColumnWidth(const QHeaderView *header)
{
    const QFontMetrics fm = header->fontMetrics();
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return std::max({fm.horizontalAdvance(QStringLiteral("c")),
                     fm.horizontalAdvance(QStringLiteral("C>"))}) + margin + 8;
}

void SetItemListColumns(QTreeView *list, int listWidth)
{
    QHeaderView *header = list->header();
    const int lesson = LessonColumnWidth(header);
    const int mark = MarkColumnWidth(header);
    header->resizeSection(0, lesson);
    header->resizeSection(1, mark);
    header->resizeSection(2, std::max(0, (listWidth - (lesson + mark + 3)) * 2 / 5));
    // "MY LANGUAGE" takes what the other three leave, so that the list never
    // scrolls sideways.
    header->setStretchLastSection(true);
}


} // namespace

void MainWindow::Form_Resize()
{
    if (isMinimized() || !Central)
        return;
    const int W = Central->width();
    const int H = Central->height();

    // 1. The background picture, centred in the area below the toolbar.
    Sfondo->move((W - Sfondo->width()) / 2, (H - Sfondo->height()) / 2);

    // 2. The title row: Label0 centred, the switch and the criticals count at
    // the left; Label1 is placed with the list below.
    Label0->adjustSize();
    Label8->adjustSize();
    ChkCri->adjustSize();
    Label1->adjustSize();
    const int rowHeight = std::max({Label0->height(), ChkCri->height(), Label8->height(),
                                    Label1->height()});
    auto centreInRow = [&](QWidget *w) { return TitleTop + (rowHeight - w->height()) / 2; };
    Label0->move((W - Label0->width()) / 2, centreInRow(Label0));
    ChkCri->move(ListLeft, centreInRow(ChkCri));
    Label8->move(ChkCri->x() + ChkCri->width() + 2 * Spacing, centreInRow(Label8));

    // 3. The item list.
    const int listTop = TitleTop + rowHeight + TitleGap;
    const int listWidth = W - ListMarginX;
    const int listHeight = H - listTop - ListBottomGap;
    if (listWidth < 0 || listHeight < 0)
        return;
    ListaVoci->setGeometry(ListLeft, listTop, listWidth, listHeight);
    SetItemListColumns(ListaVoci, listWidth);

    // 4. The count, at the list's right edge.
    Label1->move(listWidth - Label1->width(), centreInRow(Label1));

    // 5. The criticals list, like the item list.
    ListaCri->setGeometry(ListLeft, listTop, listWidth, listHeight);
    SetItemListColumns(ListaCri, listWidth);

    // 6. The history, with its chart in a strip at the bottom while shown.
    QWidget *chart = Central->findChild<QWidget *>(QStringLiteral("HistoryChart"),
                                                   Qt::FindDirectChildrenOnly);
    int historyHeight = listHeight;
    if (chart && chart->isVisibleTo(Central)) {
        const int chartHeight = std::min(120, listHeight / 2);
        historyHeight = listHeight - chartHeight - Spacing;
        chart->setGeometry(ListLeft, listTop + historyHeight + Spacing, listWidth, chartHeight);
    }
    laStoria->setGeometry(ListLeft, listTop, listWidth, historyHeight);
    const int parts[9] = {9, 10, 10, 16, 21, 7, 9, 9, 9};
    for (int i = 0; i < 9; ++i)
        laStoria->header()->resizeSection(i, listWidth / parts[i]);

    // 7. The frames open at the top left of the area, just below the toolbar.
    for (QFrame *frame : {FrameOpzioni, FrameRegole, FrameAggiorna, FrameNazione})
        frame->move(0, 0);

    // 8. The work area of the edit view at the bottom edge: the fields on
    // the lower row, the buttons, "?" and the status line on the row above.
    if (!m_edit)
        return;
    const int workTop = m_edit->PlaceWorkArea(W, H);

    // 9. With the edit view open the item list ends just above the work area.
    if (isButtonPressed(6))
        ListaVoci->resize(listWidth, std::max(0, workTop - WorkAreaGap - listTop));
    else
        ListaVoci->resize(listWidth, listHeight);
}
