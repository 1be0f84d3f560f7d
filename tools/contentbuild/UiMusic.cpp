// The menu music: two choruses of a medium-swing jazz blues in F (48 seconds at 120
// beats a minute) for a small combo: walking bass, ride cymbal with the hi-hat on two
// and four, electric piano comping and a vibraphone that plays the head and then a
// short solo. Everything that rings past the end is folded back onto the start, so
// the loop has no seam. Stored as 8-bit PCM, as the game expects.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ContentBuild.h"
#include "ContentSynth.h"

namespace {

constexpr double kBeat = 0.5;        // seconds
constexpr int kBars = 24;            // two choruses of twelve
constexpr double kSwing = 2.0 / 3.0; // where the off-beat eighth falls within a beat

struct Chord {
    int root;               // pitch class, 0 = C
    std::vector<int> tones; // intervals above the root: third, fifth, seventh, ...
};

// Chord per half bar (two beats each), one chorus.
const std::vector<Chord>& Changes() {
    static const Chord F7{5, {4, 7, 10, 14}}, Bb7{10, {4, 7, 10, 14}}, Cm7{0, {3, 7, 10, 14}},
        Bdim{11, {3, 6, 9, 12}}, Am7{9, {3, 7, 10, 14}}, D7{2, {4, 7, 10, 13}},
        Gm7{7, {3, 7, 10, 14}}, C7{0, {4, 7, 10, 13}};
    static const std::vector<Chord> halves = {
        F7,  F7,  Bb7,  Bb7,  F7, F7, Cm7, F7, // bars 1-4
        Bb7, Bb7, Bdim, Bdim, F7, F7, Am7, D7, // bars 5-8
        Gm7, Gm7, C7,   C7,   F7, D7, Gm7, C7, // bars 9-12
    };
    return halves;
}

const Chord& ChordAt(int bar, int beat) {
    const auto& halves = Changes();
    return halves[size_t(((bar % 12) * 2 + beat / 2) % 24)];
}

double BeatTime(int bar, double beat) {
    return (bar * 4 + beat) * kBeat;
}

size_t At(double seconds) {
    return size_t(std::lround(seconds * kSynthRate));
}

// ---- instruments --------------------------------------------------------------------

// Upright bass: a plucked, round tone with a little finger noise.
SynthBuffer Bass(int note, double length, SynthRandom& random) {
    SynthBuffer out = SynthSilence(float(length + 0.25));
    const double hz = SynthNoteHz(note);
    SynthOnePole tone;
    tone.SetLowpass(900.0f);
    SynthOnePole thumb;
    thumb.SetLowpass(1200.0f);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = float(i) / kSynthRate;
        phase += hz / kSynthRate;
        const float body = SynthSine(phase) + 0.45f * SynthSine(2 * phase) +
                           0.18f * SynthSine(3 * phase) * SynthDecay(t, 0.0f, 0.08f);
        float env = SynthDecay(t, 0.006f, 0.45f);
        if (t > length) {
            env *= std::max(0.0f, 1.0f - float((t - length) / 0.08));
        }
        const float pluck = thumb.Lowpass(random.Bipolar()) * SynthDecay(t, 0.001f, 0.012f);
        out[i] = tone.Lowpass(body * env) + pluck * 0.5f;
    }
    return out;
}

