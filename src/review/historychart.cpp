#include "review/historychart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

HistoryChart::HistoryChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HistoryChart"));
    setAccessibleName(QStringLiteral("Test results chart"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    setPalette(pal);
}

void HistoryChart::setResults(const QList<QPoint> &results, int testCount)
{
    m_results = results;
    m_testCount = std::max<int>(testCount, 0);
    update();
}

void HistoryChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const QColor text = pal.color(QPalette::Text);
    QColor faint = text;
    faint.setAlpha(60);

    p.setPen(faint);
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    const QFontMetrics fm = p.fontMetrics();
    const int lineH = fm.height();
    const QString title = QStringLiteral("Test result");
    p.setPen(text);
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QRect(0, 2, width(), lineH), Qt::AlignHCenter | Qt::AlignTop, title);
    p.setFont(font());

    if (m_results.isEmpty()) {
        p.setPen(faint.darker());
        p.drawText(rect().adjusted(0, lineH, 0, 0), Qt::AlignCenter,
                   QStringLiteral("No test results to show"));
        return;
    }

    int minY = m_results.first().y();
    int maxY = minY;
    for (const QPoint &pt : m_results) {
        minY = std::min(minY, pt.y());
        maxY = std::max(maxY, pt.y());
    }
    const int firstX = 1;
    const int lastX = std::max(m_testCount, m_results.last().x());

    // Plot area: room on the left for the value labels, below for the test numbers.
    const QString minText = QString::number(minY);
    const QString maxText = QString::number(maxY);
    const int labelW = std::max(fm.horizontalAdvance(minText), fm.horizontalAdvance(maxText)) + 8;
    const QRect plot(labelW + 4, lineH + 6, width() - labelW - 16, height() - 2 * lineH - 12);
    if (plot.width() < 10 || plot.height() < 10)
        return;

    // A flat series is drawn across the middle.
    // In floating point: a hand-edited log can hold results far apart.
    const double span = maxY == minY ? 1.0 : double(maxY) - double(minY);
    const double base = maxY == minY ? minY - 0.5 : double(minY);
    auto mapX = [&](int x) {
        if (lastX == firstX)
            return plot.left() + plot.width() / 2.0;
        return plot.left() + (x - firstX) * double(plot.width()) / (lastX - firstX);
    };
    auto mapY = [&](int y) { return plot.bottom() - (y - base) * plot.height() / span; };

    // Axes and guide lines at the lowest and highest result.
    p.setPen(QPen(text, 1));
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    QPen guide(faint, 1, Qt::DashLine);
    for (int value : {minY, maxY}) {
        const double y = mapY(value);
        p.setPen(guide);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(text);
        p.drawText(QRectF(0, y - lineH / 2.0, labelW, lineH), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(value));
    }
    // A zero line when the results cross it.
    if (minY < 0 && maxY > 0) {
        p.setPen(QPen(faint, 1, Qt::DotLine));
        const double y = mapY(0);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }

    // Test numbers: the first and the last, under the horizontal axis.
    p.setPen(text);
    const int axisTextTop = plot.bottom() + 3;
    if (lastX == firstX) {
        // A single test stands in the middle, where the axis title would be.
        p.drawText(QRectF(plot.left(), axisTextTop, plot.width(), lineH),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("test %1").arg(firstX));
    } else {
        p.drawText(QRectF(mapX(firstX) - 30, axisTextTop, 60, lineH),
                   Qt::AlignHCenter | Qt::AlignTop, QString::number(firstX));
        p.drawText(QRectF(mapX(lastX) - 30, axisTextTop, 60, lineH),
                   Qt::AlignHCenter | Qt::AlignTop, QString::number(lastX));
        p.drawText(QRectF(plot.left(), axisTextTop, plot.width(), lineH),
                   Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("tests"));
    }

    // The series.
    const QColor accent = pal.color(QPalette::Highlight);
    QPainterPath path;
    for (int i = 0; i < m_results.size(); ++i) {
        const QPointF pt(mapX(m_results[i].x()), mapY(m_results[i].y()));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.setPen(QPen(accent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    // Points only while they stay apart.
    if (plot.width() / std::max<int>(1, lastX - firstX) >= 6) {
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        for (const QPoint &r : m_results)
            p.drawEllipse(QPointF(mapX(r.x()), mapY(r.y())), 3, 3);
    }
}
