// The two test windows, driven through their real widgets: opening from the
// Test menu, captions and pictures per language, Next item, typing answers,
// the three clocks, Assistance, reading aloud, the end of a run, Back and
// Closing with the tests log.
#include "app/mainwindow.h"
#include "platform/scripted.h"
#include "test/optionspanel.h"
#include "test/testcommands.h"
#include "test/testwindow.h"
#include "viewsupport.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

namespace {

// Message boxes that also note whether a test window was still showing when
// each box came up.
class WatchingBoxes : public platform::ScriptedBoxes {
public:
    QList<bool> testWindowShowing;
    platform::Button show(QWidget *parent, const QString &title, const QString &text,
                          platform::Icon icon, platform::Buttons buttons) override
    {
        bool showing = false;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<TestWindow *>(w) && w->isVisible())
                showing = true;
        testWindowShowing << showing;
        return ScriptedBoxes::show(parent, title, text, icon, buttons);
    }
};

// A test window's controls, found by their names.
struct TestUi {
    explicit TestUi(const TestWindow *w)
        : Command1(named<QPushButton>(w, "Command1")), Command2(named<QPushButton>(w, "Command2")),
          Command3(named<QPushButton>(w, "Command3")), Voce(named<QPushButton>(w, "Voce")),
          Textin(named<QLineEdit>(w, "Textin")), Textit(named<QLineEdit>(w, "Textit")),
          aiuto(named<QLineEdit>(w, "aiuto")), Lablez(named<QLabel>(w, "Lablez")),
          labpunti(named<QLabel>(w, "labpunti")), Label4(named<QLabel>(w, "Label4")),
          Label3(named<QLabel>(w, "Label3")), Label2(named<QLabel>(w, "Label2")),
          ImHai(named<QLabel>(w, "ImHai")), ImOhi(named<QLabel>(w, "ImOhi")),
          bandiera(named<QLabel>(w, "bandiera")), Timer1(named<QTimer>(w, "Timer1")),
          Timer2(named<QTimer>(w, "Timer2")), Timer3(named<QTimer>(w, "Timer3"))
    {
    }
    QPushButton *Command1, *Command2, *Command3, *Voce;
    QLineEdit *Textin, *Textit, *aiuto;
    QLabel *Lablez, *labpunti, *Label4, *Label3, *Label2, *ImHai, *ImOhi, *bandiera;
    QTimer *Timer1, *Timer2, *Timer3;
};
TestUi ui(const TestWindow *w) { return TestUi(w); }

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

} // namespace

class TestTestWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void captionsAndPictures_data();
    void captionsAndPictures();
    void openingAndClosingSwitchTheMainWindow();
    void goShowsTheItem();
    void fromEnglishAsksTheEnglishText();
    void wrongBeginningTurnsRedAndAlerts();
    void exactAnswer();
    void lateAnswerMarksCriticalTimelyAnswerUnmarks();
    void clocksTooSlowTargetTimeAndBeeps();
    void assistance();
    void synonymsMessage();
    void closedMidQuestionAsksTheSameItem();
    void logRecordOnlyAfterAnExactAnswer();
    void logFailureReportedAfterTheWindowHasGone();
    void itemsCompletedAtTheEndOfARun();
    void backSavesNothing();
    void readAloud();
    void longEntriesShowWhole_data();
    void longEntriesShowWhole();

private:
    // The items of a vocabulary, the lesson table and the pool as Open makes
    // them (Forwards over all lessons), the score at 1000.
    void openVocabulary(const QVector<VocabItem> &items, qint16 languageCode = 0);
    TestWindow *openToEnglish();
    TestWindow *openFromEnglish();
    void type(TestWindow *w, const QString &text) { QTest::keyClicks(w->answerBox(), text); }
    void ticks(TestWindow *w, int n)
    {
        for (int i = 0; i < n; ++i)
            w->Timer1_Timer();
    }
    static QColor answerColour(TestWindow *w)
    {
        return w->answerBox()->palette().color(QPalette::Text);
    }
    // Deletes the closed windows.
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    platform::ScriptedDesktop *m_desk = nullptr;
    WatchingBoxes *m_boxes = nullptr;
    AppContext *m_ctx = nullptr;
    MainWindow *m_mw = nullptr;
};

void TestTestWindow::init()
{
    m_desk = new platform::ScriptedDesktop;
    m_boxes = new WatchingBoxes;
    platform::Desktop desktop = m_desk->desktop();
    desktop.boxes = m_boxes;
    m_ctx = new AppContext(desktop);
    m_mw = new MainWindow(*m_ctx);
    m_mw->show();
}

