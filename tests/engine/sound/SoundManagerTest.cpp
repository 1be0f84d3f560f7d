// The sound manager over the headless sound service: loading, instances, volume and
// pan arithmetic, fades, the end of an instance, and disabled sound.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/files/MediaTestSupport.h"
#include "engine/sound/QxSoundLevels.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/headless/HeadlessSound.h"

using namespace mediatest;
namespace hs = platform::headless;

namespace {

hs::SoundBufferState StateOf(const platform::SoundBuffer* buffer) {
    hs::SoundBufferState state;
    EXPECT_TRUE(hs::GetSoundBufferState(buffer, &state));
    return state;
}

class SoundManagerTest : public testing::Test {
protected:
    void SetUp() override {
        hs::ResetSoundFailures();
        m_baseBuffers = hs::SoundBufferCount();
        ASSERT_EQ(m_manager.InitSound(0), 1);
    }
    void TearDown() override { hs::ResetSoundFailures(); }

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

    LogCapture m_log;
    QxWin32SoundManager m_manager;
    size_t m_baseBuffers = 0;
};

} // namespace

TEST(SoundLevels, AttenuationFollowsTheLogarithmAndSilencesAtOneTenth) {
    EXPECT_EQ(QxVolumeToAttenuation(1.0f), 0);
    EXPECT_EQ(QxVolumeToAttenuation(0.5f), -3010);
    EXPECT_EQ(QxVolumeToAttenuation(0.25f), -6020);
    EXPECT_EQ(QxVolumeToAttenuation(0.1f), -10000);
    EXPECT_EQ(QxVolumeToAttenuation(0.05f), -10000);
    EXPECT_EQ(QxVolumeToAttenuation(0.0f), -10000);
    EXPECT_EQ(QxVolumeToAttenuation(-3.0f), -10000);
    EXPECT_EQ(QxVolumeToAttenuation(std::numeric_limits<float>::quiet_NaN()), -10000);
    EXPECT_EQ(QxVolumeToAttenuation(2.0f), 0);
}

TEST(SoundLevels, PanIsLogarithmicTowardsEachSideAndMirrorsWhenSwapped) {
    EXPECT_EQ(QxPanToServicePan(0.0f, false), 0);
    EXPECT_EQ(QxPanToServicePan(-1.0f, false), -10000);
    EXPECT_EQ(QxPanToServicePan(1.0f, false), 10000);
    EXPECT_EQ(QxPanToServicePan(-0.5f, false), -2632);
    EXPECT_EQ(QxPanToServicePan(0.5f, false), 2632);
    EXPECT_EQ(QxPanToServicePan(-0.25f, false), -1120);
    EXPECT_EQ(QxPanToServicePan(-1.0f, true), 10000);
    EXPECT_EQ(QxPanToServicePan(0.5f, true), -2632);
    EXPECT_EQ(QxPanToServicePan(-7.0f, false), -10000);
    EXPECT_EQ(QxPanToServicePan(7.0f, false), 10000);
}

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
    EXPECT_EQ(manager.InitSound(0), 1);
}

TEST_F(SoundManagerTest, LoadCopiesTheSamplesIntoOneStaticBuffer) {
    const uint32_t sound = Load();
    EXPECT_EQ(sound, 0u);
    EXPECT_EQ(Load(), 1u); // handles count up
    const hs::SoundBufferState state = StateOf(m_manager.SoundBufferOf(sound));
    EXPECT_NE(state.flags & platform::kSoundBufferStatic, 0u);
    EXPECT_NE(state.flags & platform::kSoundBufferControlFrequency, 0u);
    ASSERT_EQ(state.size, 800u);
    EXPECT_EQ(std::vector<uint8_t>(state.data, state.data + state.size), Ramp(800));
    EXPECT_EQ(state.format.sampleRate, 8000u);
    EXPECT_FALSE(state.locked);
    EXPECT_EQ(m_log.Text(), "");
}

TEST_F(SoundManagerTest, AnInstancePlayedOnceEndsAfterItsLength) {
    const uint32_t instance = Play(Load());
    ASSERT_EQ(m_manager.ResumeInstance(instance), 1);
    EXPECT_TRUE(m_manager.IsInstancePlaying(instance));
    hs::AdvanceSound(60.0);
    EXPECT_EQ(StateOf(m_manager.InstanceBuffer(instance)).position, 480u);
    m_manager.UpdateSounds(60.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 1u);
    hs::AdvanceSound(50.0);
    EXPECT_FALSE(m_manager.IsInstancePlaying(instance));
    const size_t buffers = hs::SoundBufferCount();
    m_manager.UpdateSounds(50.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 0u);
    EXPECT_EQ(hs::SoundBufferCount(), buffers - 1); // the duplicate was released
    EXPECT_EQ(m_manager.StopInstance(instance), 1); // gone: answered and ignored
}

