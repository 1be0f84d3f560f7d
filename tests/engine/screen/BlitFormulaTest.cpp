// The channel formulas with masks read at run time, and proof that the eight-pixel forms
// give the same result as the literal ones for every input of every channel.

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/screen/QxBlit.h"

using namespace qxblit;

namespace {

constexpr Fmt555 f{};

constexpr uint16_t Grey(int v) {
    return uint16_t((v << 10) | (v << 5) | v);
}

// Masks read at run time give what the fixed layout gives.
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

uint8_t Narrow(uint16_t v) {
    return uint8_t(v);
}
VU Narrow(VU v) {
    return v;
}

std::vector<int> Range(int from, int to, int step = 1) {
    std::vector<int> values;
    for (int v = from; v <= to; v += step) {
        values.push_back(v);
    }
    return values;
}

// One formula: its own parameter k over every value it takes, a per-pixel third input
// (an alpha) over the values given, and one generic body run as vector and as literal.
struct Formula {
    const char* name;
    std::vector<int> ks;
    std::vector<int> thirds;
    std::function<VU(int, VU, VU, VU)> vector;
    std::function<uint16_t(int, uint16_t, uint16_t, uint16_t)> literal;
};

template <class Body>
Formula Form(const char* name, std::vector<int> ks, std::vector<int> thirds, Body body) {
    return {name, std::move(ks), std::move(thirds), body, body};
}

TintFactors Factors(int k) {
    return TintFactors{uint32_t(k), uint32_t(255 - k), uint32_t(k / 2)};
}

TEST(ScreenFormula, VectorFormsEqualLiteralForEveryInput) {
    const std::vector<int> none{0};
    const Formula formulas[] = {
        Form("blend", Range(0, 256), none,
             [](int k, auto s, auto d, auto) {
                 return OpBlend<Fmt555>{f, k}(s, d);
             }),
        Form("alpha blend", none, Range(0, 255),
             [](int, auto s, auto d, auto p) { return OpAlphaBlend<Fmt555>{f}(s, d, Narrow(p)); }),
        Form("fill blend", Range(0, 255), none,
             [](int k, auto, auto d, auto) {
                 return OpFillBlend<Fmt555>{f, Grey(k % 32), k}(d);
             }),
        Form("colour alpha", Range(0, 31), Range(0, 255),
             [](int k, auto s, auto d, auto p) {
                 return OpColourAlpha<Fmt555>{f, Grey(k)}(s, d, Narrow(p));
             }),
        Form("alpha faded", {0, 1, 37, 128, 200, 255, 256}, Range(0, 255, 3),
             [](int k, auto s, auto d, auto p) {
                 return OpAlphaFaded<Fmt555>{f, k}(s, d, Narrow(p));
             }),
        Form("tint", Range(0, 255), none,
             [](int k, auto s, auto d, auto) {
                 return OpTint<Fmt555>{f, Factors(k)}(s, d);
             }),
        Form("tint in place", Range(0, 255), none,
             [](int k, auto s, auto, auto) {
                 return OpTintInPlace<Fmt555>{f, Factors(k)}(s);
             }),
        Form("alpha tinted", Range(0, 255), Range(0, 255, 5),
             [](int k, auto s, auto d, auto p) {
                 return OpAlphaTinted<Fmt555>{f, Factors(k)}(s, d, Narrow(p));
             }),
        Form("additive", Range(0, 256), none,
             [](int k, auto s, auto d, auto) {
                 return OpAdditive<Fmt555>{f, k}(s, d);
             }),
        Form("saturating add", none, none,
             [](int, auto s, auto d, auto) { return OpAddSat<Fmt555>{f}(s, d); }),
        Form("brighten", Range(0, 31), none,
             [](int k, auto s, auto d, auto) {
                 return OpBrighten<Fmt555>{f, Grey(k)}(s, d);
             }),
    };
    // Every pair of 5-bit channel values, the same in all three channels.
    std::vector<uint16_t> s, d;
    for (int a = 0; a < 32; ++a) {
        for (int b = 0; b < 32; ++b) {
            s.push_back(Grey(a));
            d.push_back(Grey(b));
        }
    }
    for (const Formula& form : formulas) {
        SCOPED_TRACE(form.name);
        for (int k : form.ks) {
            for (int third : form.thirds) {
                const std::vector<uint16_t> p(s.size(), uint16_t(third));
                for (size_t base = 0; base < s.size(); base += kLanes) {
                    const VU r = form.vector(k, Load(&s[base]), Load(&d[base]), Load(&p[base]));
                    for (int i = 0; i < kLanes; ++i) {
                        const size_t n = base + size_t(i);
                        ASSERT_EQ(r[i], form.literal(k, s[n], d[n], p[n]))
                            << "k=" << k << " s=" << s[n] << " d=" << d[n] << " p=" << p[n];
                    }
                }
            }
        }
    }
}

#endif

} // namespace
