#pragma once
// Inner loops of the software screen (internal to src/engine/screen).
//
// Every pixel operation exists in two forms. The scalar form follows the channel
// arithmetic literally, on the masked (unshifted) channel fields, for any 16-bit
// layout. For the 5-5-5 layout a vector form computes the same result eight pixels at
// a time on the shifted 5-bit fields, where every intermediate fits a signed 16-bit
// lane. The tests run both forms over every input of each channel formula, so taking
// the fast path never changes a pixel.
//
// The loops below take an operation object and walk rows: full chunks of eight pixels
// through the vector form, the rest of the row through the scalar form. Keyed loops
// skip chunks whose source pixels are all 0 without touching the destination.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/screen/QxColour.h"
#include "engine/screen/QxPixelFormat.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#endif

#if defined(__GNUC__) || defined(__clang__)
#define QX_BLIT_VECTOR 1
#else
#define QX_BLIT_VECTOR 0
#endif

namespace qxblit {

// ---- pixel layouts ------------------------------------------------------------------

struct Fmt555 {
    static constexpr uint32_t rMask = 0x7C00;
    static constexpr uint32_t gMask = 0x03E0;
    static constexpr uint32_t bMask = 0x001F;
    static constexpr bool kVector = QX_BLIT_VECTOR != 0;
};

struct FmtAny {
    uint32_t rMask;
    uint32_t gMask;
    uint32_t bMask;
    static constexpr bool kVector = false;
    explicit FmtAny(const QxPixelFormat& f)
        : rMask(f.red.mask), gMask(f.green.mask), bMask(f.blue.mask) {}
};

inline bool Is555(const QxPixelFormat& f) {
    return f.bitsPerPixel == 16 && f.red.mask == Fmt555::rMask && f.green.mask == Fmt555::gMask &&
           f.blue.mask == Fmt555::bMask;
}

// ---- scalar channel arithmetic (the reference) ------------------------------------

// d + (((s - d) * a) >> 8) on the masked fields, arithmetic shift, masked.
inline uint32_t BlendCh(uint32_t s, uint32_t d, int32_t a, uint32_t m) {
    const int32_t sc = static_cast<int32_t>(s & m);
    const int32_t dc = static_cast<int32_t>(d & m);
    return static_cast<uint32_t>(dc + (((sc - dc) * a) >> 8)) & m;
}

// ((s & m) * k + m / 2) >> 8, masked.
inline uint32_t ScaleCh(uint32_t s, uint32_t k, uint32_t m) {
    return (((s & m) * k + m / 2) >> 8) & m;
}

// min(d + s, m) on the masked fields.
inline uint32_t AddSatCh(uint32_t s, uint32_t d, uint32_t m) {
    return std::min((d & m) + (s & m), m);
}

// (s + c) keeping only the channel's bits; the carry out is dropped.
inline uint32_t AddWrapCh(uint32_t s, uint32_t c, uint32_t m) {
    return ((s & m) + (c & m)) & m;
}

template <class F> inline uint16_t Blend(const F& f, uint32_t s, uint32_t d, int32_t a) {
    return static_cast<uint16_t>(BlendCh(s, d, a, f.rMask) | BlendCh(s, d, a, f.gMask) |
                                 BlendCh(s, d, a, f.bMask));
}

template <class F>
inline uint16_t Scale(const F& f, uint32_t s, uint32_t kr, uint32_t kg, uint32_t kb) {
    return static_cast<uint16_t>(ScaleCh(s, kr, f.rMask) | ScaleCh(s, kg, f.gMask) |
                                 ScaleCh(s, kb, f.bMask));
}

template <class F> inline uint16_t AddSat(const F& f, uint32_t s, uint32_t d) {
    return static_cast<uint16_t>(AddSatCh(s, d, f.rMask) | AddSatCh(s, d, f.gMask) |
                                 AddSatCh(s, d, f.bMask));
}

template <class F> inline uint16_t AddWrap(const F& f, uint32_t s, uint32_t c) {
    return static_cast<uint16_t>(AddWrapCh(s, c, f.rMask) | AddWrapCh(s, c, f.gMask) |
                                 AddWrapCh(s, c, f.bMask));
}

// Tint factors: each channel of the colour scaled by its alpha, c * A / 255.
struct TintFactors {
    uint32_t r;
    uint32_t g;
    uint32_t b;
};
inline TintFactors FactorsOf(const QxColour& c) {
    return {c.red * c.alpha / 255u, c.green * c.alpha / 255u, c.blue * c.alpha / 255u};
}

// ---- vector forms (5-5-5 only) ------------------------------------------------------

#if QX_BLIT_VECTOR
typedef uint16_t VU __attribute__((vector_size(16)));
typedef int16_t VI __attribute__((vector_size(16)));
typedef uint8_t VB __attribute__((vector_size(8)));
constexpr int kLanes = 8;

inline VU Load(const uint16_t* p) {
    VU v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void Store(uint16_t* p, VU v) {
    std::memcpy(p, &v, sizeof v);
}
inline VU LoadAlpha(const uint8_t* p) {
    VB b;
    std::memcpy(&b, p, sizeof b);
    return __builtin_convertvector(b, VU);
}
// Which lanes hold 0: kNoneZero, kAllZero, or some other value for a mix.
constexpr unsigned kNoneZero = 0;
constexpr unsigned kAllZero = 0xFFFF;
inline unsigned ZeroLanes(VU v) {
#if defined(__SSE2__)
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi16((__m128i)v, _mm_setzero_si128())));
#else
    const VU z = (VU)(v == 0);
    uint64_t h[2];
    std::memcpy(h, &z, sizeof h);
    if ((h[0] & h[1]) == ~uint64_t{0}) {
        return kAllZero;
    }
    return (h[0] | h[1]) != 0 ? 1u : kNoneZero;
#endif
}
inline VI SplatI(int16_t x) {
    return VI{x, x, x, x, x, x, x, x};
}
inline VU SplatU(uint16_t x) {
    return VU{x, x, x, x, x, x, x, x};
}
// Lanes where mask is all ones take a, the others b.
inline VU Select(VU mask, VU a, VU b) {
    return (a & mask) | (b & ~mask);
}
inline VI Min(VI a, VI b) {
    const VI m = a < b;
    return (a & m) | (b & ~m);
}

