// Writing a track as a wave file: PCM, 2 channels, 22,050 samples per second, 16 bits.
#pragma once

#include <string>

#include "synth.h"

namespace soundgen {

// False when the file cannot be written. Samples beyond full scale are limited, never wrapped.
bool WriteWave(const std::string& path, const Track& track);

}  // namespace soundgen
