#pragma once

#include <cmath>

/** The non-linear shaping functions of the channel, spring and amplifier stages. Pure, per sample. */
struct WaveShapers
{
    /** Tube-style shaper with slope b and offset a; exp(t) is taken by its [4/4] Padé form, which sets
        the small static offset each stage adds (about −0.0011 for the steep setting). */
    static float tube (float x, float slope, float offset) noexcept
    {
        const float u = x + 1.0f;
        const float t = -slope * u;
        const float e = ((((t + 20.0f) * t + 180.0f) * t + 840.0f) * t + 1680.0f)
                        / ((((t - 20.0f) * t + 180.0f) * t - 840.0f) * t + 1680.0f);
        return (float) ((double) offset + (double) u / (double) (e + 1.0f) - 1.0);
    }

    /** The channel C shaper: a biased rational saturator. */
    static float channelC (float x) noexcept
    {
        constexpr float bias = 0.2f, slope = 0.8f, gain = 1.75f;
        constexpr float k = bias + 1.0f;
        return (x * k) / (std::abs (x * slope * k - bias) + 1.0f) * gain;
    }

    /** Soft clipper: transparent within ±knee, a tanh-shaped ([7/6] Padé) curve beyond it. */
    static float softClip (float x, float knee) noexcept
    {
        const float d = std::isnan (knee) ? x : (x < -knee ? -knee : (x > knee ? knee : x));
        const float z = (x - d) / (1.0f - knee);
        const float z2 = z * z;
        const float t = z * (135135.0f + z2 * (17325.0f + z2 * (378.0f + z2)))
                        / (135135.0f + z2 * (62370.0f + z2 * (3150.0f + 28.0f * z2)));
        return t * (1.0f - knee) + d;
    }

    /** The amplifier's asymmetric saturator around its centre. */
    static float ampSaturate (float x, float centre) noexcept
    {
        const float o = x - centre;
        return x / std::sqrt (o * o + 1.0f);
    }

    /** The tremolo LFO's shape for x in [−π, π): a [7/6] Padé sine through a logistic curve. */
    static float tremoloShape (float x) noexcept
    {
        const float x2 = x * x;
        const float s = x * (11511339840.0f - x2 * (1640635920.0f - x2 * (52785432.0f - x2 * 479249.0f)))
                        / (11511339840.0f + x2 * (277920720.0f + x2 * (3177720.0f + x2 * 18361.0f)));
        constexpr float steepness = 3.0f;
        return 1.0f / (std::pow (steepness, -s * steepness) + 1.0f);
    }
};
