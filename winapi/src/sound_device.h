// An open ALSA playback stream on the "default" device.
#pragma once

#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace winapi {

class SoundDevice {
 public:
  // Opens the device for interleaved samples; null when there is no device or
  // it refuses the format.
  static std::unique_ptr<SoundDevice> open(unsigned channels, unsigned rate, unsigned bits);
  ~SoundDevice();
  SoundDevice(const SoundDevice&) = delete;
  SoundDevice& operator=(const SoundDevice&) = delete;

  // Plays the samples; returns early, dropping what is queued, when `stop` is
  // set. False when the device fails.
  bool play(const std::vector<std::uint8_t>& samples, const std::atomic<bool>& stop);
  // Plays `frames` whole frames; false when the device fails.
  bool write(const std::uint8_t* samples, std::size_t frames);
  // Waits until what was queued has been played.
  void drain();

 private:
  SoundDevice(snd_pcm_t* pcm, unsigned frame_bytes) : pcm_(pcm), frame_bytes_(frame_bytes) {}
  snd_pcm_t* pcm_;
  unsigned frame_bytes_;
};

}  // namespace winapi
