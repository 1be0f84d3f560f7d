// The DirectSound service: buffers, duplicates, status, position, frequency, and the
// formats it refuses. Needs a sound device (under wine, an ALSA default device).
#include <gtest/gtest.h>

#include <cstring>

#include "platform/SoundService.h"

namespace {

using platform::SoundResult;

platform::SoundFormat Pcm16Mono(uint32_t rate) {
    platform::SoundFormat format;
    format.formatTag = 1;
    format.channels = 1;
    format.sampleRate = rate;
    format.bitsPerSample = 16;
    format.blockAlign = 2;
    format.byteRate = rate * 2;
    return format;
}

constexpr uint32_t kControls = platform::kSoundBufferControlVolume |
                               platform::kSoundBufferControlPan |
                               platform::kSoundBufferControlFrequency;

class Win32SoundTest : public testing::Test {
protected:
    void SetUp() override {
        if (platform::CreateSoundDevice(nullptr, &device_) != SoundResult::Ok)
            GTEST_SKIP() << "no sound device";
    }
    void TearDown() override { platform::ReleaseSoundDevice(device_); }

    platform::SoundDevice* device_ = nullptr;
};

TEST_F(Win32SoundTest, LoadedBuffersPlayThroughDuplicates) {
    platform::SoundBuffer* buffer = nullptr;
    ASSERT_EQ(platform::CreateSoundBuffer(device_, Pcm16Mono(22050),
                                          kControls | platform::kSoundBufferStatic, 8820, &buffer),
              SoundResult::Ok);
    void* data = nullptr;
    uint32_t locked = 0;
    ASSERT_EQ(platform::LockSoundBuffer(buffer, 0, 8820, &data, &locked), SoundResult::Ok);
    EXPECT_EQ(locked, 8820u);
    std::memset(data, 0, locked);
    EXPECT_EQ(platform::UnlockSoundBuffer(buffer, data, locked), SoundResult::Ok);
    // A lock past the end is refused; one reaching past it is cut at the end.
    EXPECT_EQ(platform::LockSoundBuffer(buffer, 8820, 4, &data, &locked),
              SoundResult::InvalidParam);
    ASSERT_EQ(platform::LockSoundBuffer(buffer, 8000, 4000, &data, &locked), SoundResult::Ok);
    EXPECT_EQ(locked, 820u);
    platform::UnlockSoundBuffer(buffer, data, locked);

    platform::SoundBuffer* voice = nullptr;
    ASSERT_EQ(platform::DuplicateSoundBuffer(device_, buffer, &voice), SoundResult::Ok);
    uint32_t rate = 0;
    EXPECT_EQ(platform::GetSoundBufferFrequency(voice, &rate), SoundResult::Ok);
    EXPECT_EQ(rate, 22050u);
    EXPECT_EQ(platform::SetSoundBufferFrequency(voice, 44100), SoundResult::Ok);
    platform::GetSoundBufferFrequency(voice, &rate);
    EXPECT_EQ(rate, 44100u);
    // Rates beyond what the service plays are held at its limit.
    EXPECT_EQ(platform::SetSoundBufferFrequency(voice, 1000000), SoundResult::Ok);
    platform::GetSoundBufferFrequency(voice, &rate);
    EXPECT_EQ(rate, 200000u);

    EXPECT_EQ(platform::SetSoundBufferVolume(voice, -20000), SoundResult::Ok);
    EXPECT_EQ(platform::SetSoundBufferPan(voice, 20000), SoundResult::Ok);
    EXPECT_EQ(platform::SetSoundBufferPosition(voice, 100), SoundResult::Ok);

    EXPECT_EQ(platform::GetSoundBufferStatus(voice), 0u);
    ASSERT_EQ(platform::PlaySoundBuffer(voice, true), SoundResult::Ok);
    EXPECT_EQ(platform::GetSoundBufferStatus(voice),
              platform::kSoundStatusPlaying | platform::kSoundStatusLooping);
    EXPECT_EQ(platform::StopSoundBuffer(voice), SoundResult::Ok);
    EXPECT_EQ(platform::GetSoundBufferStatus(voice), 0u);
    uint32_t position = 0;
    EXPECT_EQ(platform::GetSoundBufferPosition(voice, &position), SoundResult::Ok);
    EXPECT_LT(position, 8820u);

    platform::ReleaseSoundBuffer(voice);
    platform::ReleaseSoundBuffer(buffer);
}

TEST_F(Win32SoundTest, FormatsItCannotPlayAreRefused) {
    platform::SoundBuffer* buffer = nullptr;
    // Floating point, six channels, 24 bits, and no bytes at all.
    for (int refused = 0; refused < 4; ++refused) {
        platform::SoundFormat format = Pcm16Mono(22050);
        format.formatTag = refused == 0 ? 3 : 1;
        format.channels = refused == 1 ? 6 : 1;
        format.bitsPerSample = refused == 2 ? 24 : 16;
        EXPECT_EQ(platform::CreateSoundBuffer(device_, format, kControls, refused == 3 ? 0 : 1024,
                                              &buffer),
                  SoundResult::InvalidParam)
            << refused;
    }
    EXPECT_EQ(buffer, nullptr);

    // Sizes the header states wrongly are worked out from channels and bits.
    platform::SoundFormat format = Pcm16Mono(22050);
    format.blockAlign = 7;
    format.byteRate = 1;
    ASSERT_EQ(platform::CreateSoundBuffer(device_, format, kControls, 1024, &buffer),
              SoundResult::Ok);
    platform::ReleaseSoundBuffer(buffer);
}

} // namespace
