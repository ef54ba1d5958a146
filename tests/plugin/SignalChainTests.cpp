#include "engine/WaveShapers.h"
#include "plugin/ProcessorFixture.h"
#include "support/AllocationCounter.h"
#include "support/TestSignals.h"

#include "CoilvoxBinaryData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace
{
class SignalChainTest : public ::testing::Test, public ProcessorFixture
{
protected:
    /** Runs a sine through the processor and returns the RMS of the last half of the output. */
    float steadyRms (float frequencyHz, float peak, int samples = 24000)
    {
        juce::AudioBuffer<float> buffer (2, samples);
        testsupport::fillSine (buffer, sampleRate, frequencyHz, peak);
        processInBlocks (buffer, maximumBlockSize);
        return buffer.getRMSLevel (0, samples / 2, samples / 2);
    }

    void waitForSpringBuilds()
    {
        auto& engine = processor.getEngine();

        for (int i = 0; i < 400 && engine.getCompletedSpringRebuildCount() < engine.getSpringRebuildCount(); ++i)
            std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }
};
} // namespace

TEST (WaveShapers, PadeFormsKeepTheirCharacteristicValues)
{
    // the [4/4] Padé exp leaves a small offset at zero input, larger for the steep setting
    EXPECT_NEAR (WaveShapers::tube (0.0f, 1.5f, 0.182425f), -7.2e-7f, 2.0e-7f);
    EXPECT_NEAR (WaveShapers::tube (0.0f, 5.0f, 0.006629f), -0.00109f, 0.00002f);

    for (const float x : { -0.5f, -0.2f, 0.0f, 0.3f, 0.5f })
        EXPECT_EQ (WaveShapers::softClip (x, 0.5f), x);

    EXPECT_GT (WaveShapers::softClip (0.8f, 0.5f), 0.5f);
    EXPECT_LT (WaveShapers::softClip (0.8f, 0.5f), 0.8f);
    EXPECT_NEAR (WaveShapers::channelC (0.0f), 0.0f, 1.0e-7f);
    EXPECT_NEAR (WaveShapers::ampSaturate (0.5f, 0.5f), 0.5f, 1.0e-7f);

    // the logistic tremolo shape runs from about 0.0357 to about 0.9643
    EXPECT_NEAR (WaveShapers::tremoloShape (-juce::MathConstants<float>::halfPi), 0.0357f, 0.0005f);
    EXPECT_NEAR (WaveShapers::tremoloShape (juce::MathConstants<float>::halfPi), 0.9643f, 0.0005f);
}

TEST_F (SignalChainTest, ChannelADriveIsCompensatedByItsLoudnessLaw)
{
    // With no reverb send and small signals the chain is linear: only channel A's drive and its
    // compensation differ between 0 % and 100 %, so the level ratio is 4 / (1 + 3 / 1.3).
    setPlain ("DRY_REV_SEND", 0.0f);
    setPlain ("CHANNEL_B", 0.0f);
    setPlain ("CH_A_GAIN", 0.0f);
    prepare (48000.0, 256);
    const float atZero = steadyRms (200.0f, 0.002f);

    setPlain ("CH_A_GAIN", 100.0f);
    prepare (48000.0, 256);
    const float atFull = steadyRms (200.0f, 0.002f);

    EXPECT_NEAR (atFull / atZero, 4.0f / (1.0f + 3.0f / 1.3f), 0.01f);
}

TEST_F (SignalChainTest, AllChannelsOffMuteTheUnitsDryPath)
{
    setPlain ("DRY_REV_SEND", 0.0f);
    setPlain ("CHANNEL_A", 0.0f);
    setPlain ("CHANNEL_B", 0.0f);
    prepare (48000.0, 256);
    EXPECT_LT (steadyRms (300.0f, 0.3f), 1.0e-4f);
}

TEST_F (SignalChainTest, GlobalMixAtHalfGivesBothSidesTheSameLaw)
{
    // channels off and no send: the unit contributes nothing, so only the dry side remains
    setPlain ("DRY_REV_SEND", 0.0f);
    setPlain ("CHANNEL_A", 0.0f);
    setPlain ("CHANNEL_B", 0.0f);
    setPlain ("MIX", 50.0f);
    prepare (48000.0, 256);

    juce::AudioBuffer<float> buffer (2, 24000);
    testsupport::fillNoise (buffer, 0.5f, 8);
    const juce::AudioBuffer<float> input (buffer);
    processInBlocks (buffer, 256);

    const float expectedGain = 1.0f - std::pow (0.5f, 1.5f);
    const int delay = 5 + 96;
    float error = 0.0f;

    for (int i = 12000; i < 24000; ++i)
        error = std::max (error, std::abs (buffer.getSample (0, i) - expectedGain * input.getSample (0, i - delay)));

    EXPECT_LT (error, 1.0e-4f);
}

