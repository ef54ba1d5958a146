#include "plugin/ProcessorFixture.h"
#include "support/AllocationCounter.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
class ProcessorTest : public ::testing::Test, public ProcessorFixture
{
};

class FakePlayHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override { return info; }
    PositionInfo info;
};

int latencyFor (VantorraCoilvoxAudioProcessor& p, double rate)
{
    return (int) p.getEngine().getOversamplingLatency() + (int) (0.002 * (int) rate);
}
} // namespace

TEST_F (ProcessorTest, DescribesItselfToTheHost)
{
    EXPECT_EQ (processor.getName(), "OV Vantorra Coilvox");
    EXPECT_EQ (processor.getTailLengthSeconds(), 9.0);
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_TRUE (processor.getProgramName (0).isEmpty());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
}

TEST_F (ProcessorTest, AcceptsMonoOrStereoOutputsOnly)
{
    using Set = juce::AudioChannelSet;
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (Set::stereo());

    layout.outputBuses.add (Set::mono());
    EXPECT_TRUE (processor.isBusesLayoutSupported (layout));
    layout.outputBuses.getReference (0) = Set::stereo();
    EXPECT_TRUE (processor.isBusesLayoutSupported (layout));
    layout.outputBuses.getReference (0) = Set::createLCR();
    EXPECT_FALSE (processor.isBusesLayoutSupported (layout));
}

TEST_F (ProcessorTest, LatencyIsTheOversamplerPlusTheLimiterLookAhead)
{
    for (const double rate : { 44100.0, 48000.0, 96000.0 })
    {
        prepare (rate, 256);
        const int lookAhead = rate == 44100.0 ? 88 : rate == 48000.0 ? 96 : 192;
        EXPECT_EQ (processor.getLatencySamples(), (int) processor.getEngine().getOversamplingLatency() + lookAhead);
        EXPECT_GT (processor.getLatencySamples(), lookAhead); // the 4× oversampler adds its own delay
    }

    setPlain ("OSMenu", 1.0f);
    prepare (48000.0, 256);
    const int latencyAt16x = processor.getLatencySamples();
    setPlain ("OSMenu", 4.0f);
    prepare (48000.0, 256);
    EXPECT_NE (processor.getLatencySamples(), latencyAt16x);
    EXPECT_EQ (processor.getLatencySamples(), latencyFor (processor, 48000.0));
}

TEST_F (ProcessorTest, BypassedOutputIsTheInputDelayedByExactlyTheLatency)
{
    for (const double rate : { 44100.0, 48000.0, 192000.0 })
    {
        prepare (rate, 128);
        const int latency = processor.getLatencySamples();
        ASSERT_EQ (processor.getBypassDelaySamples(), latency);

        juce::AudioBuffer<float> buffer (2, latency + 1000);
        testsupport::fillNoise (buffer, 0.8f, 7);
        const juce::AudioBuffer<float> input (buffer);

        processInBlocks (buffer, 97, true);

        for (int c = 0; c < 2; ++c)
        {
            for (int i = 0; i < latency; ++i)
                ASSERT_EQ (buffer.getSample (c, i), 0.0f);

            for (int i = latency; i < buffer.getNumSamples(); ++i)
                ASSERT_EQ (buffer.getSample (c, i), input.getSample (c, i - latency))
                    << "rate " << rate << " sample " << i;
        }
    }
}

TEST_F (ProcessorTest, GlobalMixAtZeroGivesTheHostInputFiveSamplesLateThroughTheLimiter)
{
    setPlain ("MIX", 0.0f);
    prepare (48000.0, 512);

    juce::AudioBuffer<float> buffer (2, 24000);
    testsupport::fillNoise (buffer, 0.9f, 21);
    const juce::AudioBuffer<float> input (buffer);
    processInBlocks (buffer, 512);

    const int delay = 5 + 96; // the dry path's five samples, then the limiter's look-ahead
    float error = 0.0f;

    for (int c = 0; c < 2; ++c)
        for (int i = delay; i < buffer.getNumSamples(); ++i)
            error = std::max (error, std::abs (buffer.getSample (c, i) - input.getSample (c, i - delay)));

    EXPECT_LT (error, 1.0e-5f);
}

