#pragma once
// Sound and speech on the real desktop: WAV files decoded with libsndfile,
// speech synthesised with eSpeak NG, both played through PulseAudio's simple
// API on a worker thread with a deadline, so that a missing or stuck audio
// server never hangs the program.

#include "platform/desktop.h"

namespace platform {

class PulseSound : public Sound {
public:
    void playWav(const QString &bareName) override;
    void beep() override;
};

class EspeakSpeech : public Speech {
public:
    ~EspeakSpeech() override;
    bool speak(const QString &text) override;
};

} // namespace platform
