#include "plugin/ProcessorFixture.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

namespace
{
/** Properties every host setting must keep, checked at each sample rate a host may run. */
class RateProperties : public ::testing::TestWithParam<double>, public ProcessorFixture
{
};
} // namespace

TEST_P (RateProperties, BypassIsTheInputDelayedByExactlyTheReportedLatency)
{
    const double rate = GetParam();
    prepare (rate, 256);
    const int latency = processor.getLatencySamples();
    EXPECT_EQ (latency,
               (int) processor.getEngine().getOversamplingLatency() + (int) (0.002 * std::min (rate, 192000.0)));

    juce::AudioBuffer<float> buffer (2, latency + 2000);
    testsupport::fillNoise (buffer, 0.7f, 13);
    const juce::AudioBuffer<float> input (buffer);
    processInBlocks (buffer, 173, true);

    for (int i = latency; i < buffer.getNumSamples(); ++i)
        ASSERT_EQ (buffer.getSample (1, i), input.getSample (1, i - latency)) << i;
}

TEST_P (RateProperties, BlocksOfAnySizeStayFiniteAndUnderTheCeiling)
{
    const double rate = GetParam();
    setPlain ("IN", 10.0f);
    setPlain ("AMP", 1.0f);
    setPlain ("CHORUS", 1.0f);
    prepare (rate, 512);

    juce::Random random (7);
    juce::MidiBuffer midi;
    int done = 0;

    // sizes from 1 sample to twice the announced maximum, as some hosts send
    while (done < (int) (0.4 * rate))
    {
        const int size = 1 + random.nextInt (1024);
        juce::AudioBuffer<float> block (2, size);
        testsupport::fillSine (block, rate, 220.0, 1.0f, done);
        processor.processBlock (block, midi);
        done += size;

        ASSERT_TRUE (testsupport::allFinite (block)) << size;
        ASSERT_LE (testsupport::peakOf (block), 0.9925f) << size;
    }
}

TEST_P (RateProperties, ANonFiniteBurstNeverReachesTheOutput)
{
    const double rate = GetParam();
    prepare (rate, 128);
    juce::AudioBuffer<float> block (2, 128);
    juce::MidiBuffer midi;

    for (int b = 0; b < 200; ++b)
    {
        testsupport::fillNoise (block, 0.5f, b);

        if (b >= 20 && b < 24)
            for (int i = 0; i < 128; i += 5)
                block.setSample (b % 2,
                                 i,
                                 b % 3 == 0 ? std::numeric_limits<float>::infinity()
                                            : std::numeric_limits<float>::quiet_NaN());

        processor.processBlock (block, midi);
        ASSERT_TRUE (testsupport::allFinite (block)) << "block " << b;
    }
}

TEST_P (RateProperties, PreparingAgainMidStreamAtAnotherRateKeepsWorking)
{
    const double rate = GetParam();
    prepare (44100.0, 256);
    juce::AudioBuffer<float> block (2, 256);
    testsupport::fillNoise (block, 0.5f, 1);
    processInBlocks (block, 256);

    prepare (rate, 64);
    for (int b = 0; b < 50; ++b)
    {
        testsupport::fillNoise (block, 0.5f, b);
        processInBlocks (block, 64);
        ASSERT_TRUE (testsupport::allFinite (block));
    }

    EXPECT_GT (testsupport::peakOf (block), 0.01f);
}

INSTANTIATE_TEST_SUITE_P (HostRates,
                          RateProperties,
                          ::testing::Values (22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0),
                          [] (const auto& info) { return std::to_string ((int) info.param); });