void TestTestWindow::cleanup()
{
    flushDeletes();
    delete m_mw;
    delete m_ctx;
    delete m_boxes;
    delete m_desk;
}

void TestTestWindow::openVocabulary(const QVector<VocabItem> &items, qint16 languageCode)
{
    m_ctx->store.SetItems(items);
    m_ctx->store.LanguageCode = languageCode;
    m_ctx->session.Score = 1000;
    m_mw->options().CreateLessonBoxes();
    m_mw->options().RebuildLessonTable();
}

TestWindow *TestTestWindow::openToEnglish()
{
    m_mw->tests().menuToEng_Click();
    return m_mw->tests().openTestWindow();
}

TestWindow *TestTestWindow::openFromEnglish()
{
    m_mw->tests().menuToMine_Click();
    return m_mw->tests().openTestWindow();
}

void TestTestWindow::captionsAndPictures_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("toEnglish");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label3");
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QString>("icon");

    QTest::newRow("German, to English")
        << 3 << true << "   Test from German to English" << "F R O M    G E R M A N"
        << ":/pictures/banEnglish.svg" << ":/pictures/tb_toenglish.svg";
    QTest::newRow("German, from English")
        << 3 << false << "   Test from English to German" << "T O   G E R M A N"
        << ":/pictures/banGermany.svg" << ":/pictures/icoGermany.svg";
    QTest::newRow("code 7, to English")
        << 7 << true << "   Test from My Lamguage to English"
        << "F R O M    M Y    L A N G U A G E" << ":/pictures/banEnglish.svg"
        << ":/pictures/tb_toenglish.svg";
    QTest::newRow("code 7, from English")
        << 7 << false << "   Test from English to My Language" << "T O   M Y   L A N G U A G E"
        << ":/pictures/banOthers.svg" << ":/pictures/icoOthers.svg";
}

void TestTestWindow::captionsAndPictures()
{
    QFETCH(int, code);
    QFETCH(bool, toEnglish);
    openVocabulary({{"05", " ", "house", "Haus"}, {"07", "c", "cat", "Katze"}}, qint16(code));
    m_ctx->session.DoneCount = 4;
    TestWindow *w = toEnglish ? openToEnglish() : openFromEnglish();
    QVERIFY(w);

    QCOMPARE(w->objectName(), QString(toEnglish ? "Form3" : "Form2"));
    QTEST(w->windowTitle(), "caption");
    QTEST(ui(w).Label3->text(), "label3");
    QCOMPARE(ui(w).Label2->text(),
             QString(toEnglish ? "T O   E N G L I S H" : "F R O M     E N G L I S H"));
    QTEST(w->bandieraPicture(), "banner");
    QTEST(w->iconPicture(), "icon");
    QVERIFY(!w->windowIcon().isNull());
    // The background covers the whole window.
    QCOMPARE(ui(w).bandiera->geometry(), w->rect());
    QCOMPARE(ui(w).bandiera->pixmap().deviceIndependentSize().toSize(), w->size());

    // The start state of the controls.
    QCOMPARE(ui(w).Command1->text(), QString("Go!"));
    QCOMPARE(ui(w).Command1->toolTip(), QString("Click me to start ..."));
    QVERIFY(ui(w).Command1->isEnabled());
    QCOMPARE(w->focusWidget(), ui(w).Command1);
    QVERIFY(!ui(w).Command1->icon().isNull());
    QCOMPARE(ui(w).Command2->text(), QString("Assistance"));
    QCOMPARE(ui(w).Command3->text(), QString("Back"));
    QVERIFY(ui(w).Command2->isHidden());
    QVERIFY(ui(w).Voce->isHidden());
    QVERIFY(ui(w).aiuto->isHidden());
    QVERIFY(ui(w).ImHai->isHidden());
    QVERIFY(ui(w).ImOhi->isHidden());
    QCOMPARE(ui(w).labpunti->text(), QString("1000"));
    QCOMPARE(ui(w).Label4->text(), QString("Done =4 Criticals =1"));
    QVERIFY(ui(w).Textin->text().isEmpty() && ui(w).Textit->text().isEmpty());
    for (QTimer *t : {ui(w).Timer1, ui(w).Timer2, ui(w).Timer3})
        QVERIFY(!t->isActive());
    QCOMPARE(ui(w).Timer1->interval(), 1000);
    QCOMPARE(ui(w).Timer2->interval(), 1000);
    QCOMPARE(ui(w).Timer3->interval(), 500);

    // Every control by its name; the ones without a caption by plain words.
    const QStringList names{"Command1", "Command2", "Command3", "Voce", "Textin", "Textit",
                            "aiuto", "Lablez", "labpunti", "Label4", "Label3", "Label2",
                            "ImHai", "ImOhi", "bandiera", "Timer1", "Timer2", "Timer3"};
    for (const QString &name : names)
        QVERIFY2(w->findChild<QObject *>(name), qPrintable(name));
    QCOMPARE(ui(w).Textin->accessibleName(), QString("English"));
    QCOMPARE(ui(w).Textit->accessibleName(), QString("My language"));
    QCOMPARE(ui(w).aiuto->accessibleName(), QString("Hint"));
    QCOMPARE(ui(w).Voce->accessibleName(), QString("Read aloud"));
    QVERIFY(!ui(w).ImHai->accessibleName().isEmpty() && !ui(w).ImOhi->accessibleName().isEmpty());
}