struct Split {
    VI r;
    VI g;
    VI b;
};
inline Split Unpack(VU p) {
    return {(VI)((p >> 10) & 31), (VI)((p >> 5) & 31), (VI)(p & 31)};
}
inline VU Pack(const Split& c) {
    return (VU)((c.r << 10) | (c.g << 5) | c.b);
}

// Constant or per-lane alpha a in 0..256: d + floor((s - d) * a / 256).
inline VI BlendV(VI s, VI d, VI a) {
    return d + (((s - d) * a) >> 8);
}
inline Split BlendV(const Split& s, const Split& d, VI a) {
    return {BlendV(s.r, d.r, a), BlendV(s.g, d.g, a), BlendV(s.b, d.b, a)};
}
// Factor k in 0..256: floor((s * k + 15) / 256).
inline VI ScaleV(VI s, VI k) {
    return (s * k + 15) >> 8;
}
inline Split ScaleV(const Split& s, VI kr, VI kg, VI kb) {
    return {ScaleV(s.r, kr), ScaleV(s.g, kg), ScaleV(s.b, kb)};
}
inline Split AddSatV(const Split& s, const Split& d) {
    const VI top = SplatI(31);
    return {Min(s.r + d.r, top), Min(s.g + d.g, top), Min(s.b + d.b, top)};
}
inline Split AddWrapV(const Split& s, const Split& c) {
    return {(s.r + c.r) & 31, (s.g + c.g) & 31, (s.b + c.b) & 31};
}
#endif

// ---- operations ------------------------------------------------------------------------
// Each takes (source, destination) and returns the new destination pixel. The vector
// overloads exist only for the 5-5-5 layout.

template <class F> struct OpCopy {
    static constexpr bool kReadsDest = false;
    static constexpr bool kSkipTransparent = false;
    F f;
    uint16_t operator()(uint16_t s, uint16_t) const { return s; }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU) const { return s; }
#endif
};

template <class F> struct OpBlend {
    static constexpr bool kReadsDest = true;
    static constexpr bool kSkipTransparent = true;
    F f;
    int32_t a; // 0..256
    uint16_t operator()(uint16_t s, uint16_t d) const { return Blend(f, s, d, a); }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU d) const {
        return Pack(BlendV(Unpack(s), Unpack(d), SplatI(static_cast<int16_t>(a))));
    }
