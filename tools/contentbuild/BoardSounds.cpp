// The board's sounds, synthesised: the rolling loops, knocks and clanks of balls
// meeting walls, gears and each other, coins won and lost, pickups, the ambient loops
// of gears, traps and the exit, effects, the claw, and the cash-in ticks of the side
// bar. Effects are mono 16-bit at kSynthRate and peak near -6 dBFS (loops lower).
#include <cmath>
#include <string>

#include "ContentBuild.h"
#include "ContentSynth.h"

namespace {

constexpr float kRate = float(kSynthRate);
constexpr double kTwoPi = 6.283185307179586;

size_t Samples(float seconds) {
    return size_t(seconds * kRate);
}

float Time(size_t i) {
    return float(i) / kRate;
}

// A percussive partial: a sine with its own decay.
void AddPartial(SynthBuffer& b, float hz, float gain, float halfLife, float at = 0.0f,
                float attack = 0.002f) {
    const size_t start = Samples(at);
    for (size_t i = start; i < b.size(); ++i) {
        const float t = Time(i - start);
        b[i] += gain * SynthSine(double(hz) * t) * SynthDecay(t, attack, halfLife);
    }
}

// A burst of filtered noise.
void AddNoise(SynthBuffer& b, uint32_t seed, float gain, float halfLife, float lowpassHz,
              float at = 0.0f, float highpassHz = 0.0f) {
    SynthRandom random(seed);
    SynthOnePole low, high;
    low.SetLowpass(lowpassHz);
    high.SetLowpass(highpassHz > 0.0f ? highpassHz : 1.0f);
    const size_t start = Samples(at);
    for (size_t i = start; i < b.size(); ++i) {
        float x = low.Lowpass(random.Bipolar());
        if (highpassHz > 0.0f) {
            x = high.Highpass(x);
        }
        b[i] += gain * x * SynthDecay(Time(i - start), 0.001f, halfLife);
    }
}

// A tone whose pitch glides from one frequency to another.
void AddGlide(SynthBuffer& b, float fromHz, float toHz, float seconds, float gain, float halfLife,
              float at = 0.0f, bool square = false) {
    double phase = 0.0;
    const size_t start = Samples(at);
    const size_t end = std::min(b.size(), start + Samples(seconds));
    for (size_t i = start; i < end; ++i) {
        const float t = Time(i - start);
        const float hz = fromHz * std::pow(toHz / fromHz, t / seconds);
        const double step = double(hz) / kRate;
        phase += step;
        const float x = square ? SynthSquare(phase, step, 0.35) * 0.6f : SynthSine(phase);
        b[i] += gain * x * SynthDecay(t, 0.003f, halfLife) * std::min(1.0f, (seconds - t) * 80.0f);
    }
}

// A bell: inharmonic partials of a struck metal bar.
void AddBell(SynthBuffer& b, float hz, float gain, float halfLife, float at = 0.0f) {
    const float ratios[] = {1.0f, 2.76f, 5.40f, 8.93f};
    const float gains[] = {1.0f, 0.5f, 0.25f, 0.12f};
    for (int i = 0; i < 4; ++i) {
        AddPartial(b, hz * ratios[i], gain * gains[i], halfLife / (1.0f + float(i) * 0.7f), at);
    }
}

void Finish(ContentOut& out, const std::string& name, SynthBuffer b, float peak = 0.5f) {
    SynthFadeEnds(b, 0.001f, 0.01f);
    SynthNormalise(b, peak);
    SynthWrite16(out, "board/sounds/" + name + ".wav", b);
}

// A loop: the end is cross-faded into the start so it repeats without a seam.
void FinishLoop(ContentOut& out, const std::string& name, SynthBuffer b, float seconds,
                float peak) {
    const size_t length = Samples(seconds);
    const size_t fade = b.size() - length;
    for (size_t i = 0; i < fade; ++i) {
        const float t = float(i) / float(fade);
        b[i] = b[i] * t + b[length + i] * (1.0f - t);
    }
    b.resize(length);
    SynthNormalise(b, peak);
    SynthWrite16(out, "board/sounds/" + name + ".wav", b);
}

// Rolling over felt: low rumble with the wobble of a turning ball.
SynthBuffer Roll(uint32_t seed, float rumbleHz, float wobbleHz, float grit, float seconds) {
    SynthBuffer b(Samples(seconds + 0.25f), 0.0f);
    SynthRandom random(seed);
    SynthBiquad band;
    band.Set(SynthBiquad::Kind::Bandpass, rumbleHz, 0.9f);
    SynthOnePole crackle;
    crackle.SetLowpass(2500.0f);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = Time(i);
        const float wobble = 0.75f + 0.25f * SynthSine(double(wobbleHz) * t);
        float x = band.Process(random.Bipolar()) * wobble;
        // Fine grit of the cloth under the ball.
        if (random.Unit() < 0.02f * grit) {
            x += crackle.Lowpass(random.Bipolar()) * 2.0f * grit;
        }
        b[i] = x;
    }
    return b;
}

