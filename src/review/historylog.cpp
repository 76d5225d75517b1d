#include "review/historylog.h"

#include "test/testlog.h"
#include "vocab/vocabfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int EventsInterval = 16; // ms between two calls of letEventsRun

bool HasNonAscii(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return true;
    return false;
}

QString DecodeLine(const char *data, qsizetype size)
{
    if (HasNonAscii(data, size) && vocabcodec::IsValidUtf8(data, size))
        return QString::fromUtf8(data, size);
    return vocabcodec::DecodeWindows1252(data, size);
}

} // namespace

QStringList SplitLogLine(const QString &line)
{
    QStringList fields;
    fields.reserve(HistoryColumnCount);
    qsizetype start = 0;
    for (int i = 0; i < HistoryColumnCount - 1; ++i) {
        if (start > line.size()) {
            fields.append(QString());
            continue;
        }
        qsizetype p = line.indexOf(QLatin1Char(';'), start);
        if (p < 0)
            p = line.size();
        fields.append(line.mid(start, p - start));
        start = p + 1;
    }
    fields.append(start <= line.size() ? line.mid(start) : QString());
    return fields;
}

QStringList DecodeLogLines(const QByteArray &bytes, const std::function<void()> &letEventsRun)
{
    QStringList lines;
    const char *data = bytes.constData();
    qsizetype size = bytes.size();
    // A byte order mark at the start says nothing the content does not.
    if (size >= 3 && data[0] == '\xEF' && data[1] == '\xBB' && data[2] == '\xBF') {
        data += 3;
        size -= 3;
    }

    QElapsedTimer sinceEvents;
    sinceEvents.start();
    qsizetype pos = 0;
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        if (end > pos)
            lines.append(DecodeLine(data + pos, end - pos));
        pos = end + 1;
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n')
            ++pos;
        if (letEventsRun && sinceEvents.elapsed() >= EventsInterval) {
            letEventsRun();
            sinceEvents.restart();
        }
    }
    return lines;
}

HistoryReadResult ReadHistoryLog(const QString &vocabularyFileName,
                                 const std::function<void()> &letEventsRun)
{
    HistoryReadResult result;
    result.fileName = LogFileName(vocabularyFileName);
    if (result.fileName.isEmpty())
        return result;

    QFile file(result.fileName);
    // A log that is not there yet is created empty, as the first test will
    // create it anyway. An existing log is only read, so that a log in a
    // folder without write access still shows.
    if (!QFileInfo::exists(result.fileName)) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            result.ok = false;
            result.reason = file.errorString();
            return result;
        }
        file.close();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.ok = false;
        result.reason = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.ok = false;
        result.reason = file.errorString();
        return result;
    }
    const QStringList lines = DecodeLogLines(bytes, letEventsRun);
    result.rows.reserve(lines.size());
    for (const QString &line : lines)
        result.rows.append(SplitLogLine(line));
    return result;
}

std::optional<int> TestResultValue(const QString &field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}