void TestTestWindow::openingAndClosingSwitchTheMainWindow()
{
    openVocabulary({{"05", " ", "house", "Haus"}});
    named<QFrame>(m_mw, "FrameRegole")->show();
    TestWindow *w = openToEnglish();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QVERIFY(!w->isModal());
    QVERIFY(!m_mw->isEnabled());
    QVERIFY(named<QFrame>(m_mw, "FrameRegole")->isHidden());
    // Resizable, and wider than the smallest size it allows.
    QCOMPARE(w->minimumSize(), QSize(640, 400));
    QVERIFY(w->maximumWidth() > 2000);
    QVERIFY(w->width() > 640);
    // Centred on the screen: the window's place is half the free room.
    QScreen *screen = m_mw->screen();
    QVERIFY(screen);
    const QRect area = screen->availableGeometry();
    QCOMPARE(w->pos(), area.topLeft() + QPoint((area.width() - w->width()) / 2,
                                               (area.height() - w->height()) / 2));

    // Only one test window at a time.
    m_mw->tests().menuToMine_Click();
    QCOMPARE(m_mw->tests().openTestWindow(), w);
    QCOMPARE(w->direction(), TestDirection::ToEnglish);
    // The main window's close box is refused as well, without a question.
    QCloseEvent closeBox;
    QCoreApplication::sendEvent(m_mw, &closeBox);
    QVERIFY(!closeBox.isAccepted());
    QVERIFY(m_boxes->shown.isEmpty());
    QVERIFY(m_mw->isVisible() && w->isVisible());

    // The close box: Closing switches the main window on, the window goes.
    QPointer<TestWindow> watch(w);
    w->Command1_Click();
    QVERIFY(ui(w).Timer1->isActive());
    QVERIFY(w->close());
    QVERIFY(m_mw->isEnabled());
    QVERIFY(!m_mw->tests().openWindow());
    QVERIFY(!ui(w).Timer1->isActive());
    flushDeletes();
    QVERIFY(watch.isNull());

    // A new window may open again.
    QVERIFY(openFromEnglish());
    QVERIFY(!m_mw->isEnabled());
}

void TestTestWindow::goShowsTheItem()
{
    openVocabulary({{"05", " ", "house", "Haus (Gebäude)   "}, {"07", " ", "cat", "Katze"}});
    TestWindow *w = openToEnglish();
    QCOMPARE(w->state(), TestWindow::State::Ready);

    QTest::mouseClick(ui(w).Command1, Qt::LeftButton);
    QCOMPARE(w->state(), TestWindow::State::Asking);
    QVERIFY(!QApplication::overrideCursor());
    // The question, right-trimmed, in the my-language box; the answer box
    // empty and ready.
    QCOMPARE(ui(w).Textit->text(), QString("Haus (Gebäude)"));
    QCOMPARE(w->questionBox(), ui(w).Textit);
    QVERIFY(ui(w).Textit->isReadOnly());
    QCOMPARE(w->answerBox(), ui(w).Textin);
    QVERIFY(ui(w).Textin->text().isEmpty());
    QCOMPARE(w->focusWidget(), ui(w).Textin);
    QCOMPARE(ui(w).Lablez->text(), QString("Lez/Num 05/1"));
    QCOMPARE(w->checker().Target, QString("house"));
    QVERIFY(!ui(w).Command1->isEnabled());
    QCOMPARE(ui(w).Command1->text(), QString("Translate..."));
    QCOMPARE(w->command1Picture(), 0);
    QCOMPARE(w->command1DisabledPicture(), 0);
    QVERIFY(ui(w).Timer1->isActive());
    QVERIFY(!ui(w).Timer2->isActive());
    QVERIFY(!ui(w).Timer3->isActive());
    QCOMPARE(m_ctx->session.ElapsedSeconds, qint16(0));
    QCOMPARE(m_ctx->pool.PendingItem, qint16(1));
    // The caption changes only with the first tick.
    QCOMPARE(w->windowTitle(), QString("   Test from My Lamguage to English"));
    w->Timer1_Timer();
    QCOMPARE(w->windowTitle(), QString("    Test to English ... (Target Time= 10)"));
}