#endif
};

template <class F> struct OpAddSat {
    static constexpr bool kReadsDest = true;
    static constexpr bool kSkipTransparent = true;
    F f;
    uint16_t operator()(uint16_t s, uint16_t d) const { return AddSat(f, s, d); }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU d) const { return Pack(AddSatV(Unpack(s), Unpack(d))); }
#endif
};

template <class F> struct OpTint {
    static constexpr bool kReadsDest = false;
    static constexpr bool kSkipTransparent = true;
    F f;
    TintFactors k; // each 0..255
    uint16_t operator()(uint16_t s, uint16_t) const { return Scale(f, s, k.r, k.g, k.b); }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU) const {
        return Pack(ScaleV(Unpack(s), SplatI(static_cast<int16_t>(k.r)),
                           SplatI(static_cast<int16_t>(k.g)), SplatI(static_cast<int16_t>(k.b))));
    }
#endif
};

template <class F> struct OpBrighten {
    static constexpr bool kReadsDest = false;
    static constexpr bool kSkipTransparent = true;
    F f;
    uint16_t colour; // packed
    uint16_t operator()(uint16_t s, uint16_t) const { return AddWrap(f, s, colour); }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU) const { return Pack(AddWrapV(Unpack(s), Unpack(SplatU(colour)))); }
#endif
};

// Source scaled by a (0..256), then added to the destination with saturation.
template <class F> struct OpAdditive {
    static constexpr bool kReadsDest = true;
    static constexpr bool kSkipTransparent = true;
    F f;
    int32_t a;
    uint16_t operator()(uint16_t s, uint16_t d) const {
        const auto k = static_cast<uint32_t>(a);
        return AddSat(f, Scale(f, s, k, k, k), d);
    }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU d) const {
        const VI k = SplatI(static_cast<int16_t>(a));
        return Pack(AddSatV(ScaleV(Unpack(s), k, k, k), Unpack(d)));
    }
#endif
};

// ---- operations with a per-pixel alpha byte p -------------------------------------------

template <class F> struct OpAlphaBlend {
    F f;
    uint16_t operator()(uint16_t s, uint16_t d, uint8_t p) const { return Blend(f, s, d, p); }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU d, VU p) const { return Pack(BlendV(Unpack(s), Unpack(d), (VI)p)); }
#endif
};

template <class F> struct OpAlphaFaded {
    F f;
    int32_t alpha; // 0..256
    uint16_t operator()(uint16_t s, uint16_t d, uint8_t p) const {
        return Blend(f, s, d, (p * alpha) >> 8);
    }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU d, VU p) const {
        const VU a = (p * SplatU(static_cast<uint16_t>(alpha))) >> 8;
        return Pack(BlendV(Unpack(s), Unpack(d), (VI)a));
    }
#endif
};

template <class F> struct OpAlphaTinted {
    F f;
    TintFactors k;
    uint16_t operator()(uint16_t s, uint16_t d, uint8_t p) const {
        return Blend(f, Scale(f, s, k.r, k.g, k.b), d, p);
    }
#if QX_BLIT_VECTOR
    VU operator()(VU s, VU d, VU p) const {
        const Split t =
            ScaleV(Unpack(s), SplatI(static_cast<int16_t>(k.r)), SplatI(static_cast<int16_t>(k.g)),
                   SplatI(static_cast<int16_t>(k.b)));
        return Pack(BlendV(t, Unpack(d), (VI)p));
    }
#endif
};

template <class F> struct OpColourAlpha {
    F f;
    uint16_t colour; // packed
    uint16_t operator()(uint16_t, uint16_t d, uint8_t p) const { return Blend(f, colour, d, p); }
#if QX_BLIT_VECTOR
    VU operator()(VU, VU d, VU p) const {
        return Pack(BlendV(Unpack(SplatU(colour)), Unpack(d), (VI)p));
    }
#endif
};

// ---- operations on the destination alone -------------------------------------------------

template <class F> struct OpFillBlend {
    F f;
    uint16_t colour; // packed
    int32_t a;       // 0..255
    uint16_t operator()(uint16_t d) const { return Blend(f, colour, d, a); }
#if QX_BLIT_VECTOR
    VU operator()(VU d) const {
        return Pack(BlendV(Unpack(SplatU(colour)), Unpack(d), SplatI(static_cast<int16_t>(a))));
    }
#endif
};

