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
        WriteFile(DataFolder() + "common/sounds/jazz_rond_8bit.wav", testsupport::PcmWav(800));
        WriteFile(DataFolder() + "other.wav", testsupport::PcmWav(800));
    }
};

TEST_F(MusicTableTest, TheMusicFadesInFromSilenceStopsPlaysAgainAndIsGivenBack) {
    Start();
    ASSERT_NE(game_->FindTrack(PyxGame::kMusicTrack), nullptr);
    EXPECT_FALSE(game_->IsMusicPlaying()); // added at start-up, not played
    game_->PlayMusic(1, 2000.0f);
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
    game_->PlayMusic(1, 2000.0f); // asking again keeps the voice it has
    EXPECT_EQ(sound_->InstanceCount(), 1u);

    game_->StopMusic(500.0f);
    EXPECT_FALSE(game_->IsMusicPlaying());
    EXPECT_EQ(game_->FindTrack(1)->voice, QxGame::kNoVoice);
    game_->PlayMusic(1, 0.0f);
    EXPECT_TRUE(game_->IsMusicPlaying());
    // Unknown tracks and missing files play nothing.
    game_->StopMusic(0.0f);
    game_->PlayMusic(7, 100.0f);
    EXPECT_FALSE(game_->IsMusicPlaying());
    game_->AddMusic(3, "no-such-file.wav");
    game_->PlayMusic(3, 100.0f);
    EXPECT_EQ(game_->CurrentTrack(), 3);
    EXPECT_FALSE(game_->IsMusicPlaying());

    // Shutdown gives every sound back.
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
