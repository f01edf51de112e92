// Sounds are played into an ALSA file sink: the test's own HOME holds an
// .asoundrc whose default device writes the raw samples to a file. ALSA reads
// that file once per process.
#pragma once

#include <windows.h>

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

using test_support::read_file;
using test_support::TempDir;
using test_support::write_file;

inline std::string le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
inline std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

// A RIFF WAVE file around the given samples.
inline std::string wave_file(unsigned channels, unsigned rate, unsigned bits, const std::string& samples,
                             unsigned format_tag = 1) {
  const unsigned block = channels * bits / 8;
  std::string fmt =
      le16(format_tag) + le16(channels) + le32(rate) + le32(rate * block) + le16(block) + le16(bits);
  std::string body = "WAVE" + std::string("fmt ") + le32(16) + fmt + "LIST" + le32(4) + "INFO" + "data" +
                     le32(static_cast<std::uint32_t>(samples.size())) + samples;
  return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

// Samples that differ from frame to frame, so that any reordering shows.
inline std::string pattern(std::size_t bytes, unsigned seed) {
  std::string data(bytes, '\0');
  for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<char>((i * 7 + seed + i / 251) & 0xFF);
  return data;
}

class SoundTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = std::make_unique<TempDir>();
    setenv("HOME", home_->path().c_str(), 1);
    setenv("WINAPI_REGISTRY", home_->file("registry.db").c_str(), 1);
    use_sink();
  }
  static void TearDownTestSuite() { home_.reset(); }

  // Writes the ALSA configuration through a new file, so that ALSA sees that
  // it changed.
  static void configure(const std::string& text) {
    write_file(home_->file(".asoundrc.new"), text);
    std::filesystem::rename(home_->file(".asoundrc.new"), home_->file(".asoundrc"));
  }
  static void use_sink() {
    configure("pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" + sink() +
              "\"\n  format \"raw\"\n}\n");
  }
  static std::string sink() { return home_->file("sink.raw"); }
  static std::string sound_file(const std::string& name, const std::string& content) {
    std::string path = home_->file(name);
    write_file(path, content);
    return path;
  }
  // The first `bytes` bytes of the sink, once it holds them (guarded: 20 s).
  // A looping sound keeps writing meanwhile, so no more is read.
  static std::string sink_content(std::size_t bytes) {
    for (int attempt = 0; attempt < 20000; ++attempt) {
      std::error_code error;
      if (std::filesystem::file_size(sink(), error) >= bytes && !error) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::ifstream in(sink(), std::ios::binary);
    std::string content(bytes, '\0');
    in.read(content.data(), static_cast<std::streamsize>(bytes));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return content;
  }
  // Whether the sink starts with `samples`, followed by silence only.
  static ::testing::AssertionResult holds(const std::string& content, const std::string& samples) {
    if (content.compare(0, samples.size(), samples) != 0) {
      return ::testing::AssertionFailure()
             << "the sink does not start with the samples (" << content.size() << " bytes)";
    }
    for (std::size_t i = samples.size(); i < content.size(); ++i) {
      if (content[i] != 0) return ::testing::AssertionFailure() << "noise after the samples at " << i;
    }
    return ::testing::AssertionSuccess();
  }

  static inline std::unique_ptr<TempDir> home_;
};
