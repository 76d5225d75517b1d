// The desktop layer: sound files and their fallback, speech synthesis, the
// deadlines that keep a missing sound server from hanging the program, and
// the scripted desktop the other tests rely on.
#include "platform/audio.h"
#include "platform/audioclip.h"
#include "platform/scripted.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtEndian>
#include <QPushButton>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

using namespace platform;

namespace {

// A 16-bit PCM WAV file; dataBytes overrides the size its header states.
QByteArray MakeWav(const std::vector<short> &samples, int rate, int channels,
                   qint64 dataBytes = -1)
{
    const quint32 bytes = quint32(samples.size() * 2);
    const quint32 stated = dataBytes < 0 ? bytes : quint32(dataBytes);
    QByteArray wav;
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    u32(36 + stated);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(quint16(channels));
    u32(quint32(rate));
    u32(quint32(rate * channels * 2));
    u16(quint16(channels * 2));
    u16(16);
    wav.append("data");
    u32(stated);
    for (short s : samples)
        u16(quint16(s));
    return wav;
}

std::vector<short> Ramp(int count)
{
    std::vector<short> v(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        v[size_t(i)] = short((i * 37) % 20000 - 10000);
    return v;
}

int Peak(const std::vector<short> &samples)
{
    int peak = 0;
    for (short s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        previousFolder_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path()));
    }

    void cleanup()
    {
        QDir::setCurrent(previousFolder_);
    }

    void defaultSoundIsShortAndSoft()
    {
        const AudioClip &clip = DefaultSound();
        QVERIFY(clip.isPlayable());
        QCOMPARE(clip.channels, 1);
        QVERIFY(clip.durationMs() >= 100 && clip.durationMs() <= 300);
        const int peak = Peak(clip.samples);
        QVERIFY(peak > 1000);
        QVERIFY(peak < 32767 / 2);
        // Faded at both ends so that it does not click.
        QVERIFY(std::abs(clip.samples.front()) < 100);
        QVERIFY(std::abs(clip.samples.back()) < 100);
    }

    void soundFileOrDefault()
    {
        const std::vector<short> mono = Ramp(800);
        QVERIFY(writeFileBytes("good.wav", MakeWav(mono, 8000, 1)));
        const std::vector<short> stereo = Ramp(1000);
        QVERIFY(writeFileBytes("stereo.wav", MakeWav(stereo, 44100, 2)));
        QVERIFY(writeFileBytes("garbage.wav", QByteArray("this is not a sound file at all\n").repeated(50)));
        QVERIFY(writeFileBytes("empty.wav", QByteArray()));
        QVERIFY(writeFileBytes("silent.wav", MakeWav({}, 8000, 1)));
        QVERIFY(QDir().mkdir("folder.wav"));
        // A pipe would block a plain open for ever.
        QCOMPARE(::mkfifo("pipe.wav", 0600), 0);

        AudioClip clip = SoundForWav("good.wav");
        QCOMPARE(clip.sampleRate, 8000);
        QCOMPARE(clip.channels, 1);
        QVERIFY(clip.samples == mono);
        QCOMPARE(clip.durationMs(), qint64(100));

        clip = SoundForWav("stereo.wav");
        QCOMPARE(clip.channels, 2);
        QCOMPARE(clip.frames(), qint64(500));
        QVERIFY(clip.samples == stereo);

        // Looked up in the current folder, not where the program was started.
        QVERIFY(QDir::setCurrent(previousFolder_));
        QVERIFY(SoundForWav("good.wav").samples == DefaultSound().samples);
        QVERIFY(QDir::setCurrent(dir_.path()));

        QElapsedTimer timer;
        timer.start();
        for (const char *name : {"missing.wav", "garbage.wav", "empty.wav", "silent.wav",
                                 "folder.wav", "pipe.wav", ""}) {
            clip = SoundForWav(name);
            QVERIFY2(clip.samples == DefaultSound().samples, name);
            QCOMPARE(clip.sampleRate, DefaultSound().sampleRate);
        }
        QVERIFY(timer.elapsed() < 5000);
    }

