// The sound manager over the headless sound service: instances, volume arithmetic, fades, the end
// of an instance, disabled sound and service failures.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/files/MediaTestSupport.h"
#include "engine/sound/QxSoundLevels.h"
#include "platform/headless/HeadlessSound.h"
#include "support/ServiceFixture.h"

using namespace mediatest;
namespace hs = platform::headless;

namespace {

hs::SoundBufferState StateOf(const platform::SoundBuffer* buffer) {
    hs::SoundBufferState state;
    EXPECT_TRUE(hs::GetSoundBufferState(buffer, &state));
    return state;
}

class SoundManagerTest : public testsupport::ServiceFixture {
protected:
    SoundManagerTest() : ServiceFixture("sound", {false, false, true, false, false}) {}
    void SetUp() override {
        hs::ResetSoundFailures();
        m_baseBuffers = hs::SoundBufferCount();
        ServiceFixture::SetUp();
    }
    void TearDown() override {
        ServiceFixture::TearDown();
        hs::ResetSoundFailures();
    }

    // 800 bytes at 8000 one-byte frames per second: 100 ms of sound.
    uint32_t Load(bool expectOk = true) {
        WavShape shape;
        shape.samples = Ramp(800);
        auto file = BufferOf(MakeWav(shape));
        uint32_t handle = 999;
        EXPECT_EQ(m_manager.LoadSound(file.get(), &handle), expectOk ? 1 : 0);
        return handle;
    }
    uint32_t Play(uint32_t sound, bool loop = false) {
        uint32_t instance = 999;
        EXPECT_EQ(m_manager.PlaySound(sound, &instance, loop), 1);
        return instance;
    }
    int32_t VolumeOf(uint32_t instance) {
        return StateOf(m_manager.InstanceBuffer(instance)).volume;
    }
    float LevelOf(uint32_t instance) {
        float volume = -1.0f;
        EXPECT_TRUE(m_manager.GetInstanceVolume(instance, &volume));
        return volume;
    }

    QxWin32SoundManager& m_manager = Sound();
    size_t m_baseBuffers = 0;
};

// Pan (with the stereo sides swapped on request) and rate reach the service; everything
// playing fades out together or stops at once.
TEST_F(SoundManagerTest, PanRateAndAllTogether) {
    const uint32_t sound = Load();
    const uint32_t a = Play(sound, true), b = Play(sound, true);
    m_manager.SetInstancePan(a, -1.0f);
    EXPECT_LT(StateOf(m_manager.InstanceBuffer(a)).pan, 0);
    m_manager.SetSwapStereo(true);
    m_manager.SetInstancePan(a, -1.0f);
    EXPECT_GT(StateOf(m_manager.InstanceBuffer(a)).pan, 0);
    EXPECT_EQ(m_manager.SetInstanceRate(b, 2.0f), 1);
    EXPECT_EQ(StateOf(m_manager.InstanceBuffer(b)).frequency, 16000u);

    EXPECT_EQ(m_manager.FadeOutAll(50.0f), 1);
    for (int frame = 0; frame < 5; ++frame)
        m_manager.UpdateSounds(16.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 0u);
    Play(sound, true);
    Play(sound);
    EXPECT_EQ(m_manager.StopAll(), 1);
    EXPECT_EQ(m_manager.InstanceCount(), 0u);
}

} // namespace

TEST(SoundManagerBase, FailedDeviceLeavesTheManagerNotReady) {
    const size_t devices = hs::SoundDeviceCount();
    LogCapture log;
    hs::FailSoundCall(hs::SoundCall::CreateDevice, platform::SoundResult::Failed);
    QxWin32SoundManager manager;
    EXPECT_EQ(manager.InitSound(0), 0);
    EXPECT_FALSE(manager.IsReady());
    EXPECT_EQ(hs::SoundDeviceCount(), devices);
    EXPECT_EQ(log.Text(),
              "InitSound - no sound device could be opened; the game runs without sound.\r\n");
    EXPECT_EQ(manager.StopInstance(1) + manager.UpdateSounds(16.0f), 0);
    EXPECT_EQ(manager.InitSound(0), 1);
    EXPECT_EQ(manager.InitSound(0), 0); // already open
}