TEST_F(SoundManagerTest, ALoopingInstancePlaysOn) {
    const uint32_t instance = Play(Load(), true);
    m_manager.ResumeInstance(instance);
    hs::AdvanceSound(250.0);
    m_manager.UpdateSounds(250.0f);
    ASSERT_TRUE(m_manager.IsInstancePlaying(instance));
    EXPECT_EQ(StateOf(m_manager.InstanceBuffer(instance)).position, 400u);
    EXPECT_TRUE(StateOf(m_manager.InstanceBuffer(instance)).looping);
}

TEST_F(SoundManagerTest, PauseKeepsThePositionForResume) {
    const uint32_t instance = Play(Load());
    m_manager.ResumeInstance(instance);
    hs::AdvanceSound(30.0);
    ASSERT_EQ(m_manager.PauseInstance(instance), 1);
    EXPECT_FALSE(m_manager.IsInstancePlaying(instance));
    m_manager.UpdateSounds(500.0f); // paused instances do not end
    hs::AdvanceSound(500.0);
    platform::SetSoundBufferPosition(m_manager.InstanceBuffer(instance), 0);
    ASSERT_EQ(m_manager.ResumeInstance(instance), 1);
    const hs::SoundBufferState state = StateOf(m_manager.InstanceBuffer(instance));
    EXPECT_TRUE(state.playing);
    EXPECT_EQ(state.position, 240u);
}

TEST_F(SoundManagerTest, MasterVolumeScalesTheAttenuation) {
    const uint32_t instance = Play(Load());
    m_manager.SetMasterVolume(0.5f);
    m_manager.UpdateSounds(0.0f);
    EXPECT_EQ(VolumeOf(instance), -3010);
    m_manager.SetMasterVolume(1.0f);
    m_manager.UpdateSounds(0.0f);
    EXPECT_EQ(VolumeOf(instance), 0);
}

TEST_F(SoundManagerTest, InstanceVolumeIsClampedAndZeroIsSilent) {
    const uint32_t instance = Play(Load());
    ASSERT_EQ(m_manager.SetInstanceVolume(instance, 0.0f), 1);
    float volume = 0.0f;
    ASSERT_TRUE(m_manager.GetInstanceVolume(instance, &volume));
    EXPECT_FLOAT_EQ(volume, 0.1f);
    EXPECT_EQ(VolumeOf(instance), -10000);
    m_manager.SetInstanceVolume(instance, 0.25f);
    EXPECT_EQ(VolumeOf(instance), -6020);
    m_manager.SetInstanceVolume(instance, 5.0f);
    EXPECT_EQ(VolumeOf(instance), 0);
    EXPECT_EQ(m_manager.SetInstanceVolume(4242, 0.5f), 1); // unknown: ignored
}

TEST_F(SoundManagerTest, FadeOutOverTwoEndsTheInstanceAfterTwo) {
    const uint32_t instance = Play(Load(), true);
    ASSERT_EQ(m_manager.FadeOutInstance(instance, 2.0f), 1);
    EXPECT_TRUE(m_manager.IsInstancePlaying(instance)); // a fade starts the buffer
    m_manager.UpdateSounds(1.0f);
    ASSERT_EQ(m_manager.InstanceCount(), 1u);
    EXPECT_EQ(VolumeOf(instance), -3010);
    m_manager.UpdateSounds(1.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 0u);
    EXPECT_FALSE(m_manager.IsInstancePlaying(instance));
}

TEST_F(SoundManagerTest, FadeInRisesToFullAndStops) {
    // The music pattern: silent start, then a fade in.
    const uint32_t instance = Play(Load(), true);
    m_manager.SetInstanceVolume(instance, 0.0f);
    ASSERT_EQ(m_manager.FadeInInstance(instance, 9.0f), 1);
    m_manager.UpdateSounds(4.5f);
    float volume = 0.0f;
    m_manager.GetInstanceVolume(instance, &volume);
    EXPECT_NEAR(volume, 0.55f, 1e-6f);
    EXPECT_EQ(VolumeOf(instance), -2596);
    m_manager.UpdateSounds(100.0f);
    m_manager.GetInstanceVolume(instance, &volume);
    EXPECT_FLOAT_EQ(volume, 1.0f);
    m_manager.UpdateSounds(100.0f);
    m_manager.GetInstanceVolume(instance, &volume);
    EXPECT_FLOAT_EQ(volume, 1.0f); // the fade stopped at full level
    EXPECT_EQ(VolumeOf(instance), 0);
}

