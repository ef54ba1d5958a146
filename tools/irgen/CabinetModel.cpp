#include "CabinetModel.h"

#include "Biquad.h"
#include "Random.h"

#include <algorithm>
#include <cmath>

namespace
{
const double pi = 3.141592653589793238463;

std::vector<Biquad> makeCascade (int channel, uint64_t seed)
{
    const double fs = CabinetModel::sampleRate;
    const bool offAxis = channel == 1;
    std::vector<Biquad> c;

    // box and suspension: fourth-order roll-off below ~80 Hz, with the closed box's
    // resonance showing as a bump near 110 Hz
    c.push_back (Biquad::highPass (fs, 82.0, 1.1));
    c.push_back (Biquad::highPass (fs, 62.0, 0.6));
    c.push_back (Biquad::peak (fs, 112.0, 1.6, 4.0));

    // a slight scoop in the low mids, then the cone's presence region
    c.push_back (Biquad::peak (fs, 420.0, 0.9, -2.5));
    c.push_back (Biquad::peak (fs, 1250.0, 1.4, 1.5));
    c.push_back (Biquad::peak (fs, 2300.0, 2.2, offAxis ? 2.5 : 5.0));
    c.push_back (Biquad::peak (fs, 2950.0, 4.0, -4.0)); // break-up notch between the peaks
    c.push_back (Biquad::peak (fs, 3500.0, 3.0, offAxis ? 3.0 : 6.0));
    c.push_back (Biquad::peak (fs, 4400.0, 4.5, offAxis ? 0.0 : 3.0));

    // the cone's irregularities: a few small resonances and dips, fixed by the seed
    Random random (seed + (uint64_t) channel);
    for (int i = 0; i < 6; ++i)
    {
        const double f = std::exp (random.nextRange (std::log (600.0), std::log (4800.0)));
        // one draw per statement: the order of evaluation of function arguments is unspecified
        const double q = random.nextRange (2.0, 6.0);
        const double gainDb = random.nextRange (-2.0, 2.0);
        c.push_back (Biquad::peak (fs, f, q, gainDb));
    }

    // steep roll-off above ~5 kHz (eighth-order Butterworth; lower still off axis)
    const double topHz = offAxis ? 4300.0 : 5200.0;
    for (double q : { 0.51, 0.60, 0.90, 2.56 })
        c.push_back (Biquad::lowPass (fs, topHz, q));

    return c;
}
} // namespace

CabinetModel::CabinetModel (int frames, uint64_t s)
    : lengthFrames (frames)
    , seed (s)
{
}

std::vector<std::vector<double>> CabinetModel::render (double peakDb) const
{
    const auto frames = (size_t) lengthFrames;
    std::vector<std::vector<double>> out (2, std::vector<double> (frames, 0.0));

    for (int c = 0; c < 2; ++c)
    {
        auto cascade = makeCascade (c, seed);
        auto& y = out[(size_t) c];

        // the off-axis microphone also hears the floor, 1.1 ms later, a little duller
        const auto reflectionDelay = (size_t) std::lround (0.0011 * sampleRate);
        for (size_t n = 0; n < frames; ++n)
        {
            double x = n == 0 ? 1.0 : 0.0;
            if (c == 1 && n == reflectionDelay)
                x = -0.22;

            for (auto& section : cascade)
                x = section.processSample (x);

            y[n] = x;
        }

        // the useful response is over within ~40 ms: fade from 25 to 60 ms and keep silence after
        const auto fadeStart = (size_t) std::lround (0.025 * sampleRate);
        const auto fadeEnd = (size_t) std::lround (0.060 * sampleRate);
        for (size_t n = fadeStart; n < frames; ++n)
        {
            const double t = std::min (1.0, (double) (n - fadeStart) / (double) (fadeEnd - fadeStart));
            y[n] *= 0.5 * (1.0 + std::cos (pi * t));
        }
    }

    double peak = 0.0;
    for (auto& channel : out)
        for (double x : channel)
            peak = std::max (peak, std::abs (x));

    const double gain = std::pow (10.0, peakDb / 20.0) / peak;
    for (auto& channel : out)
        for (auto& x : channel)
            x *= gain;

    return out;
}
