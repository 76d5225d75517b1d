#include "platform/keyboard.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QRegularExpression>
#include <QWidget>

namespace platform {

namespace {

bool Usable(const QWidget *w)
{
    return w && w->isVisible() && w->isEnabled();
}

// The children a screen reader sees: decorative pictures left out.
QList<QWidget *> ReadableChildren(const QWidget *parent)
{
    QList<QWidget *> readable;
    for (QObject *o : parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isWindow() && !w->property("vocantoDecorative").toBool())
            readable << w;
    }
    return readable;
}

// A widget that holds decorative pictures, or a window read as a dialog.
class PlainAccessible : public QAccessibleWidget {
public:
    PlainAccessible(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    int childCount() const override { return int(ReadableChildren(widget()).size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = ReadableChildren(widget());
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        return int(ReadableChildren(widget()).indexOf(qobject_cast<QWidget *>(child->object())));
    }
};

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    auto *w = qobject_cast<QWidget *>(object);
    if (!w)
        return nullptr;
    const QVariant role = w->property("vocantoRole");
    if (!role.isValid())
        return nullptr;
    return new PlainAccessible(w, QAccessible::Role(role.toInt()));
}

void InstallFactory()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(Factory);
        installed = true;
    }
}

} // namespace

void FocusReturn::open(QWidget *frame, QWidget *first)
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && !frame->isAncestorOf(focus))
        m_back = focus;
    if (first)
        first->setFocus(Qt::OtherFocusReason);
}

void FocusReturn::retake(QWidget *frame, QWidget *first)
{
    m_back = nullptr;
    open(frame, first);
}

void FocusReturn::close()
{
    if (Usable(m_back))
        m_back->setFocus(Qt::OtherFocusReason);
    m_back = nullptr;
}

void TabToCheckedOnly(std::initializer_list<QAbstractButton *> group)
{
    const QList<QAbstractButton *> buttons(group);
    auto update = [buttons] {
        bool any = false;
        for (QAbstractButton *b : buttons)
            any = any || b->isChecked();
        for (QAbstractButton *b : buttons)
            b->setFocusPolicy(b->isChecked() || (!any && b == buttons.first()) ? Qt::StrongFocus
                                                                              : Qt::ClickFocus);
    };
    for (QAbstractButton *b : buttons)
        QObject::connect(b, &QAbstractButton::toggled, b, update);
    update();
}

void MarkDecorative(QWidget *widget)
{
    InstallFactory();
    widget->setProperty("vocantoDecorative", true);
    QWidget *parent = widget->parentWidget();
    if (parent && !parent->property("vocantoRole").isValid()) {
        // The parent keeps the role a screen reader knew it by.
        QAccessibleInterface *before = QAccessible::queryAccessibleInterface(parent);
        parent->setProperty("vocantoRole", int(before ? before->role() : QAccessible::Client));
        if (before)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(before));
    }
}

void MarkAsDialog(QWidget *window)
{
    InstallFactory();
    window->setProperty("vocantoRole", int(QAccessible::Dialog));
}

QString SpelledOutWords(const QString &letterSpaced)
{
    // Words are set apart by two blanks or more, letters by one.
    static const QRegularExpression wordGap(QStringLiteral("\\s{2,}"));
    QStringList words;
    for (QString word : letterSpaced.trimmed().split(wordGap, Qt::SkipEmptyParts)) {
        word.remove(u' ');
        words << word.left(1) + word.mid(1).toLower();
    }
    return words.join(u' ');
}

} // namespace platform
