// Reading WAV files into sounds: the chunk walk, and damaged files that must fail
// with one log line and no buffer.
#include <gtest/gtest.h>

#include "engine/files/MediaTestSupport.h"
#include "engine/sound/QxWavReader.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/headless/HeadlessSound.h"

using namespace mediatest;
namespace hs = platform::headless;

namespace {

class WavLoadTest : public testing::Test {
protected:
    void SetUp() override {
        hs::ResetSoundFailures();
        ASSERT_EQ(m_manager.InitSound(0), 1);
        m_baseBuffers = hs::SoundBufferCount();
    }

    // Loads the bytes; on success answers the loaded samples.
    bool Load(const std::vector<uint8_t>& bytes, std::vector<uint8_t>* samples = nullptr) {
        auto file = BufferOf(bytes);
        uint32_t handle = 0;
        if (m_manager.LoadSound(file.get(), &handle) != 1)
            return false;
        hs::SoundBufferState state;
        EXPECT_TRUE(hs::GetSoundBufferState(m_manager.SoundBufferOf(handle), &state));
        if (samples)
            *samples = std::vector<uint8_t>(state.data, state.data + state.size);
        return true;
    }

    // Fails with exactly the one line and leaves no buffer behind.
    void ExpectRefused(const std::vector<uint8_t>& bytes, const std::string& line) {
        LogCapture log;
        EXPECT_FALSE(Load(bytes));
        EXPECT_EQ(log.Text(), line);
        EXPECT_EQ(hs::SoundBufferCount(), m_baseBuffers);
        EXPECT_EQ(m_manager.SoundCount(), 0u);
    }

    QxWin32SoundManager m_manager;
    size_t m_baseBuffers = 0;
};

std::vector<uint8_t> Header(uint32_t riffSize) {
    return Bytes().Text("RIFF").U32(riffSize).Text("WAVE").Get();
}

Bytes Format(uint16_t channels, uint16_t blockAlign, uint32_t size = 16, uint32_t rate = 8000) {
    Bytes b;
    b.Text("fmt ").U32(size).U16(1).U16(channels).U32(rate).U32(rate * blockAlign);
    b.U16(blockAlign).U16(8);
    return b;
}

} // namespace

TEST_F(WavLoadTest, UnusualButSoundFilesLoadTheirSamples) {
    WavShape shape;
    shape.samples = Ramp(10);
    const auto fmt = Format(1, 1).Get();
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> samples;
    } cases[] = {
        {"an odd chunk between format and data, skipped with its pad",
         MakeWav(shape, Bytes().Text("LIST").U32(3).Text("abc").U8(0).Get()), Ramp(10)},
        {"odd data without its pad byte",
         Bytes().Raw(Header(39)).Raw(fmt).Text("data").U32(3).U8(9).U8(8).U8(7).Get(),
         {9, 8, 7}},
        {"an empty data chunk passed over",
         Bytes().Raw(Header(46)).Raw(fmt).Text("data").U32(0).Text("data").U32(2).U8(5).U8(6).Get(),
         {5, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> samples;
        ASSERT_TRUE(Load(c.bytes, &samples));
        EXPECT_EQ(samples, c.samples);
    }
}

TEST_F(WavLoadTest, DamagedFilesFailWithOneLineAndNoBuffer) {
    const auto fmt = Format(1, 1).Get();
    ExpectRefused(Bytes().Text("RIFX").U32(40).Text("WAVE").Raw(fmt).Get(),
                  "Invalid sound: not a RIFF WAVE file\n");
    ExpectRefused(Bytes().Text("RIFF").Get(), "Invalid sound: not a RIFF WAVE file\n");
    ExpectRefused(Bytes().Raw(Header(0)).Raw(fmt).Get(), "Invalid sound: empty RIFF frame\n");
    // A "data" chunk that claims more bytes than the file holds.
    ExpectRefused(Bytes().Raw(Header(1000)).Raw(fmt).Text("data").U32(900).Fill(10, 1).Get(),
                  "Invalid sound: data chunk larger than the file\n");
    ExpectRefused(Bytes().Raw(Header(1000)).Raw(fmt).Text("data").U32(0xFFFFFFFF).Get(),
                  "Invalid sound: data chunk larger than the file\n");
    // Another chunk whose size runs past the end.
    ExpectRefused(Bytes().Raw(Header(1000)).Raw(fmt).Text("junk").U32(0x7FFFFFF0).Fill(8, 0).Get(),
                  "Invalid sound: chunk runs past the end of the file\n");
    ExpectRefused(Bytes().Raw(Header(1000)).Raw(Format(1, 1, 12).Get()).Get(),
                  "Invalid sound: format chunk shorter than 16 bytes\n");
    ExpectRefused(Bytes().Raw(Header(100)).Raw(Format(0, 1).Get()).Text("data").U32(2).U16(0).Get(),
                  "Invalid sound: zero channels\n");
    ExpectRefused(Bytes().Raw(Header(100)).Raw(Format(1, 0).Get()).Text("data").U32(2).U16(0).Get(),
                  "Invalid sound: zero block alignment\n");
    // The RIFF frame ends before any data chunk.
    ExpectRefused(Bytes().Raw(Header(24)).Raw(fmt).Text("data").U32(2).U16(0).Get(),
                  "Invalid sound: no data chunk\n");
    ExpectRefused(Bytes().Raw(Header(100)).Raw(fmt).Get(), "Invalid sound: no data chunk\n");
    // A header cut inside.
    ExpectRefused(Bytes().Raw(Header(100)).Raw(fmt).Text("da").Get(),
                  "Invalid sound: no data chunk\n");
    ExpectRefused(Bytes().Raw(Header(40)).Text("data").U32(4).U32(0).Raw(fmt).Get(),
                  "Invalid sound: not PCM data\n"); // data before the format
    // A rate the service refuses.
    ExpectRefused(
        Bytes().Raw(Header(100)).Raw(Format(1, 1, 16, 5).Get()).Text("data").U32(2).U16(0).Get(),
        "Failed to create static Sound Buffer\nFailed to create Sound Buffer\n");
}
