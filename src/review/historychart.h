#pragma once
// A small line chart of the test results over the tests of the history: one
// point per test whose result is a number, at the test's place in the log.

#include <QList>
#include <QPoint>
#include <QWidget>

class HistoryChart : public QWidget {
    Q_OBJECT
public:
    explicit HistoryChart(QWidget *parent = nullptr);

    // One point per test: x is the test's 1-based row in the history, y its result.
    void setResults(const QList<QPoint> &results, int testCount);
    const QList<QPoint> &results() const { return m_results; }
    int testCount() const { return m_testCount; }

    QSize sizeHint() const override { return {400, 120}; }
    QSize minimumSizeHint() const override { return {120, 60}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QPoint> m_results;
    int m_testCount = 0;
};
