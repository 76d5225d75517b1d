#include "edit/workarea.h"

#include "edit/editview.h"
#include "edit/itemlists.h"
#include "platform/frames.h"
#include "platform/views.h"
#include "test/appcontext.h"

#include <QAbstractItemModel>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QResizeEvent>

namespace {

constexpr int RowHeight = 24;
constexpr int Gap = 4;

QLineEdit *makeField(QWidget *parent, const char *name, const char *accessible,
                     const char *placeholder)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(QString::fromLatin1(accessible));
    field->setPlaceholderText(QString::fromLatin1(placeholder));
    return field;
}

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption,
                        const char *toolTip)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(toolTip));
    return button;
}

} // namespace

WorkArea::WorkArea(AppContext &ctx, ViewHost &host, EditView &view, ItemLists &lists,
                   QWidget *overlayParent)
    : QWidget(&lists), m_ctx(ctx), m_host(host), m_view(view), m_lists(lists)
{
    setObjectName(QStringLiteral("WorkArea"));
    buildButtons();
    buildFields();
    buildInstructions(overlayParent);
    hide();
    lists.setBottomArea(this);
}

void WorkArea::buildFields()
{
    QWidget *parent = this;
    LEZ = makeField(parent, "LEZ", "Lesson", "L");
    CRI = makeField(parent, "CRI", "Critical mark", "C");
    ENGL = makeField(parent, "ENGL", "English", "English");
    ITAL = makeField(parent, "ITAL", "My language", "My language");
    // No length limit on the fields: a text that is too long stays visible in
    // red and is refused by the checks, so the user sees what to shorten.

    // The keyboard walks the fields as LEZ, ENGL, ITAL, CRI: the lesson is
    // typed once, then English and my language item after item, while the
    // mark, rarely typed, comes last. Each key in LEZ makes ENGL the next stop
    // and each key in ENGL makes ITAL the next, which is this chain.
    QWidget::setTabOrder(LEZ, ENGL);
    QWidget::setTabOrder(ENGL, ITAL);
    QWidget::setTabOrder(ITAL, CRI);
    // Then the buttons, left to right.
    QWidget *previous = CRI;
    for (QWidget *button : {Ccan, Cmod, Cadd, Cpul, Ccome}) {
        QWidget::setTabOrder(previous, button);
        previous = button;
    }

    for (QLineEdit *field : {LEZ, CRI, ENGL, ITAL})
        field->installEventFilter(this);

    // A text longer than the work area accepts turns red as soon as it is.
    const QColor normal = ENGL->palette().color(QPalette::Text);
    auto colourBy = [normal](QLineEdit *field, int longest) {
        QObject::connect(field, &QLineEdit::textChanged, field,
                         [field, longest, normal](const QString &text) {
                             QPalette palette = field->palette();
                             palette.setColor(QPalette::Text, text.size() > longest
                                                                  ? QColor(255, 0, 0)
                                                                  : normal);
                             field->setPalette(palette);
                         });
    };
    colourBy(ENGL, MaxTypedEnglish);
    colourBy(ITAL, MaxTypedMyLanguage);
}

void WorkArea::buildButtons()
{
    QWidget *parent = this;
    Ccan = makeButton(parent, "Ccan", "E", "Erase");
    Cmod = makeButton(parent, "Cmod", "C", "Change");
    Cadd = makeButton(parent, "Cadd", "A", "Add");
    Cpul = makeButton(parent, "Cpul", "Clear work area", "Clear below");
    Ccome = makeButton(parent, "Ccome", "?", "Edit instruction");
    for (QPushButton *b : {Ccan, Cmod, Cadd, Cpul, Ccome})
        b->setAutoDefault(false);
    // A screen reader says what the one-letter buttons do.
    Ccan->setAccessibleName(QStringLiteral("Erase"));
    Cmod->setAccessibleName(QStringLiteral("Change"));
    Cadd->setAccessibleName(QStringLiteral("Add"));
    Ccome->setAccessibleName(QStringLiteral("Edit instructions"));

    Label2 = new QLabel(parent);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont statusFont = Label2->font();
    statusFont.setBold(true);
    Label2->setFont(statusFont);
    Label2->hide();

    connect(Cadd, &QPushButton::clicked, this, [this] { Cadd_Click(); });
    connect(Cmod, &QPushButton::clicked, this, [this] { Cmod_Click(); });
    connect(Ccan, &QPushButton::clicked, this, [this] { Ccan_Click(); });
    connect(Cpul, &QPushButton::clicked, this, [this] { Cpul_Click(); });
    connect(Ccome, &QPushButton::clicked, this, [this] { Ccome_Click(); });
}

