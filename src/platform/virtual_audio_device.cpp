#include "platform/virtual_audio_device.h"

#include <algorithm>
#include <utility>

namespace corvane {

VirtualAudioDevice::VirtualAudioDevice(std::function<double()> clock) : clock_(std::move(clock)) {}

bool VirtualAudioDevice::Open() {
  open_ = !failOpen_;
  return open_;
}

void VirtualAudioDevice::Close() {
  for (auto& [number, channel] : channels_) channel.playing = false;
  open_ = false;
}

SoundId VirtualAudioDevice::Load(const std::string& path) {
  auto format = ReadWaveFormat(path);
  if (!format) return kNoSound;
  ++loads_;
  const SoundId id = nextId_++;
  sounds_[id] = Sound{path, *format};
  return id;
}

void VirtualAudioDevice::Release(SoundId sound) {
  for (auto& [number, channel] : channels_) {
    if (channel.sound == sound) {
      channel.playing = false;
      channel.sound = kNoSound;
    }
  }
  sounds_.erase(sound);
}

VirtualAudioDevice::Channel& VirtualAudioDevice::At(int channel) {
  return channels_[channel];
}

const VirtualAudioDevice::Channel* VirtualAudioDevice::Find(int channel) const {
  auto it = channels_.find(channel);
  return it == channels_.end() ? nullptr : &it->second;
}

void VirtualAudioDevice::Play(int channel, SoundId sound, bool loop, std::uint32_t startByte) {
  auto it = sounds_.find(sound);
  if (it == sounds_.end()) return;
  const WaveFormat& format = it->second.format;
  Channel& c = At(channel);
  c.sound = sound;
  c.loop = loop;
  c.playing = true;
  // The sound lasts from the start position to its last sample, faster or slower with the
  // channel's frequency.
  const std::uint32_t start = std::min(startByte, format.dataBytes);
  const double frames = double((format.dataBytes - start) / std::uint32_t(format.blockAlign));
  const int rate = c.frequency > 0 ? c.frequency : format.sampleRate;
  const double now = clock_();
  c.endsAt = now + frames / rate;

  std::string name = it->second.path;
  if (auto slash = name.find_last_of('/'); slash != std::string::npos) name.erase(0, slash + 1);
  plays_.push_back(
      {channel, it->second.path, name, c.volume, c.pan, c.frequency, loop, startByte, now});
  if (plays_.size() > kKeptPlays) plays_.pop_front();
}

void VirtualAudioDevice::Stop(int channel) {
  if (auto it = channels_.find(channel); it != channels_.end()) it->second.playing = false;
}

bool VirtualAudioDevice::IsPlaying(int channel) {
  auto it = channels_.find(channel);
  if (it == channels_.end() || !it->second.playing) return false;
  Channel& c = it->second;
  if (!c.loop && clock_() >= c.endsAt) c.playing = false;
  return c.playing;
}

void VirtualAudioDevice::SetVolume(int channel, int hundredthsDb) {
  At(channel).volume = std::clamp(hundredthsDb, -10000, 0);
}

void VirtualAudioDevice::SetPan(int channel, int pan) {
  At(channel).pan = std::clamp(pan, -10000, 10000);
}

void VirtualAudioDevice::SetFrequency(int channel, int samplesPerSecond) {
  At(channel).frequency = samplesPerSecond;
}

int VirtualAudioDevice::Frequency(int channel) {
  const Channel* c = Find(channel);
  if (c == nullptr) return 0;
  if (c->frequency > 0) return c->frequency;
  auto it = sounds_.find(c->sound);
  return it == sounds_.end() ? 0 : it->second.format.sampleRate;
}

void VirtualAudioDevice::QueueSpeech(const std::vector<std::int16_t>& samples, int sampleRate) {
  if (samples.empty() || sampleRate < 1) return;
  const double seconds = double(samples.size()) / sampleRate;
  speechEndsAt_ = std::max(speechEndsAt_, clock_()) + seconds;
}

void VirtualAudioDevice::StopSpeech() {
  speechEndsAt_ = 0;
}

bool VirtualAudioDevice::SpeechPlaying() {
  return clock_() < speechEndsAt_;
}

}  // namespace corvane
