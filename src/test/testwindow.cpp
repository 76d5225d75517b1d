#include "test/testwindow.h"

#include "platform/keyboard.h"
#include "platform/pictures.h"
#include "test/appcontext.h"
#include "test/assistance.h"
#include "test/scoring.h"
#include "test/testhost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

namespace {

// The smallest size keeps every control in view; the window starts wider, so
// that a long entry shows at its full size, and may be made wider still.
constexpr QSize kMinimumSize(640, 400);
constexpr QSize kStartSize(800, 420);
// Text sizes of the question and the answer; a text too long for its box at
// this size is shown smaller until it fits, never below the least.
constexpr qreal kQuestionPoints = 15;
constexpr qreal kAnswerPoints = 17;
constexpr qreal kLeastPoints = 6;
constexpr QSize kFaceSize(48, 48);

QString PicturePath(const QString &name)
{
    return QStringLiteral(":/pictures/") + name + QStringLiteral(".svg");
}

QFont Scaled(QFont font, qreal pointSize, bool bold)
{
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// The hourglass while the next item is chosen; restored early when a message
// must be answered, and in any case on leaving.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

const char *const kStyle = R"(
QFrame#PanelTop, QFrame#PanelText {
    background: rgba(255, 255, 255, 205);
    border: 1px solid rgba(40, 60, 90, 90);
    border-radius: 12px;
}
QLabel#Label2, QLabel#Label3 { color: #1d3a6b; }
QLabel#labpunti { color: #0b5d1e; }
QLabel#Lablez, QLabel#Label4 { color: #26323f; }
QLineEdit#aiuto { color: #6b4a00; background: #fff6d6; }
QLineEdit[readOnly="true"]#Textin, QLineEdit[readOnly="true"]#Textit { background: #eef3fa; }
)";

} // namespace

