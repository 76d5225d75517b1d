#pragma once
// A device that accepts a given number of bytes and then fails every write,
// as a full disk or a vanished folder would.

#include <QIODevice>
#include <QSaveFile>

class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 acceptBytes = 0) : m_room(acceptBytes)
    {
        open(QIODevice::WriteOnly);
    }
    QByteArray written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        if (m_room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 n = qMin(len, m_room);
        written.append(data, n);
        m_room -= n;
        return n;
    }

private:
    qint64 m_room;
};

// A save file whose writes all fail, for checking that the file it would
// replace stays untouched.
class FailingSaveFile : public QSaveFile {
public:
    using QSaveFile::QSaveFile;

protected:
    qint64 writeData(const char *, qint64) override
    {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
};