    void damagedHeaderDoesNotOverread()
    {
        // The header claims far more sound than the file holds.
        const std::vector<short> samples = Ramp(100);
        QVERIFY(writeFileBytes("short.wav", MakeWav(samples, 8000, 1, 0x7ffffff0)));
        const AudioClip clip = SoundForWav("short.wav");
        if (clip.sampleRate == 8000) {
            QVERIFY(clip.samples.size() <= samples.size());
            QVERIFY(std::equal(clip.samples.begin(), clip.samples.end(), samples.begin()));
        } else {
            QVERIFY(clip.samples == DefaultSound().samples);
        }
    }

    void soundReturnsWithoutServer()
    {
        QVERIFY(writeFileBytes("good.wav", MakeWav(Ramp(800), 8000, 1)));
        QVERIFY(writeFileBytes("garbage.wav", QByteArray("RIFF\x10\0\0\0WAVEjunk", 16)));
        PulseSound sound;
        QElapsedTimer timer;
        for (const char *name : {"good.wav", "missing.wav", "garbage.wav"}) {
            timer.start();
            sound.playWav(name);
            QVERIFY2(timer.elapsed() < 5000, name);
        }
        timer.start();
        QVERIFY(!PlayClip(std::make_shared<const AudioClip>(DefaultSound()), "Test"));
        QVERIFY(timer.elapsed() < 5000);
        // Nothing to play is refused at once.
        QVERIFY(!PlayClip(std::make_shared<const AudioClip>(), "Test"));
        QVERIFY(!PlayClip(nullptr, "Test"));
    }

    void hungServerIsLeftAtDeadline()
    {
        // The speech engine is started while there is no server at all.
        std::vector<short> samples;
        int rate = 0;
        QVERIFY(SynthesiseSpeech("house", samples, rate));

        // A server that takes the connection but never answers: connecting blocks
        // until the socket closes.
        const QByteArray path = QFile::encodeName(dir_.filePath("hung.sock"));
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(listener >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(path.size()) < sizeof(address.sun_path));
        std::copy(path.begin(), path.end(), address.sun_path);
        QCOMPARE(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
        QCOMPARE(::listen(listener, 16), 0);
        const QByteArray previousServer = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", "unix:" + path);

        const auto clip = std::make_shared<const AudioClip>(DefaultSound());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!PlayClip(clip, "Test"));
        const qint64 waited = timer.elapsed();
        QVERIFY2(waited >= clip->durationMs() + 1000 && waited < 5000, qPrintable(QString::number(waited)));
        QCOMPARE(AbandonedPlaybacks(), 1);

        // Speech is held to its deadline the same way.
        EspeakSpeech speech;
        timer.start();
        QVERIFY(!speech.speak("house"));
        QVERIFY(timer.elapsed() < 5000);

        // Stuck workers are not piled up without end: past a few, no new one starts.
        while (AbandonedPlaybacks() < 4)
            QVERIFY(!PlayClip(clip, "Test"));
        timer.start();
        QVERIFY(!PlayClip(clip, "Test"));
        PulseSound().playWav("missing.wav");
        QVERIFY(timer.elapsed() < 500);
        QCOMPARE(AbandonedPlaybacks(), 4);

        // Once the server goes away, the stuck workers finish on their own.
        ::close(listener);
        QTRY_COMPARE_WITH_TIMEOUT(AbandonedPlaybacks(), 0, 10000);
        qputenv("PULSE_SERVER", previousServer);
    }

    void synthesisesPlausibleSpeech()
    {
        std::vector<short> house;
        int rate = 0;
        QVERIFY(SynthesiseSpeech("house", house, rate));
        QVERIFY(rate >= 8000 && rate <= 48000);
        const double seconds = double(house.size()) / rate;
        QVERIFY2(seconds >= 0.2 && seconds <= 2.0, qPrintable(QString::number(seconds)));
        QVERIFY(Peak(house) > 1000);

        std::vector<short> sentence;
        QVERIFY(SynthesiseSpeech("the house stands on the hill by the river", sentence, rate));
        QVERIFY(sentence.size() > 2 * house.size());

        // Markup is read as text, not obeyed; words outside ASCII do not upset it.
        std::vector<short> other;
        QVERIFY(SynthesiseSpeech("<speak>caf\u00e9 & [[h'aUs]]</speak>", other, rate));
        QVERIFY(!other.empty());

        QVERIFY(SynthesiseSpeech("   ", other, rate));
        QVERIFY(other.empty());
    }

