#include "engine/HighShelfFilter.h"
#include "engine/PeakFilter.h"
#include "engine/TwoPoleHighPassFilter.h"
#include "engine/TwoPoleLowPassFilter.h"

#include <gtest/gtest.h>

#include <complex>

namespace
{
/** Magnitude in dB of the filter's transfer function at a frequency. */
double responseDb (const BiquadFilter& filter, double frequencyHz, double sampleRate)
{
    const auto c = filter.getCoefficients();
    const auto z = std::polar (1.0, -juce::MathConstants<double>::twoPi * frequencyHz / sampleRate);
    const auto numerator = (double) c[0] + (double) c[1] * z + (double) c[2] * z * z;
    const auto denominator = (double) c[3] + (double) c[4] * z + (double) c[5] * z * z;
    return 20.0 * std::log10 (std::abs (numerator / denominator));
}

template <typename Filter>
Filter makeFilter (float rate, float frequency, float q, float gain)
{
    Filter f;
    f.sampleRate = rate;
    f.setParameters (frequency, q, gain);
    return f;
}
} // namespace

TEST (Filters, OutputSilenceUntilFirstConfigured)
{
    TwoPoleLowPassFilter filter;
    float x = 0.7f;
    filter.processSample (x, 0);
    EXPECT_EQ (x, 0.0f);
}

TEST (Filters, LowAndHighPassAreMinusThreeDecibelsAtTheirFrequency)
{
    const auto lowPass = makeFilter<TwoPoleLowPassFilter> (48000.0f, 1000.0f, 0.70710678f, 0.0f);
    const auto highPass = makeFilter<TwoPoleHighPassFilter> (48000.0f, 50.0f, 0.70710678f, 0.0f);

    EXPECT_NEAR (responseDb (lowPass, 1000.0, 48000.0), -3.01, 0.02);
    EXPECT_NEAR (responseDb (lowPass, 10.0, 48000.0), 0.0, 0.01);
    EXPECT_NEAR (responseDb (highPass, 50.0, 48000.0), -3.01, 0.02);
    EXPECT_NEAR (responseDb (highPass, 10000.0, 48000.0), 0.0, 0.01);
    EXPECT_EQ (lowPass.getCoefficients()[3], 1.0f);
}

TEST (Filters, PeakAndShelfSitAtTwiceTheirFrequency)
{
    const auto peak = makeFilter<PeakFilter> (44100.0f, 1000.0f, 1.0f, 6.0f);
    EXPECT_NEAR (responseDb (peak, 2000.0, 44100.0), 6.0, 0.01);
    EXPECT_LT (responseDb (peak, 1000.0, 44100.0), 4.0);

    const auto shelf = makeFilter<HighShelfFilter> (44100.0f, 2500.0f, 0.7071f, 12.0f);
    EXPECT_NEAR (responseDb (shelf, 5000.0, 44100.0), 6.0, 0.3); // half the shelf gain at the corner
    EXPECT_NEAR (responseDb (shelf, 100.0, 44100.0), 0.0, 0.05);
    EXPECT_NEAR (responseDb (shelf, 16000.0, 44100.0), 12.0, 0.5);
}

TEST (Filters, PeakWithoutGainIsTransparent)
{
    const auto peak = makeFilter<PeakFilter> (48000.0f, 3000.0f, 2.0f, 0.0f);
    const auto c = peak.getCoefficients();
    EXPECT_EQ (c[0], c[3]);
    EXPECT_EQ (c[1], c[4]);
    EXPECT_EQ (c[2], c[5]);
}

TEST (Filters, EachChannelKeepsItsOwnStateAndAMonoBufferTouchesOnlyTheFirst)
{
    auto filter = makeFilter<TwoPoleLowPassFilter> (48000.0f, 500.0f, 0.7f, 0.0f);
    auto reference = filter;

    juce::AudioBuffer<float> mono (1, 64);
    mono.clear();
    mono.setSample (0, 0, 1.0f);
    filter.processBlock (mono);

    // channel 1 has seen nothing: it answers an impulse exactly like a fresh filter
    float a = 1.0f, b = 1.0f;
    filter.processSample (a, 1);
    reference.processSample (b, 1);
    EXPECT_EQ (a, b);

    // channel 0 carries the first impulse's ringing
    float c = 0.0f;
    filter.processSample (c, 0);
    EXPECT_NE (c, 0.0f);
}

TEST (Filters, SettingTheSameParametersAgainChangesNothing)
{
    auto once = makeFilter<HighShelfFilter> (48000.0f, 3000.0f, 0.7f, -6.0f);
    auto twice = once;
    twice.setParameters (3000.0f, 0.7f, -6.0f);

    for (int i = 0; i < 32; ++i)
    {
        float x = (float) std::sin (i * 0.3), y = x;
        once.processSample (x, 0);
        twice.processSample (y, 0);
        ASSERT_EQ (x, y);
    }
}

TEST (Filters, SettingsAboveTheNyquistLimitStayStable)
{
    // at 22.05 kHz the tone section's 20 kHz low-pass and 6.5 kHz shelf (acting at 13 kHz) are out of range
    auto lowPass = makeFilter<TwoPoleLowPassFilter> (22050.0f, 20000.0f, 0.71f, 0.0f);
    auto shelf = makeFilter<HighShelfFilter> (22050.0f, 6500.0f, 0.25f, 1.0f);
    float peak = 0.0f;

    for (int i = 0; i < 20000; ++i)
    {
        float x = (i % 7 == 0) ? 1.0f : -0.3f, y = x;
        lowPass.processSample (x, 0);
        shelf.processSample (y, 0);
        ASSERT_TRUE (std::isfinite (x) && std::isfinite (y)) << i;
        peak = std::max ({ peak, std::abs (x), std::abs (y) });
    }

    EXPECT_LT (peak, 4.0f);
    EXPECT_NEAR (responseDb (lowPass, 100.0, 22050.0), 0.0, 0.1); // as open as the rate allows
}
