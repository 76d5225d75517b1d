#include "edit/itemlists.h"

#include "vocab/vocabstore.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

// The page fills the main window's area below the toolbar. The design the
// rules come from counted its heights from the top of a window whose toolbar
// lay inside that area, with rows 15 pixels tall; here the rows are as tall
// as the widgets need:
//   - the title row starts a few pixels below the toolbar, and the lists
//     start just below it (the design's "title top + 15");
//   - the lists end 10 pixels above the bottom edge (the design's "H - 60"
//     under a top at 50);
//   - with the edit view's work area shown the item list ends a few pixels
//     above it, which makes it shorter by the height of the work area (the
//     design's "H - 90" instead of "H - 60").

namespace {

constexpr int TitleTop = 6;       // the title row below the toolbar
constexpr int TitleGap = 4;       // between the title row and the lists
constexpr int ListLeft = 5;
constexpr int ListMarginX = 15;   // the lists are this much narrower than the area
constexpr int ListBottomGap = 10; // below the lists
constexpr int BottomAreaGap = 4;  // between the list and the work area
constexpr int Spacing = 5;        // between neighbouring controls

const QString AllItemsTitle = QStringLiteral("All items - All lessons");
const QString CriticalItemsTitle = QStringLiteral("Critical items - All lessons");

// Width of a narrow column: enough for its longest content and for its
// header with a sort mark.
int NarrowColumnWidth(const QHeaderView *header, const QString &content, const QString &marked)
{
    const QFontMetrics fm = header->fontMetrics();
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    return std::max(fm.horizontalAdvance(content), fm.horizontalAdvance(marked)) + margin + 8;
}

void SetItemListColumns(QTreeView *list, int listWidth)
{
    QHeaderView *header = list->header();
    const int lesson = NarrowColumnWidth(header, QStringLiteral("00"), QStringLiteral("L>"));
    const int mark = NarrowColumnWidth(header, QStringLiteral("c"), QStringLiteral("C>"));
    header->resizeSection(0, lesson);
    header->resizeSection(1, mark);
    header->resizeSection(2, std::max(0, (listWidth - (lesson + mark + 3)) * 2 / 5));
    // "MY LANGUAGE" takes what the other three leave, so that the list never
    // scrolls sideways.
    header->setStretchLastSection(true);
}

} // namespace

ItemLists::ItemLists(VocabStore &store, QWidget *parent)
    : QWidget(parent), m_store(store), m_criticals(new ItemTable(this))
{
    setObjectName(QStringLiteral("ItemLists"));

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Label0"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->hide();

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("Label1"));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_count->hide();

    m_switch = new QCheckBox(QStringLiteral("Solo i Critici"), this);
    m_switch->setObjectName(QStringLiteral("ChkCri"));
    m_switch->hide();

    m_switchCount = new QLabel(this);
    m_switchCount->setObjectName(QStringLiteral("Label8"));
    m_switchCount->hide();

    m_items = makeList("ListaVoci", "All items", &store);
    m_criticalsList = makeList("ListaCri", "Critical items", m_criticals);

    // A quick second click on a header arrives as a double click; it sorts
    // again, as a slow one does.
    for (auto signal : {&QHeaderView::sectionClicked, &QHeaderView::sectionDoubleClicked}) {
        connect(m_items->header(), signal, this, &ItemLists::itemHeaderClicked);
        connect(m_criticalsList->header(), signal, this, &ItemLists::criticalsHeaderClicked);
    }
    connect(m_items, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { emit itemClicked(index.row() + 1); });
    connect(m_criticalsList, &QTreeView::clicked, this,
            [this](const QModelIndex &index) { emit criticalClicked(index.row() + 1); });
    for (QTreeView *list : {m_items, m_criticalsList})
        list->installEventFilter(this);
    // The switch follows its state, whatever changed it (the mouse, Space, a
    // screen reader's toggle action).
    connect(m_switch, &QCheckBox::toggled, this, [this] { ChkCri_Click(); });
}

ItemLists::~ItemLists() = default;