template <class F> struct OpTintInPlace {
    F f;
    TintFactors k;
    uint16_t operator()(uint16_t d) const { return Scale(f, d, k.r, k.g, k.b); }
#if QX_BLIT_VECTOR
    VU operator()(VU d) const {
        return Pack(ScaleV(Unpack(d), SplatI(static_cast<int16_t>(k.r)),
                           SplatI(static_cast<int16_t>(k.g)), SplatI(static_cast<int16_t>(k.b))));
    }
#endif
};

// ---- row loops ------------------------------------------------------------------------
// Pitches are in pixels and may be negative (a flipped source walks rows upwards). The
// operation is taken by value: as a local it cannot alias the pixels being written, so
// its constants stay in registers.

// dst = op(src, dst); with Keyed, source pixels of value 0 leave the destination alone.
// A keyed chunk of eight is merged with a select rather than a branch per pixel; for
// operations that cost more than the select, chunks whose source is wholly
// transparent are skipped. (A branch on every kind of chunk mispredicts at each edge
// of a transparent run and costs more than it saves.)
template <bool Keyed, class F, class Op>
void RunSrcDst(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, int w,
               int h, const Op op) {
    for (int y = 0; y < h; ++y, dst += dstPitch, src += srcPitch) {
        int i = 0;
#if QX_BLIT_VECTOR
        if constexpr (F::kVector) {
#pragma GCC unroll 2
            for (; i + kLanes <= w; i += kLanes) {
                const VU s = Load(src + i);
                if constexpr (Keyed) {
                    if constexpr (Op::kSkipTransparent) {
                        if (ZeroLanes(s) == kAllZero) {
                            continue;
                        }
                    }
                    const VU d = Load(dst + i);
                    Store(dst + i, Select((VU)(s == 0), d, op(s, d)));
                } else if constexpr (Op::kReadsDest) {
                    Store(dst + i, op(s, Load(dst + i)));
                } else {
                    Store(dst + i, op(s, s));
                }
            }
        }
#endif
        for (; i < w; ++i) {
            const uint16_t s = src[i];
            if (Keyed && s == 0) {
                continue;
            }
            dst[i] = op(s, dst[i]);
        }
    }
}

// dst = op(src, dst, alpha); source pixels of value 0 are always skipped.
template <class F, class Op>
void RunAlphaMapped(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch,
                    const uint8_t* alpha, ptrdiff_t alphaPitch, int w, int h, const Op op) {
    for (int y = 0; y < h; ++y, dst += dstPitch, src += srcPitch, alpha += alphaPitch) {
        int i = 0;
#if QX_BLIT_VECTOR
        if constexpr (F::kVector) {
            for (; i + kLanes <= w; i += kLanes) {
                const VU s = Load(src + i);
                const unsigned zero = ZeroLanes(s);
                if (zero == kAllZero) {
                    continue;
                }
                const VU d = Load(dst + i);
                const VU r = op(s, d, LoadAlpha(alpha + i));
                Store(dst + i, zero == kNoneZero ? r : Select((VU)(s == 0), d, r));
            }
        }
#endif
        for (; i < w; ++i) {
            const uint16_t s = src[i];
            if (s != 0) {
                dst[i] = op(s, dst[i], alpha[i]);
            }
        }
    }
}

// dst = op(dst); with SkipZero, destination pixels of value 0 stay 0.
template <bool SkipZero, class F, class Op>
void RunInPlace(uint16_t* dst, ptrdiff_t dstPitch, int w, int h, const Op op) {
    for (int y = 0; y < h; ++y, dst += dstPitch) {
        int i = 0;
#if QX_BLIT_VECTOR
        if constexpr (F::kVector) {
#pragma GCC unroll 2
            for (; i + kLanes <= w; i += kLanes) {
                const VU d = Load(dst + i);
                VU r = op(d);
                if constexpr (SkipZero) {
                    r = Select((VU)(d == 0), d, r);
                }
                Store(dst + i, r);
            }
        }
#endif
        for (; i < w; ++i) {
            const uint16_t d = dst[i];
            if (SkipZero && d == 0) {
                continue;
            }
            dst[i] = op(d);
        }
    }
}

