// The title's particle fire: its colour ramps, particle motion and random events, cooling,
// the blit, the burn image and hostile sizes.

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxRandom.h"
#include "engine/gui/GuiFixture.h"
#include "engine/gui/QxEntity2DGUIPFire.h"

namespace {

using Fire = QxEntity2DGUIPFire;

class FireTest : public GuiFixture {
protected:
    std::unique_ptr<Fire> MakeFire(const std::string& name, const std::string& keys) {
        if (!Define("class PFire\ntype " + name + "\n" + keys)) {
            return nullptr;
        }
        return CreateElement<Fire>("PFire", name);
    }

    // A fire whose particles move only as a test places them.
    std::unique_ptr<Fire> QuietFire(const std::string& keys) {
        auto fire = MakeFire("quiet", "RandEffectChance 1000000000\n" + keys);
        if (fire) {
            fire->m_followLeader = fire->m_followMouse = fire->m_steer = false;
        }
        return fire;
    }

    // Fills the back buffer with a pattern of every kind of colour; answers its pixels.
    std::vector<std::uint16_t> FillBackground(int seed) {
        std::vector<std::uint16_t> pixels;
        QxSurfaceDesc desc{};
        if (!Screen().LockBackBuffer(&desc))
            return pixels;
        for (int y = 0; y < desc.height; ++y) {
            auto* row =
                reinterpret_cast<std::uint16_t*>(desc.pixels + std::ptrdiff_t(y) * desc.pitch);
            for (int x = 0; x < desc.width; ++x) {
                row[x] = static_cast<std::uint16_t>((x * 37 + y * 1021 + seed * 4099) & 0x7FFF);
                pixels.push_back(row[x]);
            }
        }
        Screen().UnlockBackBuffer();
        return pixels;
    }