TEST_F (ProcessorTest, MonoInputFeedsBothChannels)
{
    processor.setPlayConfigDetails (1, 2, 48000.0, 256);
    prepare (48000.0, 256);

    juce::AudioBuffer<float> buffer (2, 9600);
    buffer.clear();
    juce::AudioBuffer<float> mono (1, 9600);
    testsupport::fillSine (mono, 48000.0, 500.0, 0.5f);
    buffer.copyFrom (0, 0, mono, 0, 0, 9600);
    processInBlocks (buffer, 256);

    // the width copy makes the two sides differ a little, but both carry the signal
    EXPECT_GT (buffer.getRMSLevel (1, 4800, 4800), 0.1f);
    EXPECT_NEAR (buffer.getRMSLevel (0, 4800, 4800) / buffer.getRMSLevel (1, 4800, 4800), 1.0f, 0.1f);
}

TEST_F (ProcessorTest, ChannelsBeyondTheStereoChainAreClearedNotRead)
{
    prepare (48000.0, 256);
    juce::AudioBuffer<float> buffer (4, 2048);
    testsupport::fillNoise (buffer, 0.5f, 3);
    processInBlocks (buffer, 256);

    EXPECT_EQ (buffer.getMagnitude (2, 0, 2048), 0.0f);
    EXPECT_EQ (buffer.getMagnitude (3, 0, 2048), 0.0f);
    EXPECT_GT (buffer.getMagnitude (0, 1024, 1024), 0.1f);
    EXPECT_TRUE (testsupport::allFinite (buffer));
}

TEST_F (ProcessorTest, PlayHeadTempoReachesTheEngineOnlyWithAMusicalPosition)
{
    FakePlayHead playHead;
    processor.setPlayHead (&playHead);
    prepare (48000.0, 64);
    auto& engine = processor.getEngine();
    engine.tremoloRestartRequested = false; // the parameter push re-synced the tremolo
    juce::AudioBuffer<float> buffer (2, 64);

    playHead.info.setBpm (90.0);
    buffer.clear();
    processInBlocks (buffer, 64);
    EXPECT_EQ (engine.bpm.load(), 120.0);

    playHead.info.setPpqPosition (8.0);
    playHead.info.setIsPlaying (true);
    processInBlocks (buffer, 64);
    EXPECT_EQ (engine.bpm.load(), 90.0);
    EXPECT_EQ (engine.ppqPosition.load(), 8.0);
    EXPECT_TRUE (engine.isPlaying.load());
    EXPECT_FALSE (engine.tremoloRestartRequested.load());

    playHead.info.setIsPlaying (false);
    processInBlocks (buffer, 64);
    EXPECT_FALSE (engine.isPlaying.load());
    EXPECT_TRUE (engine.tremoloRestartRequested.load());
    processor.setPlayHead (nullptr);
}

TEST_F (ProcessorTest, ChannelGainCombinationRevealsTheHiddenSectionUntilUnlocked)
{
    setPlain ("CH_A_GAIN", 65.0f);
    setPlain ("CH_B_GAIN", 5.0f);
    EXPECT_FALSE (processor.hiddenComboSet.load());
    setPlain ("CH_C_GAIN", 20.0f);
    EXPECT_TRUE (processor.hiddenComboSet.load());
    setPlain ("CH_A_GAIN", 70.5f);
    EXPECT_FALSE (processor.hiddenComboSet.load());

    setPlain ("CH_A_GAIN", 65.0f);
    EXPECT_TRUE (processor.hiddenComboSet.load());
    processor.hiddenUnlocked = true;
    setPlain ("CH_A_GAIN", 90.0f);
    EXPECT_TRUE (processor.hiddenComboSet.load());
}