QTreeView *ItemLists::makeList(const char *name, const char *accessible, ItemTable *model)
{
    auto *list = new QTreeView(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QString::fromLatin1(accessible));
    list->setAccessibleDescription(
        QStringLiteral("Enter on a row: as a click on it. Ctrl+1 to Ctrl+4: sort by a column."));
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setAlternatingRowColors(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsClickable(true);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    list->hide();
    return list;
}

void ItemLists::RebuildCriticalsList()
{
    QVector<VocabItem> copies;
    for (const VocabItem &item : m_store.Items())
        if (item.CriticalMark == QLatin1String("c"))
            copies.append(item);
    m_criticals->SetItems(std::move(copies));
}

void ItemLists::ChkCri_Click()
{
    if (m_switch->isChecked()) {
        m_title->setText(CriticalItemsTitle);
        m_items->hide();
        m_criticalsList->show();
        RebuildCriticalsList();
    } else {
        m_title->setText(AllItemsTitle);
        m_items->show();
        m_criticalsList->hide();
    }
    placeControls();
}

void ItemLists::showTitle(const QString &text)
{
    m_title->setText(text);
    m_title->show();
    placeControls();
}

void ItemLists::hideTitle()
{
    m_title->hide();
}

void ItemLists::showCount(const QString &text)
{
    m_count->setText(text);
    m_count->show();
    placeControls();
}

void ItemLists::hideCount()
{
    m_count->hide();
}

void ItemLists::showCriticalsSwitch(const QString &countText)
{
    m_switch->show();
    m_switchCount->setText(countText);
    m_switchCount->show();
    placeControls();
}

void ItemLists::hideCriticalsSwitch()
{
    m_switch->setChecked(false);
    m_switch->hide();
    m_switchCount->hide();
}

void ItemLists::addPage(QWidget *page)
{
    page->setParent(this);
    page->hide();
    m_pages.append(page);
    placeControls();
}

void ItemLists::setBottomArea(QWidget *area)
{
    m_bottom = area;
    area->setParent(this);
    placeControls();
}

bool ItemLists::eventFilter(QObject *watched, QEvent *event)
{
    // From the keyboard: Enter or Space on a row does what a click on it
    // does (load it into the work area, or speak it); Ctrl+1 to Ctrl+4 sort
    // by a column as a click on its header does.
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *list = qobject_cast<QTreeView *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool items = list == m_items;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space) {
        const QModelIndex current = list->currentIndex();
        if (current.isValid() && key->modifiers() == Qt::NoModifier) {
            items ? emit itemClicked(current.row() + 1) : emit criticalClicked(current.row() + 1);
            return true;
        }
    }
    if (key->modifiers() == Qt::ControlModifier && key->key() >= Qt::Key_1 && key->key() <= Qt::Key_4) {
        const int column = key->key() - Qt::Key_1;
        items ? emit itemHeaderClicked(column) : emit criticalsHeaderClicked(column);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ItemLists::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

bool ItemLists::event(QEvent *event)
{
    // A child shown, hidden or given a new text asks for a new layout.
    if (event->type() == QEvent::LayoutRequest)
        placeControls();
    return QWidget::event(event);
}

void ItemLists::placeControls()
{
    const int W = width();
    const int H = height();

    // The title row: the title centred, the switch and the criticals count
    // at the left, the item count at the list's right edge.
    for (QWidget *w : {static_cast<QWidget *>(m_title), static_cast<QWidget *>(m_switchCount),
                       static_cast<QWidget *>(m_switch), static_cast<QWidget *>(m_count)})
        w->adjustSize();
    const int rowHeight = std::max({m_title->height(), m_switch->height(),
                                    m_switchCount->height(), m_count->height()});
    auto centreInRow = [&](QWidget *w) { return TitleTop + (rowHeight - w->height()) / 2; };
    m_title->move((W - m_title->width()) / 2, centreInRow(m_title));
    m_switch->move(ListLeft, centreInRow(m_switch));
    m_switchCount->move(m_switch->x() + m_switch->width() + 2 * Spacing, centreInRow(m_switchCount));

    const int listTop = TitleTop + rowHeight + TitleGap;
    const int listWidth = W - ListMarginX;
    int listBottom = H - ListBottomGap;
    m_count->move(listWidth - m_count->width(), centreInRow(m_count));

    // The work area at the bottom edge, the list ending just above it.
    if (m_bottom && !m_bottom->isHidden()) {
        const int areaHeight = m_bottom->sizeHint().height();
        m_bottom->setGeometry(0, H - areaHeight, W, areaHeight);
        listBottom = m_bottom->y() - BottomAreaGap;
    }
    // An area too small for the lists' margins leaves them where they are.
    if (listWidth < 0 || H - ListBottomGap < listTop)
        return;
    const QRect listArea(ListLeft, listTop, listWidth, H - ListBottomGap - listTop);
    for (QTreeView *list : {m_items, m_criticalsList}) {
        list->setGeometry(listArea);
        SetItemListColumns(list, listWidth);
    }
    for (QWidget *page : std::as_const(m_pages))
        page->setGeometry(listArea);
    // The item list alone makes room for the work area (never less than
    // nothing).
    m_items->resize(listWidth, std::max(0, listBottom - listTop));
}