void TestTestWindow::fromEnglishAsksTheEnglishText()
{
    openVocabulary({{"12", "c", "the apple tree (fruit tree)", "der Apfelbaum"}}, 3);
    TestWindow *w = openFromEnglish();
    w->Command1_Click();
    QCOMPARE(ui(w).Textin->text(), QString("the apple tree (fruit tree)"));
    QCOMPARE(w->answerBox(), ui(w).Textit);
    QVERIFY(ui(w).Textin->isReadOnly());
    QCOMPARE(ui(w).Lablez->text(), QString("Lez/Num 12/1"));
    // A critical item blinks: ImOhi on odd counts, ImHai on even ones.
    QVERIFY(ui(w).Timer3->isActive());
    w->Timer3_Timer();
    QVERIFY(ui(w).ImOhi->isVisibleTo(w) && !ui(w).ImHai->isVisibleTo(w));
    w->Timer3_Timer();
    QVERIFY(ui(w).ImHai->isVisibleTo(w) && !ui(w).ImOhi->isVisibleTo(w));
    w->Timer1_Timer();
    QCOMPARE(w->windowTitle(), QString("    Test from English ... (Target Time= 13)"));

    // Typing into the question box is not possible; only the answer counts.
    QTest::keyClicks(ui(w).Textin, "x");
    QCOMPARE(ui(w).Textin->text(), QString("the apple tree (fruit tree)"));
    type(w, "der Apfelbaum");
    QCOMPARE(w->state(), TestWindow::State::Answered);
    QVERIFY(ui(w).Timer3->isActive()); // blinks on until the next item
}

void TestTestWindow::wrongBeginningTurnsRedAndAlerts()
{
    openVocabulary({{"05", " ", "house", "Haus"}});
    m_mw->menuSuoni_Click();
    QVERIFY(m_ctx->soundsOn);
    TestWindow *w = openToEnglish();
    w->Command1_Click();

    type(w, "hou");
    QCOMPARE(answerColour(w), kBlack);
    QVERIFY(m_desk->sound.played.isEmpty());
    type(w, "a");
    QCOMPARE(answerColour(w), kRed);
    QCOMPARE(m_ctx->session.ErrorFlag, qint16(1));
    QCOMPARE(m_desk->sound.played, QStringList{"alert.wav"});
    // Deleting the wrong character: black again, no sound.
    QTest::keyClick(w->answerBox(), Qt::Key_Backspace);
    QCOMPARE(answerColour(w), kBlack);
    QCOMPARE(m_ctx->session.ErrorFlag, qint16(0));
    QCOMPARE(m_desk->sound.played.size(), 1);
    QCOMPARE(m_desk->sound.beeps, 0);

    // With the sounds off the text still turns red, silently.
    m_mw->menuSuoni_Click();
    type(w, "X");
    QCOMPARE(answerColour(w), kRed);
    QCOMPARE(m_desk->sound.played.size(), 1);
}

