// Keyboard and screen reader: every view walked as a screen reader sees it
// (every enabled control named in words and reachable from the keyboard, no
// decorative picture met), and a whole session driven by keys alone, with
// the focus checked after each step.
#include "edit/editview.h"
#include "review/historyview.h"
#include "review/reviewviews.h"
#include "test/optionspanel.h"
#include "test/testcommands.h"
#include "test/testwindow.h"
#include "app/countrypanel.h"
#include "app/aboutwindow.h"
#include "vocab/vocabfile.h"
#include "viewsupport.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QToolButton>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

bool Interactive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::MenuItem:
        return true;
    default:
        return false;
    }
}

// Whether the keyboard reaches a control: Tab stops on it, or it is a button
// of a group that the arrow keys walk from the group's Tab stop.
bool Reachable(const QWidget *w)
{
    if (w->focusPolicy() & Qt::TabFocus)
        return true;
    if (auto *radio = qobject_cast<const QRadioButton *>(w)) {
        for (const QRadioButton *other : w->parentWidget()->findChildren<QRadioButton *>(
                 QString(), Qt::FindDirectChildrenOnly))
            if (other->autoExclusive() && (other->focusPolicy() & Qt::TabFocus))
                return true;
    }
    return false;
}

// Walks what a screen reader meets in a window and lists every fault: an
// enabled control with no name in words, one the keyboard cannot reach, or
// a decorative picture.
void Walk(QAccessibleInterface *face, QStringList &faults)
{
    if (!face || face->state().invisible)
        return;
    QObject *object = face->object();
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget && widget->property("vocantoDecorative").toBool())
        faults << "decorative picture shown: " + widget->objectName();
    // A picture a screen reader meets must say what it shows.
    if (face->role() == QAccessible::Graphic && face->text(QAccessible::Name).trimmed().isEmpty())
        faults << "picture without a name: " + (widget ? widget->objectName() : QString());
    const bool enabled = !face->state().disabled;
    if (enabled && Interactive(face->role())) {
        const QString name = face->text(QAccessible::Name).remove(u'&').trimmed();
        const QString who = widget && !widget->objectName().isEmpty() ? widget->objectName() : name;
        if (name.size() < 2)
            faults << QString("no name in words: %1 \"%2\"").arg(who, name);
        // Menu entries are reached through the menus and their letters.
        if (widget && face->role() != QAccessible::MenuItem && !Reachable(widget))
            faults << "not reachable by keyboard: " + who;
    }
    // The rows and cells of a list are walked by the arrow keys.
    if (face->role() == QAccessible::Tree || face->role() == QAccessible::Table)
        return;
    for (int i = 0; i < face->childCount(); ++i)
        Walk(face->child(i), faults);
}

QStringList FaultsOf(QWidget *window)
{
    QStringList faults;
    Walk(QAccessible::queryAccessibleInterface(window), faults);
    return faults;
}

QByteArray Vocabulary()
{
    QByteArray bytes = (LanguageLine(3) + "\r\n" + RulerLine() + "\r\n").toLatin1();
    bytes += "01   house                                             Haus                                              \r\n";
    bytes += "02 c cat                                               Katze                                             \r\n";
    return bytes;
}

} // namespace

class TestKeyboard : public WindowTest {
    Q_OBJECT

    QTemporaryDir dir;

    void openVocabulary()
    {
        const QString path = dir.filePath("words.eng");
        QVERIFY(writeFileBytes(path, Vocabulary()));
        desk->dialogs.nextPaths << path;
        ui->menuApri->trigger();
        QCOMPARE(ctx->store.ItemCount(), qint16(2));
    }
    static QWidget *focus() { return QApplication::focusWidget(); }
    static void press(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(focus(), Qt::Key(key), modifiers);
    }
    // Presses Tab until the focus is on `target`; false when it never gets there.
    static bool tabTo(const QWidget *target)
    {
        for (int i = 0; i < 60 && focus() != target; ++i)
            press(Qt::Key_Tab);
        return focus() == target;
    }
    QWidget *buttonWidget(int n) const { return ui->BottBar->widgetForAction(ui->button(n)); }

private slots:
    void init()
    {
        startWindow();
        QVERIFY(QTest::qWaitForWindowActive(mw));
    }
    void cleanup() { f.reset(); }

    void everyViewNamedAndReachable_data()
    {
        QTest::addColumn<QString>("view");
        for (const char *view : {"start", "read", "listen", "criticals", "history", "edit",
                                 "instructions", "options", "country", "rules", "to English",
                                 "to mine", "about"})
            QTest::newRow(view) << QString(view);
    }