// Ride cymbal: inharmonic square partials and noise, high-passed.
SynthBuffer Ride(float level, SynthRandom& random) {
    SynthBuffer out = SynthSilence(1.2f);
    static const double partials[] = {305.0, 412.0, 540.0, 633.0, 797.0, 1021.0};
    double phases[6] = {};
    SynthBiquad high;
    high.Set(SynthBiquad::Kind::Highpass, 3800.0f, 0.7f);
    SynthBiquad bell;
    bell.Set(SynthBiquad::Kind::Bandpass, 5200.0f, 3.0f);
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = float(i) / kSynthRate;
        float metal = 0;
        for (int p = 0; p < 6; ++p) {
            phases[p] += partials[p] * 3.3 / kSynthRate;
            metal += SynthSquare(phases[p], partials[p] * 3.3 / kSynthRate);
        }
        const float noise = random.Bipolar();
        const float wash =
            high.Process(metal * 0.12f + noise * 0.5f) * SynthDecay(t, 0.001f, 0.28f);
        const float ping = bell.Process(metal * 0.2f) * SynthDecay(t, 0.0005f, 0.05f);
        out[i] = (wash + ping * 1.5f) * level;
    }
    return out;
}

// Hi-hat closed with the foot: a short, soft chick.
SynthBuffer Chick(SynthRandom& random) {
    SynthBuffer out = SynthSilence(0.08f);
    SynthBiquad band;
    band.Set(SynthBiquad::Kind::Bandpass, 6000.0f, 1.2f);
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = float(i) / kSynthRate;
        out[i] = band.Process(random.Bipolar()) * SynthDecay(t, 0.002f, 0.012f);
    }
    return out;
}

// Electric piano: a tine (sine with a decaying FM bell) per note.
SynthBuffer Piano(const std::vector<int>& notes, double length, float velocity) {
    SynthBuffer out = SynthSilence(float(length + 0.6));
    for (int note : notes) {
        const double hz = SynthNoteHz(note);
        double phase = 0, mod = 0;
        for (size_t i = 0; i < out.size(); ++i) {
            const float t = float(i) / kSynthRate;
            phase += hz / kSynthRate;
            mod += hz * 14.0 / kSynthRate;
            const float index = 0.9f * SynthDecay(t, 0.0f, 0.03f);
            float env = SynthDecay(t, 0.004f, 0.7f);
            if (t > length) {
                env *= std::max(0.0f, 1.0f - float((t - length) / 0.25));
            }
            const float tine = SynthSine(phase + index * SynthSine(mod) * 0.15);
            const float warm = 0.25f * SynthSine(2 * phase) * SynthDecay(t, 0.0f, 0.2f);
            out[i] += (tine + warm) * env * velocity / float(notes.size());
        }
    }
    return out;
}

// Vibraphone: fundamental and the fourth partial, with the motor's tremolo.
SynthBuffer Vibes(int note, double length, float velocity) {
    SynthBuffer out = SynthSilence(float(length + 1.2));
    const double hz = SynthNoteHz(note);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = float(i) / kSynthRate;
        phase += hz / kSynthRate;
        const float tremolo = 1.0f - 0.22f * (0.5f + 0.5f * SynthSine(t * 5.2));
        float env = SynthDecay(t, 0.002f, 0.55f);
        if (t > length) {
            env *= std::max(0.0f, 1.0f - float((t - length) / 0.35));
        }
        const float strike = 0.3f * SynthSine(4 * phase) * SynthDecay(t, 0.0f, 0.06f);
        out[i] = (SynthSine(phase) + strike) * env * tremolo * velocity;
    }
    return out;
}

// ---- parts ------------------------------------------------------------------------

int Nearest(int pitchClass, int around) {
    int best = around;
    int bestDistance = 99;
    for (int n = around - 6; n <= around + 6; ++n) {
        const int d = std::abs(n - around);
        if (((n % 12) + 12) % 12 == pitchClass && d < bestDistance) {
            best = n;
            bestDistance = d;
        }
    }
    return best;
}

