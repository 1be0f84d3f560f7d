#include "engine/sound/QxSoundLevels.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSilentLevel = 0.1;

// Truncates 10000 x log10(f) for f in (0.1, 1]; the floor itself maps exactly to
// -10000, which the floating-point logarithm of a rounded 0.1 would miss by one.
int32_t HundredthsOfDecibel(double f) {
    if (!(f > kSilentLevel)) {
        return -10000;
    }
    return static_cast<int32_t>(10000.0 * std::log10(std::min(f, 1.0)));
}

} // namespace

int32_t QxVolumeToAttenuation(float volume) {
    if (!(volume > static_cast<float>(kSilentLevel))) {
        return -10000;
    }
    return HundredthsOfDecibel(volume);
}

int32_t QxPanToServicePan(float pan, bool swapStereo) {
    if (std::isnan(pan)) {
        return 0;
    }
    double p = swapStereo ? -static_cast<double>(pan) : static_cast<double>(pan);
    if (p < 0.0) {
        return HundredthsOfDecibel((p + 1.0 + 0.1) * 0.909);
    }
    return -HundredthsOfDecibel(((1.0 - p) + 0.1) * 0.909);
}

float QxVolumePercentToGain(std::uint32_t percent) {
    if (percent == 0) {
        return 0.0f;
    }
    const double points = std::min<std::uint32_t>(percent, 100);
    return static_cast<float>(std::pow(10.0, (points - 100.0) / 250.0));
}
