#include "Random.h"

#include <cmath>

Random::Random (uint64_t seed)
{
    // splitmix64 spreads small seeds over the whole state; xorshift must never start at zero
    uint64_t z = seed + 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    state = z ^ (z >> 31);

    if (state == 0)
        state = 0x2545f4914f6cdd1dull;
}

uint64_t Random::nextBits()
{
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545f4914f6cdd1dull;
}

double Random::nextUniform()
{
    // 53 random bits, offset by half a step so the result is never 0 or 1
    return ((double) (nextBits() >> 11) + 0.5) * (1.0 / 9007199254740992.0);
}

double Random::nextRange (double low, double high) { return low + (high - low) * nextUniform(); }

double Random::nextGaussian()
{
    if (hasSpare)
    {
        hasSpare = false;
        return spareGaussian;
    }

    const double twoPi = 6.283185307179586476925;
    const double radius = std::sqrt (-2.0 * std::log (nextUniform()));
    const double angle = twoPi * nextUniform();

    spareGaussian = radius * std::sin (angle);
    hasSpare = true;
    return radius * std::cos (angle);
}
