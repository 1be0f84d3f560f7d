#pragma once
// Conversions from the engine's linear volume and pan to the sound service's
// hundredths of a decibel.
#include <cstdint>

// 10000 x log10(v), truncated: 1.0 is full level (0), 0.1 and below are silent
// (-10000). Anything that is not a number is silent too.
int32_t QxVolumeToAttenuation(float volume);

// Pan from -1 (left) through 0 (centre) to 1 (right), mirrored when the stereo
// channels are swapped; -10000 is fully left, 10000 fully right.
int32_t QxPanToServicePan(float pan, bool swapStereo);

// A volume control's setting, 0 to 100, as a group volume. The service's scale is
// logarithmic and a linear gain would leave the lower half of a control barely audible,
// so every step of the control takes off the same number of decibels: 100 is full level,
// each point 0.4 dB less, and 0 is silent. Values above 100 count as 100.
float QxVolumePercentToGain(std::uint32_t percent);