    void synthesisIsSerialised()
    {
        std::vector<short> reference;
        int rate = 0;
        QVERIFY(SynthesiseSpeech("house", reference, rate));

        size_t sizes[2][8] = {};
        bool ok[2][8] = {};
        auto run = [&](int t) {
            for (int i = 0; i < 8; ++i) {
                std::vector<short> out;
                int r = 0;
                ok[t][i] = SynthesiseSpeech("house", out, r) && r == rate;
                sizes[t][i] = out.size();
            }
        };
        std::thread a(run, 0), b(run, 1);
        a.join();
        b.join();
        for (int t = 0; t < 2; ++t) {
            for (int i = 0; i < 8; ++i) {
                QVERIFY(ok[t][i]);
                // The engine varies its output slightly from call to call.
                const double ratio = double(sizes[t][i]) / double(reference.size());
                QVERIFY2(ratio > 0.9 && ratio < 1.1, qPrintable(QString::number(ratio)));
            }
        }
    }

    void speechFailsWithinDeadlineWithoutServer()
    {
        EspeakSpeech speech;
        QElapsedTimer timer;
        for (const char *text : {"house", "the house stands on the hill"}) {
            timer.start();
            QVERIFY(!speech.speak(text));
            QVERIFY2(timer.elapsed() < 5000, text);
        }
        // Nothing to say is no failure.
        QVERIFY(speech.speak(""));
    }

    void scriptedBoxesAnswerFromQueueThenDefault()
    {
        ScriptedDesktop scripted;
        Desktop desktop = scripted.desktop();
        scripted.boxes.answers << No << Cancel;

        QCOMPARE(desktop.boxes->show(nullptr, "T1", "first", Icon::Question, Yes | No | Cancel), No);
        QCOMPARE(desktop.boxes->show(nullptr, "T2", "second", Icon::Warning, Yes | No | Cancel), Cancel);
        QVERIFY(scripted.boxes.answers.isEmpty());
        // An empty queue answers with the first button among Ok, Yes, No, Cancel.
        QCOMPARE(desktop.boxes->show(nullptr, "T3", "third", Icon::Question, No | Yes), Yes);
        QCOMPARE(desktop.boxes->show(nullptr, "T4", "fourth", Icon::Critical, Ok), Ok);
        QCOMPARE(desktop.boxes->show(nullptr, "T5", "fifth", Icon::None, Cancel | No), No);
        QCOMPARE(desktop.boxes->show(nullptr, "T6", "sixth", Icon::None, Cancel), Cancel);

        QCOMPARE(scripted.boxes.shown.size(), 6);
        QCOMPARE(scripted.boxes.shown.at(0), (ShownBox{"T1", "first", Icon::Question, Yes | No | Cancel}));
        QCOMPARE(scripted.boxes.shown.at(3).icon, Icon::Critical);
    }

