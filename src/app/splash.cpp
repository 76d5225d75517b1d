#include "app/splash.h"

#include "platform/keyboard.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSvgWidget>
#include <QTimer>
#include <QVBoxLayout>

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form0"));
    setWindowTitle(QStringLiteral("Vocanto"));
    auto *layout = new QVBoxLayout(this);
    auto *picture = new QSvgWidget(QStringLiteral(":/pictures/splash.svg"), this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setFixedSize(420, 280);
    platform::MarkDecorative(picture);
    layout->addWidget(picture, 0, Qt::AlignCenter);
    m_status = new QLabel(QStringLiteral("Wait a few seconds ..."), this);
    m_status->setObjectName(QStringLiteral("Label1"));
    m_status->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_status);
    adjustSize();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(3000);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::timeUp);
}

void CentreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}
