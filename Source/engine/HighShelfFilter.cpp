#include "engine/HighShelfFilter.h"

#include <cmath>

/** High shelf of the Audio EQ Cookbook with the angle 4π·f/fs (corner at twice the frequency given). */
void HighShelfFilter::setParameters (float frequencyHz, float qValue, float gain)
{
    const auto [cosW0, alpha] = storeSettings (frequencyHz, qValue, gain, true);
    const float a = std::sqrt (std::pow (10.0f, gainDb / 20.0f));
    const float twoSqrtAAlpha = 2.0f * std::sqrt (a) * alpha;

    setCoefficients (a * ((a + 1.0f) + (a - 1.0f) * cosW0 + twoSqrtAAlpha),
                     -2.0f * a * ((a - 1.0f) + (a + 1.0f) * cosW0),
                     a * ((a + 1.0f) + (a - 1.0f) * cosW0 - twoSqrtAAlpha),
                     (a + 1.0f) - (a - 1.0f) * cosW0 + twoSqrtAAlpha,
                     2.0f * ((a - 1.0f) - (a + 1.0f) * cosW0),
                     (a + 1.0f) - (a - 1.0f) * cosW0 - twoSqrtAAlpha);
}
