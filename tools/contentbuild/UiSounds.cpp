// The menu sounds: a soft tick when the pointer enters a button and a brassy click
// when it is pressed.
#include <algorithm>
#include <cmath>

#include "ContentBuild.h"
#include "ContentSynth.h"

namespace {

SynthBuffer Hover() {
    SynthBuffer out = SynthSilence(0.09f);
    SynthRandom noise(0x40E5u);
    SynthBiquad band;
    band.Set(SynthBiquad::Kind::Bandpass, 3200.0f, 2.0f);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = float(i) / kSynthRate;
        // A short glide up, like a fingernail on glass, very quiet.
        const double hz = 1500.0 + 900.0 * std::min(1.0f, t / 0.03f);
        phase += hz / kSynthRate;
        const float tone = SynthSine(phase) * SynthDecay(t, 0.003f, 0.012f);
        const float air = band.Process(noise.Bipolar()) * SynthDecay(t, 0.001f, 0.006f);
        out[i] = tone * 0.8f + air * 0.6f;
    }
    SynthFadeEnds(out, 0.001f, 0.01f);
    SynthNormalise(out, 0.22f);
    return out;
}

SynthBuffer Click() {
    SynthBuffer out = SynthSilence(0.16f);
    SynthRandom noise(0xC11Cu);
    SynthBiquad band;
    band.Set(SynthBiquad::Kind::Bandpass, 2400.0f, 1.4f);
    SynthOnePole low;
    low.SetLowpass(400.0f);
    double bell = 0, bell2 = 0, thump = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = float(i) / kSynthRate;
        bell += 1180.0 / kSynthRate;
        bell2 += 1180.0 * 2.76 / kSynthRate;
        thump += (180.0 - 80.0 * std::min(1.0f, t / 0.05f)) / kSynthRate;
        const float snap = band.Process(noise.Bipolar()) * SynthDecay(t, 0.0005f, 0.004f);
        const float ring =
            (SynthSine(bell) * 0.7f + SynthSine(bell2) * 0.3f) * SynthDecay(t, 0.001f, 0.025f);
        const float body = low.Lowpass(SynthSine(thump)) * SynthDecay(t, 0.002f, 0.02f);
        out[i] = snap * 1.2f + ring * 0.45f + body * 0.9f;
    }
    SynthFadeEnds(out, 0.0005f, 0.02f);
    SynthNormalise(out, 0.45f);
    return out;
}

void BuildUiSounds(ContentOut& out) {
    SynthWrite16(out, "ui/sounds/hover.wav", Hover());
    SynthWrite16(out, "ui/sounds/click.wav", Click());
}

} // namespace

CONTENT_STEP(10, "ui-sounds", BuildUiSounds);