void TestTestWindow::exactAnswer()
{
    openVocabulary({{"05", " ", "house", "Haus"}, {"07", "c", "cat", "Katze"}});
    TestWindow *w = openToEnglish();
    w->Command1_Click();
    type(w, "house");

    QCOMPARE(w->state(), TestWindow::State::Answered);
    QCOMPARE(m_desk->sound.beeps, 40);
    QVERIFY(m_desk->sound.played.isEmpty()); // sounds are off
    QCOMPARE(m_ctx->session.Score, qint16(1005));
    QCOMPARE(ui(w).labpunti->text(), QString("1005"));
    QCOMPARE(m_ctx->session.DoneCount, qint16(1));
    QCOMPARE(ui(w).Label4->text(), QString("Done =1 Criticals =1"));
    QCOMPARE(m_ctx->pool.PendingItem, qint16(0));
    QCOMPARE(ui(w).Command1->text(), QString("Another?"));
    QCOMPARE(w->command1Picture(), 2);
    QVERIFY(ui(w).Command1->isEnabled());
    QCOMPARE(w->focusWidget(), ui(w).Command1);
    QCOMPARE(ui(w).Command1->toolTip(), QString("Click me for a new run ..."));
    QVERIFY(ui(w).Voce->isVisibleTo(w));
    QVERIFY(!ui(w).Timer1->isActive());
    QVERIFY(ui(w).Timer2->isActive());
    QVERIFY(m_boxes->shown.isEmpty()); // one accepted answer: no synonyms
    // A screen reader reads the values the labels show, not fixed names.
    const QList<QPair<QLabel *, QString>> values{
        {ui(w).labpunti, "1005"}, {ui(w).Label4, "Done =1"}, {ui(w).Lablez, "Lez/Num 05/1"}};
    for (const auto &[label, value] : values) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(label);
        QVERIFY2(face && face->text(QAccessible::Name).contains(value), qPrintable(value));
        QVERIFY(!face->text(QAccessible::Description).isEmpty());
    }

    // The box stays editable; an added blank equals the answer again but
    // does not count twice.
    type(w, " ");
    QCOMPARE(m_ctx->session.DoneCount, qint16(1));
    QCOMPARE(m_ctx->session.Score, qint16(1005));
    QCOMPARE(m_desk->sound.beeps, 40);

    // The success clock: "So what?" after the sixth tick, then it stops.
    for (int i = 0; i < 5; ++i)
        w->Timer2_Timer();
    QCOMPARE(ui(w).Command1->text(), QString("Another?"));
    w->Timer2_Timer();
    QCOMPARE(ui(w).Command1->text(), QString("So what?"));
    QCOMPARE(w->command1Picture(), 1);
    QVERIFY(!ui(w).Timer2->isActive());

    // Another (Enter on the button): the next item, the read-aloud button
    // hidden again.
    QTest::keyClick(ui(w).Command1, Qt::Key_Return);
    QCOMPARE(ui(w).Textit->text(), QString("Katze"));
    QVERIFY(ui(w).Textin->text().isEmpty());
    QCOMPARE(answerColour(w), kBlack);
    QVERIFY(ui(w).Voce->isHidden());
    QCOMPARE(ui(w).Command1->text(), QString("Translate..."));
}

void TestTestWindow::lateAnswerMarksCriticalTimelyAnswerUnmarks()
{
    openVocabulary({{"05", " ", "house", "Haus"}, {"05", "c", "cat", "Katze"},
                    {"05", "c", "dog", "Hund"}});
    TestWindow *w = openToEnglish();

    // Item 1, answered after its 12th second (TT 10): the last tick took a
    // point, so it becomes critical.
    w->Command1_Click();
    ticks(w, 12);
    QCOMPARE(m_ctx->session.Score, qint16(997));
    type(w, "house");
    QCOMPARE(m_ctx->store.Item(1).CriticalMark, QString("c"));
    QCOMPARE(m_ctx->session.Score, qint16(1002));
    QCOMPARE(ui(w).Label4->text(), QString("Done =1 Criticals =3"));

    // Item 2, critical, answered within 9 seconds: no longer critical.
    w->Command1_Click();
    QVERIFY(ui(w).Timer3->isActive());
    ticks(w, 9);
    type(w, "cat");
    QCOMPARE(m_ctx->store.Item(2).CriticalMark, QString(" "));
    QCOMPARE(ui(w).Label4->text(), QString("Done =2 Criticals =2"));

    // Item 3, critical, answered after the 10th second: stays critical.
    w->Command1_Click();
    QVERIFY(!ui(w).ImHai->isVisibleTo(w) && !ui(w).ImOhi->isVisibleTo(w));
    ticks(w, 10);
    type(w, "dog");
    QCOMPARE(m_ctx->store.Item(3).CriticalMark, QString("c"));
    QCOMPARE(ui(w).Label4->text(), QString("Done =3 Criticals =2"));
}

