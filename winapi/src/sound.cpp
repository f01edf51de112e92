#include <windows.h>

#include "sound_device.h"
#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

using winapi::SoundDevice;
using winapi::WaveSound;

namespace {

// One sound on its playback thread.
class Playback {
 public:
  Playback(std::unique_ptr<SoundDevice> device, WaveSound sound, bool loop)
      : device_(std::move(device)), sound_(std::move(sound)), loop_(loop) {
    thread_ = std::jthread([this] { run(); });
  }
  // Joins the thread (std::jthread does so when destroyed).
  ~Playback() { stop_ = true; }
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;

  void stop() { stop_ = true; }
  bool running() {
    std::lock_guard guard(lock_);
    return !finished_;
  }
  // Waits until the sound has ended or was stopped; whether it played well.
  bool wait() {
    std::unique_lock guard(lock_);
    ended_.wait(guard, [this] { return finished_; });
    return ok_;
  }

 private:
  void run() {
    bool ok = true;
    do {
      ok = device_->play(sound_.data, stop_);
    } while (ok && loop_ && !stop_);
    if (ok && !stop_) device_->drain();
    std::lock_guard guard(lock_);
    ok_ = ok;
    finished_ = true;
    ended_.notify_all();
  }

  std::unique_ptr<SoundDevice> device_;
  WaveSound sound_;
  bool loop_;
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::condition_variable ended_;
  bool finished_ = false;
  bool ok_ = false;
  std::jthread thread_;  // last: started after, and joined before, the rest
};

// The process's one sound.
class Player {
 public:
  ~Player() {
    stop();
    snd_config_update_free_global();
  }
  std::shared_ptr<Playback> start(std::unique_ptr<SoundDevice> device, WaveSound sound, bool loop) {
    auto playback = std::make_shared<Playback>(std::move(device), std::move(sound), loop);
    std::shared_ptr<Playback> previous;
    {
      std::lock_guard guard(lock_);
      previous = std::exchange(current_, playback);
    }
    return playback;  // `previous` stops and is joined here
  }
  void stop() {
    std::shared_ptr<Playback> previous;
    {
      std::lock_guard guard(lock_);
      previous = std::move(current_);
    }
    if (previous) previous->stop();
  }
  bool busy() {
    std::lock_guard guard(lock_);
    return current_ && current_->running();
  }
  void forget(const std::shared_ptr<Playback>& playback) {
    std::lock_guard guard(lock_);
    if (current_ == playback) current_.reset();
  }

 private:
  std::mutex lock_;
  std::shared_ptr<Playback> current_;
};

Player& player() {
  static Player p;
  return p;
}

BOOL fail(DWORD code) {
  SetLastError(code);
  return FALSE;
}

// The file that a sound alias names, from the user's sound scheme.
std::optional<std::string> alias_file(const std::string& alias) {
  const std::string path = "AppEvents\\Schemes\\Apps\\.Default\\" + alias + "\\.Current";
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::string> file;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
    std::string text(size, '\0');
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) ==
        ERROR_SUCCESS) {
      text.resize(std::min<std::size_t>(size, text.find('\0')));
      if (!text.empty()) file = text;
    }
  }
  RegCloseKey(key);
  return file;
}

// Finds and reads the sound that `name` stands for under `flags`.
bool load_sound(const std::string& name, DWORD flags, WaveSound& sound) {
  const bool as_file = flags & SND_FILENAME;
  const bool as_alias = flags & SND_ALIAS;
  if (!as_file) {
    if (auto file = alias_file(name); file && winapi::read_wave_file(*file, sound)) return true;
    if (as_alias) return false;
  }
  return winapi::read_wave_file(name, sound);
}

constexpr unsigned kBeepAmplitude = 16000;

}  // namespace

BOOL PlaySoundA(LPCSTR name, HMODULE, DWORD flags) {
  if (name == nullptr || (flags & SND_PURGE)) {
    player().stop();
    return TRUE;
  }
  if ((flags & SND_MEMORY) || (flags & SND_RESOURCE) == SND_RESOURCE) return fail(ERROR_NOT_SUPPORTED);
  if ((flags & SND_LOOP) && !(flags & SND_ASYNC)) return fail(ERROR_INVALID_PARAMETER);
  if ((flags & SND_NOSTOP) && player().busy()) return fail(ERROR_ACCESS_DENIED);

  WaveSound sound;
  bool found = load_sound(name, flags, sound);
  if (!found && !(flags & SND_NODEFAULT)) found = load_sound(".Default", SND_ALIAS, sound);
  if (!found) return fail(ERROR_FILE_NOT_FOUND);

  player().stop();  // one sound at a time; frees the device for the next
  auto device = SoundDevice::open(sound.channels, sound.rate, sound.bits);
  if (!device) return fail(ERROR_NOT_READY);
  auto playback = player().start(std::move(device), std::move(sound), flags & SND_LOOP);
  if (flags & SND_ASYNC) return TRUE;
  bool ok = playback->wait();
  player().forget(playback);
  return ok ? TRUE : fail(ERROR_IO_DEVICE);
}

BOOL Beep(DWORD frequency, DWORD duration) {
  if (frequency < 37 || frequency > 32767) return fail(ERROR_INVALID_PARAMETER);
  // Twice the highest tone fits below the rate, so no tone folds back.
  const unsigned rate = frequency < 20000 ? 48000 : 96000;
  auto device = SoundDevice::open(1, rate, 16);
  if (!device) return fail(ERROR_NOT_READY);
  const std::uint64_t total = static_cast<std::uint64_t>(duration) * rate / 1000;
  constexpr std::size_t kChunkFrames = 4800;
  std::vector<std::uint8_t> chunk(kChunkFrames * 2);
  const double step = 2.0 * M_PI * frequency / rate;
  for (std::uint64_t done = 0; done < total;) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(kChunkFrames, total - done));
    for (std::size_t i = 0; i < count; ++i) {
      const double phase = std::fmod(step * static_cast<double>(done + i), 2.0 * M_PI);
      const auto sample = static_cast<std::int16_t>(std::lround(kBeepAmplitude * std::sin(phase)));
      chunk[2 * i] = static_cast<std::uint8_t>(sample & 0xFF);
      chunk[2 * i + 1] = static_cast<std::uint8_t>((sample >> 8) & 0xFF);
    }
    if (!device->write(chunk.data(), count)) return fail(ERROR_IO_DEVICE);
    done += count;
  }
  device->drain();
  return TRUE;
}
