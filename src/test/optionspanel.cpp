#include "test/optionspanel.h"

#include "platform/frames.h"
#include "platform/keyboard.h"
#include "platform/twips.h"
#include "platform/views.h"
#include "test/appcontext.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The lesson boxes sit one under the other, 250 twips apart, below "All".
constexpr int LessonBoxLeft = 60;
constexpr int LessonBoxTop = 330;
constexpr int LessonBoxStep = 250;
constexpr int LessonBoxWidth = 735;
constexpr int LessonBoxHeight = 225;

} // namespace

OptionsPanel::OptionsPanel(AppContext &ctx, ViewHost &host, QWidget *overlayParent)
    : m_ctx(ctx), m_host(host), m_rules(ctx.options)
{
    QFrame *frame = FrameOpzioni = platform::MakeOverlayFrame(
        overlayParent, QStringLiteral("FrameOpzioni"), twipsRect(1320, 1200, 3015, 6255).size());
    // Small enough for the caption "N.20" to fit the width of a lesson box.
    QFont small = frame->font();
    small.setPixelSize(10);
    frame->setFont(small);
    // The order buttons start far to the right in their frame: "Backwards"
    // needs a smaller size still.
    QFont smaller = small;
    smaller.setPixelSize(9);

    Label6 = new QLabel(QStringLiteral("OPTIONS"), frame);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(twipsRect(1050, 120, 1050, 285));
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPixelSize(15);
    titleFont.setBold(true);
    Label6->setFont(titleFont);
    Label6->setAlignment(Qt::AlignCenter);

    FrameLezioni = new QGroupBox(QStringLiteral("Lessons"), frame);
    FrameLezioni->setObjectName(QStringLiteral("FrameLezioni"));
    FrameLezioni->setGeometry(twipsRect(120, 360, 840, 5685));
    makeLessonBox(0, QStringLiteral("All"));

    FrameOrdine = new QGroupBox(QStringLiteral("Sequence"), frame);
    FrameOrdine->setObjectName(QStringLiteral("FrameOrdine"));
    FrameOrdine->setGeometry(twipsRect(1080, 2040, 1815, 1305));
    struct OrderDef {
        const char *name;
        const char *caption;
        int top;
        QRadioButton **slot;
        void (OptionsPanel::*click)();
    };
    const OrderDef orders[] = {
        {"Option1", "Random", 210, &Option1, &OptionsPanel::Option1_Click},
        {"Option2", "Forwards", 480, &Option2, &OptionsPanel::Option2_Click},
        {"Option3", "Backwards", 735, &Option3, &OptionsPanel::Option3_Click},
        {"Option4", "Criticals", 1020, &Option4, &OptionsPanel::Option4_Click},
    };
    for (const OrderDef &d : orders) {
        auto *option = new QRadioButton(QString::fromLatin1(d.caption), FrameOrdine);
        option->setObjectName(QString::fromLatin1(d.name));
        option->setGeometry(twipsRect(690, d.top, 1815 - 690, 255));
        option->setFont(smaller);
        *d.slot = option;
    }
    // The run options follow the buttons; selecting one, by a click or by the
    // program, counts as choosing it.
    for (const OrderDef &d : orders) {
        QRadioButton *option = *d.slot;
        const int order = int(&d - orders) + 1;
        const auto click = d.click;
        connect(option, &QRadioButton::toggled, this, [this, order, click](bool checked) {
            RunOptions &o = m_ctx.options;
            if (checked)
                o.CheckedOption = order;
            else if (o.CheckedOption == order)
                o.CheckedOption = 0;
            if (checked)
                (this->*click)();
        });
    }
    Command5 = new QPushButton(QStringLiteral("OK"), frame);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setToolTip(QStringLiteral("Opzioni impostate"));
    Command5->setGeometry(twipsRect(1320, 840, 1335, 420));
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });

    Command4 = new QPushButton(QStringLiteral("Restart"), frame);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setToolTip(QStringLiteral("Ricomincia con le stesse Opzioni"));
    Command4->setGeometry(twipsRect(1320, 3840, 1335, 420));
    Command4->setEnabled(false);
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    // Tab stops on the chosen order only; the arrow keys choose another.
    platform::TabToCheckedOnly({Option1, Option2, Option3, Option4});

    const RunOptions &o = m_ctx.options;
    if (QRadioButton *option = Option(o.CheckedOption))
        option->setChecked(true);
    showLessonBoxes();
}

QCheckBox *OptionsPanel::makeLessonBox(int index, const QString &caption)
{
    auto *box = new QCheckBox(caption, FrameLezioni);
    box->setObjectName(QStringLiteral("Ckles_%1").arg(index));
    box->setGeometry(twipsRect(LessonBoxLeft, LessonBoxTop + LessonBoxStep * index, LessonBoxWidth,
                               LessonBoxHeight));
    box->installEventFilter(this);
    connect(box, &QCheckBox::toggled, this, [this, index] { Ckles_Click(index); });
    m_boxes[std::size_t(index)] = box;
    return box;
}

QCheckBox *OptionsPanel::Ckles(int index) const
{
    return index >= 0 && index <= 20 ? m_boxes[std::size_t(index)] : nullptr;
}

QRadioButton *OptionsPanel::Option(int order) const
{
    switch (order) {
    case Random: return Option1;
    case Forwards: return Option2;
    case Backwards: return Option3;
    case Criticals: return Option4;
    default: return nullptr;
    }
}

bool OptionsPanel::isOpen() const
{
    return !FrameOpzioni->isHidden();
}

