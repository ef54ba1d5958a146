#include "engine/ZORLimiter.h"

#include <gtest/gtest.h>

namespace
{
std::vector<float> run (mydsp2& limiter, std::vector<float> samples)
{
    float* p = samples.data();
    limiter.compute ((int) samples.size(), &p, &p);
    return samples;
}
} // namespace

TEST (Limiter, ConstantsFollowTheRateUpTo192k)
{
    struct Case
    {
        int rate, lookahead;
    };

    for (const auto& c : { Case{ 44100, 88 },
                           { 48000, 96 },
                           { 88200, 176 },
                           { 96000, 192 },
                           { 192000, 384 },
                           { 384000, 384 },
                           { 400, 0 } })
    {
        mydsp2 limiter;
        limiter.init (c.rate);
        EXPECT_EQ (limiter.getLookaheadSamples(), c.lookahead) << c.rate;
        EXPECT_EQ (limiter.getSampleRate(), c.rate);
        EXPECT_EQ (limiter.getNumInputs(), 1);
        EXPECT_EQ (limiter.getNumOutputs(), 1);
    }
}

TEST (Limiter, QuietSignalsPassUnchangedButLate)
{
    mydsp2 limiter;
    limiter.init (48000);

    std::vector<float> input (2000);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = 0.99f * (float) std::sin (0.05 * (double) i);

    const auto output = run (limiter, input);

    for (size_t i = 0; i < 96; ++i)
        ASSERT_EQ (output[i], 0.0f);

    for (size_t i = 96; i < output.size(); ++i)
        ASSERT_EQ (output[i], input[i - 96]);
}

TEST (Limiter, ImpulseIsCaughtByTheLookAheadAndHeldForATenthOfASecond)
{
    mydsp2 limiter;
    limiter.init (44100);

    std::vector<float> input (20000, 0.0f);
    input[0] = 2.0f;
    input[10] = 0.5f; // inside the hold: the gain stays down for it too

    const auto output = run (limiter, input);
    EXPECT_NEAR (output[88], 0.9917f, 0.0002f);
    EXPECT_LT (output[98], 0.5f * 0.5f);

    // after the hold and the release, a sample at the ceiling passes at full gain again
    std::vector<float> later (44100, 0.0f);
    later[0] = 0.99f;
    const auto released = run (limiter, later);
    EXPECT_EQ (released[88], 0.99f);
}

TEST (Limiter, PeaksNeverLeaveAboveTheCeilingByMoreThanTheAttackAllows)
{
    mydsp2 limiter;
    limiter.init (48000);
    std::vector<float> input (48000);
    juce::Random random (9);

    for (auto& x : input)
        x = 4.0f * (2.0f * random.nextFloat() - 1.0f);

    for (const float y : run (limiter, input))
        ASSERT_LE (std::abs (y), 0.9925f);
}

TEST (Limiter, ChannelsAreLimitedIndependently)
{
    ZORLimiter<float> limiter;
    limiter.prepare ({ 44100.0, 512, 2 });

    juce::AudioBuffer<float> buffer (2, 512);
    for (int i = 0; i < 512; ++i)
    {
        buffer.setSample (0, i, 3.0f);
        buffer.setSample (1, i, 0.5f);
    }

    juce::dsp::AudioBlock<float> block (buffer);
    limiter.process (juce::dsp::ProcessContextReplacing<float> (block));

    EXPECT_EQ (buffer.getSample (1, 400), 0.5f);
    EXPECT_LT (buffer.getSample (0, 400), 1.0f);

    limiter.reset();
    EXPECT_EQ (limiter.getInstance (0).getSampleRate(), 44100);
}

TEST (Limiter, DeclaresItsOriginInTheMetadata)
{
    struct Collector : Meta
    {
        void declare (const char* key, const char* value) override { entries[key] = value; }
        std::map<std::string, std::string> entries;
    } collector;

    mydsp2 limiter;
    limiter.metadata (&collector);
    EXPECT_EQ (collector.entries["name"], "limiter");
    EXPECT_EQ (collector.entries["filename"], "limiter.dsp");
    EXPECT_EQ (collector.entries["compressors.lib/version"], "1.5.0");
    EXPECT_EQ (collector.entries["signals.lib/name"], "Faust Signal Routing Library");
}
