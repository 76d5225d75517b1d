#include "platform/audio.h"

#include <QApplication>

namespace platform {

void PulseSound::playWav(const QString &) {}

void PulseSound::beep()
{
    QApplication::beep();
}

EspeakSpeech::~EspeakSpeech() = default;

bool EspeakSpeech::speak(const QString &)
{
    return false;
}

} // namespace platform