    void everyViewNamedAndReachable()
    {
        QFETCH(QString, view);
        if (view != "start")
            openVocabulary();
        QWidget *window = mw;
        if (view == "read" || view == "criticals")
            ui->menuLeggi->trigger();
        if (view == "criticals")
            ui->ChkCri->click();
        if (view == "listen")
            ui->menuAscolta->trigger();
        if (view == "history")
            ui->menuStoria->trigger();
        if (view == "edit" || view == "instructions")
            ui->menuAggiorna->trigger();
        if (view == "instructions")
            WorkUi(mw).Ccome->click();
        if (view == "options")
            ui->menuLezioni->trigger();
        if (view == "country")
            ui->menuCountry->trigger();
        if (view == "rules")
            ui->menuRegole->trigger();
        std::unique_ptr<AboutWindow> about;
        if (view == "about") {
            about = std::make_unique<AboutWindow>(mw);
            about->show();
            QVERIFY(QTest::qWaitForWindowActive(about.get()));
            window = about.get();
        }
        if (view == "to English" || view == "to mine") {
            (view == "to English" ? ui->menuToEng : ui->menuToMine)->trigger();
            window = mw->tests().openTestWindow();
            QVERIFY(window);
            // A test window is a dialog to a screen reader, with its title.
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(window);
            QCOMPARE(face->role(), QAccessible::Dialog);
            QCOMPARE(face->text(QAccessible::Name), window->windowTitle());
            QVERIFY(FaultsOf(window).isEmpty());
            // The letter-spaced lines are read as words.
            const QString line = QAccessible::queryAccessibleInterface(named<QLabel>(window, "Label2"))
                                     ->text(QAccessible::Name);
            QCOMPARE(line, QString(view == "to English" ? "To English" : "From English"));
        }
        const QStringList faults = FaultsOf(window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
        // The focus is on a control the user can act on.
        QWidget *now = window->focusWidget();
        QVERIFY2(now && now->isVisible() && now->isEnabled(), qPrintable(view));
        if (auto *test = mw->tests().openWindow())
            test->close();
    }

    // Open a vocabulary, take one item of a test, leave the test, add an
    // item in the edit view: keys alone, the focus where the next key needs it.
    void aSessionByKeysAlone()
    {
        // At start the focus is on Open; F10 opens the File menu.
        QCOMPARE(focus(), buttonWidget(1));
        press(Qt::Key_F10);
        QTRY_VERIFY(named<QMenu>(mw, "menuFile")->isVisible());
        QTest::keyClick(named<QMenu>(mw, "menuFile"), Qt::Key_Escape);
        QTRY_VERIFY(!named<QMenu>(mw, "menuFile")->isVisible());
        // Ctrl+O opens through the dialog.
        const QString path = dir.filePath("keys.eng");
        QVERIFY(writeFileBytes(path, Vocabulary()));
        desk->dialogs.nextPaths << path;
        press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ctx->store.ItemCount(), qint16(2));
        QVERIFY(qobject_cast<QToolButton *>(focus()) && focus()->isEnabled());

        // Tab reaches "to English"; Space opens the test, whose start button
        // has the focus.
        QVERIFY(tabTo(buttonWidget(8)));
        press(Qt::Key_Space);
        TestWindow *test = mw->tests().openTestWindow();
        QVERIFY(test);
        QVERIFY(QTest::qWaitForWindowActive(test));
        QCOMPARE(focus(), named<QPushButton>(test, "Command1"));
        press(Qt::Key_Space);
        QCOMPARE(focus(), test->answerBox());
        // Tab goes down the window: from the answer to the loudspeaker
        // beside it (when shown), the buttons, back to the question.
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focus(), test->questionBox());
        press(Qt::Key_Tab);
        QCOMPARE(focus(), test->answerBox());
        QTest::keyClicks(focus(), "houze");
        QCOMPARE(test->answerBox()->accessibleDescription(), QString("wrong"));
        press(Qt::Key_Backspace);
        press(Qt::Key_Backspace);
        QCOMPARE(test->answerBox()->accessibleDescription(), QString());
        QTest::keyClicks(focus(), "se");
        QCOMPARE(ctx->session.DoneCount, qint16(1));
        QCOMPARE(focus(), named<QPushButton>(test, "Command1"));
        // Escape leaves the test as Back does; the focus is back on its button.
        press(Qt::Key_Escape);
        QTRY_VERIFY(!mw->tests().openWindow());
        QVERIFY(QTest::qWaitForWindowActive(mw));
        QCOMPARE(focus(), buttonWidget(8));

        // The edit view from its button: the lesson field first, then
        // English and my language, Enter adding the item.
        QVERIFY(tabTo(buttonWidget(6)));
        press(Qt::Key_Space);
        WorkUi work(mw);
        QCOMPARE(focus(), work.LEZ);
        QTest::keyClicks(focus(), "3");
        press(Qt::Key_Tab);
        QCOMPARE(focus(), work.ENGL);
        QTest::keyClicks(focus(), "dog");
        press(Qt::Key_Tab);
        QCOMPARE(focus(), work.ITAL);
        QTest::keyClicks(focus(), "Hund");
        press(Qt::Key_Return);
        QCOMPARE(ctx->store.ItemCount(), qint16(3));
        QCOMPARE(ctx->store.Item(3).English, QString("dog"));
        QCOMPARE(focus(), work.ENGL);

        // A message box closed leaves the focus where it was.
        desk->boxes.answers << platform::Ok;
        press(Qt::Key_Return); // nothing typed: "Any data missing"
        QCOMPARE(focus(), work.ENGL);

        // Closing the view from its menu entry: the focus goes back to the
        // view's button, not into the hidden work area.
        ui->menuAggiorna->trigger();
        QVERIFY(!work.ENGL->isVisible());
        QCOMPARE(focus(), buttonWidget(6));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
