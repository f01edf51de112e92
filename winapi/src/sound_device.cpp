#include "sound_device.h"

#include <algorithm>

namespace winapi {

std::unique_ptr<SoundDevice> SoundDevice::open(unsigned channels, unsigned rate, unsigned bits) {
  snd_pcm_t* pcm = nullptr;
  if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) return nullptr;
  const snd_pcm_format_t format = bits == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
  constexpr unsigned kLatencyMicroseconds = 100000;
  if (snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, channels, rate, 1,
                         kLatencyMicroseconds) < 0) {
    snd_pcm_close(pcm);
    return nullptr;
  }
  return std::unique_ptr<SoundDevice>(new SoundDevice(pcm, channels * bits / 8));
}

SoundDevice::~SoundDevice() { snd_pcm_close(pcm_); }

bool SoundDevice::write(const std::uint8_t* samples, std::size_t frames) {
  std::size_t done = 0;
  while (done < frames) {
    snd_pcm_sframes_t written = snd_pcm_writei(pcm_, samples + done * frame_bytes_, frames - done);
    if (written < 0) {
      // An underrun or a suspend: recover and go on.
      if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) return false;
      continue;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

bool SoundDevice::play(const std::vector<std::uint8_t>& samples, const std::atomic<bool>& stop) {
  constexpr std::size_t kChunkFrames = 1024;
  const std::size_t total = samples.size() / frame_bytes_;
  for (std::size_t done = 0; done < total;) {
    if (stop) {
      snd_pcm_drop(pcm_);
      return true;
    }
    const std::size_t count = std::min(kChunkFrames, total - done);
    if (!write(samples.data() + done * frame_bytes_, count)) return false;
    done += count;
  }
  return true;
}

void SoundDevice::drain() { snd_pcm_drain(pcm_); }

}  // namespace winapi
