#include "engine/Coilvox.h"
#include "plugin/ParameterIds.h"
#include "support/AllocationCounter.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{
/** Stands in for the processor: parameter values by ID, defaulting to the unit's defaults. */
struct FakeHost : EngineHost
{
    float getParameterValue (const char* id) const override
    {
        const auto found = values.find (id);
        return found != values.end() ? found->second : 0.0f;
    }

    std::map<std::string, float> values{ { ParameterIds::tank, 3.0f } };
};

struct EngineFixture : ::testing::Test
{
    void prepare (double rate, int blockSize, int inputs = 2, int outputs = 2)
    {
        engine.numInputChannels = inputs;
        engine.numOutputChannels = outputs;
        engine.prepare (rate, blockSize, inputs, outputs);
        engine.setInputLevel (0.0f);
        engine.setReverbAmount (23.0f);
        engine.setPreDelay (20);
        engine.setOversampling (3.0f);
    }

    void processInBlocks (juce::AudioBuffer<float>& buffer, int blockSize)
    {
        for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
        {
            juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(),
                                            buffer.getNumChannels(),
                                            start,
                                            juce::jmin (blockSize, buffer.getNumSamples() - start));
            engine.process (block);
        }
    }

    FakeHost host;
    Coilvox engine{ host };
};
} // namespace

TEST (EngineStatics, OversamplingMenuMapsToTheFactorExponent)
{
    EXPECT_EQ (Coilvox::oversamplingExponentFor (1.0f), 4);
    EXPECT_EQ (Coilvox::oversamplingExponentFor (2.0f), 3);
    EXPECT_EQ (Coilvox::oversamplingExponentFor (3.0f), 2);
    EXPECT_EQ (Coilvox::oversamplingExponentFor (4.0f), 1); // "OFF" still runs at 2×
    EXPECT_EQ (Coilvox::oversamplingExponentFor (0.0f), 0);
    EXPECT_EQ (Coilvox::oversamplingExponentFor (5.0f), 0);
}

TEST (EngineStatics, InputStageIsOneDecibelDownAtZeroAndSilentAtTheBottom)
{
    const float trim = juce::Decibels::decibelsToGain (Coilvox::inputTrimDb);
    EXPECT_NEAR (juce::Decibels::gainToDecibels (Coilvox::inputGainFor (0.0f) * trim), -1.0f, 1.0e-4f);
    EXPECT_EQ (Coilvox::inputGainFor (-70.0f), 0.0f);
    EXPECT_GT (Coilvox::inputGainFor (-69.0f), 0.0f);
    EXPECT_NEAR (juce::Decibels::gainToDecibels (Coilvox::inputGainFor (10.0f) * trim), 9.0f, 1.0e-4f);
}

TEST_F (EngineFixture, InputMeterJumpsUpAtOnceAndFallsLinearlyInDecibelsOverThreeTenthsOfASecond)
{
    prepare (48000.0, 480);
    juce::AudioBuffer<float> block (2, 480);

    // let the input ramp settle, then one loud block
    testsupport::fillSine (block, 48000.0, 1000.0, 0.5f);
    for (int i = 0; i < 4; ++i)
    {
        testsupport::fillSine (block, 48000.0, 1000.0, 0.5f);
        engine.process (block);
    }

    const float peakDb = engine.getInputLevelDb();
    EXPECT_NEAR (peakDb, juce::Decibels::gainToDecibels (0.5f / std::sqrt (2.0f) * 0.891251f), 0.05f);

    // The meter advances before it measures, so the fall starts with the second silent block:
    // after 15 silent blocks of 10 ms it has fallen for 14 of the 30 it takes.
    for (int i = 0; i < 15; ++i)
    {
        block.clear();
        engine.process (block);
    }
    EXPECT_NEAR (engine.getInputLevelDb(), peakDb + (-60.0f - peakDb) * 14.0f / 30.0f, 0.05f);

    for (int i = 0; i < 16; ++i)
    {
        block.clear();
        engine.process (block);
    }
    EXPECT_FLOAT_EQ (engine.getInputLevelDb(), -60.0f);
}

