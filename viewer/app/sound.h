// The set's sounds: a PCM .wav file of the set played on the default audio
// output through Qt Multimedia when the build has it; otherwise (and for
// MIDI music, or without an audio device) nothing is heard.
#pragma once

#include "kiss/doll.h"

#include <QObject>
#include <string>

namespace kissviewer {

class SoundPlayer : public QObject {
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;
    // Plays `name` read through `read` (a .wav; anything else is silent).
    void Play(const std::string& name, const kiss::FileReader& read);
    void Stop();

private:
    struct Impl;
    Impl* impl_ = nullptr;
};

}  // namespace kissviewer
