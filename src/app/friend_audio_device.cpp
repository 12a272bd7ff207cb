#include "app/friend_audio_device.h"

#include <algorithm>

namespace corvane {

namespace {

using Op = SoundMessage::Op;

std::string PlainName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The friend's program plays the host's channels only.
bool SentChannel(int channel) {
  return channel >= 1 && channel <= kSoundChannels;
}

SoundMessage Message(Op op, int sound, int channel) {
  SoundMessage message;
  message.op = op;
  message.sound = sound;
  message.channel = channel;
  return message;
}

constexpr int kSilentVolume = -10000;
constexpr int kFullLeft = -10000;
constexpr int kFullRight = 10000;

}  // namespace

void FriendAudioDevice::SendLoadedSounds() {
  for (const auto& [sound, file] : files_) {
    SoundMessage load = Message(Op::Load, sound, 0);
    load.file = file;
    output_.Send(load);
  }
}

SoundId FriendAudioDevice::Load(const std::string& path) {
  const SoundId sound = timing_.Load(path);
  if (sound == kNoSound) return sound;
  files_[sound] = PlainName(path);
  SoundMessage load = Message(Op::Load, sound, 0);
  load.file = files_[sound];
  output_.Send(load);
  return sound;
}

void FriendAudioDevice::Release(SoundId sound) {
  timing_.Release(sound);
  if (files_.erase(sound) > 0) output_.Send(Message(Op::Release, sound, 0));
}

void FriendAudioDevice::Play(int channel, SoundId sound, bool loop, std::uint32_t startByte) {
  timing_.Play(channel, sound, loop, startByte);
  if (files_.count(sound) == 0 || !SentChannel(channel)) return;
  SoundMessage play = Message(Op::Play, sound, channel);
  play.loop = loop;
  output_.Send(play);
}

void FriendAudioDevice::Stop(int channel) {
  timing_.Stop(channel);
  if (SentChannel(channel)) output_.Send(Message(Op::Stop, 0, channel));
}

void FriendAudioDevice::SetVolume(int channel, int hundredthsDb) {
  timing_.SetVolume(channel, hundredthsDb);
  if (!SentChannel(channel)) return;
  SoundMessage volume = Message(Op::Volume, 0, channel);
  volume.value = std::clamp(hundredthsDb, kSilentVolume, 0);
  output_.Send(volume);
}

void FriendAudioDevice::SetPan(int channel, int pan) {
  timing_.SetPan(channel, pan);
  if (!SentChannel(channel)) return;
  SoundMessage panned = Message(Op::Pan, 0, channel);
  panned.value = std::clamp(pan, kFullLeft, kFullRight);
  output_.Send(panned);
}

}  // namespace corvane