TEST_F (EngineFixture, SilentInputAfterSilentOutputSkipsEveryHeavyStageAndResumesFromItsState)
{
    prepare (48000.0, 256);
    juce::AudioBuffer<float> buffer (2, 256);

    for (int i = 0; i < 8; ++i)
    {
        testsupport::fillNoise (buffer, 0.5f, i);
        engine.process (buffer);
    }
    EXPECT_FALSE (engine.isOutputSilent());

    // the pre-delayed send keeps the chain running after the input stops
    buffer.clear();
    engine.process (buffer);
    EXPECT_FALSE (engine.isInputSilent());

    // the spring's tail rings for seconds before the output is silent too
    int blocks = 0;
    while (! (engine.isInputSilent() && engine.isOutputSilent()) && blocks++ < 4000)
    {
        buffer.clear();
        engine.process (buffer);
    }
    ASSERT_LT (blocks, 4000);
    EXPECT_GT (blocks, (int) (0.02 * 48000 / 256)); // at least the 20 ms pre-delay

    // skipped: the buffer is left as it came and nothing allocates or runs
    {
        const testsupport::ScopedAllocationCounter counter;
        for (int i = 0; i < 10; ++i)
        {
            buffer.clear();
            engine.process (buffer);
        }
        EXPECT_EQ (counter.getCount(), 0u);
    }
    EXPECT_EQ (testsupport::peakOf (buffer), 0.0f);

    // one sample wakes it up; it comes out after the same latency as before
    juce::AudioBuffer<float> resumed (2, 2048);
    resumed.clear();
    resumed.setSample (0, 0, 0.5f);
    resumed.setSample (1, 0, 0.5f);
    processInBlocks (resumed, 256);
    const int arrival = testsupport::firstSampleAbove (resumed, 0, 0.01f);
    EXPECT_GT (arrival, 96);
    EXPECT_LT (arrival, 96 + (int) engine.getOversamplingLatency() + 8);
}

TEST_F (EngineFixture, BlocksLargerThanPreparedAreProcessedInSlicesWithTheSameResult)
{
    prepare (44100.0, 64);
    juce::AudioBuffer<float> small (2, 4096);
    testsupport::fillNoise (small, 0.6f, 5);
    juce::AudioBuffer<float> large (small);
    processInBlocks (small, 64);

    FakeHost otherHost;
    Coilvox other (otherHost);
    other.prepare (44100.0, 64, 2, 2);
    other.setInputLevel (0.0f);
    other.setReverbAmount (23.0f);
    other.setPreDelay (20);
    other.setOversampling (3.0f);

    for (int start = 0; start < 4096; start += 1000)
    {
        juce::AudioBuffer<float> block (large.getArrayOfWritePointers(), 2, start, juce::jmin (1000, 4096 - start));
        other.process (block);
    }

    // the convolution's partitions follow the block size, so only rounding may differ
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 4096; ++i)
            ASSERT_NEAR (small.getSample (c, i), large.getSample (c, i), 1.0e-5f) << i;
}

TEST_F (EngineFixture, ReverbSendFollowsThePotLaw)
{
    // the send only shows through the silence test here: a send of zero lets the input stop at once
    prepare (48000.0, 256);
    engine.setReverbAmount (0.0f);
    juce::AudioBuffer<float> buffer (2, 256);

    for (int i = 0; i < 8; ++i)
    {
        testsupport::fillNoise (buffer, 0.5f, i);
        engine.process (buffer);
    }

    int blocks = 0;
    while (! engine.isInputSilent() && blocks++ < 10)
    {
        buffer.clear();
        engine.process (buffer);
    }
    EXPECT_LE (blocks, 1);
}
