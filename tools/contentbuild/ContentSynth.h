#pragma once
// Sound synthesis helpers for generated effects and music: a deterministic noise
// source, oscillators, envelopes, simple filters, mixing and conversion to the PCM
// that the WAV writers take. Signals are mono float buffers at one sample rate,
// nominally -1 to 1.

#include <cstdint>
#include <string>
#include <vector>

class ContentOut;

constexpr int kSynthRate = 22050;

using SynthBuffer = std::vector<float>;

// Deterministic white noise (xorshift); never seeded from a clock.
class SynthRandom {
public:
    explicit SynthRandom(uint32_t seed) : m_state(seed ? seed : 0x2545F491u) {}
    uint32_t Next();
    float Bipolar();  // -1 to 1
    float Unit();     // 0 to 1
    int Below(int n); // 0 to n - 1 (n > 0)

private:
    uint32_t m_state;
};

// Oscillator shapes of a phase in cycles (any real number).
float SynthSine(double phase);
float SynthTriangle(double phase);
// Band-limited saw and square (polyBLEP), given the phase step per sample.
float SynthSaw(double phase, double step);
float SynthSquare(double phase, double step, double duty = 0.5);

double SynthNoteHz(double midiNote); // 69 = A 440 Hz

// Envelopes, t in seconds.
float SynthAdsr(float t, float length, float attack, float decay, float sustain, float release);
float SynthDecay(float t, float attack, float halfLife); // linear attack, exponential decay

// Filters that keep their state between samples.
class SynthOnePole {
public:
    void SetLowpass(float cutoffHz);
    float Lowpass(float x);
    float Highpass(float x); // the input minus its low-passed part

private:
    float m_a = 1.0f;
    float m_state = 0.0f;
};

class SynthBiquad {
public:
    enum class Kind { Lowpass, Highpass, Bandpass };
    void Set(Kind kind, float hz, float q);
    float Process(float x);

private:
    float m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    float m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// Buffer helpers.
SynthBuffer SynthSilence(float seconds);
// Adds src into dst from sample `at`, scaled; dst grows when needed.
void SynthMixInto(SynthBuffer& dst, const SynthBuffer& src, size_t at, float gain = 1.0f);
// Adds src into dst from `at`, wrapping around dst's end (for seamless loops).
void SynthMixWrapped(SynthBuffer& dst, const SynthBuffer& src, size_t at, float gain = 1.0f);
float SynthPeak(const SynthBuffer& buffer);
// Scales so that the peak is `peak` (for example 0.5 for about -6 dBFS).
void SynthNormalise(SynthBuffer& buffer, float peak);
// Short fades at both ends so a one-shot starts and stops without a click.
void SynthFadeEnds(SynthBuffer& buffer, float fadeInSeconds, float fadeOutSeconds);
// A gentle saturating limiter above `knee` (0 to 1).
void SynthSoftClip(SynthBuffer& buffer, float knee);
// A small feedback-delay room for a sense of space (mono).
SynthBuffer SynthRoom(const SynthBuffer& dry, float mix, float decaySeconds);

// Conversion with a deterministic triangular dither.
std::vector<uint8_t> SynthTo8(const SynthBuffer& buffer, uint32_t seed);
std::vector<int16_t> SynthTo16(const SynthBuffer& buffer, uint32_t seed);

// Writers over ContentOut (mono, kSynthRate).
bool SynthWrite16(ContentOut& out, const std::string& name, const SynthBuffer& buffer);
bool SynthWrite8(ContentOut& out, const std::string& name, const SynthBuffer& buffer);