void WorkArea::buildInstructions(QWidget *overlayParent)
{
    // The frame opens at the top left of the area below the toolbar, like
    // the other frames of the main window.
    QFrame *frame = FrameAggiorna =
        platform::MakeOverlayFrame(overlayParent, QStringLiteral("FrameAggiorna"), QSize());

    Label4 = new QLabel(QStringLiteral("EDIT  RULES"), frame);
    Label4->setObjectName(QStringLiteral("Label4"));
    QFont titleFont = Label4->font();
    titleFont.setBold(true);
    Label4->setFont(titleFont);
    Label4->setAlignment(Qt::AlignCenter);

    Label5 = new QLabel(frame);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setTextFormat(Qt::PlainText);

    Command1 = new QPushButton(QStringLiteral("OK"), frame);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // The frame takes the size its text needs in the font of this desktop.
    Label5->setText(EditInstructions());
    const QSize text = Label5->sizeHint();
    const int margin = 12;
    const int width = text.width() + 2 * margin;
    Label4->setGeometry(margin, margin, text.width(), Label4->sizeHint().height());
    Label5->setGeometry(margin, Label4->geometry().bottom() + 8, text.width(), text.height());
    const QSize ok(qMax(80, Command1->sizeHint().width()), Command1->sizeHint().height());
    Command1->setGeometry((width - ok.width()) / 2, Label5->geometry().bottom() + 10, ok.width(),
                          ok.height());
    frame->resize(width, Command1->geometry().bottom() + margin);
}

bool WorkArea::eventFilter(QObject *watched, QEvent *event)
{
    int key = 0;
    if (event->type() == QEvent::KeyPress) {
        key = static_cast<QKeyEvent *>(event)->key();
    } else if (event->type() == QEvent::InputMethod) {
        // Text composed by an input method (an accent typed with a dead key,
        // for example) reaches the field without a key press: it is typing
        // all the same.
        if (static_cast<QInputMethodEvent *>(event)->commitString().isEmpty())
            return false;
    } else {
        return false;
    }
    // Tab and Backtab walk the focus chain; they are not typing.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false;
    if (watched == LEZ)
        return LEZ_KeyDown(key);
    if (watched == CRI)
        return CRI_KeyDown(key);
    if (watched == ENGL)
        return ENGL_KeyDown(key);
    if (watched == ITAL)
        return ITAL_KeyDown(key);
    return false;
}

bool WorkArea::LEZ_KeyDown(int)
{
    Label2->hide();
    if (!Cadd->isEnabled())
        Cmod->setEnabled(true);
    if (LEZ->text().size() > 2)
        LEZ->setText(LEZ->text().right(2));
    return false;
}

bool WorkArea::CRI_KeyDown(int)
{
    Label2->hide();
    if (!Cadd->isEnabled())
        Cmod->setEnabled(true);
    // The field holds one blank, selected, so that the key replaces it: the
    // field shows at most the character just typed.
    CRI->setText(QStringLiteral(" "));
    CRI->selectAll();
    return false;
}

bool WorkArea::ENGL_KeyDown(int)
{
    Label2->hide();
    if (!Cadd->isEnabled())
        Cmod->setEnabled(true);
    return false;
}

bool WorkArea::ITAL_KeyDown(int key)
{
    Label2->hide();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && Cadd->isEnabled()) {
        Cadd_Click();
        // Ready for the next item of the same lesson, whether or not the
        // item was taken.
        ENGL->setFocus();
        return true;
    }
    if (!Cadd->isEnabled())
        Cmod->setEnabled(true);
    if (enter) {
        Cmod_Click();
        return true;
    }
    return false;
}

bool WorkArea::checkFields(EntryCheck &check)
{
    check = CheckEntry(LEZ->text(), CRI->text(), ENGL->text(), ITAL->text());
    if (check.ok())
        return true;
    m_ctx.desktop.boxes->show(window(), ProgramTitle(), FaultMessage(check.fault),
                               platform::Icon::None, platform::Ok);
    return false;
}

void WorkArea::Cadd_Click()
{
    m_view.SelectedItem = 0;
    VocabStore &store = m_ctx.store;
    if (store.ItemCount() >= ItemTable::MaxItems) {
        m_ctx.desktop.boxes->show(window(), ProgramTitle(), FullTableMessage(),
                                   platform::Icon::Warning, platform::Ok);
        return;
    }
    EntryCheck check;
    if (!checkFields(check))
        return;

    for (int n = NextDuplicate(store, check.item.English, 0); n != 0;
         n = NextDuplicate(store, check.item.English, n)) {
        const platform::Button answer = m_ctx.desktop.boxes->show(
            window(), DuplicateTitle(), DuplicateQuestion(store.Item(n)), platform::Icon::None,
            platform::Yes | platform::No);
        if (answer != platform::Yes) {
            ShowStatus(QStringLiteral("Add discarded"));
            return;
        }
    }

    if (!store.Append(check.item)) {
        m_ctx.desktop.boxes->show(window(), ProgramTitle(), FullTableMessage(),
                                   platform::Icon::Warning, platform::Ok);
        return;
    }
    ENGL->clear();
    ITAL->clear();
    SetButtons(true, false, false);
    showCountLine();
    ShowStatus(QStringLiteral("Add done!"));
    m_lists.itemList()->scrollTo(store.index(store.ItemCount() - 1, 0));
    store.SetSaveAvailable(true);
}

