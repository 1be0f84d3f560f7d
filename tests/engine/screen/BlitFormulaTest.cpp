// The channel formulas on chosen pixels, and proof that the eight-pixel forms give
// the same result as the literal ones for every input of every channel.

#include <gtest/gtest.h>

#include "engine/screen/QxBlit.h"

using namespace qxblit;

namespace {

constexpr Fmt555 f{};

constexpr uint16_t Grey(int v) {
    return uint16_t((v << 10) | (v << 5) | v);
}

TEST(ScreenFormula, BlendMovesTowardSourceWithFlooringShift) {
    EXPECT_EQ(Blend(f, 0x7FFF, 0x0000, 128), 0x3DEF);
    EXPECT_EQ(Blend(f, 0x0000, 0x7FFF, 128), 0x3DEF);
    // (s - d) * a is negative here: the arithmetic shift rounds down, so even alpha 1
    // takes one step on every channel.
    EXPECT_EQ(Blend(f, 0x0000, 0x7FFF, 1), 0x7BDE);
    EXPECT_EQ(Blend(f, 0x7FFF, 0x0000, 1), 0x0000);
    EXPECT_EQ(Blend(f, 0x1234, 0x5678, 0), 0x5678);
    EXPECT_EQ(Blend(f, 0x1234, 0x5678, 256), 0x1234);
}

TEST(ScreenFormula, ScaleRoundsWithHalfMask) {
    // red k 255, green k 128, blue k 0
    EXPECT_EQ(Scale(f, 0x7FFF, 255, 128, 0), 0x79E0);
    EXPECT_EQ(FactorsOf(QxColour(255, 255, 255, 128)).r, 128u);
    EXPECT_EQ(FactorsOf(QxColour(200, 100, 50, 255)).g, 100u);
    EXPECT_EQ(FactorsOf(QxColour(200, 100, 51, 5)).b, 1u);
}

TEST(ScreenFormula, SaturatingAndWrappingAdds) {
    EXPECT_EQ(AddSat(f, 0x7C10, 0x4210), 0x7E1F);
    // Brighten: red 31 + 1 and blue 31 + 3 lose their carries.
    EXPECT_EQ(AddWrap(f, 0x7C1F, 0x0443), 0x0042);
}

TEST(ScreenFormula, RuntimeMasksMatchTheFixedLayout) {
    const FmtAny any(QxPixelFormat::Rgb555());
    for (uint32_t s = 0; s < 0x8000; s += 37) {
        for (uint32_t d = 0; d < 0x8000; d += 1013) {
            ASSERT_EQ(Blend(any, s, d, 77), Blend(f, s, d, 77));
            ASSERT_EQ(Scale(any, s, 13, 200, 255), Scale(f, s, 13, 200, 255));
        }
    }
}

#if QX_BLIT_VECTOR

// Runs a vector operation over lanes built from (s, d, p) triples and compares each
// lane with the scalar form.
template <class VecFn, class ScalarFn>
void CheckLanes(const std::vector<uint16_t>& s, const std::vector<uint16_t>& d,
                const std::vector<uint16_t>& p, VecFn vec, ScalarFn scalar) {
    for (size_t base = 0; base + kLanes <= s.size(); base += kLanes) {
        const VU r = vec(Load(&s[base]), Load(&d[base]), Load(&p[base]));
        for (int i = 0; i < kLanes; ++i) {
            const size_t k = base + size_t(i);
            ASSERT_EQ(r[i], scalar(s[k], d[k], p[k]))
                << "s=" << s[k] << " d=" << d[k] << " p=" << p[k];
        }
    }
}

// Every pair of 5-bit channel values, the same in all three channels, with a third
// value per lane.
void AllPairs(int third, std::vector<uint16_t>& s, std::vector<uint16_t>& d,
              std::vector<uint16_t>& p) {
    for (int a = 0; a < 32; ++a) {
        for (int b = 0; b < 32; ++b) {
            s.push_back(Grey(a));
            d.push_back(Grey(b));
            p.push_back(uint16_t(third));
        }
    }
}

TEST(ScreenFormula, VectorBlendEqualsLiteralForEveryInput) {
    for (int a = 0; a <= 256; ++a) {
        std::vector<uint16_t> s, d, p;
        AllPairs(a, s, d, p);
        CheckLanes(
            s, d, p,
            [&](VU vs, VU vd, VU) {
                return OpBlend<Fmt555>{f, a}(vs, vd);
            },
            [&](uint16_t x, uint16_t y, uint16_t) {
                return OpBlend<Fmt555>{f, a}(x, y);
            });
        if (a < 256) {
            CheckLanes(
                s, d, p, [](VU vs, VU vd, VU vp) { return OpAlphaBlend<Fmt555>{f}(vs, vd, vp); },
                [](uint16_t x, uint16_t y, uint16_t q) {
                    return OpAlphaBlend<Fmt555>{f}(x, y, uint8_t(q));
                });
            const uint16_t colour = Grey(a % 32);
            CheckLanes(
                s, d, p,
                [&](VU, VU vd, VU) {
                    return OpFillBlend<Fmt555>{f, colour, a}(vd);
                },
                [&](uint16_t, uint16_t y, uint16_t) {
                    return OpFillBlend<Fmt555>{f, colour, a}(y);
                });
            CheckLanes(
                s, d, p,
                [&](VU vs, VU vd, VU vp) {
                    return OpColourAlpha<Fmt555>{f, colour}(vs, vd, vp);
                },
                [&](uint16_t x, uint16_t y, uint16_t q) {
                    return OpColourAlpha<Fmt555>{f, colour}(x, y, uint8_t(q));
                });
        }
    }
}

TEST(ScreenFormula, VectorFadedAlphaEqualsLiteralForEveryInput) {
    for (int alpha : {0, 1, 37, 128, 200, 255, 256}) {
        for (int p = 0; p < 256; p += 3) {
            std::vector<uint16_t> s, d, pv;
            AllPairs(p, s, d, pv);
            CheckLanes(
                s, d, pv,
                [&](VU vs, VU vd, VU vp) {
                    return OpAlphaFaded<Fmt555>{f, alpha}(vs, vd, vp);
                },
                [&](uint16_t x, uint16_t y, uint16_t q) {
                    return OpAlphaFaded<Fmt555>{f, alpha}(x, y, uint8_t(q));
                });
        }
    }
}

TEST(ScreenFormula, VectorScalingFormsEqualLiteralForEveryInput) {
    for (int k = 0; k <= 256; ++k) {
        std::vector<uint16_t> s, d, p;
        AllPairs(k & 255, s, d, p);
        const auto kk = uint32_t(k);
        if (k < 256) {
            const TintFactors tf{kk, 255 - kk, kk / 2};
            CheckLanes(
                s, d, p,
                [&](VU vs, VU vd, VU) {
                    return OpTint<Fmt555>{f, tf}(vs, vd);
                },
                [&](uint16_t x, uint16_t y, uint16_t) {
                    return OpTint<Fmt555>{f, tf}(x, y);
                });
            CheckLanes(
                s, d, p,
                [&](VU vs, VU, VU) {
                    return OpTintInPlace<Fmt555>{f, tf}(vs);
                },
                [&](uint16_t x, uint16_t, uint16_t) {
                    return OpTintInPlace<Fmt555>{f, tf}(x);
                });
            CheckLanes(
                s, d, p,
                [&](VU vs, VU vd, VU vp) {
                    return OpAlphaTinted<Fmt555>{f, tf}(vs, vd, vp);
                },
                [&](uint16_t x, uint16_t y, uint16_t q) {
                    return OpAlphaTinted<Fmt555>{f, tf}(x, y, uint8_t(q));
                });
        }
        CheckLanes(
            s, d, p,
            [&](VU vs, VU vd, VU) {
                return OpAdditive<Fmt555>{f, k}(vs, vd);
            },
            [&](uint16_t x, uint16_t y, uint16_t) {
                return OpAdditive<Fmt555>{f, k}(x, y);
            });
    }
}

TEST(ScreenFormula, VectorAddsEqualLiteralForEveryInput) {
    std::vector<uint16_t> s, d, p;
    AllPairs(0, s, d, p);
    CheckLanes(
        s, d, p, [](VU vs, VU vd, VU) { return OpAddSat<Fmt555>{f}(vs, vd); },
        [](uint16_t x, uint16_t y, uint16_t) { return OpAddSat<Fmt555>{f}(x, y); });
    for (int c = 0; c < 32; ++c) {
        const uint16_t colour = Grey(c);
        CheckLanes(
            s, d, p,
            [&](VU vs, VU vd, VU) {
                return OpBrighten<Fmt555>{f, colour}(vs, vd);
            },
            [&](uint16_t x, uint16_t y, uint16_t) {
                return OpBrighten<Fmt555>{f, colour}(x, y);
            });
    }
}

TEST(ScreenFormula, KeyedLoopSkipsZeroSourceInChunksAndTails) {
    // 19 pixels: two full chunks (one all zero) and a tail of three.
    std::vector<uint16_t> src(19, 0), dst(19, 0x1111);
    src[9] = 0x7FFF;
    src[17] = 0x0421;
    RunSrcDst<true, Fmt555>(dst.data(), 0, src.data(), 0, 19, 1, OpCopy<Fmt555>{f});
    for (int i = 0; i < 19; ++i) {
        const uint16_t want = i == 9 ? 0x7FFF : i == 17 ? 0x0421 : 0x1111;
        EXPECT_EQ(dst[size_t(i)], want) << i;
    }
}

#endif

} // namespace
