#include "ContentSynth.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ContentBuild.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

double Fraction(double phase) {
    return phase - std::floor(phase);
}

// The polyBLEP correction of a unit step at phase 0 of a wrapped phase t.
double PolyBlep(double t, double dt) {
    if (dt <= 0.0) {
        return 0.0;
    }
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

uint32_t SynthRandom::Next() {
    uint32_t x = m_state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    m_state = x;
    return x;
}

float SynthRandom::Unit() {
    return float(Next() >> 8) / float(1u << 24);
}

float SynthRandom::Bipolar() {
    return Unit() * 2.0f - 1.0f;
}

int SynthRandom::Below(int n) {
    return n > 0 ? int(Next() % uint32_t(n)) : 0;
}

float SynthSine(double phase) {
    return float(std::sin(kTwoPi * Fraction(phase)));
}

float SynthTriangle(double phase) {
    const double t = Fraction(phase);
    return float(t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t);
}

float SynthSaw(double phase, double step) {
    const double t = Fraction(phase);
    return float(2.0 * t - 1.0 - PolyBlep(t, step));
}

float SynthSquare(double phase, double step, double duty) {
    const double t = Fraction(phase);
    double v = t < duty ? 1.0 : -1.0;
    v += PolyBlep(t, step);
    v -= PolyBlep(Fraction(t - duty + 1.0), step);
    return float(v);
}

double SynthNoteHz(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

float SynthAdsr(float t, float length, float attack, float decay, float sustain, float release) {
    if (t < 0.0f) {
        return 0.0f;
    }
    float level;
    if (t < attack) {
        level = t / attack;
    } else if (t < attack + decay) {
        level = 1.0f - (1.0f - sustain) * (t - attack) / decay;
    } else {
        level = sustain;
    }
    if (t > length) {
        const float r = (t - length) / std::max(1e-4f, release);
        level *= std::max(0.0f, 1.0f - r);
    }
    return level;
}

float SynthDecay(float t, float attack, float halfLife) {
    if (t < 0.0f) {
        return 0.0f;
    }
    if (t < attack) {
        return t / attack;
    }
    return std::exp2(-(t - attack) / std::max(1e-4f, halfLife));
}

void SynthOnePole::SetLowpass(float cutoffHz) {
    m_a = 1.0f - std::exp(float(-kTwoPi) * cutoffHz / float(kSynthRate));
}

float SynthOnePole::Lowpass(float x) {
    m_state += m_a * (x - m_state);
    return m_state;
}

float SynthOnePole::Highpass(float x) {
    return x - Lowpass(x);
}

void SynthBiquad::Set(Kind kind, float hz, float q) {
    const double w = kTwoPi * double(hz) / kSynthRate;
    const double cw = std::cos(w);
    const double alpha = std::sin(w) / (2.0 * double(q));
    double b0, b1, b2;
    const double a0 = 1.0 + alpha;
    switch (kind) {
    case Kind::Lowpass:
        b0 = (1.0 - cw) / 2.0;
        b1 = 1.0 - cw;
        b2 = b0;
        break;
    case Kind::Highpass:
        b0 = (1.0 + cw) / 2.0;
        b1 = -(1.0 + cw);
        b2 = b0;
        break;
    case Kind::Bandpass:
    default:
        b0 = alpha;
        b1 = 0.0;
        b2 = -alpha;
        break;
    }
    m_b0 = float(b0 / a0);
    m_b1 = float(b1 / a0);
    m_b2 = float(b2 / a0);
    m_a1 = float(-2.0 * cw / a0);
    m_a2 = float((1.0 - alpha) / a0);
}

float SynthBiquad::Process(float x) {
    const float y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
    m_x2 = m_x1;
    m_x1 = x;
    m_y2 = m_y1;
    m_y1 = y;
    return y;
}

SynthBuffer SynthSilence(float seconds) {
    return SynthBuffer(size_t(std::max(0.0f, seconds) * kSynthRate), 0.0f);
}

void SynthMixInto(SynthBuffer& dst, const SynthBuffer& src, size_t at, float gain) {
    if (dst.size() < at + src.size()) {
        dst.resize(at + src.size(), 0.0f);
    }
    for (size_t i = 0; i < src.size(); ++i) {
        dst[at + i] += src[i] * gain;
    }
}

void SynthMixWrapped(SynthBuffer& dst, const SynthBuffer& src, size_t at, float gain) {
    if (dst.empty()) {
        return;
    }
    for (size_t i = 0; i < src.size(); ++i) {
        dst[(at + i) % dst.size()] += src[i] * gain;
    }
}

float SynthPeak(const SynthBuffer& buffer) {
    float peak = 0.0f;
    for (float v : buffer) {
        peak = std::max(peak, std::abs(v));
    }
    return peak;
}

void SynthNormalise(SynthBuffer& buffer, float peak) {
    const float current = SynthPeak(buffer);
    if (current <= 0.0f) {
        return;
    }
    const float k = peak / current;
    for (float& v : buffer) {
        v *= k;
    }
}

void SynthFadeEnds(SynthBuffer& buffer, float fadeInSeconds, float fadeOutSeconds) {
    const size_t in = std::min(buffer.size(), size_t(fadeInSeconds * kSynthRate));
    const size_t out = std::min(buffer.size(), size_t(fadeOutSeconds * kSynthRate));
    for (size_t i = 0; i < in; ++i) {
        buffer[i] *= float(i) / float(in);
    }
    for (size_t i = 0; i < out; ++i) {
        buffer[buffer.size() - 1 - i] *= float(i) / float(out);
    }
}

void SynthSoftClip(SynthBuffer& buffer, float knee) {
    const float room = 1.0f - knee;
    for (float& v : buffer) {
        const float a = std::abs(v);
        if (a > knee && room > 0.0f) {
            const float over = (a - knee) / room;
            v = std::copysign(knee + room * std::tanh(over), v);
        }
    }
}

SynthBuffer SynthRoom(const SynthBuffer& dry, float mix, float decaySeconds) {
    // Four parallel combs of mutually prime lengths, then one all-pass.
    const int delays[4] = {1117, 1277, 1423, 1559};
    SynthBuffer wet(dry.size() + size_t(decaySeconds * kSynthRate), 0.0f);
    for (int d : delays) {
        const float feedback = std::pow(0.001f, float(d) / (decaySeconds * kSynthRate));
        std::vector<float> line(size_t(d), 0.0f);
        size_t pos = 0;
        float damp = 0.0f;
        for (size_t i = 0; i < wet.size(); ++i) {
            const float in = i < dry.size() ? dry[i] : 0.0f;
            const float out = line[pos];
            damp = out * 0.6f + damp * 0.4f;
            line[pos] = in + damp * feedback;
            pos = (pos + 1) % line.size();
            wet[i] += out * 0.25f;
        }
    }
    SynthBuffer result(wet.size(), 0.0f);
    for (size_t i = 0; i < wet.size(); ++i) {
        result[i] = (i < dry.size() ? dry[i] : 0.0f) * (1.0f - mix) + wet[i] * mix;
    }
    return result;
}

std::vector<uint8_t> SynthTo8(const SynthBuffer& buffer, uint32_t seed) {
    SynthRandom random(seed);
    std::vector<uint8_t> out(buffer.size());
    for (size_t i = 0; i < buffer.size(); ++i) {
        const float dither = (random.Unit() - random.Unit()) * 0.5f;
        const float v = std::clamp(buffer[i], -1.0f, 1.0f) * 127.0f + 128.0f + dither;
        out[i] = uint8_t(std::clamp(int(std::lround(v)), 0, 255));
    }
    return out;
}

std::vector<int16_t> SynthTo16(const SynthBuffer& buffer, uint32_t seed) {
    SynthRandom random(seed);
    std::vector<int16_t> out(buffer.size());
    for (size_t i = 0; i < buffer.size(); ++i) {
        const float dither = random.Unit() - random.Unit();
        const float v = std::clamp(buffer[i], -1.0f, 1.0f) * 32767.0f + dither;
        out[i] = int16_t(std::clamp(int(std::lround(v)), -32768, 32767));
    }
    return out;
}

bool SynthWrite16(ContentOut& out, const std::string& name, const SynthBuffer& buffer) {
    return out.WriteWav16(name, SynthTo16(buffer, 0x5EEDu + uint32_t(buffer.size())), kSynthRate);
}

bool SynthWrite8(ContentOut& out, const std::string& name, const SynthBuffer& buffer) {
    return out.WriteWav8(name, SynthTo8(buffer, 0x8B17u + uint32_t(buffer.size())), kSynthRate);
}