TEST_F(SoundManagerTest, AnInstancePlayedOnceEndsAfterItsLengthAndALoopPlaysOn) {
    const uint32_t sound = Load();
    const uint32_t instance = Play(sound);
    const uint32_t loop = Play(sound, true);
    ASSERT_EQ(m_manager.ResumeInstance(instance), 1);
    m_manager.ResumeInstance(loop);
    EXPECT_TRUE(m_manager.IsInstancePlaying(instance));
    hs::AdvanceSound(60.0);
    EXPECT_EQ(StateOf(m_manager.InstanceBuffer(instance)).position, 480u);
    m_manager.UpdateSounds(60.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 2u);
    hs::AdvanceSound(190.0);
    EXPECT_FALSE(m_manager.IsInstancePlaying(instance));
    const size_t buffers = hs::SoundBufferCount();
    m_manager.UpdateSounds(190.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 1u);
    EXPECT_EQ(hs::SoundBufferCount(), buffers - 1); // the duplicate was released
    EXPECT_EQ(m_manager.StopInstance(instance), 1); // gone: answered and ignored
    ASSERT_TRUE(m_manager.IsInstancePlaying(loop));
    EXPECT_EQ(StateOf(m_manager.InstanceBuffer(loop)).position, 400u);
}

TEST_F(SoundManagerTest, MasterAndInstanceVolumesScaleTheAttenuation) {
    const uint32_t instance = Play(Load());
    m_manager.SetMasterVolume(0.5f);
    EXPECT_EQ(m_manager.MasterVolume(), 0.5f);
    m_manager.UpdateSounds(0.0f);
    EXPECT_EQ(VolumeOf(instance), -3010);
    m_manager.SetMasterVolume(1.0f);
    ASSERT_EQ(m_manager.SetInstanceVolume(instance, 0.0f), 1);
    EXPECT_FLOAT_EQ(LevelOf(instance), 0.1f); // clamped, and silent
    EXPECT_EQ(VolumeOf(instance), -10000);
    m_manager.SetInstanceVolume(instance, 0.25f);
    EXPECT_EQ(VolumeOf(instance), -6020);
    m_manager.SetInstanceVolume(instance, 5.0f);
    EXPECT_EQ(VolumeOf(instance), 0);
    EXPECT_EQ(m_manager.SetInstanceVolume(4242, 0.5f), 1); // unknown: ignored
}

// The player's two volumes: a group's level is heard at once by what plays in it and
// by what starts later, and leaves the other group alone. Each point of a control is
// 0.4 dB; 0 is silence.
TEST_F(SoundManagerTest, GroupVolumesScaleTheirOwnInstancesAtOnce) {
    const uint32_t sound = Load();
    const uint32_t music = Play(sound, true);
    const uint32_t effect = Play(sound);
    ASSERT_EQ(m_manager.SetInstanceGroup(music, QxSoundGroup::Music), 1);
    m_manager.SetGroupVolume(QxSoundGroup::Music, QxVolumePercentToGain(50));
    EXPECT_NEAR(VolumeOf(music), -2000, 1);
    EXPECT_EQ(VolumeOf(effect), 0);
    m_manager.SetGroupVolume(QxSoundGroup::Effects, QxVolumePercentToGain(90));
    EXPECT_NEAR(VolumeOf(effect), -400, 1);
    EXPECT_NEAR(VolumeOf(Play(sound)), -400, 1) << "a new effect starts at its group's level";
    m_manager.UpdateSounds(10.0f); // and keeps it
    EXPECT_NEAR(VolumeOf(music), -2000, 1);
    EXPECT_NEAR(VolumeOf(effect), -400, 1);

    m_manager.SetGroupVolume(QxSoundGroup::Music, QxVolumePercentToGain(0));
    EXPECT_EQ(VolumeOf(music), -10000);
    m_manager.SetGroupVolume(QxSoundGroup::Music, QxVolumePercentToGain(250)); // as 100
    EXPECT_EQ(VolumeOf(music), 0);
    m_manager.SetGroupVolume(QxSoundGroup::Music, std::nanf(""));
    EXPECT_EQ(m_manager.GroupVolume(QxSoundGroup::Music), 1.0f);
    EXPECT_EQ(m_manager.SetInstanceGroup(4242, QxSoundGroup::Music), 1); // unknown: ignored
}