TEST_F (SignalChainTest, FullReverbAmountRemovesTheUnitsDrySignal)
{
    // An impulse: before the pre-delayed spring answers, only the unit's dry signal could sound.
    const auto earlyPeak = [this] (float amount)
    {
        setPlain ("DRY_REV_SEND", amount);
        setPlain ("PREDEL", 100.0f);
        prepare (48000.0, 256);

        juce::AudioBuffer<float> buffer (2, 48000);
        buffer.clear();
        processInBlocks (buffer, 256); // let the response settle in
        buffer.clear();
        buffer.setSample (0, 0, 0.5f);
        buffer.setSample (1, 0, 0.5f);
        processInBlocks (buffer, 256);
        return buffer.getMagnitude (0, 0, 2400); // the first 50 ms
    };

    EXPECT_GT (earlyPeak (50.0f), 0.01f);
    EXPECT_LT (earlyPeak (100.0f), 0.001f);
}

TEST_F (SignalChainTest, TheSpringAnswersAfterThePreDelay)
{
    setPlain ("MIX", 100.0f);
    setPlain ("DRY_REV_SEND", 100.0f);
    setPlain ("PREDEL", 60.0f);
    prepare (48000.0, 256);

    juce::AudioBuffer<float> buffer (2, 96000);
    buffer.clear();
    processInBlocks (buffer, 256);
    buffer.clear();
    testsupport::fillNoise (buffer, 0.5f, 4);
    buffer.clear (0, 480, 96000 - 480);
    buffer.clear (1, 480, 96000 - 480);
    processInBlocks (buffer, 256);

    const int arrival = testsupport::firstSampleAbove (buffer, 0, 0.001f);
    EXPECT_GE (arrival, 2880);                                // 60 ms
    EXPECT_GT (buffer.getRMSLevel (0, 4800, 48000), 1.0e-4f); // and rings on for a while
}

TEST_F (SignalChainTest, EveryTankSelectsItsRecordingAndTheBuiltResponseIsTwoChannelsInTwentySegments)
{
    auto& engine = processor.getEngine();
    const int frames[] = { 340542, 339808, 294912 };

    for (int t = 1; t <= 3; ++t)
    {
        EXPECT_EQ (engine.getTankImpulse (t).getNumSamples(), frames[t - 1]);
        EXPECT_EQ (engine.getTankImpulse (t).getNumChannels(), 2);
        EXPECT_LE (engine.getTankImpulse (t).getMagnitude (0, 0, frames[t - 1]), 1.0f);
    }

    prepare (44100.0, 512);

    for (const int t : { 1, 2, 3, 1 })
    {
        setPlain ("TANK", (float) t);
        waitForSpringBuilds();
        const auto built = engine.getLastBuiltResponse();
        EXPECT_EQ (built.tank, t);
        EXPECT_EQ (built.numChannels, 2);
        EXPECT_EQ (built.numSamples % 20, 0);
        EXPECT_GE (built.numSamples, frames[t - 1]);
        EXPECT_LT (built.numSamples, frames[t - 1] + 20);
    }
}

TEST_F (SignalChainTest, TheFloatTankDecodesToItsStoredValues)
{
    // the float recording's data chunk, read straight from the embedded bytes
    const auto* bytes = reinterpret_cast<const char*> (CoilvoxBinaryData::coilvoxTank_wav);
    const int size = CoilvoxBinaryData::coilvoxTank_wavSize;
    int offset = 12;

    while (offset + 8 <= size && juce::String (bytes + offset, 4) != "data")
        offset += 8 + (int) juce::ByteOrder::littleEndianInt (bytes + offset + 4);

    ASSERT_LT (offset + 8, size);
    const auto* samples = bytes + offset + 8; // not aligned for floats inside the file: copy each one
    const auto& decoded = processor.getEngine().getTankImpulse (3);

    const auto storedSample = [samples] (int index)
    {
        float value;
        std::memcpy (&value, samples + 4 * index, sizeof (value));
        return value;
    };

    for (int i = 0; i < 2000; i += 7)
    {
        ASSERT_EQ (decoded.getSample (0, i), storedSample (2 * i));
        ASSERT_EQ (decoded.getSample (1, i), storedSample (2 * i + 1));
    }
}

