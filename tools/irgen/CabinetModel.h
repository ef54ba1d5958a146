#pragma once

#include <cstdint>
#include <vector>

/** A 12-inch guitar loudspeaker in a closed-back cabinet, taken with two microphones: left close
    and on the cone's axis, right a little off axis (duller, with a floor reflection).

    The response is a cascade of minimum-phase sections (the box's high-pass with its resonance
    bump, the cone's presence and break-up peaks, a steep top roll-off), so energy starts at sample
    0 and is spent within a few tens of milliseconds.
*/
class CabinetModel
{
public:
    static constexpr double sampleRate = 44100.0;

    CabinetModel (int lengthFrames, uint64_t seed);

    /** The two-channel response, peak-normalised to peakDb. */
    std::vector<std::vector<double>> render (double peakDb) const;

private:
    int lengthFrames;
    uint64_t seed;
};