    static std::uint8_t Heat(const Fire& fire, int x, int y) {
        return fire.HeatBuffer()->Row(y)[x];
    }
};

TEST_F(FireTest, ColourRampsEndInWhite) {
    for (int scheme = 0; scheme <= 6; ++scheme) {
        const auto ramp = Fire::BuildPalette(scheme);
        EXPECT_EQ(ramp[255], QxColour(255, 255, 255)) << scheme;
    }
    // Scheme 5 is outside 1 to 4: the default orange ramp.
    EXPECT_EQ(Fire::BuildPalette(5), Fire::BuildPalette(0));
    const auto orange = Fire::BuildPalette(5);
    EXPECT_EQ(orange[100], QxColour(200, 100, 0));
    EXPECT_EQ(orange[200], QxColour(255, 200, 0));
    // The fade to white starts at 224 with one part white in 32.
    EXPECT_EQ(orange[224], QxColour((255 * 31 + 255) / 32, (224 * 31 + 255) / 32, 255 / 32));
}

TEST_F(FireTest, WallsBounceParticlesBackWithTheirSpeedScaled) {
    auto fire = QuietFire("Width 40\nHeight 30\nNumParticles 1\nGravTime 0\nGravity 0\n"
                          "BounceEnergy 0.5\nKickStrength 0\n");
    ASSERT_NE(fire, nullptr);
    Fire::Particle& p = fire->Particles()[0];
    p.x = 33.0f;
    p.y = 15.0f;
    p.vx = 2.0f;
    p.vy = 0.0f;
    fire->Update(16.0f);
    EXPECT_EQ(p.x, 34.0f) << "reaching W - 5 puts it back at W - 6";
    EXPECT_EQ(p.vx, -1.0f);
    EXPECT_EQ(p.prevX, 33.0f);
    EXPECT_EQ(fire->GravityY(), 0.0f) << "without GravTime the gravity stays as given";

    p.x = 6.0f;
    p.vx = -3.0f;
    fire->Update(16.0f);
    EXPECT_EQ(p.x, 5.0f);
    EXPECT_EQ(p.vx, 1.5f);

    p.x = 20.0f;
    p.vx = 0.0f;
    p.y = 25.0f;
    p.vy = 4.0f;
    fire->Update(16.0f);
    EXPECT_EQ(p.y, 26.0f) << "reaching H - 3 puts it back at H - 4";
    EXPECT_EQ(p.vy, -2.0f);
}

// A particle falling straight down leaves a straight trail of heat in its column.
TEST_F(FireTest, ASteepTrailStaysInItsColumn) {
    auto fire = QuietFire("Width 40\nHeight 30\nNumParticles 1\n");
    ASSERT_NE(fire, nullptr);
    Fire::Particle& p = fire->Particles()[0];
    p.prevX = p.x = 20.0f;
    p.prevY = 10.0f;
    p.y = 20.0f;
    ASSERT_TRUE(fire->Draw());
    for (int y = 11; y < 19; ++y) {
        EXPECT_GT(Heat(*fire, 20, y), 50) << y;
    }
}

TEST_F(FireTest, TinyAndWildFiresDoNotCrash) {
    QxImage burn;
    burn.Create(64, 64, 8);
    std::fill(burn.pixels.begin(), burn.pixels.end(), std::uint8_t{90});
    WriteBitmap("big.bmp", burn);
    const int sizes[][2] = {{0, 0},  {1, 1},  {4, 2},  {5, 3},  {10, 6},
                            {11, 7}, {3, 40}, {40, 3}, {12, 5}, {-4, 9}};
    for (const auto& size : sizes) {
        const std::string name = "tiny" + std::to_string(size[0]) + "x" + std::to_string(size[1]);
        auto fire = MakeFire(name, "Width " + std::to_string(size[0]) + "\nHeight " +
                                       std::to_string(size[1]) +
                                       "\nNumParticles 40\nBurnEdges 1\nBurnImage big.bmp\n"
                                       "RandEffectChance 0\nGravTime 30\nGravity 3\n");
        ASSERT_NE(fire, nullptr) << name;
        for (int frame = 0; frame < 100; ++frame) {
            fire->m_followMouse = frame % 3 == 0;
            fire->Update(16.0f);
            fire->Draw();
        }
        if (fire->HeatBuffer()) {
            EXPECT_EQ(fire->HeatBuffer()->width, std::max(size[0], 0));
        }
    }
}

TEST_F(FireTest, RandomEventsKickAgainstGravityAndBurstFromOnePoint) {
    SeedRandom(3);
    auto fire = MakeFire("events", "Width 320\nHeight 300\nNumParticles 64\nGravTime 0\n"
                                   "Gravity 0.5\nKickStrength 0\nRandEffectChance 0\n");
    ASSERT_NE(fire, nullptr);
    int kicks = 0, wrongKicks = 0, bursts = 0;
    for (int frame = 0; frame < 300; ++frame) {
        auto& particles = fire->Particles();
        for (std::size_t i = 0; i < particles.size(); ++i)
            particles[i] = Fire::Particle{20.0f + 4.0f * static_cast<float>(i), 150.0f};
        fire->m_followLeader = fire->m_followMouse = fire->m_steer = false;
        fire->Update(16.0f);
        if (fire->m_followLeader || fire->m_followMouse || fire->m_steer)
            continue; // steered particles tell nothing
        // A kick moves every particle straight up (against gravity), never down.
        std::size_t up = 0, down = 0;
        std::map<std::pair<float, float>, int> starts;
        for (std::size_t i = 0; i < particles.size(); ++i) {
            const Fire::Particle& p = particles[i];
            const bool inPlace = p.x == 20.0f + 4.0f * static_cast<float>(i);
            up += inPlace && p.y == 130.0f ? 1 : 0;
            down += inPlace && p.y == 170.0f ? 1 : 0;
            ++starts[{p.prevX, p.prevY}];
        }
        kicks += up == particles.size() ? 1 : 0;
        wrongKicks += down == particles.size() ? 1 : 0;
        for (const auto& [start, count] : starts)
            bursts += count >= 21 ? 1 : 0;
    }
    EXPECT_GT(kicks, 0);
    EXPECT_EQ(wrongKicks, 0);
    EXPECT_GT(bursts, 0);
}

// Heat rising from the burn image loses a quarter of BurnFade per row, so the rows above
// it show cooler colours than the image's own last row.
TEST_F(FireTest, HeatRisingFromTheBurnImageCoolsRowByRow) {
    QxImage burn;
    burn.Create(40, 4, 8);
    std::fill(burn.pixels.begin(), burn.pixels.end(), std::uint8_t{200});
    WriteBitmap("burn.bmp", burn);
    auto cooling = MakeFire("cooling", "Width 16\nHeight 30\nNumParticles 0\nBurnImage burn.bmp\n"
                                       "BurnFade 40\nGravTime 0\n");
    ASSERT_NE(cooling, nullptr);
    ASSERT_TRUE(cooling->Draw());
    EXPECT_EQ(Heat(*cooling, 8, 1), 200) << "rows 0 and 1 are never cooled into";
    EXPECT_EQ(Heat(*cooling, 8, 2), 200 - 40 / 4);
    EXPECT_EQ(Pixel(8, 2), Rgb555(Fire::BuildPalette(0)[190]));
}

// Cooling sparks every other row: a spark doubles the heat of its point's four
// neighbours, and the one the pass has already cooled into survives it, so doubled heat
// lies on even rows whichever way the heat rises.
TEST_F(FireTest, SparksDoubleTheHeatAroundAPointOfEveryOddRow) {
    for (const bool inverted : {false, true}) {
        auto fire = MakeFire(inverted ? "down" : "up",
                             "Width 64\nHeight 40\nNumParticles 0\nBurnFade 0\nGravTime 0\n"
                             "RandEffectChance 1000000000\n");
        ASSERT_NE(fire, nullptr);
        fire->m_gravityInverted = inverted;
        for (int y = 0; y < 40; ++y)
            std::fill_n(fire->HeatBuffer()->Row(y), 64, std::uint8_t{40});
        ASSERT_TRUE(fire->Draw());
        int sparks = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 64; ++x) {
                if (Heat(*fire, x, y) != 80)
                    continue;
                EXPECT_EQ(y % 2, 0) << x << "," << y << (inverted ? " falling" : " rising");
                ++sparks;
            }
        }
        EXPECT_GE(sparks, 10);
    }
}