TestWindow::TestWindow(AppContext &ctx, TestHost &host, TestDirection direction)
    : QWidget(nullptr, Qt::Window), m_ctx(ctx), m_host(host), m_direction(direction)
{
    setObjectName(Points(direction).WindowName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(kMinimumSize);
    setStyleSheet(QString::fromLatin1(kStyle));
    buildControls();
    resize(startSize());
    placeControls();
    Form_Load();
}

TestWindow::~TestWindow()
{
    stopTimers();
}

QLineEdit *TestWindow::questionBox() const
{
    return m_direction == TestDirection::ToEnglish ? Textit : Textin;
}

QLineEdit *TestWindow::answerBox() const
{
    return m_direction == TestDirection::ToEnglish ? Textin : Textit;
}

QPixmap TestWindow::Face(int n) const
{
    return m_faces.at(std::clamp(n, 0, 3));
}

void TestWindow::buildControls()
{
    // The background picture goes first, so that everything else lies on it.
    bandiera = new QLabel(this);
    bandiera->setObjectName(QStringLiteral("bandiera"));

    m_topPanel = new QFrame(this);
    m_topPanel->setObjectName(QStringLiteral("PanelTop"));
    m_textPanel = new QFrame(this);
    m_textPanel->setObjectName(QStringLiteral("PanelText"));
    // A screen reader announces the window as a dialog with its title, and
    // leaves the pictures and panels behind the controls out.
    platform::MarkAsDialog(this);
    for (QWidget *decoration : {static_cast<QWidget *>(bandiera), static_cast<QWidget *>(m_topPanel),
                                static_cast<QWidget *>(m_textPanel)})
        platform::MarkDecorative(decoration);

    const QFont base = font();
    auto label = [this](const char *name, const QFont &f) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(f);
        return l;
    };
    // Labels that show a value have no fixed accessible name: a screen
    // reader reads the value itself, with the label's role as description.
    Lablez = label("Lablez", Scaled(base, 10, true));
    Lablez->setAccessibleDescription(QStringLiteral("Lesson and number"));
    Label4 = label("Label4", Scaled(base, 10, false));
    Label4->setAccessibleDescription(QStringLiteral("Counters"));
    labpunti = label("labpunti", Scaled(base, 24, true));
    labpunti->setAccessibleDescription(QStringLiteral("Score"));
    labpunti->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2 = label("Label2", Scaled(base, 10, true));
    Label2->setText(Points(m_direction).Label2);
    Label2->setAccessibleName(platform::SpelledOutWords(Label2->text()));
    Label3 = label("Label3", Scaled(base, 10, true));

    auto picture = [this](const char *name, const char *accessible) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(QString::fromLatin1(accessible));
        l->setPixmap(RenderPicture(PicturePath(QString::fromLatin1(name)), QSize(40, 40),
                                   devicePixelRatioF()));
        l->hide();
        return l;
    };
    ImHai = picture("ImHai", "Critical item");
    ImOhi = picture("ImOhi", "Critical item, blinking");

    auto textBox = [this](const char *name, const char *accessible, const QFont &f) {
        auto *t = new QLineEdit(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setAccessibleName(QString::fromLatin1(accessible));
        t->setFont(f);
        return t;
    };
    Textin = textBox("Textin", "English", Scaled(base, kQuestionPoints, false));
    Textit = textBox("Textit", "My language", Scaled(base, kQuestionPoints, false));
    // The question is only read; the answer is typed, larger and bold.
    questionBox()->setReadOnly(true);
    answerBox()->setFont(Scaled(base, kAnswerPoints, true));
    aiuto = textBox("aiuto", "Hint", Scaled(base, 13, true));
    aiuto->setReadOnly(true);
    aiuto->setFocusPolicy(Qt::NoFocus);
    aiuto->hide();

    for (int n = 0; n < 4; ++n)
        m_faces[n] = RenderPicture(PicturePath(QStringLiteral("Face%1").arg(n)), kFaceSize,
                                   devicePixelRatioF());
    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setIconSize(kFaceSize);
    Command1->setFont(Scaled(base, 12, true));
    Command2 = new QPushButton(QStringLiteral("Assistance"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setFont(Scaled(base, 11, false));
    Command2->hide();
    Command3 = new QPushButton(QStringLiteral("Back"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setFont(Scaled(base, 11, false));
    Voce = new QPushButton(this);
    Voce->setObjectName(QStringLiteral("Voce"));
    Voce->setAccessibleName(QStringLiteral("Read aloud"));
    Voce->setIcon(QIcon(PicturePath(QStringLiteral("speaker"))));
    Voce->setIconSize(QSize(28, 28));
    Voce->hide();

    auto timer = [this](const char *name, int ms) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(ms);
        return t;
    };
    Timer1 = timer("Timer1", 1000);
    Timer2 = timer("Timer2", 1000);
    Timer3 = timer("Timer3", 500);

    connect(Command1, &QPushButton::clicked, this, &TestWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &TestWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &TestWindow::Command3_Click);
    connect(Voce, &QPushButton::clicked, this, &TestWindow::Voce_Click);
    // Every change of the answer box is judged, the program's own included.
    connect(answerBox(), &QLineEdit::textChanged, this, &TestWindow::Answer_Change);
    for (QLineEdit *box : {Textin, Textit})
        connect(box, &QLineEdit::textChanged, this, [this, box] { fitText(box); });
    connect(Timer1, &QTimer::timeout, this, &TestWindow::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &TestWindow::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &TestWindow::Timer3_Timer);

    // Tab follows the window from top to bottom: the question, the answer
    // (the loudspeaker after the English box), then the buttons left to right.
    QList<QWidget *> order{questionBox(), answerBox()};
    order.insert(order.indexOf(Textin) + 1, Voce);
    order << Command1 << Command2 << Command3;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QSize TestWindow::startSize() const
{
    QSize size = kStartSize;
    const QWidget *main = m_host.hostWindow();
    if (const QScreen *screen = main->screen() ? main->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
    return size.expandedTo(kMinimumSize);
}

void TestWindow::placeControls()
{
    // A header with the item, the counters and the score; a panel with the
    // question above the answer (each under its direction line) and the
    // hint; the buttons along the bottom. The English box has the
    // loudspeaker beside it. The text boxes take the width there is; the
    // buttons keep to the bottom edge.
    const int W = width();
    const int H = height();
    m_topPanel->setGeometry(16, 12, W - 32, 62);
    Lablez->setGeometry(30, 18, 170, 24);
    Label4->setGeometry(30, 44, 280, 22);
    ImHai->setGeometry(214, 20, 40, 40);
    ImOhi->setGeometry(214, 20, 40, 40);
    labpunti->setGeometry(W - 230, 16, 200, 54);

    m_textPanel->setGeometry(16, 86, W - 32, H - 182);
    const int textWidth = W - 112;
    QLabel *questionLine = m_direction == TestDirection::ToEnglish ? Label3 : Label2;
    QLabel *answerLine = m_direction == TestDirection::ToEnglish ? Label2 : Label3;
    questionLine->setGeometry(32, 94, textWidth, 22);
    questionBox()->setGeometry(32, 118, textWidth, 40);
    answerLine->setGeometry(32, 168, textWidth, 22);
    answerBox()->setGeometry(32, 192, textWidth, 48);
    aiuto->setGeometry(32, 252, textWidth, 38);
    const QRect english = Textin->geometry();
    Voce->setGeometry(english.right() + 10, english.top() + (english.height() - 42) / 2, 42, 42);

    Command1->setGeometry(16, H - 82, 200, 70);
    Command2->setGeometry(236 + (W - kMinimumSize.width()) / 2, H - 70, 140, 46);
    Command3->setGeometry(W - 156, H - 70, 140, 46);
    fitText(questionBox());
    fitText(answerBox());
}

void TestWindow::fitText(QLineEdit *box)
{
    // Entries hold up to 50 characters: one too long for the box at the
    // usual size is shown smaller, so that it is always seen whole.
    const qreal usual = box == answerBox() ? kAnswerPoints : kQuestionPoints;
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QMargins margins = box->textMargins();
    // Room for the text inside the frame, less the cursor's margin at each end.
    const int room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width()
        - margins.left() - margins.right() - 6;
    QFont font = box->font();
    qreal points = usual;
    font.setPointSizeF(points);
    const QString text = box->text();
    while (points > kLeastPoints && QFontMetrics(font).horizontalAdvance(text) > room) {
        points -= 0.5;
        font.setPointSizeF(points);
    }
    if (font != box->font())
        box->setFont(font);
}

void TestWindow::Form_Load()
{
    AppContext &ctx = m_ctx;
    const qint16 code = ctx.store.LanguageCode;

    // Centred on the screen of the main window.
    const QWidget *main = m_host.hostWindow();
    if (QScreen *screen = main->screen() ? main->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }

    const LanguageTexts texts = TextsForLanguage(m_direction, code);
    setWindowTitle(texts.Caption);
    Label3->setText(texts.Label3);
    Label3->setAccessibleName(platform::SpelledOutWords(texts.Label3));
    if (m_direction == TestDirection::FromEnglish) {
        m_bannerPath = PicturePath(FlagPictureName(code));
        m_iconPath = PicturePath(IconPictureName(code));
    } else {
        m_bannerPath = PicturePath(QStringLiteral("banEnglish"));
        m_iconPath = PicturePath(QStringLiteral("tb_toenglish"));
    }
    setWindowIcon(QIcon(m_iconPath));
    Form_Resize();

    Textin->clear();
    Textit->clear();
    ctx.session.LastPenalty = 0;
    ctx.pool.Seed(ctx.desktop.clock->now());

    Command1->setToolTip(QStringLiteral("Click me to start ..."));
    Command1->setText(QStringLiteral("Go!"));
    setCommand1Pictures(0, 0);
    Command1->setFocus(); // Enter or Space starts
    showScore();
    showCounters();
    hideBlink();
}

void TestWindow::Form_Resize()
{
    bandiera->setGeometry(rect());
    bandiera->setPixmap(RenderPicture(m_bannerPath, size(), devicePixelRatioF()));
}

void TestWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!bandiera)
        return;
    placeControls();
    Form_Resize();
}

void TestWindow::Command1_Click()
{
    AppContext &ctx = m_ctx;
    Voce->hide();
    WaitCursor hourglass;

    answerBox()->clear();
    questionBox()->clear();
    hideBlink();

    const NextOutcome next = askAbout(ctx.pool.NextItem(ctx.store, ctx.options));

    if (next != NextOutcome::Item) {
        Command1->hide();
        Command2->hide();
        hourglass.restore();
        stopTimers();
        ctx.pool.Empty();
        m_state = State::Finished;
        ctx.desktop.boxes->show(this, QStringLiteral("    Vocanto"),
                                QStringLiteral("Items completed\r\n"
                                               "Set up new Options from the main window"),
                                platform::Icon::None, platform::Ok);
        ctx.pool.BuildItemPool(ctx.store, ctx.options);
        return;
    }

    const PreparedItem item = PrepareItem(m_checker, m_search, ctx.store, ctx.pool, m_direction);
    if (item.Critical)
        Timer3->start();
    else
        Timer3->stop();
    Lablez->setText(item.Lablez);
    questionBox()->setText(item.Question);
    questionBox()->setCursorPosition(0);

    Command1->setEnabled(false);
    answerBox()->setFocus();
    ctx.session.ElapsedSeconds = 0;
    Timer1->start();
    Timer2->stop();
    Command1->setText(QStringLiteral("Translate..."));
    setCommand1Pictures(0, 0);
    m_state = State::Asking;
    hourglass.restore();
    m_checker.PreviousText.clear();
}

void TestWindow::Command2_Click()
{
    TestSession &session = m_ctx.session;
    aiuto->show();
    const AssistanceResult result = Assistance(session, m_checker.Target);
    aiuto->setText(result.Hint);
    showScore();
    answerBox()->setFocus();
}

void TestWindow::Command3_Click()
{
    m_host.takeInput(true);
    close();
    // The return to the main window saves nothing: the request only clears
    // the flag again.
    m_ctx.store.SkipNextSave = true;
    m_host.requestSave();
}

void TestWindow::Voce_Click()
{
    // The English text in both directions; a failure is reported over this
    // window, which is the one taking input.
    platform::SpeakOrReport(m_ctx.desktop, this, Textin->text());
}

void TestWindow::Answer_Change()
{
    AppContext &ctx = m_ctx;
    const CheckOutcome outcome =
        m_checker.CheckAnswer(answerBox()->text(), ctx.session, ctx.pool, ctx.store, ctx.soundsOn);
    setAnswerColour(outcome.Red);
    playSounds(outcome);
    if (!outcome.Answered)
        return;

    Voce->show();
    Command1->setText(QStringLiteral("Another?"));
    setCommand1Pictures(2, m_disabledPicture);
    Command1->setEnabled(true);
    Command1->setFocus();
    Timer1->stop();
    Timer2->start();
    Command1->setToolTip(QStringLiteral("Click me for a new run ..."));
    m_state = State::Answered;
    showScore();
    Label4->setText(outcome.Counters);
    if (outcome.ShowSynonyms)
        showSynonyms();
}

NextOutcome TestWindow::askAbout(NextOutcome outcome)
{
    platform::MessageBoxes &boxes = *m_ctx.desktop.boxes;
    switch (outcome) {
    case NextOutcome::AskRestart: {
        const platform::Button answer =
            boxes.show(this, QStringLiteral("Restart..."),
                       QStringLiteral("Selected items run out... restarting"), platform::Icon::None,
                       platform::Ok | platform::Cancel);
        return m_ctx.pool.AnswerRestart(answer == platform::Ok, m_ctx.store, m_ctx.options);
    }
    case NextOutcome::CriticalsRunOut:
        boxes.show(this, QStringLiteral("Change lessons Options..."),
                   QStringLiteral("Criticals run out ..."), platform::Icon::None, platform::Ok);
        return outcome;
    default:
        return outcome;
    }
}

void TestWindow::playSounds(const CheckOutcome &outcome)
{
    if (outcome.PlayAlert)
        m_ctx.desktop.sound->playWav(QStringLiteral("alert.wav"));
    for (int i = 0; i < outcome.Beeps; ++i)
        m_ctx.desktop.sound->beep();
}

void TestWindow::showSynonyms()
{
    m_ctx.desktop.boxes->show(this, SynonymsTitle(m_search), SynonymsMessageText(m_search),
                              platform::Icon::Information, platform::Ok);
}

void TestWindow::Timer1_Timer()
{
    AppContext &ctx = m_ctx;
    const AnswerTick tick = AnswerClockTick(ctx.session, m_checker.Target);
    if (tick.TooSlow && Command1->text() == QLatin1String("Translate...")) {
        setCommand1Pictures(m_picture, 3);
        Command1->setText(QStringLiteral("Too slow!"));
    }
    if (tick.ShowAssistance) {
        Command2->show();
    } else {
        Command2->hide();
        aiuto->hide();
    }
    setWindowTitle(TargetTimeCaption(m_direction, tick.TargetTime));
    showScore();
    if (tick.Beep)
        ctx.desktop.sound->beep();
}

void TestWindow::Timer2_Timer()
{
    if (!SuccessClockTick(m_ctx.session))
        return;
    Command1->setText(QStringLiteral("So what?"));
    setCommand1Pictures(1, m_disabledPicture);
    Timer2->stop();
}

void TestWindow::Timer3_Timer()
{
    const bool hai = BlinkTick(m_ctx.session);
    ImHai->setVisible(hai);
    ImOhi->setVisible(!hai);
}

void TestWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter on the start button starts the next item, as Space does, so that
    // a run goes on from the keyboard after each exact answer.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == Command1 && Command1->isEnabled() && Command1->isVisible()) {
        Command1->click();
        return;
    }
    // Escape leaves the test as Back does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command3_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TestWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closed)
        Form_Unload();
    event->accept();
    // A window that was never shown does not hide: report at once.
    if (isHidden())
        reportLogFailure();
}

void TestWindow::Form_Unload()
{
    AppContext &ctx = m_ctx;
    m_closed = true;
    stopTimers();
    if (ctx.session.DoneCount != 0) {
        const LogWriteResult result = ctx.testLog.AppendTestLogRecord(
            ctx.store, ctx.pool, ctx.options, ctx.session, ctx.desktop.clock->now(),
            QLocale::system());
        if (!result.Ok) {
            m_logFailure = result;
            m_reportLogFailure = true;
        }
    }
    m_host.takeInput(true);
    m_host.testClosed();
    emit closed();
}

void TestWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_closed)
        reportLogFailure();
}

