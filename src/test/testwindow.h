#pragma once
// A test window: asks the items of the pool one at a time, judges the answer
// while it is typed, runs the answer, success and blink clocks, and offers
// Assistance and reading aloud. One class serves both directions: ToEnglish
// (window Form3) and FromEnglish (window Form2) differ only in which text box
// asks and which is typed into, the captions and the background picture.
//
// The rules live in plain classes (answer checking, scoring, assistance,
// synonyms, the tests log); this window only carries out what they decide.

#include "test/answercheck.h"
#include "test/direction.h"
#include "test/itempool.h"
#include "test/synonyms.h"
#include "test/testlog.h"

#include <QPixmap>
#include <array>
#include <QWidget>

struct AppContext;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TestHost;

class TestWindow : public QWidget {
    Q_OBJECT
public:
    // The window's state, as its start button shows it.
    enum class State { Ready, Asking, Answered, Finished };

    TestWindow(AppContext &ctx, TestHost &host, TestDirection direction);
    ~TestWindow() override;

    TestDirection direction() const { return m_direction; }
    State state() const { return m_state; }
    // Whether Closing has run (the window is gone, or about to be deleted).
    bool hasClosed() const { return m_closed; }

    // Events of the window. The tick handlers are the timers' handlers; they
    // are public so that the clocks can be driven without waiting.
    void Form_Load();        // Opening
    void Form_Resize();      // stretches the background picture
    void Command1_Click();   // Next item
    void Command2_Click();   // Assistance
    void Command3_Click();   // Back
    void Voce_Click();       // Read aloud
    void Answer_Change();    // a change of the answer box: answer checking
    void Timer1_Timer();     // the answer clock
    void Timer2_Timer();     // the success clock
    void Timer3_Timer();     // the blink
    void Form_Unload();      // Closing

    // The text box that shows the question and the one that is typed into.
    QLineEdit *questionBox() const;
    QLineEdit *answerBox() const;

    // The four faces of the start button: 0 asking, 1 "So what?", 2 after an
    // exact answer, 3 "Too slow!".
    QPixmap Face(int n) const;
    // Which faces the start button shows now, enabled and disabled.
    int command1Picture() const { return m_picture; }
    int command1DisabledPicture() const { return m_disabledPicture; }
    // The resource paths of the background picture and the window icon.
    QString bandieraPicture() const { return m_bannerPath; }
    QString iconPicture() const { return m_iconPath; }

    const AnswerChecker &checker() const { return m_checker; }
    const SynonymSearch &synonyms() const { return m_search; }


signals:
    // Closing has run; the window hides and is deleted next.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    QSize startSize() const;
    void placeControls();
    // Shows the box's text at the usual size, or smaller when it would not
    // fit the box whole.
    void fitText(QLineEdit *box);
    // Sets the start button's enabled and disabled pictures.
    void setCommand1Pictures(int picture, int disabledPicture);
    void setAnswerColour(bool red);
    void showScore();
    void showCounters();
    void hideBlink();
    void stopTimers();
    void reportLogFailure();

    // Shows the question box after a change of the pool's outcome: the
    // restart question, the criticals' end; returns the outcome that stands.
    NextOutcome askAbout(NextOutcome outcome);
    void playSounds(const CheckOutcome &outcome);
    void showSynonyms();

    AppContext &m_ctx;
    TestHost &m_host;
    const TestDirection m_direction;
    State m_state = State::Ready;
    AnswerChecker m_checker;
    SynonymSearch m_search;
    std::array<QPixmap, 4> m_faces; // drawn once per window
    QString m_bannerPath;
    QString m_iconPath;
    int m_picture = 0;
    int m_disabledPicture = 0;
    bool m_closed = false;
    // A tests log that could not be written at Closing; reported once the
    // window has gone.
    LogWriteResult m_logFailure;
    bool m_reportLogFailure = false;
    QFrame *m_topPanel = nullptr;
    QFrame *m_textPanel = nullptr;

    // The controls, by the names the windows have always given them.
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Voce = nullptr;
    QLineEdit *Textin = nullptr;
    QLineEdit *Textit = nullptr;
    QLineEdit *aiuto = nullptr;
    QLabel *Lablez = nullptr;
    QLabel *labpunti = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *ImHai = nullptr;
    QLabel *ImOhi = nullptr;
    QLabel *bandiera = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QTimer *Timer3 = nullptr;
};
