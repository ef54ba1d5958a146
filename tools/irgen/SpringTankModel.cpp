#include "SpringTankModel.h"

#include "Biquad.h"
#include "Random.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace
{
const double pi = 3.141592653589793238463;

/** A cascade of identical all-pass sections H(z) = (a + z^-K) / (1 + a z^-K).

    With K = 1 this is a plain first-order all-pass. With K > 1 the response is squeezed into
    0 .. fs / 2K and repeats above it; for a > 0 the group delay there rises steeply towards
    fs / 2K, which is the low-band chirp of a helical spring.
*/
class AllpassChain
{
public:
    AllpassChain (int sections, int stretch, double coeff)
        : numSections (sections)
        , k (stretch)
        , a (coeff)
        , xHistory ((size_t) (sections * stretch), 0.0)
        , yHistory ((size_t) (sections * stretch), 0.0)
    {
    }

    double processSample (double x)
    {
        // every section has the same stretch, so one ring position serves them all
        for (int s = 0; s < numSections; ++s)
        {
            const size_t slot = (size_t) (s * k + pos);
            const double y = a * x + xHistory[slot] - a * yHistory[slot];
            xHistory[slot] = x;
            yHistory[slot] = y;
            x = y;
        }

        if (++pos == k)
            pos = 0;

        return x;
    }

    /** Group delay in samples at a frequency, from the closed form of one section. */
    static double groupDelay (int sections, int stretch, double coeff, double frequencyHz, double sampleRate)
    {
        const double w = 2.0 * pi * frequencyHz / sampleRate * stretch;
        const double one = stretch * (1.0 - coeff * coeff) / (1.0 + 2.0 * coeff * std::cos (w) + coeff * coeff);
        return sections * one;
    }

private:
    int numSections, k;
    double a;
    std::vector<double> xHistory, yHistory;
    int pos = 0;
};

/** A delay line read at a fractional, slowly wandering position (third-order Lagrange). */
class WanderingDelay
{
public:
    explicit WanderingDelay (int maxDelay)
    {
        size_t size = 1;
        while (size < (size_t) maxDelay + 8)
            size <<= 1;
        buffer.assign (size, 0.0);
        mask = size - 1;
    }

    void push (double x)
    {
        buffer[writePos] = x;
        writePos = (writePos + 1) & mask;
    }

    /** The value written `delay` samples before the next push (delay >= 3). */
    double read (double delay) const
    {
        const double whole = std::floor (delay);
        const double d = delay - whole; // in [0, 1)
        const size_t base = (writePos + buffer.size() - (size_t) whole) & mask;

        // taps at delays whole - 1, whole, whole + 1, whole + 2; Lagrange weights for offset 1 + d
        const double xm1 = buffer[(base + 1) & mask];
        const double x0 = buffer[base];
        const double x1 = buffer[(base - 1) & mask];
        const double x2 = buffer[(base - 2) & mask];
        const double t = 1.0 + d;
        const double wm1 = -(t - 1.0) * (t - 2.0) * (t - 3.0) / 6.0;
        const double w0 = t * (t - 2.0) * (t - 3.0) / 2.0;
        const double w1 = -t * (t - 1.0) * (t - 3.0) / 2.0;
        const double w2 = t * (t - 1.0) * (t - 2.0) / 6.0;
        return wm1 * xm1 + w0 * x0 + w1 * x1 + w2 * x2;
    }

private:
    std::vector<double> buffer;
    size_t mask = 0;
    size_t writePos = 0;
};

/** One-pole low-pass with unity gain at DC: the loop's frequency-dependent loss. */
class OnePoleLowPass
{
public:
    OnePoleLowPass (double frequencyHz, double sampleRate)
        : p (std::exp (-2.0 * pi * frequencyHz / sampleRate))
    {
    }

    double processSample (double x)
    {
        y = (1.0 - p) * x + p * y;
        return y;
    }

private:
    double p, y = 0.0;
};

/** Slow band-limited Gaussian noise of a given standard deviation. */
class Wobble
{
public:
    Wobble (uint64_t seed, double depth, double rateHz, double sampleRate)
        : random (seed)
        , p (std::exp (-2.0 * pi * rateHz / sampleRate))
        , scale (depth / std::sqrt ((1.0 - p) / (1.0 + p)))
    {
    }

    double next()
    {
        state = (1.0 - p) * random.nextGaussian() + p * state;
        return scale * state;
    }

private:
    Random random;
    double p, scale, state = 0.0;
};

/** Shared loop structure of both bands: a half-length path to the first arrival, then the
    round trip fed back with the loss that sets the decay. */
std::vector<double> runLoop (const std::vector<double>& drive,
                             int sectionsPerTrip,
                             int stretch,
                             double coeff,
                             double roundTripSamples,
                             double t60Seconds,
                             double dampingHz,
                             double wobbleSamples,
                             double wobbleRateHz,
                             uint64_t seed,
                             double sampleRate)
{
    // near the top of a stretched band the chain delays by many times its low-band delay, so with
    // the same loss per trip that band would outlast the rest as a whistle: damp it more
    const double bandTopHz = sampleRate / (2.0 * stretch);
    Biquad topLoss = stretch > 1 ? Biquad::peak (sampleRate, 0.95 * bandTopHz, 1.2, -4.0) : Biquad::identity();

    // the round trip is measured at 500 Hz, where a real spring's low band sits; the chains
    // supply part of it, the plain delay the rest
    const double referenceHz = 500.0;
    const double chainDelay = AllpassChain::groupDelay (2 * sectionsPerTrip, stretch, coeff, referenceHz, sampleRate);
    const double loopDelay = roundTripSamples - chainDelay;

    if (loopDelay < 8.0 + 3.0 * wobbleSamples)
        throw std::runtime_error ("spring too short for its dispersion chain");

    // the loop loses 60 dB per t60Seconds at the reference frequency
    const double loopGain = std::pow (10.0, -3.0 * roundTripSamples / (t60Seconds * sampleRate));

    AllpassChain firstTrip (sectionsPerTrip, stretch, coeff);
    AllpassChain roundTrip (2 * sectionsPerTrip, stretch, coeff);
    OnePoleLowPass loss (dampingHz, sampleRate);
    Wobble wobble (seed, wobbleSamples, wobbleRateHz, sampleRate);

    const int firstArrival = (int) std::lround (loopDelay / 2.0);
    WanderingDelay firstDelay (firstArrival + 4);
    WanderingDelay loop ((int) std::ceil (loopDelay + 16.0 * wobbleSamples) + 4); // room for any excursion

    std::vector<double> out (drive.size(), 0.0);

    for (size_t n = 0; n < drive.size(); ++n)
    {
        // one length of the spring from the drive to the pickup
        firstDelay.push (firstTrip.processSample (drive[n]));
        const double arriving = firstDelay.read ((double) firstArrival);

        // there and back again, with dispersion, loss and a little wander of the length
        const double returning = loop.read (loopDelay + wobble.next());
        const double y =
            arriving + loopGain * topLoss.processSample (loss.processSample (roundTrip.processSample (returning)));

        loop.push (y);
        out[n] = y;
    }

    return out;
}
} // namespace

