#include "platform/audio.h"
#include "platform/audioclip.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <espeak-ng/speak_lib.h>
#include <pulse/simple.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

namespace platform {
namespace {

// Time allowed beyond a clip's own length before the caller stops waiting:
// connecting to the server and filling its buffer take a moment.
constexpr qint64 kDeadlineMarginMs = 1500;
// Longest sound decoded or synthesised, in samples (about three minutes of
// stereo at 48 kHz); a longer file plays its beginning only.
constexpr size_t kMaxSamples = size_t(1) << 24;
// Workers given up on that may still be stuck in the sound server. Past this
// many, further clips are not even tried, so a hung server cannot pile up
// threads.
constexpr int kMaxAbandonedWorkers = 4;
constexpr int kMaxSampleRate = 384000;
constexpr int kMaxChannels = 8;

std::atomic<int> abandonedWorkers{0};

// What a playing worker and the caller waiting for it share. The worker owns
// its own reference, so it stays valid when the caller has stopped waiting.
struct Playback {
    std::shared_ptr<const AudioClip> clip;
    std::string role;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool played = false;
    bool abandoned = false;
    std::atomic<bool> stop{false};
};

void RunPlayback(std::shared_ptr<Playback> job)
{
    const AudioClip &clip = *job->clip;
    bool ok = false;
    pa_sample_spec sampleFormat;
    sampleFormat.format = PA_SAMPLE_S16NE;
    sampleFormat.rate = uint32_t(clip.sampleRate);
    sampleFormat.channels = uint8_t(clip.channels);
    int error = 0;
    // Connecting can block when the server does not answer; that is why it
    // happens here and not in the caller.
    pa_simple *stream = pa_simple_new(nullptr, "Vocanto", PA_STREAM_PLAYBACK, nullptr,
                                      job->role.c_str(), &sampleFormat, nullptr, nullptr, &error);
    if (stream) {
        ok = true;
        // Written in pieces of a tenth of a second so that a clip given up on
        // stops soon instead of playing on behind the next one.
        const size_t piece = size_t(std::max(1, clip.sampleRate / 10)) * size_t(clip.channels);
        for (size_t at = 0; at < clip.samples.size(); at += piece) {
            if (job->stop.load()) {
                ok = false;
                break;
            }
            const size_t count = std::min(piece, clip.samples.size() - at);
            if (pa_simple_write(stream, clip.samples.data() + at, count * sizeof(short), &error) < 0) {
                ok = false;
                break;
            }
        }
        if (ok && !job->stop.load())
            ok = pa_simple_drain(stream, &error) >= 0;
        pa_simple_free(stream);
    }
    std::lock_guard<std::mutex> lock(job->mutex);
    job->done = true;
    job->played = ok && !job->stop.load();
    if (job->abandoned)
        abandonedWorkers.fetch_sub(1);
    job->finished.notify_all();
}

AudioClip MakeDefaultSound()
{
    // 150 ms of a soft 660 Hz tone with a quieter octave above it, faded in
    // and out so that it does not click.
    AudioClip clip;
    clip.sampleRate = 22050;
    clip.channels = 1;
    const int total = clip.sampleRate * 150 / 1000;
    const int fade = clip.sampleRate * 20 / 1000;
    const double pi = 3.14159265358979323846;
    clip.samples.resize(size_t(total));
    for (int i = 0; i < total; ++i) {
        const double t = double(i) / clip.sampleRate;
        double v = 0.8 * std::sin(2 * pi * 660 * t) + 0.2 * std::sin(2 * pi * 1320 * t);
        const int edge = std::min(i, total - 1 - i);
        if (edge < fade)
            v *= 0.5 - 0.5 * std::cos(pi * edge / fade);
        clip.samples[size_t(i)] = short(std::lround(v * 0.25 * 32767));
    }
    return clip;
}

// The run's one eSpeak NG engine. The library keeps global state and is not
// safe to use from two threads at once: while it starts, only the starting
// thread touches it; once started, every use holds the mutex.
//
// Starting can block: the library opens its own audio output on start, which
// waits for the sound server. So it starts on a thread of its own, and a
// caller waits for it only a short while; a later call finds it started.
class SpeechEngine {
public:
    static SpeechEngine &instance()
    {
        // Kept for the whole run and never destroyed, so that a start still
        // under way at exit never finds it gone.
        static SpeechEngine *engine = new SpeechEngine;
        return *engine;
    }

    bool synthesise(const QString &text, std::vector<short> &out, int &sampleRate)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (state_ == State::Idle) {
            try {
                std::thread(&SpeechEngine::start, this).detach();
                state_ = State::Starting;
            } catch (const std::system_error &) {
                return false;
            }
        }
        if (!changed_.wait_for(lock, std::chrono::milliseconds(kStartWaitMs),
                               [&] { return state_ != State::Starting; }))
            return false;
        if (state_ != State::Ready)
            return false;
        const QByteArray utf8 = text.toUtf8();
        std::vector<short> samples;
        collecting_ = &samples;
        // Plain text: no markup and no phoneme codes, whatever the text holds.
        const espeak_ERROR result = espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0,
                                                 POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                                                 nullptr);
        collecting_ = nullptr;
        if (result != EE_OK)
            return false;
        out = std::move(samples);
        sampleRate = sampleRate_;
        return true;
    }

private:
    enum class State { Idle, Starting, Ready, Failed };
    // How long a caller waits for the engine to start.
    static constexpr int kStartWaitMs = 2000;

    SpeechEngine() = default;