void TestWindow::reportLogFailure()
{
    // The window has gone: now the log failure can be reported, once, over
    // the main window.
    if (!m_reportLogFailure)
        return;
    m_reportLogFailure = false;
    m_ctx.desktop.boxes->show(m_host.hostWindow(), LogFailureTitle(), LogFailureText(m_logFailure),
                               platform::Icon::Warning, platform::Ok);
}

void TestWindow::setCommand1Pictures(int picture, int disabledPicture)
{
    m_picture = picture;
    m_disabledPicture = disabledPicture;
    QIcon icon;
    icon.addPixmap(Face(picture), QIcon::Normal);
    icon.addPixmap(Face(disabledPicture), QIcon::Disabled);
    Command1->setIcon(icon);
}

void TestWindow::setAnswerColour(bool red)
{
    QLineEdit *box = answerBox();
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    box->setPalette(palette);
    // What the red says, for a screen reader (the change is announced).
    const QString description = red ? QStringLiteral("wrong") : QString();
    if (box->accessibleDescription() != description)
        box->setAccessibleDescription(description);
}

void TestWindow::showScore()
{
    labpunti->setText(ScoreText(m_ctx.session.Score));
}

void TestWindow::showCounters()
{
    Label4->setText(CountersText(m_ctx.session, m_ctx.pool));
}

void TestWindow::hideBlink()
{
    m_ctx.session.BlinkCount = 0;
    ImHai->hide();
    ImOhi->hide();
}

void TestWindow::stopTimers()
{
    if (Timer1)
        Timer1->stop();
    if (Timer2)
        Timer2->stop();
    if (Timer3)
        Timer3->stop();
}