void WalkingBass(SynthBuffer& mix) {
    SynthRandom random(0xBA55u);
    int previous = 41; // F2
    for (int bar = 0; bar < kBars; ++bar) {
        for (int beat = 0; beat < 4; ++beat) {
            const Chord& chord = ChordAt(bar, beat);
            const Chord& next = ChordAt(beat == 3 ? bar + 1 : bar, beat == 3 ? 0 : beat + 1);
            int note;
            if (beat == 0 || (beat == 2 && chord.root != ChordAt(bar, 0).root)) {
                note = Nearest(chord.root, previous); // the root on a chord change
            } else if (beat == 3 || (beat == 1 && next.root != chord.root)) {
                // A chromatic step into the next root.
                const int target = Nearest(next.root, previous);
                note = target + (random.Below(2) == 0 ? 1 : -1);
            } else {
                const int tone = chord.tones[size_t(random.Below(3))];
                note = Nearest((chord.root + tone) % 12, previous);
            }
            while (note < 36) {
                note += 12;
            }
            while (note > 55) {
                note -= 12;
            }
            previous = note;
            const float accent = beat % 2 == 0 ? 1.0f : 0.85f;
            SynthMixInto(mix, Bass(note, kBeat * 0.92, random), At(BeatTime(bar, beat)),
                         0.55f * accent);
        }
    }
}

void Drums(SynthBuffer& mix) {
    SynthRandom random(0xD2D2u);
    for (int bar = 0; bar < kBars; ++bar) {
        for (int beat = 0; beat < 4; ++beat) {
            const float level = beat % 2 == 1 ? 1.0f : 0.8f;
            SynthMixInto(mix, Ride(level, random), At(BeatTime(bar, beat)), 0.16f);
            if (beat % 2 == 1) {
                // The skip note "ding-ga-ding" and the foot on two and four.
                SynthMixInto(mix, Ride(0.55f, random), At(BeatTime(bar, beat + kSwing)), 0.16f);
                SynthMixInto(mix, Chick(random), At(BeatTime(bar, beat)), 0.22f);
            }
        }
    }
}

std::vector<int> Voicing(const Chord& chord) {
    // Rootless voicing: third and seventh close together, with a colour tone above,
    // kept around middle C.
    const int third = Nearest((chord.root + chord.tones[0]) % 12, 58);
    const int seventh = Nearest((chord.root + chord.tones[2]) % 12, third + 5);
    const int colour = Nearest((chord.root + chord.tones[3]) % 12, seventh + 4);
    return {third, seventh, colour};
}

void Comping(SynthBuffer& mix) {
    SynthRandom random(0xC0C0u);
    for (int bar = 0; bar < kBars; ++bar) {
        // Charleston (one, and-of-two) most bars; a push onto three in others.
        const int pattern = random.Below(3);
        if (pattern < 2) {
            SynthMixInto(mix, Piano(Voicing(ChordAt(bar, 0)), kBeat * 1.3, 0.9f),
                         At(BeatTime(bar, 0)), 0.3f);
            SynthMixInto(mix, Piano(Voicing(ChordAt(bar, 2)), kBeat * 0.35, 0.75f),
                         At(BeatTime(bar, 1 + kSwing)), 0.3f);
        } else {
            SynthMixInto(mix, Piano(Voicing(ChordAt(bar, 0)), kBeat * 0.4, 0.7f),
                         At(BeatTime(bar, 0 + kSwing)), 0.3f);
            SynthMixInto(mix, Piano(Voicing(ChordAt(bar, 2)), kBeat * 1.2, 0.9f),
                         At(BeatTime(bar, 2 - (1 - kSwing))), 0.3f);
        }
    }
}

struct Note {
    double beat;   // within the bar; 0.5 steps are swung
    double length; // beats
    int pitch;
};

double Swung(double beat) {
    const double whole = std::floor(beat);
    return beat - whole >= 0.5 ? whole + kSwing : beat;
}