TEST_F(SoundManagerTest, FadesWithoutDurationActAtTheNextUpdate) {
    const uint32_t in = Play(Load(), true);
    const uint32_t out = Play(Load(), true);
    m_manager.SetInstanceVolume(in, 0.2f);
    m_manager.FadeInInstance(in, 0.0f);
    m_manager.FadeOutInstance(out, 0.0f);
    m_manager.UpdateSounds(0.0f); // no time yet: nothing moves, nothing breaks
    EXPECT_EQ(m_manager.InstanceCount(), 2u);
    m_manager.UpdateSounds(16.0f);
    float volume = 0.0f;
    ASSERT_TRUE(m_manager.GetInstanceVolume(in, &volume));
    EXPECT_FLOAT_EQ(volume, 1.0f);
    EXPECT_FALSE(m_manager.GetInstanceVolume(out, &volume));
}

TEST_F(SoundManagerTest, FadeOutAllEndsEveryInstance) {
    const uint32_t sound = Load();
    Play(sound, true);
    Play(sound, false);
    ASSERT_EQ(m_manager.FadeOutAll(10.0f), 1);
    m_manager.UpdateSounds(5.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 2u);
    m_manager.UpdateSounds(5.0f);
    EXPECT_EQ(m_manager.InstanceCount(), 0u);
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
    EXPECT_EQ(m_manager.SetInstancePan(instance, 1.0f), 0);
    EXPECT_EQ(m_manager.SetInstanceRate(instance, 2.0f), 0);
    m_manager.UpdateSounds(16.0f);
    EXPECT_EQ(VolumeOf(instance), -10000);
    m_manager.SetInstanceVolume(instance, 1.0f);
    EXPECT_EQ(VolumeOf(instance), -10000);
    m_manager.EnableSounds(true);
    m_manager.UpdateSounds(16.0f);
    EXPECT_EQ(VolumeOf(instance), 0);
}

TEST_F(SoundManagerTest, FreeSoundEndsItsInstancesAndReleasesEveryBuffer) {
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
    EXPECT_EQ(m_manager.StopAll(), 1);
    EXPECT_EQ(hs::SoundBufferCount(), m_baseBuffers + 1);
}

TEST(SoundManagerLifetime, DestructionReleasesEveryBufferAndTheDevice) {
    const size_t buffers = hs::SoundBufferCount();
    const size_t devices = hs::SoundDeviceCount();
    {
        QxWin32SoundManager manager;
        manager.InitSound(0);
        WavShape shape;
        shape.samples = Ramp(64);
        auto file = BufferOf(MakeWav(shape));
        uint32_t sound = 0, instance = 0;
        ASSERT_EQ(manager.LoadSound(file.get(), &sound), 1);
        ASSERT_EQ(manager.PlaySound(sound, &instance, true), 1);
        EXPECT_EQ(hs::SoundBufferCount(), buffers + 2);
        EXPECT_EQ(hs::SoundDeviceCount(), devices + 1);
    }
    EXPECT_EQ(hs::SoundBufferCount(), buffers);
    EXPECT_EQ(hs::SoundDeviceCount(), devices);
}

TEST_F(SoundManagerTest, AStaticBufferFailureFallsBackToAPlainOne) {
    hs::FailSoundCall(hs::SoundCall::CreateStaticBuffer, platform::SoundResult::Failed);
    const uint32_t sound = Load();
    EXPECT_EQ(m_log.Text(), "Failed to create static Sound Buffer\n");
    EXPECT_EQ(StateOf(m_manager.SoundBufferOf(sound)).flags & platform::kSoundBufferStatic, 0u);
}

TEST_F(SoundManagerTest, ALockFailureNamesTheErrorAndReleasesTheBuffer) {
    const struct {
        platform::SoundResult result;
        const char* text;
    } cases[] = {{platform::SoundResult::BufferLost, "Buffer Lost\n"},
                 {platform::SoundResult::PriorityLevelNeeded, "Priority Level Needed\n"},
                 {platform::SoundResult::InvalidParam, "Invalid Param\n"},
                 {platform::SoundResult::InvalidCall, "Invalid Call\n"},
                 {platform::SoundResult::Failed, "Unknown Error"}};
    std::string expected;
    for (const auto& c : cases) {
        hs::FailSoundCall(hs::SoundCall::Lock, c.result);
        Load(false);
        expected += std::string("Failed to lock sound buffer\n") + c.text;
        EXPECT_EQ(m_log.Text(), expected);
    }
    EXPECT_EQ(hs::SoundBufferCount(), m_baseBuffers);
    EXPECT_EQ(m_manager.SoundCount(), 0u);
}
