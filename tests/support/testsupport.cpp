#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QtTest>
#include <QWidget>

bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray readFileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList boxTexts(const platform::ScriptedBoxes &boxes)
{
    QStringList texts;
    for (const platform::ShownBox &box : boxes.shown)
        texts << box.text;
    return texts;
}

namespace platform {

bool operator==(const ShownBox &a, const ShownBox &b)
{
    return a.title == b.title && a.text == b.text && a.icon == b.icon && a.buttons == b.buttons;
}

char *toString(const ShownBox &box)
{
    const QString text = QStringLiteral("title \"%1\", text \"%2\", icon %3, buttons %4")
                             .arg(box.title, box.text)
                             .arg(int(box.icon))
                             .arg(box.buttons);
    return qstrdup(text.toUtf8().constData());
}

} // namespace platform

void actOnNextModal(std::function<void(QWidget *)> act)
{
    // Polls until the box's own event loop runs, then acts once.
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

void doubleClick(QWidget *widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}