void TestTestWindow::clocksTooSlowTargetTimeAndBeeps()
{
    // A 20-character answer: TT 20, no penalty before the 20th second, yet
    // "Too slow!" after the 11th.
    openVocabulary({{"05", " ", "the big apple trees!", "die großen Apfelbäume!"}});
    TestWindow *w = openToEnglish();
    w->Command1_Click();
    ticks(w, 10);
    QCOMPARE(ui(w).Command1->text(), QString("Translate..."));
    QCOMPARE(w->command1DisabledPicture(), 0);
    w->Timer1_Timer();
    QCOMPARE(ui(w).Command1->text(), QString("Too slow!"));
    QCOMPARE(w->command1DisabledPicture(), 3);
    QCOMPARE(w->command1Picture(), 0);
    QCOMPARE(w->windowTitle(), QString("    Test to English ... (Target Time= 20)"));
    ticks(w, 8);
    QCOMPARE(m_ctx->session.Score, qint16(1000));
    QCOMPARE(m_desk->sound.beeps, 0);
    w->Timer1_Timer(); // 20th second: one point, no beep yet
    QCOMPARE(m_ctx->session.Score, qint16(999));
    QCOMPARE(ui(w).labpunti->text(), QString("999"));
    QCOMPARE(m_desk->sound.beeps, 0);
    ticks(w, 2); // past TT: a beep a second
    QCOMPARE(m_desk->sound.beeps, 2);
    QCOMPARE(m_ctx->session.Score, qint16(997));
    QVERIFY(ui(w).Command2->isHidden()); // nothing wrong typed
}

void TestTestWindow::assistance()
{
    openVocabulary({{"05", " ", "the big apple tree", "der große Apfelbaum"}});
    TestWindow *w = openToEnglish();
    w->Command1_Click();
    type(w, "thx");
    ticks(w, 10);
    QVERIFY(ui(w).Command2->isHidden());
    w->Timer1_Timer();
    QVERIFY(ui(w).Command2->isVisibleTo(w));
    QCOMPARE(m_ctx->session.Score, qint16(1000)); // TT 18

    QTest::mouseClick(ui(w).Command2, Qt::LeftButton);
    QVERIFY(ui(w).aiuto->isVisibleTo(w));
    QCOMPARE(ui(w).aiuto->text(), QString("the ### ##### ####"));
    QCOMPARE(m_ctx->session.Score, qint16(991));
    QCOMPARE(ui(w).labpunti->text(), QString("991"));
    QCOMPARE(m_ctx->session.LastPenalty, qint16(9));
    QCOMPARE(w->focusWidget(), ui(w).Textin);
    w->Command2_Click(); // each click pays again
    QCOMPARE(m_ctx->session.Score, qint16(982));

    // Corrected: the next tick hides the button and the hint.
    QTest::keyClick(w->answerBox(), Qt::Key_Backspace);
    QCOMPARE(answerColour(w), kBlack);
    w->Timer1_Timer();
    QVERIFY(ui(w).Command2->isHidden());
    QVERIFY(ui(w).aiuto->isHidden());

    // Answered right after Assistance: critical.
    w->Command2_Click();
    type(w, "e big apple tree");
    QCOMPARE(m_ctx->store.Item(1).CriticalMark, QString("c"));
    QCOMPARE(m_ctx->session.LastPenalty, qint16(0));
}

void TestTestWindow::synonymsMessage()
{
    openVocabulary({{"03", " ", "house (home)", "casa"},
                    {"05", " ", "dwelling", "casa (abitazione)"},
                    {"06", " ", "flat", "appartamento"}});
    TestWindow *w = openToEnglish();
    w->Command1_Click();
    QCOMPARE(w->checker().AcceptedAnswers, QStringList({"house", "home", "dwelling"}));
    type(w, "dwelling");
    QCOMPARE(w->state(), TestWindow::State::Answered);
    QCOMPARE(m_ctx->session.Score, qint16(1008));
    QCOMPARE(m_boxes->shown.size(), 1);
    const platform::ShownBox box = m_boxes->shown.first();
    QCOMPARE(box.title, QString("Synonyms of:  casa (within the selected lessons)"));
    QCOMPARE(box.text, QString("(Les.03)   house (home) = casa\n"
                               "(Les.05)   dwelling = casa (abitazione)"));
    QCOMPARE(box.icon, platform::Icon::Information);
    QCOMPARE(box.buttons, platform::Buttons(platform::Ok));
}