void WorkArea::Cmod_Click()
{
    VocabStore &store = m_ctx.store;
    if (!store.IsValidPosition(m_view.SelectedItem))
        return;
    EntryCheck check;
    if (!checkFields(check))
        return;
    store.Replace(m_view.SelectedItem, check.item);
    SetButtons(false, false, true);
    ShowStatus(QStringLiteral("Change done!"));
    store.SetSaveAvailable(true);
}

void WorkArea::Ccan_Click()
{
    VocabStore &store = m_ctx.store;
    if (!store.IsValidPosition(m_view.SelectedItem))
        return;
    // The fields keep the erased item, so "A" can bring it back at the end.
    store.Erase(m_view.SelectedItem);
    SetButtons(true, false, false);
    showCountLine();
    ShowStatus(QStringLiteral("Erase done!"));
    store.SetSaveAvailable(true);
}

void WorkArea::Cpul_Click()
{
    EmptyFields();
    SetButtons(true, false, false);
    m_view.SelectedItem = 0;
    Label2->hide();
}

void WorkArea::Ccome_Click()
{
    Label5->setText(EditInstructions());
    FrameAggiorna->show();
    FrameAggiorna->raise();
    m_focus.open(FrameAggiorna, Command1);
    m_host.growToFit(FrameAggiorna, ViewHost::Growth::HeightFirst);
}

void WorkArea::Command1_Click()
{
    HideInstructions();
}

void WorkArea::HideInstructions()
{
    if (FrameAggiorna->isHidden())
        return;
    FrameAggiorna->hide();
    m_focus.close();
}

void WorkArea::HideStatus()
{
    Label2->hide();
}

void WorkArea::SetEnglish(const QString &text)
{
    ENGL->setText(text);
}

QString WorkArea::English() const
{
    return ENGL->text();
}

void WorkArea::FocusLesson()
{
    LEZ->setFocus();
}

void WorkArea::LoadItem(const VocabItem &item)
{
    LEZ->setText(item.Lesson);
    CRI->setText(item.CriticalMark);
    ENGL->setText(item.English);
    ITAL->setText(item.MyLanguage);
    SetButtons(false, false, true);
    Label2->hide();
}

void WorkArea::EmptyFields()
{
    for (QLineEdit *field : {LEZ, CRI, ENGL, ITAL})
        field->clear();
}

void WorkArea::SetButtons(bool add, bool change, bool erase)
{
    Cadd->setEnabled(add);
    Cmod->setEnabled(change);
    Ccan->setEnabled(erase);
}

void WorkArea::ShowStatus(const QString &text)
{
    Label2->setText(text);
    Label2->resize(Label2->sizeHint().width(), RowHeight);
    Label2->show();
}

void WorkArea::showCountLine()
{
    m_lists.showCount(ItemNrText(m_ctx.store.ItemCount()));
}

QSize WorkArea::sizeHint() const
{
    return QSize(400, 2 * (RowHeight + Gap));
}

void WorkArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void WorkArea::placeControls()
{
    // Lower row: the fields. Upper row: the buttons and the status line.
    const int W = width();
    const int buttonTop = 0;
    const int fieldTop = RowHeight + Gap;

    LEZ->setGeometry(5, fieldTop, 34, RowHeight);
    CRI->setGeometry(43, fieldTop, 22, RowHeight);
    // English and my language share what is left up to the list's right
    // edge, in the proportion of their longest texts (47 and 50).
    const int textLeft = 69;
    const int room = qMax(240, W - 10 - textLeft - Gap);
    const int englishWidth = room * MaxTypedEnglish / (MaxTypedEnglish + MaxTypedMyLanguage);
    ENGL->setGeometry(textLeft, fieldTop, englishWidth, RowHeight);
    ITAL->setGeometry(textLeft + englishWidth + Gap, fieldTop, room - englishWidth, RowHeight);

    Ccan->setGeometry(5, buttonTop, 28, RowHeight);
    Cmod->setGeometry(37, buttonTop, 28, RowHeight);
    Cadd->setGeometry(69, buttonTop, 28, RowHeight);
    Cpul->setGeometry(101, buttonTop, qMax(110, Cpul->sizeHint().width()), RowHeight);
    Ccome->setGeometry(Cpul->x() + Cpul->width() + 5, buttonTop, 28, RowHeight);
    Label2->setGeometry(Ccome->x() + Ccome->width() + 5, buttonTop, Label2->sizeHint().width(),
                        RowHeight);
}
