#include "platform/desktop/sdl_audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <mutex>
#include <span>

namespace corvane {
namespace {

constexpr int kBufferRate = 22050;    // the engine's buffer format: 22,050 Hz,
constexpr int kBufferFrameBytes = 4;  // 2 channels of 16 bits
constexpr int kChunkSamples = 1024;
constexpr int kOutputChannels = 2;

// The samples of a period the mixer hands an effect or its last stage (16 bits each).
std::span<std::int16_t> Samples(void* stream, int length) {
  return {static_cast<std::int16_t*>(stream), static_cast<std::size_t>(length) / 2};
}

}  // namespace

struct SdlAudioDevice::SpeechQueue {
  std::mutex lock;
  bool open = false;                             // the output takes speech
  std::deque<std::vector<std::uint8_t>> pieces;  // in the output's format
  std::size_t position = 0;                      // into the first piece
  bool arriving = false;                         // a phrase has begun and not ended
};

SdlAudioDevice::SdlAudioDevice() : speech_(std::make_unique<SpeechQueue>()) {}

SdlAudioDevice::~SdlAudioDevice() {
  Close();
}

bool SdlAudioDevice::Open() {
  if (open_) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  // No change of format is allowed: SDL converts for the sound card itself.
  if (Mix_OpenAudioDevice(kBufferRate, AUDIO_S16SYS, kOutputChannels, kChunkSamples, nullptr, 0) !=
      0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int channels = 0;
  Mix_QuerySpec(&rate_, &format_, &channels);
  outputChannels_ = channels;
  frameBytes_ = outputChannels_ * static_cast<int>(SDL_AUDIO_BITSIZE(format_) / 8);
  if (format_ != AUDIO_S16SYS || outputChannels_ != kOutputChannels) {  // what the sum is made for
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(kMixerChannels);
  Mix_ReserveChannels(kMixerChannels);  // no channel is ever handed out by the mixer itself
  open_ = true;
  for (Channel& c : channels_) c = Channel{};
  mixing_ = std::make_unique<Mixing>(rate_);
  for (int channel = 0; channel < kMixerChannels; ++channel) ApplyGain(channel);
  Mix_SetPostMix(LimitMix, this);

  // The voice's channel plays silence without end; its effect writes the queued speech over it,
  // so phrases follow each other without a gap and stop the moment the queue is emptied.
  silence_.assign(static_cast<std::size_t>(kChunkSamples * frameBytes_), 0);
  silenceChunk_ = Mix_QuickLoad_RAW(silence_.data(), static_cast<Uint32>(silence_.size()));
  if (silenceChunk_ != nullptr) {
    Mix_RegisterEffect(kSpeechChannel, SpeechEffect, nullptr, this);
    Mix_Volume(kSpeechChannel, MIX_MAX_VOLUME);
    Mix_PlayChannel(kSpeechChannel, silenceChunk_, -1);
  }
  std::lock_guard<std::mutex> guard(speech_->lock);
  speech_->open = true;
  return true;
}

void SdlAudioDevice::Close() {
  if (!open_) return;
  {
    std::lock_guard<std::mutex> guard(speech_->lock);
    speech_->open = false;
    speech_->pieces.clear();
    speech_->position = 0;
    speech_->arriving = false;
  }
  Mix_HaltChannel(-1);
  for (Channel& c : channels_) FreeSlice(c);
  for (auto& [id, chunk] : sounds_) Mix_FreeChunk(chunk);
  sounds_.clear();
  if (silenceChunk_ != nullptr) Mix_FreeChunk(silenceChunk_);
  silenceChunk_ = nullptr;
  Mix_SetPostMix(nullptr, nullptr);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  mixing_.reset();  // the mixer's thread has ended
  open_ = false;
}

SoundId SdlAudioDevice::Load(const std::string& path) {
  if (!open_) return kNoSound;
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (chunk == nullptr) return kNoSound;
  const SoundId id = nextId_++;
  sounds_[id] = chunk;
  return id;
}

void SdlAudioDevice::Release(SoundId sound) {
  auto it = sounds_.find(sound);
  if (it == sounds_.end()) return;
  for (int channel = 1; channel <= kSlots; ++channel) {
    Channel& c = channels_[channel];
    if (c.sound == sound) {
      Mix_HaltChannel(channel);
      FreeSlice(c);
      c.sound = kNoSound;
    }
  }
  Mix_FreeChunk(it->second);
  sounds_.erase(it);
}

void SdlAudioDevice::FreeSlice(Channel& c) {
  if (c.slice != nullptr) Mix_FreeChunk(c.slice);  // a slice does not own its samples
  c.slice = nullptr;
}

void SdlAudioDevice::ApplyGain(int channel) {
  if (!mixing_) return;
  const Channel& c = channels_[channel];
  const StereoGain gain = channel == kSpeechChannel ? StereoGain{} : ChannelGain(c.volume, c.pan);
  mixing_->left[channel].store(gain.left, std::memory_order_relaxed);
  mixing_->right[channel].store(gain.right, std::memory_order_relaxed);
}

void SdlAudioDevice::Play(int channel, SoundId sound, bool loop, std::uint32_t startByte) {
  if (!open_ || !ValidChannel(channel)) return;
  auto it = sounds_.find(sound);
  if (it == sounds_.end()) return;
  Channel& c = channels_[channel];
  // Halting first also drops the channel's effect, registered again below.
  Mix_HaltChannel(channel);
  FreeSlice(c);
  c.sound = sound;
  Mix_Chunk* chunk = it->second;
  if (startByte > 0) {
    const std::uint64_t frame = startByte / kBufferFrameBytes;
    const std::uint64_t offset = frame * static_cast<std::uint64_t>(rate_) / kBufferRate *
                                 static_cast<std::uint64_t>(frameBytes_);
    if (offset >= chunk->alen) return;  // past the end: nothing to play
    c.slice = Mix_QuickLoad_RAW(chunk->abuf + offset, static_cast<Uint32>(chunk->alen - offset));
    if (c.slice == nullptr) return;
    chunk = c.slice;
  }
  ApplyGain(channel);
  // Without its effect a sound would bypass the sum at full volume: then it is not played.
  if (Mix_RegisterEffect(channel, ChannelEffect, nullptr, this) == 0) return;
  Mix_Volume(channel, MIX_MAX_VOLUME);  // the effect applies the volume
  Mix_PlayChannel(channel, chunk, loop ? -1 : 0);
}

void SdlAudioDevice::Stop(int channel) {
  if (!open_ || !ValidChannel(channel)) return;
  Mix_HaltChannel(channel);
}

bool SdlAudioDevice::IsPlaying(int channel) {
  return open_ && ValidChannel(channel) && Mix_Playing(channel) != 0;
}

void SdlAudioDevice::SetVolume(int channel, int hundredthsDb) {
  if (!ValidChannel(channel)) return;
  channels_[channel].volume = std::clamp(hundredthsDb, kSilentHundredthsDb, 0);
  ApplyGain(channel);
}

void SdlAudioDevice::SetPan(int channel, int pan) {
  if (!ValidChannel(channel)) return;
  channels_[channel].pan = std::clamp(pan, -kPanRange, kPanRange);
  ApplyGain(channel);
}

void SdlAudioDevice::SetFrequency(int channel, int samplesPerSecond) {
  if (ValidChannel(channel)) channels_[channel].frequency = samplesPerSecond;
}

int SdlAudioDevice::Frequency(int channel) {
  if (!ValidChannel(channel)) return 0;
  const Channel& c = channels_[channel];
  if (c.frequency > 0) return c.frequency;
  return c.sound != kNoSound ? kBufferRate : 0;
}

// Called from the voice's thread: everything it reads was set before the output took speech.
void SdlAudioDevice::QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) {
  if (samples.empty() || sampleRate < 1) return;
  std::lock_guard<std::mutex> guard(speech_->lock);
  if (!speech_->open) return;
  SDL_AudioCVT convert;
  if (SDL_BuildAudioCVT(&convert, AUDIO_S16SYS, 1, sampleRate, format_,
                        static_cast<Uint8>(outputChannels_), rate_) < 0) {
    return;
  }
  const std::size_t bytes = samples.size() * sizeof(std::int16_t);
  std::vector<std::uint8_t> piece(bytes * static_cast<std::size_t>(std::max(1, convert.len_mult)));
  std::memcpy(piece.data(), samples.data(), bytes);
  if (convert.needed) {
    convert.buf = piece.data();
    convert.len = static_cast<int>(bytes);
    if (SDL_ConvertAudio(&convert) != 0) return;
    piece.resize(static_cast<std::size_t>(convert.len_cvt));
  } else {
    piece.resize(bytes);
  }
  speech_->pieces.push_back(std::move(piece));
  speech_->arriving = true;
}

void SdlAudioDevice::EndSpeechPhrase() {
  std::lock_guard<std::mutex> guard(speech_->lock);
  speech_->arriving = false;
}

void SdlAudioDevice::StopSpeech() {
  std::lock_guard<std::mutex> guard(speech_->lock);
  speech_->pieces.clear();
  speech_->position = 0;
  speech_->arriving = false;
}

// A phrase plays from its first piece until its last has played.
bool SdlAudioDevice::SpeechPlaying() {
  std::lock_guard<std::mutex> guard(speech_->lock);
  return !speech_->pieces.empty() || speech_->arriving;
}

void SdlAudioDevice::ChannelEffect(int channel, void* stream, int length, void* data) {
  Mixing& mixing = *static_cast<SdlAudioDevice*>(data)->mixing_;
  const std::size_t at = static_cast<std::size_t>(channel);
  mixing.bus.Add(channel, Samples(stream, length),
                 {mixing.left[at].load(std::memory_order_relaxed),
                  mixing.right[at].load(std::memory_order_relaxed)});
  std::memset(stream, 0, static_cast<std::size_t>(length));  // the sum holds it now
}

void SdlAudioDevice::SpeechEffect(int channel, void* stream, int length, void* data) {
  auto* device = static_cast<SdlAudioDevice*>(data);
  SpeechQueue* queue = device->speech_.get();
  auto* out = static_cast<std::uint8_t*>(stream);
  auto left = static_cast<std::size_t>(length);
  {
    std::lock_guard<std::mutex> guard(queue->lock);
    while (left > 0 && !queue->pieces.empty()) {
      const std::vector<std::uint8_t>& piece = queue->pieces.front();
      const std::size_t take = std::min(left, piece.size() - queue->position);
      std::memcpy(out, piece.data() + queue->position, take);
      out += take;
      left -= take;
      queue->position += take;
      if (queue->position >= piece.size()) {
        queue->pieces.pop_front();
        queue->position = 0;
      }
    }
  }
  std::memset(out, 0, left);
  ChannelEffect(channel, stream, length, data);
}

void SdlAudioDevice::LimitMix(void* data, std::uint8_t* stream, int length) {
  static_cast<SdlAudioDevice*>(data)->mixing_->bus.Finish(Samples(stream, length));
}

}  // namespace corvane
