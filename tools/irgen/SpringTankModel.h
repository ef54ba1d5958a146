#pragma once

#include <cstdint>
#include <string>
#include <vector>

/** One helical spring between the drive and pickup transducers. */
struct SpringParameters
{
    double roundTripMs;    // time for the low band (at 500 Hz) to run there and back
    double transitionHz;   // top of the low chirp band: sets the all-pass stretch factor
    int sectionsPerTrip;   // stretched all-pass sections for one length of the spring
    double allpassCoeff;   // dispersion strength of each section (0..1; larger = steeper chirps)
    double t60Seconds;     // decay time of the low band
    double dampingHz;      // corner of the loop's one-pole loss (loss rises with frequency)
    double wobbleSamples;  // depth of the slow random change of the loop delay
    double wobbleRateHz;   // bandwidth of that random change
    double highChirpLevel; // level of the weaker high-band chirps above the transition
    double highChirpCoeff; // (negative) coefficient of the high band's first-order all-passes
    int highChirpSections; // high-band sections per round trip
};

/** A whole tank: its springs, their mix to the two pickup channels and the transducers. */
struct TankParameters
{
    std::string name;
    int lengthFrames;
    uint64_t seed;
    std::vector<SpringParameters> springs;
    std::vector<double> leftMix; // one weight per spring
    std::vector<double> rightMix;
    double bandLowHz;        // springs carry little below this ...
    double bandHighHz;       // ... or above this
    double driveResonanceHz; // the drive coil's resonance with the spring's input magnet
    double driveResonanceDb;
    double driveResonanceQ;
    double pickupResonanceHz[2]; // left and right pickups differ slightly
    double pickupResonanceDb;
    double fadeMs; // the last part is faded out so the file ends in silence
    double peakDb;
};

/** Physically informed spring-reverb tank: each spring is a delay loop whose round trip passes
    through a long chain of dispersive (stretched) all-pass sections, so every echo is a chirp and
    every further echo is more dispersed than the last, as on a real spring.

    render() returns the tank's two-channel impulse response at 44.1 kHz, peak-normalised.
*/
class SpringTankModel
{
public:
    static constexpr double sampleRate = 44100.0;

    explicit SpringTankModel (TankParameters parameters);

    std::vector<std::vector<double>> render() const;

    const TankParameters& getParameters() const { return params; }

    //==============================================================================
    /** Long, bright and splashy: three long springs with strong high-band chirps. */
    static TankParameters accutronics (int lengthFrames);

    /** Short, dark and boingy: two springs with a low transition and heavy damping. */
    static TankParameters belton (int lengthFrames);

    /** The unit's own tank: balanced and lush, three springs of mixed lengths. */
    static TankParameters coilvox (int lengthFrames);

private:
    std::vector<double>
    renderSpring (const SpringParameters& spring, const std::vector<double>& drive, uint64_t seed) const;

    TankParameters params;
};