//==============================================================================
SpringTankModel::SpringTankModel (TankParameters p)
    : params (std::move (p))
{
}

std::vector<double>
SpringTankModel::renderSpring (const SpringParameters& spring, const std::vector<double>& drive, uint64_t seed) const
{
    const int stretch = std::max (1, (int) std::lround (sampleRate / (2.0 * spring.transitionHz)));
    const double roundTripSamples = spring.roundTripMs * sampleRate / 1000.0;

    auto low = runLoop (drive,
                        spring.sectionsPerTrip,
                        stretch,
                        spring.allpassCoeff,
                        roundTripSamples,
                        spring.t60Seconds,
                        spring.dampingHz,
                        spring.wobbleSamples,
                        spring.wobbleRateHz,
                        seed,
                        sampleRate);

    // the stretched sections repeat their response above fs / 2K: keep only the low band
    const double lowBandTopHz = sampleRate / (2.0 * stretch);
    Biquad lowCut1 = Biquad::lowPass (sampleRate, lowBandTopHz, 0.54);
    Biquad lowCut2 = Biquad::lowPass (sampleRate, lowBandTopHz, 1.31);

    for (auto& x : low)
        x = lowCut2.processSample (lowCut1.processSample (x));

    if (spring.highChirpLevel <= 0.0)
        return low;

    // the weaker high band travels faster, disperses the other way (descending chirps) and dies
    // sooner; it is what makes a tank sound splashy
    auto high = runLoop (drive,
                         spring.highChirpSections / 2,
                         1,
                         spring.highChirpCoeff,
                         0.6 * roundTripSamples,
                         0.5 * spring.t60Seconds,
                         0.45 * sampleRate,
                         spring.wobbleSamples,
                         spring.wobbleRateHz,
                         seed ^ 0x5bd1e995u,
                         sampleRate);

    Biquad highCut1 = Biquad::highPass (sampleRate, lowBandTopHz, 0.54);
    Biquad highCut2 = Biquad::highPass (sampleRate, lowBandTopHz, 1.31);

    for (size_t n = 0; n < low.size(); ++n)
        low[n] += spring.highChirpLevel * highCut2.processSample (highCut1.processSample (high[n]));

    return low;
}

