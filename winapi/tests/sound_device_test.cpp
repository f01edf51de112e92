// Without a sound device, playback fails. A process of its own: ALSA reads
// its configuration once.
#include "sound_fixture.h"

namespace {

class NoSoundDeviceTest : public SoundTest {
 protected:
  static void SetUpTestSuite() {
    SoundTest::SetUpTestSuite();
    configure("pcm.!default {\n  type hw\n  card 97\n}\n");
  }
};

TEST_F(NoSoundDeviceTest, PlaybackAndBeepGiveFalse) {
  const std::string samples = pattern(1000, 4);
  std::string file = sound_file("x.wav", wave_file(1, 8000, 8, samples));
  EXPECT_FALSE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_FALSE(PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC));
  EXPECT_FALSE(Beep(440, 100));
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));  // stopping nothing is fine
}

}  // namespace