void TestTestWindow::closedMidQuestionAsksTheSameItem()
{
    QTemporaryDir dir;
    const QString vocabulary = dir.filePath("words.eng");
    QVERIFY(writeFileBytes(vocabulary, "x"));
    openVocabulary({{"05", " ", "house", "Haus"}, {"05", " ", "cat", "Katze"}});
    m_ctx->store.CurrentFileName = vocabulary;
    m_ctx->session.Score = 800;

    TestWindow *w = openToEnglish();
    w->Command1_Click();
    ticks(w, 3);
    w->close();
    QVERIFY(m_mw->isEnabled());
    QCOMPARE(m_ctx->pool.PendingItem, qint16(1));
    // No exact answer since the start: no record, no file.
    QVERIFY(!QFile::exists(dir.filePath("words.log")));
    flushDeletes();

    // Opened again in the other direction: the same item first.
    w = openFromEnglish();
    QCOMPARE(ui(w).labpunti->text(), QString("800"));
    w->Command1_Click();
    QCOMPARE(ui(w).Textin->text(), QString("house"));
    QCOMPARE(ui(w).Lablez->text(), QString("Lez/Num 05/1"));
    type(w, "Haus");
    QCOMPARE(m_ctx->session.DoneCount, qint16(1));
    w->Command1_Click();
    QCOMPARE(ui(w).Textin->text(), QString("cat"));
}

void TestTestWindow::logRecordOnlyAfterAnExactAnswer()
{
    QTemporaryDir dir;
    const QString vocabulary = dir.filePath("words.eng");
    QVERIFY(writeFileBytes(vocabulary, "x"));
    openVocabulary({{"05", " ", "house", "Haus"}, {"07", "c", "cat", "Katze"}});
    m_ctx->store.CurrentFileName = vocabulary;
    m_ctx->session.SessionStart = QTime(19, 0, 0);

    TestWindow *w = openToEnglish();
    w->Command1_Click();
    type(w, "house");
    w->close();

    const QByteArray log = readFileBytes(dir.filePath("words.log"));
    QVERIFY(log.endsWith("\r\n"));
    QCOMPARE(log.count("\r\n"), 1);
    const QList<QByteArray> fields = log.trimmed().split(';');
    QCOMPARE(fields.size(), 9);
    QCOMPARE(fields.mid(3), QList<QByteArray>({"2", "1", " ALL", "1", "1005", "1"}));
    QVERIFY(m_boxes->shown.isEmpty());

    // A second window without an exact answer adds the totals again.
    flushDeletes();
    openFromEnglish()->close();
    QCOMPARE(readFileBytes(dir.filePath("words.log")).count("\r\n"), 2);
}

void TestTestWindow::logFailureReportedAfterTheWindowHasGone()
{
    QTemporaryDir dir;
    openVocabulary({{"05", " ", "house", "Haus"}});
    // The log's folder does not exist: it cannot be written.
    m_ctx->store.CurrentFileName = dir.filePath("missing/words.eng");

    TestWindow *w = openToEnglish();
    w->Command1_Click();
    type(w, "house");
    w->close();

    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(m_boxes->shown.first().title, QString("Tests log ..."));
    QCOMPARE(m_boxes->shown.first().icon, platform::Icon::Warning);
    QVERIFY(m_boxes->shown.first().text.contains(dir.filePath("missing/words.log")));
    QCOMPARE(m_boxes->testWindowShowing, QList<bool>{false});
    QVERIFY(m_mw->isEnabled());
    // The record is kept for later.
    QCOMPARE(m_ctx->testLog.PendingRecords().size(), 1);
}

void TestTestWindow::itemsCompletedAtTheEndOfARun()
{
    openVocabulary({{"05", " ", "house", "Haus"}, {"05", " ", "cat", "Katze"}});
    TestWindow *w = openToEnglish();
    w->Command1_Click();
    type(w, "house");
    w->Command1_Click();
    type(w, "cat");

    // Forwards run out: the restart question, answered Cancel.
    m_boxes->answers << platform::Cancel;
    w->Command1_Click();
    QCOMPARE(m_boxes->shown.size(), 2);
    QCOMPARE(m_boxes->shown.at(0).title, QString("Restart..."));
    const platform::ShownBox done = m_boxes->shown.at(1);
    QCOMPARE(done.title, QString("    Vocanto"));
    QCOMPARE(done.text, QString("Items completed\r\nSet up new Options from the main window"));
    QCOMPARE(done.icon, platform::Icon::None);
    QCOMPARE(done.buttons, platform::Buttons(platform::Ok));

    QCOMPARE(w->state(), TestWindow::State::Finished);
    QVERIFY(ui(w).Command1->isHidden());
    QVERIFY(ui(w).Command2->isHidden());
    for (QTimer *t : {ui(w).Timer1, ui(w).Timer2, ui(w).Timer3})
        QVERIFY(!t->isActive());
    QVERIFY(!QApplication::overrideCursor());
    // The pool is rebuilt for the next run.
    QVERIFY(!m_ctx->pool.RunOut);
    QCOMPARE(m_ctx->pool.Size(), 2);
    QVERIFY(ui(w).Command3->isEnabled());
}