SynthBuffer Buffer(float seconds) {
    return SynthBuffer(Samples(seconds), 0.0f);
}

void BuildBallSounds(ContentOut& out) {
    // Loops: whole numbers of wobbles fit their length.
    FinishLoop(out, "roll", Roll(11, 90.0f, 6.0f, 0.6f, 1.0f), 1.0f, 0.35f);
    FinishLoop(out, "rollsmall", Roll(12, 150.0f, 8.0f, 0.3f, 1.0f), 1.0f, 0.18f);
    {
        SynthBuffer b = Roll(13, 70.0f, 5.0f, 1.5f, 1.0f);
        double phase = 0.0;
        for (size_t i = 0; i < b.size(); ++i) {
            phase += 55.0 / kRate;
            b[i] +=
                0.25f * SynthSaw(phase, 55.0 / kRate) * (0.6f + 0.4f * SynthSine(3.0 * Time(i)));
        }
        FinishLoop(out, "rollspiked", b, 1.0f, 0.35f);
    }
    {
        SynthBuffer b = Buffer(0.16f);
        AddGlide(b, 190.0f, 95.0f, 0.16f, 1.0f, 0.035f);
        AddNoise(b, 21, 0.5f, 0.006f, 3000.0f);
        Finish(out, "wall", b);
    }
    {
        SynthBuffer b = Buffer(0.2f);
        AddGlide(b, 340.0f, 210.0f, 0.2f, 0.8f, 0.05f);
        AddGlide(b, 680.0f, 420.0f, 0.2f, 0.2f, 0.03f);
        AddNoise(b, 22, 0.2f, 0.004f, 2000.0f);
        Finish(out, "bump", b, 0.4f);
    }
    {
        SynthBuffer b = Buffer(0.45f);
        const float partials[] = {410.0f, 1130.0f, 1870.0f, 2650.0f, 3390.0f};
        for (int i = 0; i < 5; ++i) {
            AddPartial(b, partials[i], 0.6f / float(i + 1) + 0.15f, 0.09f - 0.012f * float(i));
        }
        AddNoise(b, 23, 0.8f, 0.01f, 6000.0f, 0.0f, 800.0f);
        AddPartial(b, 120.0f, 0.5f, 0.04f);
        Finish(out, "gear", b);
    }
    {
        SynthBuffer b = Buffer(0.18f);
        AddPartial(b, 2150.0f, 0.7f, 0.03f);
        AddPartial(b, 3420.0f, 0.45f, 0.02f);
        AddPartial(b, 900.0f, 0.4f, 0.025f);
        AddNoise(b, 24, 0.5f, 0.003f, 8000.0f);
        Finish(out, "ballhit", b);
    }
    {
        SynthBuffer b = Buffer(0.14f);
        SynthRandom random(25);
        SynthBiquad band;
        for (size_t i = 0; i < b.size(); ++i) {
            const float t = Time(i);
            band.Set(SynthBiquad::Kind::Bandpass, 900.0f + 2600.0f * t / 0.14f, 2.0f);
            b[i] = band.Process(random.Bipolar()) * std::sin(float(kTwoPi / 2.0) * t / 0.14f);
        }
        Finish(out, "turn", b, 0.25f);
    }
    {
        // Coins knocked loose: a shower of small tinks, falling in pitch.
        SynthBuffer b = Buffer(0.7f);
        SynthRandom random(26);
        for (int i = 0; i < 9; ++i) {
            const float at = 0.02f + 0.06f * float(i) + random.Unit() * 0.03f;
            const float hz = 3600.0f - 180.0f * float(i) + random.Unit() * 300.0f;
            AddPartial(b, hz, 0.5f, 0.035f, at);
            AddPartial(b, hz * 1.48f, 0.25f, 0.025f, at);
        }
        AddGlide(b, 500.0f, 160.0f, 0.3f, 0.5f, 0.12f);
        Finish(out, "losecoins", b);
    }
}