    // Runs once, on its own thread. A failed start is not retried, since
    // missing voice data does not appear during a run.
    void start()
    {
        bool ready = false;
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                           espeakINITIALIZE_DONT_EXIT);
        if (rate > 0) {
            espeak_SetSynthCallback(&SpeechEngine::collect);
            for (const char *name : {"en", "en-us", "en-gb", "en-gb-x-rp"}) {
                if (espeak_SetVoiceByName(name) == EE_OK) {
                    ready = true;
                    break;
                }
            }
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            sampleRate_ = rate;
            state_ = ready ? State::Ready : State::Failed;
        }
        changed_.notify_all();
    }

    static int collect(short *wav, int count, espeak_EVENT *)
    {
        std::vector<short> *out = collecting_;
        if (!out)
            return 1;
        if (wav && count > 0) {
            if (out->size() + size_t(count) > kMaxSamples)
                return 1;
            out->insert(out->end(), wav, wav + count);
        }
        return 0;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Idle;
    int sampleRate_ = 0;
    // The buffer of the synthesis under way; only touched with mutex_ held.
    static inline std::vector<short> *collecting_ = nullptr;
};

} // namespace

qint64 AudioClip::frames() const
{
    return channels > 0 ? qint64(samples.size()) / channels : 0;
}

qint64 AudioClip::durationMs() const
{
    return sampleRate > 0 ? frames() * 1000 / sampleRate : 0;
}

bool AudioClip::isPlayable() const
{
    return sampleRate > 0 && sampleRate <= kMaxSampleRate && channels > 0
        && channels <= kMaxChannels && !samples.empty() && samples.size() % size_t(channels) == 0;
}

const AudioClip &DefaultSound()
{
    static const AudioClip clip = MakeDefaultSound();
    return clip;
}

bool DecodeSoundFile(const QString &path, AudioClip &out)
{
    out = AudioClip();
    // Only plain files: opening a pipe or a device could block for ever.
    if (!QFileInfo(path).isFile())
        return false;
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return false;
    AudioClip clip;
    clip.sampleRate = info.samplerate;
    clip.channels = info.channels;
    if (clip.sampleRate <= 0 || clip.sampleRate > kMaxSampleRate || clip.channels <= 0
        || clip.channels > kMaxChannels) {
        sf_close(file);
        return false;
    }
    // Read in pieces rather than trusting the frame count of the header,
    // which a damaged file may state as anything.
    const sf_count_t pieceFrames = 4096;
    std::vector<short> piece(size_t(pieceFrames) * size_t(clip.channels));
    const size_t limit = kMaxSamples - kMaxSamples % size_t(clip.channels);
    while (clip.samples.size() < limit) {
        const sf_count_t got = sf_readf_short(file, piece.data(), pieceFrames);
        if (got <= 0)
            break;
        const size_t count = std::min(size_t(got) * size_t(clip.channels),
                                      limit - clip.samples.size());
        clip.samples.insert(clip.samples.end(), piece.begin(), piece.begin() + ptrdiff_t(count));
    }
    sf_close(file);
    if (!clip.isPlayable())
        return false;
    out = std::move(clip);
    return true;
}

AudioClip SoundForWav(const QString &bareName)
{
    AudioClip clip;
    if (!bareName.isEmpty() && DecodeSoundFile(QDir::current().filePath(bareName), clip))
        return clip;
    return DefaultSound();
}

bool PlayClip(std::shared_ptr<const AudioClip> clip, const char *role)
{
    if (!clip || !clip->isPlayable())
        return false;
    if (abandonedWorkers.load() >= kMaxAbandonedWorkers)
        return false;
    auto job = std::make_shared<Playback>();
    job->clip = std::move(clip);
    job->role = role ? role : "Vocanto";
    const auto deadline = std::chrono::steady_clock::now()
        + std::chrono::milliseconds(job->clip->durationMs() + kDeadlineMarginMs);
    std::thread worker;
    try {
        worker = std::thread(RunPlayback, job);
    } catch (const std::system_error &) {
        return false;
    }
    std::unique_lock<std::mutex> lock(job->mutex);
    if (job->finished.wait_until(lock, deadline, [&] { return job->done; })) {
        const bool played = job->played;
        lock.unlock();
        worker.join();
        return played;
    }
    // Too late: leave the worker to finish on its own; it holds the clip.
    job->abandoned = true;
    job->stop.store(true);
    abandonedWorkers.fetch_add(1);
    lock.unlock();
    worker.detach();
    return false;
}

int AbandonedPlaybacks()
{
    return abandonedWorkers.load();
}

bool SynthesiseSpeech(const QString &text, std::vector<short> &out, int &sampleRate)
{
    out.clear();
    if (text.trimmed().isEmpty())
        return true;
    return SpeechEngine::instance().synthesise(text, out, sampleRate);
}

void PulseSound::playWav(const QString &bareName)
{
    // Nothing is ever reported: a sound that cannot be played is skipped.
    try {
        PlayClip(std::make_shared<const AudioClip>(SoundForWav(bareName)), "Sound");
    } catch (...) {
    }
}

void PulseSound::beep()
{
    QApplication::beep();
}

EspeakSpeech::~EspeakSpeech() = default;

bool EspeakSpeech::speak(const QString &text)
{
    try {
        auto clip = std::make_shared<AudioClip>();
        clip->channels = 1;
        if (!SynthesiseSpeech(text, clip->samples, clip->sampleRate))
            return false;
        if (clip->samples.empty())
            return true;
        return PlayClip(std::move(clip), "Speech");
    } catch (...) {
        return false;
    }
}

} // namespace platform
