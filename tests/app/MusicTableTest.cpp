// The game object's music table: the track added at start-up, playing it from silence,
// stopping it, unknown tracks, and the sounds given back at shutdown.

#include "app/GameTestSupport.h"

namespace {

using namespace gametest;

class MusicTableTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        WriteFile(DataFolder() + "LoadingScene.ent", "class PyxLoadingScene\ntype loadingscene\n");
        WriteFile(DataFolder() + "common/sounds/jazz_rond_8bit.wav", SmallWav());
        WriteFile(DataFolder() + "other.wav", SmallWav());
    }
};

TEST_F(MusicTableTest, StartUpAddsTheMusicWithoutPlayingIt) {
    Start();
    const QxGame::MusicTrack* track = game_->FindTrack(PyxGame::kMusicTrack);
    ASSERT_NE(track, nullptr);
    EXPECT_NE(track->sound, nullptr);
    EXPECT_EQ(track->voice, QxGame::kNoVoice);
    EXPECT_FALSE(game_->IsMusicPlaying());
    EXPECT_EQ(game_->CurrentTrack(), QxGame::kNoTrack);
}

TEST_F(MusicTableTest, PlayingStartsOneLoopingVoiceFromSilenceAndFadesItIn) {
    Start();
    game_->PlayMusic(1, 2000.0f);
    EXPECT_TRUE(game_->IsMusicPlaying());
    EXPECT_EQ(game_->CurrentTrack(), 1);
    const std::uint32_t voice = game_->FindTrack(1)->voice;
    ASSERT_NE(voice, QxGame::kNoVoice);
    EXPECT_TRUE(sound_->IsInstancePlaying(voice));
    float volume = 1.0f;
    ASSERT_TRUE(sound_->GetInstanceVolume(voice, &volume));
    EXPECT_LT(volume, 0.2f); // starts (nearly) silent
    sound_->UpdateSounds(1000.0f);
    ASSERT_TRUE(sound_->GetInstanceVolume(voice, &volume));
    EXPECT_GT(volume, 0.4f);

    // Asking again keeps the voice it has.
    game_->PlayMusic(1, 2000.0f);
    EXPECT_EQ(game_->FindTrack(1)->voice, voice);
    EXPECT_EQ(sound_->InstanceCount(), 1u);
}

TEST_F(MusicTableTest, StoppingForgetsTheVoiceButKeepsTheTrack) {
    Start();
    game_->PlayMusic(1, 0.0f);
    game_->StopMusic(500.0f);
    EXPECT_FALSE(game_->IsMusicPlaying());
    EXPECT_EQ(game_->CurrentTrack(), 1);
    EXPECT_EQ(game_->FindTrack(1)->voice, QxGame::kNoVoice);
    // Playing again starts a fresh voice.
    game_->PlayMusic(1, 0.0f);
    EXPECT_TRUE(game_->IsMusicPlaying());
}

TEST_F(MusicTableTest, UnknownTracksAndMissingFilesPlayNothing) {
    Start();
    game_->PlayMusic(7, 100.0f);
    EXPECT_EQ(game_->CurrentTrack(), QxGame::kNoTrack);
    game_->AddMusic(2, "no-such-file.wav");
    game_->PlayMusic(2, 100.0f);
    EXPECT_EQ(game_->CurrentTrack(), 2);
    EXPECT_FALSE(game_->IsMusicPlaying());
}

TEST_F(MusicTableTest, ShutdownGivesEverySoundBack) {
    Start();
    game_->AddMusic(2, "other.wav");
    game_->AddMusic(2, "other.wav"); // replaced: the first record's sound goes back
    game_->PlayMusic(2, 0.0f);
    EXPECT_EQ(cache_->SoundCount(), 2u);
    WaitForLoader();
    game_->Shutdown();
    started_ = false;
    EXPECT_EQ(cache_->SoundCount(), 0u);
    EXPECT_EQ(game_->FindTrack(1), nullptr);
}

} // namespace