// Cooling pixel by pixel as the fire describes it, with its column flags and sparks.
void CoolOnePixelAtATime(std::vector<std::uint8_t>& heat, std::vector<bool>& flags, int w, int h,
                         int fade, bool inverted) {
    auto at = [&](int x, int y) -> std::uint8_t& { return heat[std::size_t(y * w + x)]; };
    auto row = [&](int y, int written) {
        for (int group = 4; group < w; group += 4) {
            const int end = std::min(group + 4, w);
            bool hot = false;
            for (int x = group; x < end; ++x)
                hot = hot || at(x, y) != 0;
            const bool worked = hot || flags[std::size_t(group / 4)];
            flags[std::size_t(group / 4)] = hot;
            for (int x = group; worked && x < end; ++x) {
                const int right = x + 1 < w ? at(x + 1, y) : 0;
                const int sum = at(x - 1, y) + at(x, written) + right + at(x, y) - fade;
                at(x, written) = std::uint8_t(std::clamp(sum >> 2, 0, 255));
            }
        }
        if ((y & 1) != 0 && y > 2 && y < h - 3) {
            const int x = 5 + random(w - 10);
            const int q = at(x, y);
            if (q >= 33 && q < 128)
                at(x - 1, y) = at(x + 1, y) = at(x, y - 1) = at(x, y + 1) =
                    std::uint8_t(std::min(2 * q, 255));
        }
    };
    for (int y = inverted ? h - 4 : 3; inverted ? y >= 2 : y <= h - 2; y += inverted ? -1 : 1)
        row(y, inverted ? y + 1 : y - 1);
}