TEST_F (SignalChainTest, AmplifierOffContributesNothingOnceItsFadeIsOver)
{
    // Two instances with the same input: one had the amplifier on and switches it off.
    ProcessorFixture never;
    never.prepare (48000.0, 256);
    setPlain ("AMP", 1.0f);
    prepare (48000.0, 256);

    juce::AudioBuffer<float> a (2, 48000), b (2, 48000);
    testsupport::fillNoise (a, 0.05f, 2);
    b.makeCopyOf (a);
    processInBlocks (a, 256);
    never.processInBlocks (b, 256);
    float whileOn = 0.0f;
    for (int i = 2400; i < 48000; ++i)
        whileOn = std::max (whileOn, std::abs (a.getSample (0, i) - b.getSample (0, i)));
    EXPECT_GT (whileOn, 0.01f); // the amplifier was audible

    setPlain ("AMP", 0.0f);
    testsupport::fillNoise (a, 0.05f, 3);
    b.makeCopyOf (a);
    processInBlocks (a, 256);
    never.processInBlocks (b, 256);

    float difference = 0.0f;
    for (int i = 2400; i < 48000; ++i) // 50 ms on: past the 25 ms fade and the look-ahead
        difference = std::max (difference, std::abs (a.getSample (0, i) - b.getSample (0, i)));

    EXPECT_LT (difference, 1.0e-6f);
}

TEST_F (SignalChainTest, SyncedTremoloRunsAtTheNoteValueOfTheTempoWhenItWasSet)
{
    auto& engine = processor.getEngine();
    engine.bpm = 120.0;
    setPlain ("SYNC", 1.0f);
    setPlain ("SYNC_RATE", 1.0f); // 1/4
    setPlain ("CHORUS", 1.0f);
    EXPECT_DOUBLE_EQ (engine.getTremoloRateHz(), 2.0);

    engine.bpm = 90.0; // a later tempo change waits for the next sync setting
    EXPECT_DOUBLE_EQ (engine.getTremoloRateHz(), 2.0);
    setPlain ("SYNC_RATE", 5.0f); // 1/24: six cycles per quarter note
    EXPECT_DOUBLE_EQ (engine.getTremoloRateHz(), 9.0);

    setPlain ("SYNC", 0.0f);
    setPlain ("RATE", 4.5f);
    EXPECT_DOUBLE_EQ (engine.getTremoloRateHz(), 4.5);
}

TEST_F (SignalChainTest, TremoloPhaseStaysWithinOneTurnAndModulatesTheAmplifier)
{
    setPlain ("AMP", 1.0f);
    setPlain ("CHORUS", 1.0f);
    setPlain ("SYNC", 0.0f);
    setPlain ("RATE", 10.0f);
    setPlain ("DEPTH", 100.0f);
    setPlain ("MIX", 0.0f);
    prepare (48000.0, 100);

    juce::AudioBuffer<float> buffer (2, 100);
    std::vector<float> blockRms;

    for (int b = 0; b < 960; ++b)
    {
        testsupport::fillSine (buffer, 48000.0, 1000.0, 0.05f, b * 100);
        processInBlocks (buffer, 100);
        const float phase = processor.getEngine().getTremoloPhase();
        ASSERT_GE (phase, 0.0f);
        ASSERT_LT (phase, juce::MathConstants<float>::twoPi);
        blockRms.push_back (buffer.getRMSLevel (0, 0, 100));
    }

    // a 10 Hz tremolo at full depth swings the level by several times over the last second
    const auto [low, high] = std::minmax_element (blockRms.begin() + 480, blockRms.end());
    EXPECT_GT (*high / *low, 3.0f);
}

