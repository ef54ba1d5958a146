#include "Biquad.h"

#include <cmath>

namespace
{
const double pi = 3.141592653589793238463;
}

Biquad::Biquad (double nb0, double nb1, double nb2, double na0, double na1, double na2)
    : b0 (nb0 / na0)
    , b1 (nb1 / na0)
    , b2 (nb2 / na0)
    , a1 (na1 / na0)
    , a2 (na2 / na0)
{
}

Biquad Biquad::identity() { return Biquad (1.0, 0.0, 0.0, 1.0, 0.0, 0.0); }

Biquad Biquad::lowPass (double sampleRate, double frequencyHz, double q)
{
    const double w = 2.0 * pi * frequencyHz / sampleRate;
    const double alpha = std::sin (w) / (2.0 * q);
    const double c = std::cos (w);
    return Biquad ((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

Biquad Biquad::highPass (double sampleRate, double frequencyHz, double q)
{
    const double w = 2.0 * pi * frequencyHz / sampleRate;
    const double alpha = std::sin (w) / (2.0 * q);
    const double c = std::cos (w);
    return Biquad ((1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

Biquad Biquad::peak (double sampleRate, double frequencyHz, double q, double gainDb)
{
    const double a = std::pow (10.0, gainDb / 40.0);
    const double w = 2.0 * pi * frequencyHz / sampleRate;
    const double alpha = std::sin (w) / (2.0 * q);
    const double c = std::cos (w);
    return Biquad (1.0 + alpha * a, -2.0 * c, 1.0 - alpha * a, 1.0 + alpha / a, -2.0 * c, 1.0 - alpha / a);
}

double Biquad::processSample (double x)
{
    const double y = b0 * x + s1;
    s1 = b1 * x - a1 * y + s2;
    s2 = b2 * x - a2 * y;
    return y;
}

void Biquad::reset() { s1 = s2 = 0.0; }