// Whole stretches are cooled and blended at once: over odd widths, a fire cut by the
// screen's edges, cold and hot groups, both directions and fades that clamp either way,
// every pixel is the one worked out pixel by pixel.
TEST_F(FireTest, StretchesCoolAndBlendAsSinglePixelsDo) {
    std::mt19937 noise(5);
    const int sizes[][3] = {{37, 21, -3}, {53, 30, 600}, {150, 40, 110}}; // width, height, x
    for (const auto& size : sizes) {
        for (const int fade : {18, -700, 5000}) {
            for (const bool inverted : {false, true}) {
                const int w = size[0], h = size[1];
                const std::string name = "cool" + std::to_string(w) + "_" + std::to_string(fade) +
                                         (inverted ? "down" : "up");
                auto fire =
                    MakeFire(name, "Width " + std::to_string(w) + "\nHeight " + std::to_string(h) +
                                       "\nBurnFade " + std::to_string(fade) + "\nTransparent 1\n");
                ASSERT_NE(fire, nullptr) << name;
                fire->m_gravityInverted = inverted;
                fire->SetPosition(QxPoint{size[2], 50});
                std::vector<std::uint8_t> want(std::size_t(w * h));
                std::vector<bool> flags(static_cast<std::size_t>(w));
                for (int frame = 0; frame < 3; ++frame) {
                    // Runs of cold and hot pixels that start anywhere in a group.
                    for (std::size_t i = 0; i < want.size();) {
                        const bool cold = noise() % 2 == 0;
                        for (std::size_t n = noise() % 24; n > 0 && i < want.size(); --n, ++i)
                            want[i] = cold ? 0 : std::uint8_t(noise() % 256);
                    }
                    for (int y = 0; y < h; ++y)
                        std::copy_n(&want[std::size_t(y * w)], w, fire->HeatBuffer()->Row(y));
                    const std::vector<std::uint16_t> back = FillBackground(frame);
                    SeedRandom(11);
                    ASSERT_TRUE(fire->Draw());
                    SeedRandom(11);
                    CoolOnePixelAtATime(want, flags, w, h, fade, inverted);
                    const auto ramp = Fire::BuildPalette(0);
                    for (int y = 0; y < h; ++y) {
                        for (int x = 0; x < w; ++x) {
                            const std::uint8_t v = want[std::size_t(y * w + x)];
                            ASSERT_EQ(Heat(*fire, x, y), v) << name << " " << x << "," << y;
                            const int sx = size[2] + x, sy = 50 + y;
                            if (sx < 0 || sx >= kScreenWidth)
                                continue;
                            const std::uint16_t under = back[std::size_t(sy * kScreenWidth + sx)];
                            const QxColour colour((under >> 10) << 3, ((under >> 5) & 31) << 3,
                                                  (under & 31) << 3);
                            const std::uint16_t blended = v == 0 || Rgb555(ramp[v]) == 0
                                                              ? under
                                                              : Blend555(ramp[v], colour, v);
                            ASSERT_EQ(Pixel(sx, sy), blended) << name << " " << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

} // namespace

// The burn image's hot runs are stamped over the part both pictures share, and a blended
// fire mixes every heat with every background colour as the screen's blend does.
TEST_F(FireTest, ABlendedFireMixesEveryHeatWithItsBackgroundAsTheScreenBlends) {
    QxImage burn;
    burn.Create(300, 6, 8); // wider than the fire, its last run cut at the fire's edge
    for (int y = 0; y < burn.height; ++y)
        for (int x = 0; x < burn.width; ++x)
            burn.Row(y)[x] = static_cast<std::uint8_t>(x + 7 * y);
    WriteBitmap("ramp.bmp", burn);
    auto fire = MakeFire("blended", "Width 256\nHeight 24\nNumParticles 0\nBurnImage ramp.bmp\n"
                                    "BurnFade 3\nGravTime 0\nTransparent 1\n"
                                    "RandEffectChance 1000000000\n");
    ASSERT_NE(fire, nullptr);
    fire->SetPosition(QxPoint{30, 40});
    QxSurfaceDesc desc{};
    ASSERT_TRUE(Screen().LockBackBuffer(&desc));
    for (int y = 0; y < desc.height; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(desc.pixels + std::ptrdiff_t(y) * desc.pitch);
        for (int x = 0; x < desc.width; ++x)
            row[x] = static_cast<std::uint16_t>((x * 37 + y * 1021) & 0x7FFF);
    }
    Screen().UnlockBackBuffer();
    ASSERT_TRUE(fire->Draw());

    const auto ramp = Fire::BuildPalette(0);
    int blended = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 256; ++x) {
            const std::uint8_t v = Heat(*fire, x, y);
            if (y < 2) {
                const int stamped = (x + 7 * y) & 255;
                ASSERT_EQ(v, stamped > 10 ? stamped : 0) << x << "," << y;
            }
            const auto back =
                static_cast<std::uint16_t>(((30 + x) * 37 + (40 + y) * 1021) & 0x7FFF);
            const QxColour under((back >> 10) << 3, ((back >> 5) & 31) << 3, (back & 31) << 3);
            const std::uint16_t want =
                v == 0 || Rgb555(ramp[v]) == 0 ? back : Blend555(ramp[v], under, v);
            ASSERT_EQ(Pixel(30 + x, 40 + y), want) << x << "," << y << " heat " << int(v);
            blended += want != back;
        }
    }
    EXPECT_GT(blended, 1000);
}