// ---- runs of a keyed source ------------------------------------------------------------
// A keyed picture drawn run by run (QxKeySpans): no pixel is tested, the transparent
// gaps are never read, and a run of eight or more ends with one vector that overlaps
// the one before it instead of a pixel-by-pixel tail. For operations that read the
// destination the overlapping vector is worked out before the run is written, so the
// pixels it shares with its neighbour get the same value twice.

// Copies n >= 1 pixels, V bytes a move. Fixed-size copies compile to plain moves
// (32 bytes at once where the function is built for AVX2).
template <int V>
#if defined(__GNUC__) || defined(__clang__)
__attribute__((always_inline))
#endif
inline void
CopyRunOf(uint16_t* d, const uint16_t* s, int n) {
    constexpr int kPixels = V / 2;
    if (n >= kPixels) {
        const int last = n - kPixels;
        for (int i = 0; i < last; i += kPixels) {
            std::memcpy(d + i, s + i, V);
        }
        std::memcpy(d + last, s + last, V);
        return;
    }
    if constexpr (V > 16) {
        if (n >= 8) {
            std::memcpy(d, s, 16);
            std::memcpy(d + n - 8, s + n - 8, 16);
            return;
        }
    }
    if (n >= 4) {
        uint64_t a;
        uint64_t b;
        std::memcpy(&a, s, 8);
        std::memcpy(&b, s + n - 4, 8);
        std::memcpy(d, &a, 8);
        std::memcpy(d + n - 4, &b, 8);
    } else if (n >= 2) {
        uint32_t a;
        uint32_t b;
        std::memcpy(&a, s, 4);
        std::memcpy(&b, s + n - 2, 4);
        std::memcpy(d, &a, 4);
        std::memcpy(d + n - 2, &b, 4);
    } else {
        d[0] = s[0];
    }
}

// The keyed copy of h rows through their runs (see ForEachRun for the arguments); dst
// is where source column x0 of the first row lands.
template <int V, class Spans>
#if defined(__GNUC__) || defined(__clang__)
__attribute__((always_inline))
#endif
inline void
CopyRunsOf(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* pixels, int width, const Spans& spans,
           int firstRow, int rowStep, int x0, int w, int h) {
    const int x1 = x0 + w;
    const bool whole = x0 == 0 && x1 == width;
    for (int j = 0, row = firstRow; j < h; ++j, row += rowStep, dst += dstPitch) {
        const uint16_t* src = pixels + ptrdiff_t(row) * width;
        for (auto r = spans.RowBegin(row), e = spans.RowEnd(row); r != e; ++r) {
            int a = r->start;
            int b = a + r->length;
            if (!whole) {
                a = std::max(a, x0);
                b = std::min(b, x1);
                if (a >= b) {
                    continue;
                }
            }
            CopyRunOf<V>(dst + (a - x0), src + a, b - a);
        }
    }
}

// Copies are bound by the number of stores, so where the processor has AVX2 (told once,
// at run time) the runs move 32 bytes at a time.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__)) &&     \
    !defined(__AVX2__)
// (Intrinsics: a fixed-size copy of 32 bytes is split in two under generic tuning.)
#define QX_BLIT_AVX2_TARGET __attribute__((target("avx2")))
template <class Spans>
QX_BLIT_AVX2_TARGET void CopyRunsAvx2(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* pixels,
                                      int width, const Spans& spans, int firstRow, int rowStep,
                                      int x0, int w, int h) {
    const int x1 = x0 + w;
    const bool whole = x0 == 0 && x1 == width;
    for (int j = 0, row = firstRow; j < h; ++j, row += rowStep, dst += dstPitch) {
        const uint16_t* src = pixels + ptrdiff_t(row) * width;
        for (auto r = spans.RowBegin(row), e = spans.RowEnd(row); r != e; ++r) {
            int a = r->start;
            int b = a + r->length;
            if (!whole) {
                a = std::max(a, x0);
                b = std::min(b, x1);
                if (a >= b) {
                    continue;
                }
            }
            uint16_t* d = dst + (a - x0);
            const uint16_t* s = src + a;
            const int n = b - a;
            if (n < 16) {
                CopyRunOf<16>(d, s, n);
                continue;
            }
            const int last = n - 16;
            for (int i = 0; i < last; i += 16) {
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i)));
            }
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + last),
                                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + last)));
        }
    }
}
template <class Spans>
void CopyRuns(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* pixels, int width,
              const Spans& spans, int firstRow, int rowStep, int x0, int w, int h) {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) {
        CopyRunsAvx2(dst, dstPitch, pixels, width, spans, firstRow, rowStep, x0, w, h);
    } else {
        CopyRunsOf<16>(dst, dstPitch, pixels, width, spans, firstRow, rowStep, x0, w, h);
    }
}
#else
#if defined(__AVX2__)
constexpr int kRunMove = 32;
#else
constexpr int kRunMove = 16;
#endif
template <class Spans>
void CopyRuns(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* pixels, int width,
              const Spans& spans, int firstRow, int rowStep, int x0, int w, int h) {
    CopyRunsOf<kRunMove>(dst, dstPitch, pixels, width, spans, firstRow, rowStep, x0, w, h);
}
#endif

