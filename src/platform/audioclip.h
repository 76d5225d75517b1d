#pragma once
// The pieces behind PulseSound and EspeakSpeech, open to the tests: decoding
// a sound file, the built-in default sound, speech synthesis without playing,
// and playing samples with a deadline.

#include <QString>
#include <memory>
#include <vector>

namespace platform {

// Interleaved 16-bit samples ready to be played.
struct AudioClip {
    std::vector<short> samples;
    int sampleRate = 0;
    int channels = 1;

    qint64 frames() const;
    qint64 durationMs() const;
    bool isPlayable() const;
};

// The short soft tone played in place of a sound file that cannot be played.
const AudioClip &DefaultSound();

// Decodes a sound file into 16-bit samples; false (and out left empty) when
// the file is missing, unreadable, not a sound file, or holds no sound.
bool DecodeSoundFile(const QString &path, AudioClip &out);

// The samples playWav plays for a bare file name: the file's own samples when
// it is in the current folder and playable, the default sound otherwise.
AudioClip SoundForWav(const QString &bareName);

// Plays a clip through the sound server on a worker thread and waits until it
// has been played or its length plus a margin has passed, whichever comes
// first. Returns true only when the clip was played to its end.
bool PlayClip(std::shared_ptr<const AudioClip> clip, const char *role);

// Workers given up on at their deadline that have not finished yet.
int AbandonedPlaybacks();

// Synthesises an English text with the run's one speech engine, without
// playing it. Returns false when the engine or its English voice is missing.
// An empty text gives no samples and true.
bool SynthesiseSpeech(const QString &text, std::vector<short> &out, int &sampleRate);

} // namespace platform
