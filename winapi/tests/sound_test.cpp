#include "sound_fixture.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

TEST_F(SoundTest, SynchronousSoundPlaysTheFilesSamples) {
  struct Format {
    unsigned channels, rate, bits;
  };
  for (Format f : {Format{1, 8000, 8}, Format{2, 22050, 16}, Format{1, 44100, 16}, Format{2, 11025, 8}}) {
    const std::string samples = pattern(f.channels * f.bits / 8 * 3001, f.rate);
    std::string file = sound_file("s.wav", wave_file(f.channels, f.rate, f.bits, samples));
    ASSERT_TRUE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT)) << f.rate;
    EXPECT_TRUE(holds(read_file(sink()), samples)) << f.channels << " " << f.rate << " " << f.bits;
  }
}

TEST_F(SoundTest, AsynchronousSoundReturnsAndPlaysOnItsOwn) {
  const std::string samples = pattern(2 * 20000, 3);
  std::string file = sound_file("a.wav", wave_file(1, 16000, 16, samples));
  ASSERT_TRUE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC));
  EXPECT_TRUE(holds(sink_content(samples.size()), samples));
}

TEST_F(SoundTest, LoopRepeatsUntilStoppedAndOneSoundPlaysAtATime) {
  const std::string samples = pattern(2 * 2 * 1500, 9);
  std::string file = sound_file("loop.wav", wave_file(2, 22050, 16, samples));
  ASSERT_TRUE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC | SND_LOOP));
  std::string content = sink_content(3 * samples.size());
  ASSERT_GE(content.size(), 3 * samples.size());
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(content.compare(round * samples.size(), samples.size(), samples), 0) << round;
  }
  // A busy player refuses a sound that must not stop it.
  const std::string other = pattern(1000, 1);
  std::string second = sound_file("second.wav", wave_file(1, 8000, 8, other));
  EXPECT_FALSE(PlaySoundA(second.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_NOSTOP));
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
  // The next sound replaces the loop entirely.
  ASSERT_TRUE(PlaySoundA(second.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
  EXPECT_TRUE(holds(read_file(sink()), other));
}

TEST_F(SoundTest, NamesAreLookedUpAsAliasesThenAsFiles) {
  const std::string chime = pattern(3000, 5);
  std::string file = sound_file("chime.wav", wave_file(1, 8000, 8, chime));
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default\\Chime\\.Current", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                           static_cast<DWORD>(file.size() + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_TRUE(PlaySoundA("Chime", nullptr, SND_ALIAS | SND_NODEFAULT));
  EXPECT_TRUE(holds(read_file(sink()), chime));
  std::filesystem::remove(sink());
  ASSERT_TRUE(PlaySoundA("chime", nullptr, SND_NODEFAULT));  // neither flag: alias first
  EXPECT_TRUE(holds(read_file(sink()), chime));
  // As a file name it is not found (there is no file "Chime" here).
  EXPECT_FALSE(PlaySoundA("Chime", nullptr, SND_FILENAME | SND_NODEFAULT));

  const std::string plain = pattern(2000, 8);
  std::string plain_file = sound_file("plain.wav", wave_file(1, 8000, 8, plain));
  ASSERT_TRUE(PlaySoundA(plain_file.c_str(), nullptr, SND_NODEFAULT));  // not an alias: a file
  EXPECT_TRUE(holds(read_file(sink()), plain));
  EXPECT_FALSE(PlaySoundA(plain_file.c_str(), nullptr, SND_ALIAS | SND_NODEFAULT));
}

TEST_F(SoundTest, MissingSoundPlaysTheDefaultUnlessTold) {
  const std::string fallback = pattern(1600, 11);
  std::string file = sound_file("default.wav", wave_file(1, 8000, 8, fallback));
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(file.c_str()),
                           static_cast<DWORD>(file.size() + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);
  std::string missing = home_->file("missing.wav");
  std::filesystem::remove(sink());
  EXPECT_FALSE(PlaySoundA(missing.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
  EXPECT_FALSE(std::filesystem::exists(sink()));
  EXPECT_TRUE(PlaySoundA(missing.c_str(), nullptr, SND_FILENAME));
  EXPECT_TRUE(holds(read_file(sink()), fallback));
}

TEST_F(SoundTest, UnplayableFilesGiveFalse) {
  const std::string samples = pattern(4000, 2);
  std::vector<std::string> bad = {
      "",
      "RIFF",
      "not a wave file at all, just text",
      wave_file(1, 8000, 8, samples, 3),              // IEEE float
      wave_file(1, 8000, 24, samples),                // 24-bit
      wave_file(6, 8000, 16, samples),                // six channels
      wave_file(1, 8000, 16, samples).substr(0, 30),  // cut inside the header
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    std::string file = sound_file("bad.wav", bad[i]);
    EXPECT_FALSE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT)) << i;
    EXPECT_FALSE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC)) << i;
  }
  std::string folder = home_->path().string();
  EXPECT_FALSE(PlaySoundA(folder.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
  std::string good = sound_file("good.wav", wave_file(1, 8000, 8, samples));
  EXPECT_FALSE(PlaySoundA(good.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_LOOP));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(PlaySoundA(good.c_str(), nullptr, SND_MEMORY | SND_NODEFAULT));
  // A file that ends early plays what it has.
  std::string cut = wave_file(1, 8000, 8, samples);
  cut.resize(cut.size() - 1000);
  std::string cut_file = sound_file("cut.wav", cut);
  ASSERT_TRUE(PlaySoundA(cut_file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
  EXPECT_TRUE(holds(read_file(sink()), samples.substr(0, samples.size() - 1000)));
}

// The frequency of a tone from its rising zero crossings.
double measured_frequency(const std::string& raw, unsigned rate) {
  std::vector<std::int16_t> samples(raw.size() / 2);
  std::memcpy(samples.data(), raw.data(), samples.size() * 2);
  while (!samples.empty() && samples.back() == 0) samples.pop_back();  // padding
  int first = -1, last = -1, crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < 0 && samples[i] >= 0) {
      if (first < 0) first = static_cast<int>(i);
      last = static_cast<int>(i);
      ++crossings;
    }
  }
  if (crossings < 2) return 0;
  return (crossings - 1) * static_cast<double>(rate) / (last - first);
}

TEST_F(SoundTest, BeepPlaysAToneOfTheAskedFrequency) {
  for (unsigned frequency : {37u, 440u, 1000u, 5000u}) {
    ASSERT_TRUE(Beep(frequency, 250)) << frequency;
    std::string raw = read_file(sink());
    EXPECT_GE(raw.size(), 48000u * 2 / 4);
    EXPECT_NEAR(measured_frequency(raw, 48000), frequency, frequency * 0.005 + 0.5) << frequency;
  }
  ASSERT_TRUE(Beep(30000, 100));
  EXPECT_NEAR(measured_frequency(read_file(sink()), 96000), 30000, 150);
}

TEST_F(SoundTest, BeepRefusesFrequenciesOutsideItsRange) {
  std::filesystem::remove(sink());
  EXPECT_FALSE(Beep(36, 100));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(Beep(32768, 100));
  EXPECT_FALSE(std::filesystem::exists(sink()));
}

}  // namespace