std::vector<std::vector<double>> SpringTankModel::render() const
{
    const auto frames = (size_t) params.lengthFrames;

    // the drive coil: an impulse into a band-limited transducer with its resonance
    std::vector<double> drive (frames, 0.0);
    drive[0] = 1.0;
    {
        Biquad hp = Biquad::highPass (sampleRate, params.bandLowHz, 0.71);
        Biquad lp = Biquad::lowPass (sampleRate, params.bandHighHz, 0.71);
        Biquad resonance =
            Biquad::peak (sampleRate, params.driveResonanceHz, params.driveResonanceQ, params.driveResonanceDb);

        for (auto& x : drive)
            x = resonance.processSample (lp.processSample (hp.processSample (x)));
    }

    std::vector<std::vector<double>> out (2, std::vector<double> (frames, 0.0));

    for (size_t s = 0; s < params.springs.size(); ++s)
    {
        const auto y = renderSpring (params.springs[s], drive, params.seed + 1000 * (s + 1));

        for (size_t n = 0; n < frames; ++n)
        {
            out[0][n] += params.leftMix[s] * y[n];
            out[1][n] += params.rightMix[s] * y[n];
        }
    }

    // the pickups: their own resonance, a steep top roll-off and a high-pass that leaves no DC
    for (int c = 0; c < 2; ++c)
    {
        Biquad resonance = Biquad::peak (sampleRate, params.pickupResonanceHz[c], 1.2, params.pickupResonanceDb);
        Biquad lp1 = Biquad::lowPass (sampleRate, params.bandHighHz, 0.54);
        Biquad lp2 = Biquad::lowPass (sampleRate, params.bandHighHz, 1.31);
        Biquad hp = Biquad::highPass (sampleRate, params.bandLowHz, 0.71);

        for (auto& x : out[(size_t) c])
            x = hp.processSample (lp2.processSample (lp1.processSample (resonance.processSample (x))));
    }

    // fade the end to true silence so the response never stops with a click
    const auto fadeFrames = (size_t) std::lround (params.fadeMs * sampleRate / 1000.0);
    for (auto& channel : out)
    {
        for (size_t i = 0; i < fadeFrames; ++i)
        {
            const double t = (double) (i + 1) / (double) fadeFrames; // reaches 1 at the last sample
            channel[frames - fadeFrames + i] *= 0.5 * (1.0 + std::cos (pi * t));
        }
    }

    double peak = 0.0;
    for (auto& channel : out)
        for (double x : channel)
            peak = std::max (peak, std::abs (x));

    const double gain = std::pow (10.0, params.peakDb / 20.0) / peak;
    for (auto& channel : out)
        for (auto& x : channel)
            x = std::abs (x * gain) < 1.0e-30 ? 0.0 : x * gain; // no denormals in the stored floats

    return out;
}