TEST_F (ProcessorTest, DecayAutomationRebuildsOnEveryStepLargerThanTheThreshold)
{
    prepare (48000.0, 256);
    auto& engine = processor.getEngine();
    const int before = engine.getSpringRebuildCount();

    setPlain ("DECAY", -1.0f); // 0.05 > 0.04
    EXPECT_EQ (engine.getSpringRebuildCount(), before + 1);
    setPlain ("DECAY", 0.0f); // within 100 ms, but no gesture: builds too
    EXPECT_EQ (engine.getSpringRebuildCount(), before + 2);
    EXPECT_DOUBLE_EQ (engine.getNormalisedDecay(), 0.5);
}

TEST_F (ProcessorTest, GesturesOnOtherParametersChangeNothingAndADecayDragEndsOnItsLastValue)
{
    prepare (48000.0, 256);
    auto& engine = processor.getEngine();
    auto* decay = processor.parameters.getParameter ("DECAY");
    auto* width = processor.parameters.getParameter ("WIDTH");

    const int before = engine.getSpringRebuildCount();
    width->beginChangeGesture();
    width->setValueNotifyingHost (0.3f);
    width->endChangeGesture();
    EXPECT_EQ (engine.getSpringRebuildCount(), before);

    // A fast drag: the throttle lets at most one rebuild through per 100 ms ...
    decay->beginChangeGesture();
    for (const float v : { -1.0f, 0.0f, 1.0f, 2.0f })
        decay->setValueNotifyingHost (decay->convertTo0to1 (v));
    EXPECT_LE (engine.getSpringRebuildCount(), before + 2);

    // ... and the end of the drag builds the value the control shows.
    decay->endChangeGesture();
    EXPECT_DOUBLE_EQ (engine.getNormalisedDecay(), 0.6);
    const int afterDrag = engine.getSpringRebuildCount();
    EXPECT_GT (afterDrag, before);

    decay->beginChangeGesture();
    decay->endChangeGesture();
    EXPECT_EQ (engine.getSpringRebuildCount(), afterDrag);
}

TEST_F (ProcessorTest, OversamplingMenuSwitchesTheFactorWithoutTouchingTheLatencyUntilPrepare)
{
    prepare (44100.0, 128);
    const int latency = processor.getLatencySamples();
    auto& engine = processor.getEngine();
    juce::AudioBuffer<float> buffer (2, 128);

    const std::pair<float, int> cases[] = { { 4.0f, 2 }, { 1.0f, 16 }, { 2.0f, 8 }, { 3.0f, 4 } };

    for (const auto& [menuValue, factor] : cases)
    {
        setPlain ("OSMenu", menuValue);
        testsupport::fillNoise (buffer, 0.5f, 1);
        processInBlocks (buffer, 128);
        EXPECT_EQ (engine.getActiveOversamplingFactor(), factor) << menuValue;
        EXPECT_EQ (processor.getLatencySamples(), latency);
        EXPECT_TRUE (testsupport::allFinite (buffer));
    }
}

TEST_F (ProcessorTest, ConcurrentAutomationWhileProcessing)
{
    prepare (48000.0, 128);
    std::atomic<bool> running{ true };

    std::thread automation (
        [&]
        {
            juce::Random random (5);
            auto* decay = processor.parameters.getParameter ("DECAY");

            while (running)
            {
                for (auto* p : processor.getParameters())
                    p->setValueNotifyingHost (random.nextFloat());

                decay->beginChangeGesture();
                decay->setValueNotifyingHost (random.nextFloat());
                decay->endChangeGesture();
            }
        });

    juce::AudioBuffer<float> buffer (2, 128);
    juce::MidiBuffer midi;

    for (int block = 0; block < 1500; ++block)
    {
        testsupport::fillNoise (buffer, 0.9f, block);
        processor.processBlock (buffer, midi);
        ASSERT_TRUE (testsupport::allFinite (buffer));
        ASSERT_LE (testsupport::peakOf (buffer), 1.0f);
    }

    running = false;
    automation.join();
}