void TestTestWindow::backSavesNothing()
{
    QTemporaryDir dir;
    const QString vocabulary = dir.filePath("words.eng");
    QVERIFY(writeFileBytes(vocabulary, "original"));
    openVocabulary({{"05", " ", "house", "Haus"}});
    m_ctx->store.CurrentFileName = vocabulary;
    m_ctx->store.SetSaveAvailable(true);

    TestWindow *w = openToEnglish();
    w->Command1_Click();
    ticks(w, 12);
    type(w, "house"); // the item becomes critical: something to save
    QPointer<TestWindow> watch(w);
    QTest::mouseClick(ui(w).Command3, Qt::LeftButton);

    QVERIFY(watch.isNull() || watch->isHidden());
    QVERIFY(!m_mw->tests().openWindow());
    QVERIFY(m_mw->isEnabled());
    // The Save request writes nothing and asks nothing.
    QCOMPARE(readFileBytes(vocabulary), QByteArray("original"));
    QVERIFY(m_desk->dialogs.asked.isEmpty());
    // The log record is written beside the file.
    QCOMPARE(readFileBytes(dir.filePath("words.log")).count("\r\n"), 1);
}

void TestTestWindow::readAloud()
{
    openVocabulary({{"05", " ", "house", "Haus"}, {"05", " ", "cat", "Katze"}});
    TestWindow *w = openToEnglish();
    w->Command1_Click();
    type(w, "house");
    QTest::mouseClick(ui(w).Voce, Qt::LeftButton);
    QCOMPARE(m_desk->speech.spoken, QStringList{"house"});
    w->close();
    flushDeletes();

    // From English the English text is the question.
    w = openFromEnglish();
    w->Command1_Click();
    type(w, "Katze");
    m_desk->speech.fail = true;
    w->Voce_Click();
    QCOMPARE(m_desk->speech.spoken, QStringList({"house", "cat"}));
    QCOMPARE(m_boxes->shown.size(), 1);
    QCOMPARE(m_boxes->shown.first().title, QString("Attention"));
    QCOMPARE(m_boxes->shown.first().text, QString("Any error ..."));
    QCOMPARE(m_boxes->testWindowShowing, QList<bool>{true});
}

// Whether a text box shows all of its text.
static bool showsWhole(const QLineEdit *box)
{
    return QFontMetrics(box->font()).horizontalAdvance(box->text()) <= box->width() - 10;
}

void TestTestWindow::longEntriesShowWhole_data()
{
    QTest::addColumn<bool>("toEnglish");
    QTest::addColumn<QSize>("size");
    QTest::newRow("to English, as opened") << true << QSize();
    QTest::newRow("from English, as opened") << false << QSize();
    QTest::newRow("to English, smallest") << true << QSize(640, 400);
    QTest::newRow("from English, wide") << false << QSize(1200, 500);
}

void TestTestWindow::longEntriesShowWhole()
{
    QFETCH(bool, toEnglish);
    QFETCH(QSize, size);
    const QString wide(50, 'W');
    openVocabulary({{"05", " ", wide, wide}, {"05", " ", "house", "Haus"}});
    TestWindow *w = toEnglish ? openToEnglish() : openFromEnglish();
    if (size.isValid())
        w->resize(size);
    QTRY_VERIFY(!size.isValid() || w->size() == size);
    // The background stretches over the window at any size.
    QCOMPARE(ui(w).bandiera->geometry(), w->rect());
    w->Command1_Click();
    QCOMPARE(w->questionBox()->text(), wide);
    QVERIFY(showsWhole(w->questionBox()));
    type(w, wide);
    QVERIFY(showsWhole(w->answerBox()));
    QCOMPARE(w->checker().Answered, true);
    // A short answer keeps the usual, larger size.
    w->Command1_Click();
    QVERIFY(w->answerBox()->font().pointSizeF() > w->questionBox()->font().pointSizeF() - 3);
    // Every control stays inside the window.
    for (QWidget *child : w->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(w->rect().contains(child->geometry()), qPrintable(child->objectName()));
}

QTEST_MAIN(TestTestWindow)
#include "tst_testwindow.moc"