void BuildPickupSounds(ContentOut& out) {
    {
        SynthBuffer b = Buffer(0.45f);
        AddBell(b, float(SynthNoteHz(88)), 0.6f, 0.09f);
        AddBell(b, float(SynthNoteHz(95)), 0.7f, 0.12f, 0.07f);
        Finish(out, "coin", b, 0.45f);
    }
    {
        // Power: a rising buzzing arpeggio with a sweep.
        SynthBuffer b = Buffer(0.75f);
        const int notes[] = {60, 64, 67, 72, 76, 79};
        for (int i = 0; i < 6; ++i) {
            AddGlide(b, float(SynthNoteHz(notes[i])), float(SynthNoteHz(notes[i] + 0.3)), 0.22f,
                     0.5f, 0.1f, 0.06f * float(i), true);
        }
        AddGlide(b, 200.0f, 1600.0f, 0.5f, 0.3f, 0.3f);
        Finish(out, "power", SynthRoom(b, 0.2f, 0.6f));
    }
    {
        // The bonus orb: a bright chord struck twice.
        SynthBuffer b = Buffer(1.1f);
        const int chord[] = {72, 76, 79, 84};
        for (int i = 0; i < 4; ++i) {
            AddBell(b, float(SynthNoteHz(chord[i])), 0.35f, 0.18f, 0.04f * float(i));
            AddBell(b, float(SynthNoteHz(chord[i] + 12)), 0.25f, 0.25f, 0.3f + 0.03f * float(i));
        }
        Finish(out, "bonus", SynthRoom(b, 0.25f, 0.8f));
    }
    {
        SynthBuffer b = Buffer(0.28f);
        AddGlide(b, 500.0f, 1900.0f, 0.25f, 0.6f, 0.12f);
        AddNoise(b, 31, 0.2f, 0.05f, 5000.0f, 0.0f, 1500.0f);
        Finish(out, "grab", b, 0.4f);
    }
}

void BuildAmbientLoops(ContentOut& out) {
    {
        // The open exit: a calm major chord breathing slowly (every partial makes whole
        // cycles in the two seconds of the loop).
        const float seconds = 2.0f;
        SynthBuffer b(Samples(seconds), 0.0f);
        const float hz[] = {261.5f, 329.5f, 392.0f, 523.0f};
        for (size_t i = 0; i < b.size(); ++i) {
            const float t = Time(i);
            float x = 0.0f;
            for (int k = 0; k < 4; ++k) {
                x += SynthSine(double(hz[k]) * t) *
                     (0.6f + 0.4f * SynthSine(double(k + 1) * 0.5 * t));
            }
            b[i] = x * 0.25f;
        }
        SynthNormalise(b, 0.22f);
        SynthWrite16(out, "board/sounds/exitloop.wav", b);
    }
    {
        const float seconds = 2.0f;
        SynthBuffer b = Roll(41, 60.0f, 1.5f, 0.0f, seconds);
        for (size_t i = 0; i < b.size(); ++i) {
            const float t = Time(i);
            b[i] = b[i] * 0.7f + 0.35f * SynthSine(55.0 * t) * (0.7f + 0.3f * SynthSine(0.5 * t));
        }
        FinishLoop(out, "traploop", b, seconds, 0.25f);
    }
    {
        // Gears: a ticking escapement over a hum, twelve ticks a second.
        const float seconds = 1.0f;
        SynthBuffer b(Samples(seconds), 0.0f);
        for (int i = 0; i < 12; ++i) {
            SynthBuffer tick = Buffer(0.06f);
            AddPartial(tick, 2300.0f + float(i % 2) * 400.0f, 0.5f, 0.008f);
            AddNoise(tick, 50 + uint32_t(i), 0.3f, 0.004f, 7000.0f, 0.0f, 1500.0f);
            SynthMixWrapped(b, tick, Samples(float(i) / 12.0f), 1.0f);
        }
        for (size_t i = 0; i < b.size(); ++i) {
            b[i] += 0.12f * SynthTriangle(110.0 * Time(i));
        }
        SynthNormalise(b, 0.2f);
        SynthWrite16(out, "board/sounds/gearloop.wav", b);
    }
}

