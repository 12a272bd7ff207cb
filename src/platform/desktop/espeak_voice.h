// The game's own voice on espeak-ng. Each phrase is synthesised to samples on the voice's own
// thread and handed to the audio device's speech channel piece by piece as it is made, so that the
// first sound follows speak at once, the game answers keys meanwhile, Purge silences it at once
// and queued phrases play in order.
//
// Rate -10..10 maps linearly on each side of 0 onto espeak-ng's words a minute: -10 is 80,
// 0 is 175 (espeak-ng's normal speed), 10 is 450; that is 175 + 9.5 per step below 0 and
// 175 + 27.5 per step above, rounded to the nearest, halves to even. Volume 0..100 is espeak-ng's
// amplitude 0..100 unchanged (100 is its normal loudness; its range goes on to 200, which only
// distorts).
#pragma once

#include <memory>
#include <string>

#include "platform/audio_device.h"
#include "platform/speech_engines.h"

namespace corvane {

// espeak-ng's speed in words a minute for a rate -10..10 (clamped).
int EspeakWordsPerMinute(int rate);
// espeak-ng's amplitude for a volume 0..100 (clamped).
int EspeakAmplitude(int volume);

// Starts espeak-ng; nullptr with the reason in `error` when it cannot start. espeak-ng keeps one
// state per process: have one voice at a time (a new voice starts from voice 0, rate 0, volume
// 100).
std::unique_ptr<Voice> StartEspeakVoice(AudioDevice& device, std::string& error);

}  // namespace corvane