//==============================================================================
TankParameters SpringTankModel::accutronics (int lengthFrames)
{
    TankParameters t;
    t.name = "Accutronics";
    t.lengthFrames = lengthFrames;
    t.seed = 0xacc07201;
    //              trip  fC     M    a     T60  damp   wob  rate  hiLvl hiA    hiM
    t.springs = { { 47.0, 4400.0, 90, 0.60, 4.1, 7000.0, 0.6, 1.5, 0.35, -0.60, 120 },
                  { 55.0, 4400.0, 100, 0.62, 4.0, 6500.0, 0.6, 1.2, 0.30, -0.60, 120 },
                  { 63.0, 4200.0, 110, 0.58, 4.2, 6000.0, 0.5, 1.0, 0.25, -0.55, 140 } };
    t.leftMix = { 1.0, 0.25, 0.7 };
    t.rightMix = { 0.25, 1.0, -0.7 };
    t.bandLowHz = 110.0;
    t.bandHighHz = 5500.0;
    t.driveResonanceHz = 2600.0;
    t.driveResonanceDb = 4.0;
    t.driveResonanceQ = 0.9;
    t.pickupResonanceHz[0] = 3200.0;
    t.pickupResonanceHz[1] = 3500.0;
    t.pickupResonanceDb = 3.0;
    t.fadeMs = 400.0;
    t.peakDb = -1.0;
    return t;
}

TankParameters SpringTankModel::belton (int lengthFrames)
{
    TankParameters t;
    t.name = "Belton";
    t.lengthFrames = lengthFrames;
    t.seed = 0xbe170202;
    t.springs = { { 29.0, 2750.0, 60, 0.68, 2.6, 2600.0, 0.3, 0.8, 0.08, -0.50, 80 },
                  { 37.0, 2900.0, 70, 0.66, 2.4, 2400.0, 0.3, 0.7, 0.06, -0.50, 80 } };
    t.leftMix = { 1.0, 0.4 };
    t.rightMix = { 0.4, 1.0 };
    t.bandLowHz = 90.0;
    t.bandHighHz = 4000.0;
    t.driveResonanceHz = 220.0; // the boing: a heavy low resonance of the input transducer
    t.driveResonanceDb = 6.0;
    t.driveResonanceQ = 1.5;
    t.pickupResonanceHz[0] = 1400.0;
    t.pickupResonanceHz[1] = 1600.0;
    t.pickupResonanceDb = 3.0;
    t.fadeMs = 400.0;
    t.peakDb = -1.0;
    return t;
}

TankParameters SpringTankModel::coilvox (int lengthFrames)
{
    TankParameters t;
    t.name = "Coilvox";
    t.lengthFrames = lengthFrames;
    t.seed = 0xc011f0c5;
    t.springs = { { 31.0, 3700.0, 70, 0.58, 3.3, 4800.0, 0.8, 1.3, 0.18, -0.55, 100 },
                  { 43.0, 3600.0, 85, 0.60, 3.4, 4500.0, 0.8, 1.1, 0.15, -0.55, 100 },
                  { 58.0, 3800.0, 95, 0.56, 3.5, 5000.0, 0.7, 0.9, 0.15, -0.55, 110 } };
    t.leftMix = { 1.0, 0.55, 0.8 };
    t.rightMix = { 0.55, 1.0, -0.8 };
    t.bandLowHz = 100.0;
    t.bandHighHz = 5000.0;
    t.driveResonanceHz = 900.0;
    t.driveResonanceDb = 3.0;
    t.driveResonanceQ = 0.8;
    t.pickupResonanceHz[0] = 2300.0;
    t.pickupResonanceHz[1] = 2600.0;
    t.pickupResonanceDb = 3.0;
    t.fadeMs = 400.0;
    t.peakDb = -1.0;
    return t;
}