// d = op(s, d) over n >= 1 pixels that are all drawn.
template <class F, class Op> inline void OpRun(uint16_t* d, const uint16_t* s, int n, const Op op) {
    int i = 0;
#if QX_BLIT_VECTOR
    if constexpr (F::kVector) {
        if (n >= kLanes) {
            const int last = n - kLanes;
            const VU ls = Load(s + last);
            const VU tail = op(ls, Op::kReadsDest ? Load(d + last) : ls);
            for (; i < last; i += kLanes) {
                const VU vs = Load(s + i);
                Store(d + i, op(vs, Op::kReadsDest ? Load(d + i) : vs));
            }
            Store(d + last, tail);
            return;
        }
    }
#endif
    for (; i < n; ++i) {
        d[i] = op(s[i], d[i]);
    }
}

// d = op(s, d, p) over n >= 1 pixels that are all drawn, p the alpha bytes.
template <class F, class Op>
inline void AlphaRun(uint16_t* d, const uint16_t* s, const uint8_t* p, int n, const Op op) {
    int i = 0;
#if QX_BLIT_VECTOR
    if constexpr (F::kVector) {
        if (n >= kLanes) {
            const int last = n - kLanes;
            const VU tail = op(Load(s + last), Load(d + last), LoadAlpha(p + last));
            for (; i < last; i += kLanes) {
                Store(d + i, op(Load(s + i), Load(d + i), LoadAlpha(p + i)));
            }
            Store(d + last, tail);
            return;
        }
    }
#endif
    for (; i < n; ++i) {
        d[i] = op(s[i], d[i], p[i]);
    }
}

// Calls run(j, row, x, n) for every run, or part of one, of source columns x0 to
// x0 + w - 1 in h rows: destination row j shows source row firstRow + j * rowStep.
// Only a clipped picture pays for cutting the runs.
template <class Spans, class Run>
void ForEachRun(const Spans& spans, int pictureWidth, int firstRow, int rowStep, int x0, int w,
                int h, const Run& run) {
    const int x1 = x0 + w;
    if (x0 == 0 && x1 == pictureWidth) {
        for (int j = 0, row = firstRow; j < h; ++j, row += rowStep) {
            for (auto r = spans.RowBegin(row), e = spans.RowEnd(row); r != e; ++r) {
                run(j, row, int(r->start), int(r->length));
            }
        }
        return;
    }
    for (int j = 0, row = firstRow; j < h; ++j, row += rowStep) {
        for (auto r = spans.RowBegin(row), e = spans.RowEnd(row); r != e; ++r) {
            const int a = std::max(int(r->start), x0);
            const int b = std::min(int(r->start) + int(r->length), x1);
            if (a < b) {
                run(j, row, a, b - a);
            }
        }
    }
}

inline void CopyRows(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch,
                     int w, int h) {
    const size_t bytes = static_cast<size_t>(w) * sizeof(uint16_t);
    for (int y = 0; y < h; ++y, dst += dstPitch, src += srcPitch) {
        std::memcpy(dst, src, bytes);
    }
}

inline void FillRows(uint16_t* dst, ptrdiff_t dstPitch, int w, int h, uint16_t value) {
    for (int y = 0; y < h; ++y, dst += dstPitch) {
        std::fill(dst, dst + w, value);
    }
}

} // namespace qxblit
