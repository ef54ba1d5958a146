#include "engine/TwoPoleHighPassFilter.h"

#include <cmath>

/** High-pass of the Audio EQ Cookbook; the gain is not used. */
void TwoPoleHighPassFilter::setParameters (float frequencyHz, float qValue, float gain)
{
    const auto [cosW0, alpha] = storeSettings (frequencyHz, qValue, gain, false);

    setCoefficients ((1.0f + cosW0) / 2.0f,
                     -(1.0f + cosW0),
                     (1.0f + cosW0) / 2.0f,
                     1.0f + alpha,
                     -2.0f * cosW0,
                     1.0f - alpha);
}