void OptionsPanel::BuildItemPool()
{
    m_ctx.pool.BuildItemPool(m_ctx.store, m_ctx.options);
}

void OptionsPanel::setCommandsEnabled(bool on)
{
    m_host.lockFor(View::Options, !on);
}

void OptionsPanel::menuLezioni_Click()
{
    m_host.hideRulesFrame();
    setCommandsEnabled(false);
    // Sorted once: later additions stay where they are put, and item numbers
    // follow the English text from here on.
    m_ctx.store.SortByColumn(ItemTable::EnglishColumn, Qt::AscendingOrder);
    FrameOpzioni->show();
    FrameOpzioni->raise();
    if (QRadioButton *option = Option(m_ctx.options.SequenceOrder))
        option->setChecked(true);
    m_focus.open(FrameOpzioni, Ckles(0));
    BuildItemPool();
    m_host.growToFit(FrameOpzioni, ViewHost::Growth::HeightFirst);
}

void OptionsPanel::Option1_Click() { choiceChanged(); }
void OptionsPanel::Option2_Click() { choiceChanged(); }
void OptionsPanel::Option3_Click() { choiceChanged(); }
void OptionsPanel::Option4_Click() { choiceChanged(); }

void OptionsPanel::choiceChanged()
{
    Command4->setEnabled(false);
    m_ctx.pool.PendingItem = 0;
}

void OptionsPanel::Ckles_MouseDown(int index)
{
    Q_UNUSED(index);
    m_rules.Ckles_MouseDown();
}

bool OptionsPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The second press of a double click arrives as a double-click event: it
    // is a press all the same.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        for (int k = 0; k <= 20; ++k) {
            if (m_boxes[std::size_t(k)] == watched && m_boxes[std::size_t(k)]->isEnabled()) {
                Ckles_MouseDown(k);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void OptionsPanel::Ckles_Click(int index)
{
    // The panel's own updates of the boxes only show what the rules decided.
    if (m_showing)
        return;
    QCheckBox *box = Ckles(index);
    if (!box)
        return;
    // Every change that reaches here is the user's (the mouse, Space, or a
    // screen reader's toggle): it runs the rules, so that the boxes shown,
    // the lesson states, the pool and the tests log always agree, however
    // quickly the user clicks and whatever device toggles the box.
    m_rules.Ckles_MouseDown();
    if (m_rules.BoxChanged(index, box->isChecked()))
        choiceChanged();
    showLessonBoxes();
}

void OptionsPanel::showLessonBoxes()
{
    const RunOptions &o = m_ctx.options;
    m_showing = true;
    for (int k = 0; k <= 20; ++k) {
        QCheckBox *box = m_boxes[std::size_t(k)];
        if (!box)
            continue;
        box->setChecked(o.LessonChecked[std::size_t(k)]);
        if (k > 0)
            box->setEnabled(o.LessonEnabled[std::size_t(k)]);
    }
    m_showing = false;
}

void OptionsPanel::Command5_Click()
{
    if (!isOpen())
        return;
    RunOptions &o = m_ctx.options;
    if (o.CheckedOption >= Random && o.CheckedOption <= Criticals)
        o.SequenceOrder = qint16(o.CheckedOption);
    BuildItemPool();
    if (m_ctx.pool.Size() == 0) {
        const platform::Button answer = m_ctx.desktop.boxes->show(
            FrameOpzioni->window(), QStringLiteral("Redo your choice..."),
            QStringLiteral("Empty selection ... 'Forward' restored"), platform::Icon::None,
            platform::Ok | platform::Cancel);
        if (answer != platform::Ok)
            return;
        o.SequenceOrder = Forwards;
        Option2->setChecked(true);
        Option4->setChecked(false);
        BuildItemPool();
    }
    o.LessonClickArmed = 0;
    setCommandsEnabled(true);
    FrameOpzioni->hide();
    m_focus.close();
}

void OptionsPanel::Command4_Click()
{
    m_ctx.pool.PendingItem = 0;
    Command5->setEnabled(false);
}

void OptionsPanel::CreateLessonBoxes()
{
    for (int k = 1; k <= 20; ++k) {
        delete m_boxes[std::size_t(k)];
        m_boxes[std::size_t(k)] = nullptr;
    }
    m_rules.ResetLessonBoxes();
    m_showing = true;
    for (int k = 1; k <= 20; ++k) {
        QCheckBox *box = makeLessonBox(k, QStringLiteral("N.%1").arg(k));
        box->setEnabled(false);
        box->show();
    }
    m_showing = false;
    setTabOrder();
}

void OptionsPanel::setTabOrder()
{
    // The order a reader follows: "All" and the lessons from top to bottom,
    // then the sequence, then OK, the button that closes the panel.
    QWidget *previous = Ckles(0);
    for (int k = 1; k <= 20; ++k) {
        if (QCheckBox *box = Ckles(k)) {
            QWidget::setTabOrder(previous, box);
            previous = box;
        }
    }
    for (QRadioButton *option : {Option1, Option2, Option3, Option4}) {
        QWidget::setTabOrder(previous, option);
        previous = option;
    }
    QWidget::setTabOrder(previous, Command5);
    QWidget::setTabOrder(Command5, Command4);
}

void OptionsPanel::RebuildLessonTable()
{
    if (m_rules.RebuildTable(m_ctx.store))
        choiceChanged();
    showLessonBoxes();
    BuildItemPool();
}

void OptionsPanel::menuScore_Click()
{
    TestSession &s = m_ctx.session;
    s.Score = 1000;
    s.DoneCount = 0;
    BuildItemPool();
}
