#pragma once

#include <cstdint>

/** A small seeded generator (xorshift64*) with its own Box-Muller Gaussian.

    Written out here rather than taken from <random>, whose distributions are implementation-defined:
    the recordings must come out the same bytes on every platform and every run.
*/
class Random
{
public:
    explicit Random (uint64_t seed);

    /** The next raw 64-bit value. */
    uint64_t nextBits();

    /** Uniform in the open interval (0, 1), never exactly 0 so that log() is safe. */
    double nextUniform();

    /** Uniform in [low, high). */
    double nextRange (double low, double high);

    /** Standard normal (mean 0, variance 1), by the Box-Muller transform. */
    double nextGaussian();

private:
    uint64_t state;
    double spareGaussian = 0.0;
    bool hasSpare = false;
};
