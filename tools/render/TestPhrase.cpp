#include "TestPhrase.h"

#include <cmath>
#include <vector>

namespace
{
/** One plucked string: a noise burst circulating in a damped delay loop. */
void addPluck (juce::AudioBuffer<float>& buffer,
               double sampleRate,
               double startSeconds,
               double frequencyHz,
               float level,
               juce::Random& random)
{
    const int period = juce::jmax (2, (int) std::round (sampleRate / frequencyHz));
    std::vector<float> loop ((size_t) period);

    for (auto& s : loop)
        s = 2.0f * random.nextFloat() - 1.0f;

    const int start = (int) (startSeconds * sampleRate);
    const float damping = 0.996f;
    float previous = 0.0f;

    for (int i = start, k = 0; i < buffer.getNumSamples(); ++i, ++k)
    {
        auto& s = loop[(size_t) (k % period)];
        const float out = s;
        s = damping * 0.5f * (s + previous); // the averaging filter softens the string like a pick
        previous = out;

        // pan each string a little so the stereo chain has something to work with
        buffer.addSample (0, i, level * out * 0.9f);
        buffer.addSample (1, i, level * out);
    }
}
} // namespace

juce::AudioBuffer<float> TestPhrase::make (double sampleRate, double seconds)
{
    juce::AudioBuffer<float> buffer (2, (int) (seconds * sampleRate));
    buffer.clear();
    juce::Random random (1957);

    // E minor phrase: single notes, then a chord strum
    const double notes[] = { 329.63, 392.00, 440.00, 493.88, 440.00, 392.00 };

    for (int n = 0; n < 6; ++n)
        addPluck (buffer, sampleRate, 0.25 * n, notes[n], 0.35f, random);

    const double chord[] = { 82.41, 123.47, 164.81, 196.00, 246.94, 329.63 };

    for (int n = 0; n < 6; ++n)
        addPluck (buffer, sampleRate, 1.8 + 0.012 * n, chord[n], 0.22f, random);

    const float peak = juce::jmax (buffer.getMagnitude (0, 0, buffer.getNumSamples()),
                                   buffer.getMagnitude (1, 0, buffer.getNumSamples()));

    if (peak > 0.0f)
        buffer.applyGain (0.5f / peak);

    // the strings still ring at the end: fade them out rather than cut them off with a click
    const int fadeLength = juce::jmin (buffer.getNumSamples(), (int) (0.25 * sampleRate));
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        buffer.applyGainRamp (c, buffer.getNumSamples() - fadeLength, fadeLength, 1.0f, 0.0f);

    return buffer;
}
