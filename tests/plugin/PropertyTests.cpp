#include "plugin/ProcessorFixture.h"
#include "support/TestSignals.h"

#include "plugin/ParameterInfo.h"

#include <gtest/gtest.h>

namespace
{
/** The limiter's ceiling as the host sees it (a hair below 0 dBFS). */
constexpr float ceiling = 0.9925f;

/** Properties every host setting must keep, checked at each sample rate a host may run. */
class RateProperties : public ::testing::TestWithParam<double>, public ProcessorFixture
{
};

/** The loudest ordinary settings: full input level into the amplifier with tremolo. */
void driveHard (ProcessorFixture& f)
{
    f.setPlain ("IN", 10.0f);
    f.setPlain ("AMP", 1.0f);
    f.setPlain ("CHORUS", 1.0f);
}

/** Runs the buffer in blocks of the given size and checks every block on the way. */
void expectFiniteUnderTheCeiling (ProcessorFixture& f, juce::AudioBuffer<float>& buffer, int blockSize)
{
    f.processInBlocks (buffer,
                       blockSize,
                       false,
                       [] (const juce::AudioBuffer<float>& block, int start)
                       {
                           EXPECT_TRUE (testsupport::allFinite (block)) << "block at " << start;
                           EXPECT_LE (testsupport::peakOf (block), ceiling) << "block at " << start;
                           return ! ::testing::Test::HasFailure();
                       });
}
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
    driveHard (*this);
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
        ASSERT_LE (testsupport::peakOf (block), ceiling) << size;
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

//==============================================================================
namespace
{
struct BlockCase
{
    int announced, sent;
};

/** Fixed block sizes from one sample to 8192, and blocks far larger than announced in prepare. */
class BlockSizeProperties : public ::testing::TestWithParam<BlockCase>, public ProcessorFixture
{
};
} // namespace

TEST_P (BlockSizeProperties, StayFiniteUnderTheCeilingAndKeepTheSignal)
{
    const auto [announced, sent] = GetParam();
    driveHard (*this);
    prepare (48000.0, announced);

    // long enough to hear the signal through the latency, short enough for one-sample blocks
    juce::AudioBuffer<float> buffer (2, juce::jmax (2 * sent, juce::jlimit (2048, 16384, 64 * announced)));
    testsupport::fillSine (buffer, 48000.0, 220.0, 1.0f);
    expectFiniteUnderTheCeiling (*this, buffer, sent);

    EXPECT_GT (buffer.getRMSLevel (0, buffer.getNumSamples() / 2, buffer.getNumSamples() / 2), 0.05f);
}

INSTANTIATE_TEST_SUITE_P (Sizes,
                          BlockSizeProperties,
                          ::testing::Values (BlockCase{ 1, 1 },
                                             BlockCase{ 3, 3 },
                                             BlockCase{ 64, 64 },
                                             BlockCase{ 441, 441 },
                                             BlockCase{ 1024, 1024 },
                                             BlockCase{ 4096, 4096 },
                                             BlockCase{ 8192, 8192 },
                                             BlockCase{ 1, 64 },
                                             BlockCase{ 64, 8192 },
                                             BlockCase{ 512, 8192 }),
                          [] (const auto& info)
                          { return std::to_string (info.param.announced) + "_" + std::to_string (info.param.sent); });

//==============================================================================
namespace
{
struct LayoutCase
{
    const char* name;
    int inputs, outputs, bufferChannels;
};

/** Mono and stereo buses, and host buffers wider than the layout. */
class LayoutProperties : public ::testing::TestWithParam<LayoutCase>, public ProcessorFixture
{
};
} // namespace

TEST_P (LayoutProperties, OutputsCarryTheSignalAndWiderChannelsStaySilent)
{
    const auto layout = GetParam();
    processor.setPlayConfigDetails (layout.inputs, layout.outputs, 48000.0, 256);
    driveHard (*this);
    prepare (48000.0, 256);

    juce::AudioBuffer<float> buffer (layout.bufferChannels, 24000);
    testsupport::fillNoise (buffer, 0.8f, 5);
    expectFiniteUnderTheCeiling (*this, buffer, 256);

    for (int c = 0; c < layout.outputs; ++c)
        EXPECT_GT (buffer.getRMSLevel (c, 12000, 12000), 0.05f) << "output " << c;

    for (int c = juce::jmax (layout.inputs, layout.outputs); c < layout.bufferChannels; ++c)
        EXPECT_EQ (buffer.getMagnitude (c, 0, buffer.getNumSamples()), 0.0f) << "channel " << c;
}

TEST_P (LayoutProperties, BypassDelaysTheFirstChannelByTheLatency)
{
    const auto layout = GetParam();
    processor.setPlayConfigDetails (layout.inputs, layout.outputs, 48000.0, 256);
    prepare (48000.0, 256);
    const int latency = processor.getLatencySamples();

    juce::AudioBuffer<float> buffer (layout.bufferChannels, latency + 1000);
    testsupport::fillNoise (buffer, 0.7f, 9);
    const juce::AudioBuffer<float> input (buffer);
    processInBlocks (buffer, 256, true);

    for (int i = latency; i < buffer.getNumSamples(); ++i)
        ASSERT_EQ (buffer.getSample (0, i), input.getSample (0, i - latency)) << i;
}

INSTANTIATE_TEST_SUITE_P (Layouts,
                          LayoutProperties,
                          ::testing::Values (LayoutCase{ "MonoToMono", 1, 1, 1 },
                                             LayoutCase{ "MonoToStereo", 1, 2, 2 },
                                             LayoutCase{ "StereoToMono", 2, 1, 2 },
                                             LayoutCase{ "StereoToStereo", 2, 2, 2 },
                                             LayoutCase{ "MonoInATwoChannelBuffer", 1, 1, 2 },
                                             LayoutCase{ "StereoInASixChannelBuffer", 2, 2, 6 }),
                          [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
namespace
{
/** One parameter (or, at index −1, all of them) automated at audio rate at one sample rate. */
class AutomationProperties : public ::testing::TestWithParam<std::tuple<double, int>>, public ProcessorFixture
{
};
} // namespace

TEST_P (AutomationProperties, SweptAndJumpedEveryChunkStaysFiniteUnderTheCeiling)
{
    const auto [rate, index] = GetParam();
    driveHard (*this);
    prepare (rate, 256);

    const auto& parameters = processor.getParameters();
    juce::Random random (index + 2);
    juce::AudioBuffer<float> buffer (2, (int) (0.25 * rate));
    testsupport::fillNoise (buffer, 0.9f, index + 100);

    // Sample-accurate automation: the host splits its block and moves the value between the pieces,
    // sweeping the whole range up and down with a jump to a random value every eighth piece.
    constexpr int chunk = 32;
    juce::MidiBuffer midi;

    for (int start = 0, step = 0; start < buffer.getNumSamples(); start += chunk, ++step)
    {
        const float sweep = std::abs (std::fmod ((float) step / 64.0f, 2.0f) - 1.0f);

        for (int p = 0; p < parameters.size(); ++p)
            if (index < 0 || p == index)
                parameters[p]->setValueNotifyingHost (step % 8 == 7 ? random.nextFloat() : sweep);

        juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(),
                                        2,
                                        start,
                                        juce::jmin (chunk, buffer.getNumSamples() - start));
        processor.processBlock (block, midi);

        ASSERT_TRUE (testsupport::allFinite (block)) << "piece " << step;
        ASSERT_LE (testsupport::peakOf (block), ceiling) << "piece " << step;
    }
}

INSTANTIATE_TEST_SUITE_P (EveryParameter,
                          AutomationProperties,
                          ::testing::Combine (::testing::Values (22050.0, 96000.0),
                                              ::testing::Range (-1, (int) parameterInfos().size())),
                          [] (const auto& info)
                          {
                              const int index = std::get<1> (info.param);
                              const std::string name =
                                  index < 0 ? "All" : parameterIdOf (parameterInfos()[(size_t) index]);
                              return name + "_" + std::to_string ((int) std::get<0> (info.param));
                          });

//==============================================================================
namespace
{
/** The longest ringing settings at two rates. */
class TailProperties : public ::testing::TestWithParam<double>, public ProcessorFixture
{
};
} // namespace

TEST_P (TailProperties, SilenceInGivesSilenceOutAfterTheTail)
{
    const double rate = GetParam();
    driveHard (*this);
    setPlain ("DECAY", 10.0f);
    setPlain ("DRY_REV_SEND", 100.0f);
    setPlain ("PREDEL", 200.0f);
    setPlain ("CH_C_GAIN", 100.0f);
    setPlain ("CHANNEL_C", 1.0f);
    prepare (rate, 1024);

    juce::AudioBuffer<float> buffer (2, (int) (0.5 * rate));
    testsupport::fillNoise (buffer, 0.9f, 21);
    processInBlocks (buffer, 1024);
    ASSERT_GT (testsupport::peakOf (buffer), 0.1f);

    // Silence for the announced tail and the latency; whatever follows must be silent.
    const int tail = (int) (processor.getTailLengthSeconds() * rate) + processor.getLatencySamples();
    juce::AudioBuffer<float> silence (2, tail);
    silence.clear();
    processInBlocks (silence, 1024);

    juce::AudioBuffer<float> after (2, (int) (0.5 * rate));
    after.clear();
    processInBlocks (after, 1024);
    EXPECT_EQ (testsupport::peakOf (after), 0.0f);
}

INSTANTIATE_TEST_SUITE_P (Rates,
                          TailProperties,
                          ::testing::Values (44100.0, 96000.0),
                          [] (const auto& info) { return std::to_string ((int) info.param); });
