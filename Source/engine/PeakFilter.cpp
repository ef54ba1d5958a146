#include "engine/PeakFilter.h"

#include <cmath>

/** Peaking EQ of the Audio EQ Cookbook, except that the angle is 4π·f/fs: the unit's voicing
    tables were tuned against that, so the audible centre lies at twice the frequency given. */
void PeakFilter::setParameters (float frequencyHz, float qValue, float gain)
{
    const auto [cosW0, alpha] = storeSettings (frequencyHz, qValue, gain, true);
    const float a = std::pow (10.0f, gainDb / 40.0f);

    setCoefficients (1.0f + alpha * a,
                     -2.0f * cosW0,
                     1.0f - alpha * a,
                     1.0f + alpha / a,
                     -2.0f * cosW0,
                     1.0f - alpha / a);
}