void Melody(SynthBuffer& mix) {
    // The head: a riff on the tonic answered over the four chord and the turnaround.
    const std::vector<std::vector<Note>> head = {
        {{0, 1, 65}, {1, 0.5, 69}, {1.5, 0.5, 72}, {2, 1, 74}, {3, 1, 72}},
        {{0, 0.5, 68}, {0.5, 0.5, 69}, {1, 2, 65}},
        {{0, 1, 65}, {1, 0.5, 69}, {1.5, 0.5, 72}, {2, 1, 74}, {3, 1, 72}},
        {{0, 1, 75}, {1, 0.5, 74}, {1.5, 0.5, 72}, {2, 1.5, 69}},
        {{0, 1, 70}, {1, 0.5, 74}, {1.5, 0.5, 77}, {2, 1, 79}, {3, 1, 77}},
        {{0, 0.5, 73}, {0.5, 0.5, 74}, {1, 2, 70}},
        {{0, 1, 65}, {1, 0.5, 69}, {1.5, 0.5, 72}, {2, 1, 74}, {3, 1, 72}},
        {{0, 0.5, 69}, {0.5, 0.5, 72}, {1, 1.5, 74}},
        {{0, 1, 70}, {1, 1, 74}, {2, 1, 77}, {3, 1, 76}},
        {{0, 1, 76}, {1, 0.5, 74}, {1.5, 0.5, 72}, {2, 1, 70}, {3, 1, 67}},
        {{0, 1, 69}, {1, 1, 65}, {2, 1, 66}, {3, 1, 69}},
        {{0, 1, 67}, {1, 0.5, 70}, {1.5, 2.5, 72}},
    };
    for (int bar = 0; bar < 12; ++bar) {
        for (const Note& n : head[size_t(bar)]) {
            SynthMixInto(mix, Vibes(n.pitch, n.length * kBeat, 1.0f),
                         At(BeatTime(bar, Swung(n.beat))), 0.3f);
        }
    }
    // The second chorus: a relaxed solo of swung eighths on the chord tones, phrased
    // in two-bar breaths, ending on the tonic for the way round to the head.
    SynthRandom random(0x5010u);
    int previous = 72;
    for (int bar = 12; bar < kBars; ++bar) {
        const bool breathe = bar % 2 == 1;
        const int last = breathe ? 4 : 8;
        for (int step = 0; step < last; ++step) {
            if (random.Below(5) == 0 && step > 0) {
                continue; // a rest now and then
            }
            const double beat = step * 0.5;
            const Chord& chord = ChordAt(bar, int(beat));
            int pitch;
            if (step % 2 == 0) {
                const int tone = random.Below(2) == 0 ? 0 : chord.tones[size_t(random.Below(4))];
                pitch = Nearest((chord.root + tone) % 12, previous + random.Below(7) - 3);
            } else {
                pitch = previous + (random.Below(2) == 0 ? 2 : -1);
            }
            pitch = std::clamp(pitch, 63, 79);
            if (bar == kBars - 1 && step == last - 1) {
                pitch = 72;
            }
            previous = pitch;
            const float velocity = step % 2 == 0 ? 0.9f : 0.65f;
            SynthMixInto(mix, Vibes(pitch, 0.45 * kBeat, velocity), At(BeatTime(bar, Swung(beat))),
                         0.28f);
        }
    }
}

void BuildMusic(ContentOut& out) {
    const double loop = BeatTime(kBars, 0);
    SynthBuffer mix = SynthSilence(float(loop + 3.0));
    WalkingBass(mix);
    Drums(mix);
    Comping(mix);
    Melody(mix);
    // A warm, gentle top: the 8-bit file has no room for hiss or fizz.
    SynthOnePole soften;
    soften.SetLowpass(6500.0f);
    for (float& v : mix) {
        v = soften.Lowpass(v);
    }
    const SynthBuffer room = SynthRoom(mix, 0.18f, 1.4f);
    SynthBuffer seamless(At(loop), 0.0f);
    SynthMixWrapped(seamless, room, 0);
    SynthNormalise(seamless, 0.42f);
    SynthWrite8(out, "common/sounds/jazz_rond_8bit.wav", seamless);
}

} // namespace

CONTENT_STEP(10, "music", BuildMusic);