TEST_F(SoundManagerTest, DisabledSoundRefusesToPlayAndSilencesWhatPlays) {
    const uint32_t sound = Load();
    const uint32_t instance = Play(sound, true);
    m_manager.ResumeInstance(instance);
    m_manager.EnableSounds(false);
    uint32_t other = 0;
    EXPECT_EQ(m_manager.PlaySound(sound, &other, false), 0);
    EXPECT_EQ(m_manager.ResumeInstance(instance), 0);
    EXPECT_EQ(m_manager.FadeInInstance(instance, 1.0f), 0);
    EXPECT_EQ(m_manager.FadeOutInstance(instance, 1.0f), 0);
    EXPECT_EQ(m_manager.SetInstancePan(instance, 1.0f) + m_manager.SetInstanceRate(instance, 2.0f),
              0);
    m_manager.UpdateSounds(16.0f);
    EXPECT_EQ(VolumeOf(instance), -10000);
    m_manager.SetInstanceVolume(instance, 1.0f);
    EXPECT_EQ(VolumeOf(instance), -10000);
    m_manager.EnableSounds(true);
    m_manager.UpdateSounds(16.0f);
    EXPECT_EQ(VolumeOf(instance), 0);

    // An instance that has ended is no fault to the caller; an unknown sound is.
    const uint32_t gone = instance + 100;
    EXPECT_EQ(m_manager.StopInstance(gone) + m_manager.PauseInstance(gone) +
                  m_manager.ResumeInstance(gone) + m_manager.FadeInInstance(gone, 1.0f) +
                  m_manager.FadeOutInstance(gone, 1.0f) + m_manager.SetInstancePan(gone, 0.0f) +
                  m_manager.SetInstanceRate(gone, 1.0f),
              7);
    float level = 0.0f;
    EXPECT_FALSE(m_manager.GetInstanceVolume(gone, &level));
    EXPECT_EQ(m_manager.PlaySound(sound + 9, &other, false) + m_manager.FreeSound(sound + 9) +
                  m_manager.LoadSound(nullptr, &other),
              0);
}

TEST_F(SoundManagerTest, FreeSoundEndsItsInstancesAndReleasesEveryBuffer) {
    const size_t devices = hs::SoundDeviceCount();
    const uint32_t a = Load();
    const uint32_t b = Load();
    const uint32_t ia = Play(a, true);
    const uint32_t ib = Play(b, true);
    m_manager.ResumeInstance(ia);
    ASSERT_EQ(m_manager.FreeSound(a), 1);
    EXPECT_EQ(m_manager.InstanceBuffer(ia), nullptr);
    EXPECT_NE(m_manager.InstanceBuffer(ib), nullptr);
    EXPECT_EQ(m_manager.SoundCount(), 1u);
    EXPECT_EQ(hs::SoundBufferCount(), m_baseBuffers + 2);
    ServiceFixture::TearDown(); // destroying the manager releases the rest and the device
    EXPECT_EQ(hs::SoundBufferCount(), m_baseBuffers);
    EXPECT_EQ(hs::SoundDeviceCount(), devices - 1);
}

TEST_F(SoundManagerTest, ServiceFailuresAreNamedInTheLog) {
    hs::FailSoundCall(hs::SoundCall::CreateStaticBuffer, platform::SoundResult::Failed);
    const uint32_t sound = Load();
    EXPECT_EQ(Log(), "Failed to create static Sound Buffer\n");
    EXPECT_EQ(StateOf(m_manager.SoundBufferOf(sound)).flags & platform::kSoundBufferStatic, 0u);
    m_manager.FreeSound(sound);

    const struct {
        platform::SoundResult result;
        const char* text;
    } cases[] = {{platform::SoundResult::BufferLost, "Buffer Lost\n"},
                 {platform::SoundResult::PriorityLevelNeeded, "Priority Level Needed\n"},
                 {platform::SoundResult::InvalidParam, "Invalid Param\n"},
                 {platform::SoundResult::InvalidCall, "Invalid Call\n"},
                 {platform::SoundResult::Failed, "Unknown Error"}};
    std::string expected = Log();
    for (const auto& c : cases) {
        hs::FailSoundCall(hs::SoundCall::Lock, c.result);
        Load(false);
        expected += std::string("Failed to lock sound buffer\n") + c.text;
        EXPECT_EQ(Log(), expected);
    }
    EXPECT_EQ(hs::SoundBufferCount(), m_baseBuffers);
    EXPECT_EQ(m_manager.SoundCount(), 0u);
}