TEST_F (SignalChainTest, NonFiniteInputIsTreatedAsSilenceAndTheChainRecovers)
{
    prepare (48000.0, 256);
    juce::AudioBuffer<float> buffer (2, 256);

    for (int b = 0; b < 40; ++b)
    {
        testsupport::fillSine (buffer, 48000.0, 440.0, 0.3f, b * 256);

        if (b == 10)
            for (int i = 0; i < 256; i += 3)
            {
                buffer.setSample (0, i, std::numeric_limits<float>::quiet_NaN());
                buffer.setSample (1, i, std::numeric_limits<float>::infinity());
            }

        processInBlocks (buffer, 256);
        ASSERT_TRUE (testsupport::allFinite (buffer)) << "block " << b;
    }

    EXPECT_GT (buffer.getRMSLevel (0, 0, 256), 0.05f);
}

TEST_F (SignalChainTest, SteadyStateAllocatesNothingWithEveryParameterAutomatedOnTheAudioThread)
{
    setPlain ("AMP", 1.0f);
    setPlain ("CHORUS", 1.0f);
    prepare (48000.0, 256);
    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;
    juce::Random random (42);

    for (int i = 0; i < 8; ++i)
    {
        testsupport::fillNoise (buffer, 0.5f, i);
        processor.processBlock (buffer, midi);
    }

    std::size_t allocations = 0;

    for (int block = 0; block < 300; ++block)
    {
        testsupport::fillNoise (buffer, 0.5f, block);
        const testsupport::ScopedAllocationCounter counter;

        for (auto* p : processor.getParameters())
            p->setValueNotifyingHost (random.nextFloat());

        processor.processBlock (buffer, midi);
        allocations += counter.getCount();
    }

    EXPECT_EQ (allocations, 0u);
    waitForSpringBuilds();
}

TEST (SignalChainDeterminism, TwoInstancesPreparedAlikeRenderTheSameSamples)
{
    // Renders must not depend on when a background thread happens to finish.
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        ProcessorFixture a, b;
        a.setPlain ("DECAY", 7.0f);
        b.setPlain ("DECAY", 7.0f);
        a.prepare (44100.0, 128);
        std::this_thread::sleep_for (std::chrono::milliseconds (attempt * 20));
        b.prepare (44100.0, 128);

        juce::AudioBuffer<float> x (2, 22050), y (2, 22050);
        testsupport::fillNoise (x, 0.3f, attempt);
        y.makeCopyOf (x);
        a.processInBlocks (x, 128);
        std::this_thread::sleep_for (std::chrono::milliseconds (30));
        b.processInBlocks (y, 128);

        for (int i = 0; i < 22050; ++i)
            ASSERT_EQ (x.getSample (0, i), y.getSample (0, i)) << "attempt " << attempt << " sample " << i;
    }
}

TEST_F (SignalChainTest, APreDelayChangeFadesBetweenTheLinesWithoutMovingTheAudibleOne)
{
    setPlain ("PREDEL", 20.0f);
    prepare (48000.0, 480);
    auto& engine = processor.getEngine();
    juce::AudioBuffer<float> block (2, 480);

    const auto run = [&] (int blocks)
    {
        for (int b = 0; b < blocks; ++b)
        {
            testsupport::fillNoise (block, 0.2f, b);
            processInBlocks (block, 480);
        }
    };

    run (1);
    auto state = engine.getPreDelayState();
    EXPECT_EQ (state.delay2, 960.0f); // 20 ms at 48 kHz in the second line, which plays alone
    EXPECT_EQ (state.gain2, 1.0f);
    EXPECT_EQ (state.gain1, 0.0f);

    // the new delay goes into the silent line, which fades in over 0.1 s while the other fades out
    setPlain ("PREDEL", 80.0f);
    run (5);
    state = engine.getPreDelayState();
    EXPECT_EQ (state.delay1, 3840.0f);
    EXPECT_EQ (state.delay2, 960.0f);
    EXPECT_NEAR (state.gain1, 0.5f, 0.01f);
    EXPECT_NEAR (state.gain2, 0.5f, 0.01f);

    run (5);
    state = engine.getPreDelayState();
    EXPECT_EQ (state.gain1, 1.0f);
    EXPECT_EQ (state.gain2, 0.0f);

    // and the next change fades back into the second line
    setPlain ("PREDEL", 10.0f);
    run (10);
    state = engine.getPreDelayState();
    EXPECT_EQ (state.delay1, 3840.0f);
    EXPECT_EQ (state.delay2, 480.0f);
    EXPECT_EQ (state.gain2, 1.0f);
}
