#pragma once

/** A second-order section in transposed direct form II, double precision, with the usual
    audio-cookbook designs. Used for the transducer, band-limit and cabinet responses.
*/
class Biquad
{
public:
    static Biquad lowPass (double sampleRate, double frequencyHz, double q);
    static Biquad highPass (double sampleRate, double frequencyHz, double q);
    static Biquad peak (double sampleRate, double frequencyHz, double q, double gainDb);
    static Biquad identity();

    double processSample (double x);
    void reset();

private:
    Biquad (double b0, double b1, double b2, double a0, double a1, double a2);

    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    double s1 = 0.0, s2 = 0.0;
};