void BuildEffectSounds(ContentOut& out) {
    {
        SynthBuffer b = Buffer(0.5f);
        SynthRandom random(61);
        SynthOnePole low;
        for (size_t i = 0; i < b.size(); ++i) {
            const float t = Time(i);
            low.SetLowpass(3000.0f * std::exp(-t * 7.0f) + 150.0f);
            b[i] = low.Lowpass(random.Bipolar()) * SynthDecay(t, 0.01f, 0.09f);
        }
        Finish(out, "smoke", b, 0.45f);
    }
    {
        // A life going: a falling shimmer.
        SynthBuffer b = Buffer(0.9f);
        for (int i = 0; i < 4; ++i) {
            AddGlide(b, 1800.0f * (1.0f + 0.13f * float(i)), 300.0f, 0.8f, 0.3f, 0.3f,
                     0.02f * float(i));
        }
        AddBell(b, float(SynthNoteHz(69)), 0.4f, 0.25f);
        Finish(out, "flare", SynthRoom(b, 0.25f, 0.7f));
    }
    {
        // The player's ball bursting in a trap.
        SynthBuffer b = Buffer(1.0f);
        AddNoise(b, 62, 1.0f, 0.12f, 2500.0f);
        AddGlide(b, 420.0f, 40.0f, 0.9f, 0.8f, 0.25f, 0.0f, true);
        SynthRandom random(63);
        for (int i = 0; i < 14; ++i) {
            AddPartial(b, 1500.0f + random.Unit() * 3000.0f, 0.2f, 0.02f, random.Unit() * 0.5f);
        }
        Finish(out, "burst", b);
    }
    {
        // Eating a ball: a crunchy chomp and a pop.
        SynthBuffer b = Buffer(0.35f);
        AddGlide(b, 300.0f, 80.0f, 0.18f, 0.8f, 0.06f, 0.0f, true);
        AddNoise(b, 64, 0.7f, 0.03f, 4000.0f);
        AddGlide(b, 600.0f, 1400.0f, 0.1f, 0.5f, 0.05f, 0.18f);
        Finish(out, "eat", b);
    }
    {
        // Leaving through the exit: an upward rush and a chime.
        SynthBuffer b = Buffer(0.9f);
        SynthRandom random(65);
        SynthBiquad band;
        for (size_t i = 0; i < Samples(0.5f); ++i) {
            const float t = Time(i);
            band.Set(SynthBiquad::Kind::Bandpass, 300.0f + 3000.0f * t / 0.5f, 1.5f);
            b[i] +=
                band.Process(random.Bipolar()) * std::sin(float(kTwoPi / 2.0) * t / 0.5f) * 0.8f;
        }
        AddBell(b, float(SynthNoteHz(84)), 0.5f, 0.18f, 0.35f);
        AddBell(b, float(SynthNoteHz(91)), 0.4f, 0.2f, 0.45f);
        Finish(out, "exit", SynthRoom(b, 0.2f, 0.6f));
    }
    {
        // The change into the spiked ball and back: a sparkling shimmer.
        SynthBuffer b = Buffer(0.8f);
        SynthRandom random(66);
        for (int i = 0; i < 30; ++i) {
            const float at = random.Unit() * 0.55f;
            AddPartial(b, 1200.0f + random.Unit() * 4000.0f, 0.18f, 0.04f, at, 0.01f);
        }
        AddGlide(b, 300.0f, 900.0f, 0.6f, 0.3f, 0.3f);
        Finish(out, "dissolve", SynthRoom(b, 0.3f, 0.5f), 0.4f);
    }
}

void BuildMachineSounds(ContentOut& out) {
    {
        // The claw's motor: a whining saw through a low-pass, swelling then easing off.
        SynthBuffer b = Buffer(1.3f);
        SynthOnePole low;
        low.SetLowpass(1200.0f);
        double phase = 0.0;
        for (size_t i = 0; i < b.size(); ++i) {
            const float t = Time(i);
            const float hz = 150.0f + 40.0f * std::min(1.0f, t * 3.0f) + 4.0f * SynthSine(7.0 * t);
            phase += double(hz) / kRate;
            const float env = std::min(1.0f, t * 10.0f) * std::min(1.0f, (1.3f - t) * 2.0f);
            b[i] = low.Lowpass(SynthSaw(phase, double(hz) / kRate)) * env;
        }
        AddNoise(b, 71, 0.1f, 1.0f, 4000.0f, 0.0f, 2000.0f);
        Finish(out, "clawmove", b, 0.35f);
    }
    {
        SynthBuffer b = Buffer(0.45f);
        AddPartial(b, 700.0f, 0.6f, 0.02f);
        AddPartial(b, 1800.0f, 0.4f, 0.015f);
        AddNoise(b, 72, 0.4f, 0.1f, 6000.0f, 0.03f, 2500.0f);
        AddPartial(b, 520.0f, 0.5f, 0.02f, 0.12f);
        Finish(out, "clawdrop", b, 0.45f);
    }
    {
        // A clock light cashed in: a bell over a coin's ring.
        SynthBuffer b = Buffer(0.5f);
        AddBell(b, float(SynthNoteHz(81)), 0.6f, 0.12f);
        AddBell(b, float(SynthNoteHz(93)), 0.3f, 0.08f, 0.03f);
        Finish(out, "cash", b, 0.45f);
    }
    {
        SynthBuffer b = Buffer(0.16f);
        AddPartial(b, 2600.0f, 0.6f, 0.025f);
        AddPartial(b, 3900.0f, 0.3f, 0.02f);
        AddNoise(b, 73, 0.25f, 0.003f, 9000.0f);
        Finish(out, "coincash", b, 0.35f);
    }
}

void BuildSounds(ContentOut& out) {
    BuildBallSounds(out);
    BuildPickupSounds(out);
    BuildAmbientLoops(out);
    BuildEffectSounds(out);
    BuildMachineSounds(out);
}

} // namespace

CONTENT_STEP(10, "board-sounds", BuildSounds);
