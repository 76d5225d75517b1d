#pragma once
// The splash window shown while the program starts.

#include <QWidget>

class QLabel;
class QTimer;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);
    QLabel *status() const { return m_status; }
    QTimer *timer() const { return m_timer; }

signals:
    // The timer fired: the main window is to be shown.
    void timeUp();

private:
    QLabel *m_status;
    QTimer *m_timer;
};

// Centres a window on its screen.
void CentreOnScreen(QWidget *window);