    // The desktop's own boxes, answered with real keys: Escape and the close
    // button never pick "No", so no caller takes them for "throw it away".
    void systemBoxesEscapeAndCloseAnswerCancel_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("expected");
        QTest::newRow("yes/no, Escape") << int(Yes | No) << "escape" << int(Cancel);
        QTest::newRow("yes/no, close button") << int(Yes | No) << "close" << int(Cancel);
        QTest::newRow("yes/no, No clicked") << int(Yes | No) << "No" << int(No);
        QTest::newRow("yes/no, Enter on Yes") << int(Yes | No) << "Yes" << int(Yes);
        QTest::newRow("ok/cancel, Escape") << int(Ok | Cancel) << "escape" << int(Cancel);
        QTest::newRow("ok, Escape") << int(Ok) << "escape" << int(Cancel);
        QTest::newRow("ok, OK clicked") << int(Ok) << "OK" << int(Ok);
    }

    void systemBoxesEscapeAndCloseAnswerCancel()
    {
        QFETCH(int, buttons);
        QFETCH(QString, way);
        QFETCH(int, expected);
        QStringList shownButtons;
        actOnNextModal([&](QWidget *box) {
            for (QPushButton *b : box->findChildren<QPushButton *>())
                if (b->isVisible())
                    shownButtons << b->text().remove('&');
            if (way == "escape") {
                QTest::keyClick(box, Qt::Key_Escape);
            } else if (way == "close") {
                box->close();
            } else {
                for (QPushButton *b : box->findChildren<QPushButton *>())
                    if (b->text().remove('&') == way)
                        b->click();
            }
        });
        const Button answer = systemMessageBoxes().show(nullptr, "Title", "Text", Icon::Question, buttons);
        QCOMPARE(int(answer), expected);
        // The hidden way out is not a button the user sees.
        QVERIFY(!shownButtons.contains("Cancel") || (buttons & Cancel));
    }

    // A short message under a long title: the box is wide enough for the
    // whole title and the title bar's icon and three buttons, so a window
    // manager does not cut the title short (Qt itself leaves 50 pixels).
    void systemBoxIsAsWideAsItsTitle()
    {
        const QString title = "Synonyms of:  casa (within the selected lessons)";
        int width = 0;
        int needed = 0;
        actOnNextModal([&](QWidget *box) {
            width = box->width();
            needed = box->fontMetrics().horizontalAdvance(title);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        systemMessageBoxes().show(nullptr, title, "(Les.03)   house", Icon::Information, Ok);
        QVERIFY2(width >= needed + 100, qPrintable(QString("box %1, title %2").arg(width).arg(needed)));
    }

    void systemBrowserReportsAFailedOpen()
    {
        // An xdg-open that finds no program for the address.
        QTemporaryDir bin;
        const QString script = bin.filePath("xdg-open");
        QVERIFY(writeFileBytes(script, "#!/bin/sh\nexit 3\n"));
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
        QString reason;
        bool reported = false;
        systemBrowser().open(QUrl::fromLocalFile("/nowhere/page.htm"), [&](const QString &r) {
            reason = r;
            reported = true;
        });
        QTRY_VERIFY(reported);
        qputenv("PATH", path);
        QVERIFY(!reason.isEmpty());
    }

    void scriptedDialogsAndRecorders()
    {
        ScriptedDesktop scripted;
        Desktop desktop = scripted.desktop();
        scripted.dialogs.nextPaths << "/a/one.eng";

        QCOMPARE(desktop.dialogs->openFile(nullptr, "Open", "*.eng", "/start", {"/starter"}),
                 QString("/a/one.eng"));
        QString chosenFilter;
        QCOMPARE(desktop.dialogs->saveFile(nullptr, "Save", "E (*.eng);;T (*.tsv)", "/start",
                                           "two.eng", &chosenFilter),
                 QString());
        QCOMPARE(chosenFilter, QString("E (*.eng)"));
        QCOMPARE(scripted.dialogs.asked.size(), 2);
        QVERIFY(!scripted.dialogs.asked.at(0).save);
        QCOMPARE(scripted.dialogs.asked.at(0).startFolder, QString("/start"));
        QCOMPARE(scripted.dialogs.asked.at(0).places, QStringList{"/starter"});
        QVERIFY(scripted.dialogs.asked.at(1).save);
        QCOMPARE(scripted.dialogs.asked.at(1).proposedName, QString("two.eng"));

        desktop.sound->playWav("clap.wav");
        desktop.sound->beep();
        desktop.sound->beep();
        QCOMPARE(scripted.sound.played, QStringList{"clap.wav"});
        QCOMPARE(scripted.sound.beeps, 2);

        QVERIFY(desktop.speech->speak("house"));
        scripted.speech.fail = true;
        QVERIFY(!desktop.speech->speak("home"));
        QCOMPARE(scripted.speech.spoken, (QStringList{"house", "home"}));

        QString failure;
        desktop.browser->open(QUrl("https://example.org/"), [&](const QString &r) { failure = r; });
        scripted.browser.failWith = "no browser";
        desktop.browser->open(QUrl("https://example.org/b"), [&](const QString &r) { failure = r; });
        QCOMPARE(scripted.browser.opened.size(), 2);
        QCOMPARE(failure, QString("no browser"));
        QCOMPARE(desktop.clock->now(), scripted.clock.time);
    }

private:
    QTemporaryDir dir_;
    QString previousFolder_;
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
