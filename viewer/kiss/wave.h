// Sound files of a set (.wav): RIFF "WAVE" with a "fmt " chunk of plain
// PCM (8-bit unsigned or 16-bit signed, one or two channels) and a "data"
// chunk.  Other kinds of wave file are not played.
#pragma once

#include "kiss/bytes.h"

#include <optional>

namespace kiss {

struct Wave {
    int channels = 1;
    int sampleRate = 0;
    int bitsPerSample = 8;
    Bytes samples;  // a view into the file's bytes, whole frames only
};

std::optional<Wave> ReadWave(Bytes data);

}  // namespace kiss
