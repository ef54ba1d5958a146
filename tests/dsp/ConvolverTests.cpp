#include "dsp/Convolver.h"
#include "dsp/EngineBuilder.h"

#include "support/AllocationCounter.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

namespace
{
using Orvalen::dsp::Convolver;
using Buffer = juce::AudioBuffer<float>;

constexpr double rate = 44100.0;

//==============================================================================
// Fixtures

/** Decaying noise whose samples stay well above the -80 dB trim threshold, with chosen runs of exact
    silence at either end of each channel. */
Buffer makeIR (int channels, int length, unsigned seed, std::vector<int> leading = {}, std::vector<int> trailing = {})
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> dist (0.1f, 1.0f);
    Buffer ir (channels, length);

    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < length; ++i)
        {
            const float sign = (rng() & 1) ? 1.0f : -1.0f;
            ir.setSample (c, i, 0.05f * sign * dist (rng) * std::exp (-3.0f * (float) i / (float) length));
        }

    for (int c = 0; c < channels; ++c)
    {
        for (int i = 0; c < (int) leading.size() && i < leading[(size_t) c]; ++i)
            ir.setSample (c, i, 0.0f);
        for (int i = 0; c < (int) trailing.size() && i < trailing[(size_t) c]; ++i)
            ir.setSample (c, length - 1 - i, 0.0f);
    }

    return ir;
}

Buffer makeNoise (int channels, int length, unsigned seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
    Buffer b (channels, length);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < length; ++i)
            b.setSample (c, i, dist (rng));
    return b;
}

std::vector<double> directConvolution (const float* x, int length, const float* h, int irLength)
{
    std::vector<double> y ((size_t) length, 0.0);
    for (int n = 0; n < length; ++n)
    {
        double sum = 0.0;
        for (int k = std::max (0, n - length + 1); k < irLength && k <= n; ++k)
            sum += (double) h[k] * (double) x[n - k];
        y[(size_t) n] = sum;
    }
    return y;
}

/** Runs the buffer through in place, block by block, cycling through the given block sizes. */
void runInBlocks (Convolver& convolver, Buffer& buffer, const std::vector<int>& blockSizes)
{
    for (int start = 0, i = 0; start < buffer.getNumSamples(); ++i)
    {
        const int n = std::min (blockSizes[(size_t) i % blockSizes.size()], buffer.getNumSamples() - start);
        juce::dsp::AudioBlock<float> block (buffer);
        auto sub = block.getSubBlock ((size_t) start, (size_t) n);
        convolver.process (sub, sub);
        start += n;
    }
}

Buffer constantIR (float value)
{
    Buffer ir (1, 1);
    ir.setSample (0, 0, value);
    return ir;
}

//==============================================================================
struct IRCase
{
    const char* name;
    int irChannels, irLength;
    bool stereo, trim;
    int headLength;
    std::vector<int> leading, trailing;
    int expectedStart, expectedLength; // the part of the IR that should remain after trimming
};

const std::vector<IRCase>& irCases()
{
    static const std::vector<IRCase> cases{
        { "MonoIRStereoOnUniform", 1, 3000, true, false, 0, {}, {}, 0, 3000 },
        // Trim keeps what either channel needs: 40 leading (channel 1), 25 trailing (channel 0).
        { "StereoIRTrimmedUniform", 2, 3000, true, true, 0, { 100, 40 }, { 25, 300 }, 40, 3000 - 65 },
        // One sample past the 8192 head: a one-sample tail. Stereo off uses the first IR channel only.
        { "StereoIRStereoOffOneSampleTail", 2, 8193, false, false, 8192, {}, {}, 0, 8193 },
        { "MonoIRTrimmedWithTail", 1, 12500, true, true, 8192, { 300 }, { 200 }, 300, 12000 },
    };
    return cases;
}

struct Reference
{
    Buffer input;
    std::vector<std::vector<double>> output;
};

const Reference& referenceFor (size_t caseIndex)
{
    static std::map<size_t, Reference> cache;
    if (auto found = cache.find (caseIndex); found != cache.end())
        return found->second;

    const auto& c = irCases()[caseIndex];
    const auto ir = makeIR (c.irChannels, c.irLength, 7u + (unsigned) caseIndex, c.leading, c.trailing);
    Reference ref;
    ref.input = makeNoise (2, c.expectedLength + 2500, 99u + (unsigned) caseIndex);
    const int usedChannels = std::min (c.stereo ? 2 : 1, c.irChannels);

    for (int channel = 0; channel < 2; ++channel)
    {
        const float* h = ir.getReadPointer (std::min (channel, usedChannels - 1)) + c.expectedStart;
        ref.output.push_back (
            directConvolution (ref.input.getReadPointer (channel), ref.input.getNumSamples(), h, c.expectedLength));
    }

    return cache.emplace (caseIndex, std::move (ref)).first->second;
}

using BlockPattern = std::vector<int>;

class ConvolverAgainstDirect : public ::testing::TestWithParam<std::tuple<size_t, BlockPattern>>
{
};

TEST_P (ConvolverAgainstDirect, MatchesDoublePrecisionDirectConvolution)
{
    const auto [caseIndex, blocks] = GetParam();
    const auto& c = irCases()[caseIndex];
    const auto& ref = referenceFor (caseIndex);

    Convolver convolver (0, c.headLength);
    // Queued before prepare, so prepare itself builds it (no crossfade).
    convolver.loadFromBuffer (makeIR (c.irChannels, c.irLength, 7u + (unsigned) caseIndex, c.leading, c.trailing),
                              rate,
                              c.stereo,
                              c.trim,
                              false);
    convolver.prepare (rate, *std::max_element (blocks.begin(), blocks.end()), 2);

    Buffer buffer (ref.input);
    runInBlocks (convolver, buffer, blocks);

    for (int channel = 0; channel < 2; ++channel)
    {
        double peak = 0.0, worst = 0.0;
        int worstAt = 0;
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const double expected = ref.output[(size_t) channel][(size_t) i];
            peak = std::max (peak, std::abs (expected));
            const double error = std::abs (buffer.getSample (channel, i) - expected);
            if (error > worst)
            {
                worst = error;
                worstAt = i;
            }
        }
        EXPECT_LT (worst, 2.0e-6 * std::max (1.0, peak) * 10.0) << "channel " << channel << " at sample " << worstAt;
    }
}

std::string caseName (const ::testing::TestParamInfo<ConvolverAgainstDirect::ParamType>& info)
{
    const auto& blocks = std::get<1> (info.param);
    std::string blockText = blocks.size() == 1 ? "Block" + std::to_string (blocks[0]) : "VaryingBlocks";
    return std::string (irCases()[std::get<0> (info.param)].name) + "_" + blockText;
}

INSTANTIATE_TEST_SUITE_P (IRsAndBlockSizes,
                          ConvolverAgainstDirect,
                          ::testing::Combine (::testing::Range ((size_t) 0, (size_t) 4),
                                              ::testing::Values (BlockPattern{ 1 },
                                                                 BlockPattern{ 7 },
                                                                 BlockPattern{ 64 },
                                                                 BlockPattern{ 128 },
                                                                 BlockPattern{ 129 },
                                                                 BlockPattern{ 1000 },
                                                                 BlockPattern{ 8192 },
                                                                 BlockPattern{ 1, 37, 512, 5, 128, 1000, 64, 999 })),
                          caseName);

//==============================================================================
TEST (Convolver, DoesNothingBeforePrepare)
{
    Convolver convolver (0, 8192);
    auto buffer = makeNoise (2, 256, 1);
    const Buffer original (buffer);
    convolver.process (buffer);

    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ (buffer.getSample (c, i), original.getSample (c, i));
}

TEST (Convolver, DefaultUnitImpulsePassesAudioThroughPerChannel)
{
    Convolver convolver (0, 0);
    convolver.prepare (rate, 64, 2);
    auto buffer = makeNoise (2, 1000, 2);
    const Buffer original (buffer);
    runInBlocks (convolver, buffer, { 64 });

    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 1000; ++i)
            ASSERT_NEAR (buffer.getSample (c, i), original.getSample (c, i), 1.0e-6f);
}

TEST (Convolver, NonZeroLatencyIsRoundedToAPowerOfTwoOfAtLeast64)
{
    for (auto [latency, expectedDelay] : { std::pair{ 10, 64 }, std::pair{ 100, 128 } })
    {
        Convolver convolver (latency, 0);
        convolver.prepare (rate, 32, 2);
        Buffer buffer (2, 512);
        buffer.clear();
        buffer.setSample (0, 0, 1.0f);
        buffer.setSample (1, 0, 1.0f);
        runInBlocks (convolver, buffer, { 32 });
        EXPECT_EQ (testsupport::firstSampleAbove (buffer, 0, 0.5f), expectedDelay);
        EXPECT_EQ (testsupport::firstSampleAbove (buffer, 1, 0.5f), expectedDelay);
    }
}

TEST (Convolver, IREntirelyBelowTrimThresholdBecomesSilence)
{
    Convolver convolver (0, 0);
    Buffer quiet (2, 500);
    quiet.clear();
    quiet.setSample (0, 250, 0.00009f); // just under -80 dB
    convolver.loadFromBuffer (std::move (quiet), rate, true, true, false);
    convolver.prepare (rate, 64, 2);

    auto buffer = makeNoise (2, 640, 3);
    runInBlocks (convolver, buffer, { 64 });
    EXPECT_EQ (testsupport::peakOf (buffer), 0.0f);
}

//==============================================================================
// The builder's partitioning, seen directly: the head/tail boundary and the smallest block.
std::unique_ptr<Orvalen::dsp::EngineSet> buildFor (int irLength, int headLength, juce::uint32 blockSize)
{
    Orvalen::dsp::EngineBuilder builder (0, headLength, true);
    builder.applySpec ({ rate, blockSize, 2 });
    builder.storeIR (makeIR (1, irLength, 5), rate, false, false, false);
    return builder.takeEngine();
}

TEST (EngineBuilder, TailStartsOnlyPastTheHeadLength)
{
    EXPECT_FALSE (buildFor (8192, 8192, 64)->hasTails());

    const auto split = buildFor (8193, 8192, 64);
    ASSERT_TRUE (split->hasTails());
    ASSERT_EQ (split->getTails().size(), 2u);
    EXPECT_EQ (split->getTails()[0]->getBlockSize(), 8192u);
    EXPECT_EQ (split->getTails()[0]->getNumPartitions(), 1u);
}

TEST (EngineBuilder, TransformIsFourBlocksUpTo128AndTwoAbove)
{
    for (auto [block, expectedB, expectedF] :
         { std::tuple{ 1u, 1u, 4u }, std::tuple{ 100u, 128u, 512u }, std::tuple{ 129u, 256u, 512u } })
    {
        const auto engine = buildFor (2000, 0, block);
        EXPECT_EQ (engine->getHeads()[0]->getBlockSize(), expectedB);
        EXPECT_EQ (engine->getHeads()[0]->getTransformSize(), expectedF);
    }
}

//==============================================================================
// Resampling and level

std::vector<float> impulseResponseOf (Convolver& convolver, int length, int block)
{
    Buffer buffer (1, length);
    buffer.clear();
    buffer.setSample (0, 0, 1.0f);
    runInBlocks (convolver, buffer, { block });
    return { buffer.getReadPointer (0), buffer.getReadPointer (0) + length };
}

TEST (Convolver, ResampledIRKeepsItsLevelByTheRateRatio)
{
    // A smooth 10 ms pulse survives resampling with its shape, so its peak shows the level rule.
    const int length = 441;
    Buffer pulse (1, length);
    double sumIn = 0.0;
    for (int i = 0; i < length; ++i)
    {
        const float v =
            0.5f - 0.5f * std::cos (2.0f * juce::MathConstants<float>::pi * (float) i / (float) (length - 1));
        pulse.setSample (0, i, v);
        sumIn += v;
    }

    Convolver convolver (0, 0);
    convolver.loadFromBuffer (Buffer (pulse), 44100.0, false, false, false);
    convolver.prepare (48000.0, 128, 1);
    const auto response = impulseResponseOf (convolver, 1024, 128);

    double sumOut = 0.0;
    float peakOut = 0.0f;
    int lastNonZero = 0;
    for (int i = 0; i < (int) response.size(); ++i)
    {
        sumOut += response[(size_t) i];
        peakOut = std::max (peakOut, response[(size_t) i]);
        if (std::abs (response[(size_t) i]) > 1.0e-6f)
            lastNonZero = i;
    }

    EXPECT_NEAR (peakOut, 44100.0 / 48000.0, 0.005);
    EXPECT_NEAR (sumOut / sumIn, 1.0, 0.01) << "more samples at the higher rate, each scaled down";
    EXPECT_NEAR (lastNonZero, 480, 3) << "441 samples at 44.1 kHz last 480 at 48 kHz";
}

TEST (Convolver, NormaliseScalesTheLoudestChannelToFixedEnergy)
{
    Convolver convolver (0, 0);
    convolver.loadFromBuffer (makeIR (1, 2000, 11), rate, false, false, true);
    convolver.prepare (rate, 256, 1);
    const auto response = impulseResponseOf (convolver, 2304, 256);

    double energy = 0.0;
    for (auto v : response)
        energy += (double) v * v;
    EXPECT_NEAR (std::sqrt (energy), 0.125, 1.0e-4);
}

//==============================================================================
// IR swaps

/** Feeds a constant 1 (so the output shows the IR gain) until the loader's new engine set has been
    installed; returns every output sample and the index of the first block that crossfaded. */
struct SwapRun
{
    std::vector<float> output;
    int fadeStart = -1;
};

void feedConstant (Convolver& convolver, SwapRun& run, int block, int numSamples)
{
    Buffer buffer (2, block);
    for (int done = 0; done < numSamples; done += block)
    {
        for (int c = 0; c < 2; ++c)
            juce::FloatVectorOperations::fill (buffer.getWritePointer (c), 1.0f, block);
        convolver.process (buffer);
        if (run.fadeStart < 0 && convolver.isCrossfading())
            run.fadeStart = (int) run.output.size();
        run.output.insert (run.output.end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + block);
    }
}

bool feedUntilCrossfade (Convolver& convolver, SwapRun& run, int block)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (5);
    while (run.fadeStart < 0 && std::chrono::steady_clock::now() < deadline)
    {
        feedConstant (convolver, run, block, block);
        std::this_thread::sleep_for (std::chrono::microseconds (200));
    }
    return run.fadeStart >= 0;
}

class CrossfadeAtRate : public ::testing::TestWithParam<double>
{
};

TEST_P (CrossfadeAtRate, LastsFiftyMillisecondsAndGainsSumToOne)
{
    const double sampleRate = GetParam();
    const int steps = (int) std::floor (0.05 * sampleRate);
    const int block = 64;

    // Old IR: unit gain; new IR: silence. The output is then exactly the old engine's gain.
    // The unit IR is given at the running rate (the built-in one is defined at 44.1 kHz).
    Convolver convolver (0, 0);
    convolver.loadFromBuffer (constantIR (1.0f), sampleRate, false, false, false);
    convolver.prepare (sampleRate, block, 2);
    SwapRun run;
    feedConstant (convolver, run, block, 256);
    convolver.loadFromBuffer (constantIR (0.0f), sampleRate, false, false, false);
    ASSERT_TRUE (feedUntilCrossfade (convolver, run, block));
    feedConstant (convolver, run, block, steps + 4 * block);

    for (int i = 0; i < run.fadeStart; ++i)
        ASSERT_NEAR (run.output[(size_t) i], 1.0f, 1.0e-6f);
    for (int i = 0; i < steps; ++i)
        ASSERT_NEAR (run.output[(size_t) (run.fadeStart + i)], 1.0 - (i + 1.0) / steps, 1.0e-4) << "step " << i;
    EXPECT_GT (run.output[(size_t) (run.fadeStart + steps - 2)], 0.0f);
    for (size_t i = (size_t) (run.fadeStart + steps - 1); i < run.output.size(); ++i)
        ASSERT_EQ (run.output[i], 0.0f) << "the fade ends after exactly " << steps << " samples";
    EXPECT_FALSE (convolver.isCrossfading());

    // Swapping to the same gain must not move the output: old and new gains sum to 1 at every sample.
    Convolver same (0, 0);
    same.loadFromBuffer (constantIR (1.0f), sampleRate, false, false, false);
    same.prepare (sampleRate, block, 2);
    SwapRun flat;
    feedConstant (same, flat, block, 256);
    same.loadFromBuffer (constantIR (1.0f), sampleRate, false, false, false);
    ASSERT_TRUE (feedUntilCrossfade (same, flat, block));
    feedConstant (same, flat, block, steps + 4 * block);
    for (size_t i = 0; i < flat.output.size(); ++i)
        ASSERT_NEAR (flat.output[i], 1.0f, 1.0e-5f) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P (Rates, CrossfadeAtRate, ::testing::Values (44100.0, 48000.0));

TEST (Convolver, SwapMatchesDirectConvolutionOfBothIRsThroughTheCrossfade)
{
    // Old IR A (uniform part only) to new IR B (with a tail); the new engine starts from silence at the
    // block where the crossfade begins, so the reference restarts B's convolution there.
    const int block = 100, steps = 2205;
    const auto irA = makeIR (1, 500, 21), irB = makeIR (1, 9000, 22);
    Convolver convolver (0, 8192);
    convolver.loadFromBuffer (Buffer (irA), rate, false, false, false);
    convolver.prepare (rate, block, 2);

    const auto input = makeNoise (2, 40000, 23);
    Buffer output (2, input.getNumSamples());
    int position = 0, fadeStart = -1;
    auto runBlock = [&]
    {
        for (int c = 0; c < 2; ++c)
            output.copyFrom (c, position, input, c, position, block);
        juce::dsp::AudioBlock<float> all (output);
        auto sub = all.getSubBlock ((size_t) position, (size_t) block);
        convolver.process (sub, sub);
        if (fadeStart < 0 && convolver.isCrossfading())
            fadeStart = position;
        position += block;
    };

    for (int i = 0; i < 20; ++i)
        runBlock();
    convolver.loadFromBuffer (Buffer (irB), rate, false, false, false);
    while (fadeStart < 0 && position + block <= 15000)
    {
        runBlock();
        std::this_thread::sleep_for (std::chrono::milliseconds (1));
    }
    ASSERT_GE (fadeStart, 0) << "the loader did not deliver within the input";
    while (position + block <= input.getNumSamples())
        runBlock();

    for (int c = 0; c < 2; ++c)
    {
        const auto oldOut =
            directConvolution (input.getReadPointer (c), position, irA.getReadPointer (0), irA.getNumSamples());
        const auto newOut = directConvolution (input.getReadPointer (c) + fadeStart,
                                               position - fadeStart,
                                               irB.getReadPointer (0),
                                               irB.getNumSamples());
        for (int n = 0; n < position; ++n)
        {
            double expected = oldOut[(size_t) n];
            if (n >= fadeStart)
            {
                const int i = n - fadeStart;
                const double oldGain = i < steps ? 1.0 - (i + 1.0) / steps : 0.0;
                expected = oldGain * oldOut[(size_t) n] + (1.0 - oldGain) * newOut[(size_t) i];
            }
            ASSERT_NEAR (output.getSample (c, n), expected, 1.0e-4) << "channel " << c << " sample " << n;
        }
    }
}

TEST (Convolver, RequestDuringACrossfadeWaitsForItsEnd)
{
    const int block = 64, steps = 2205;
    Convolver convolver (0, 0);
    convolver.prepare (rate, block, 2);
    SwapRun run;
    convolver.loadFromBuffer (constantIR (0.0f), rate, false, false, false);
    ASSERT_TRUE (feedUntilCrossfade (convolver, run, block));

    // Built while the first fade runs; it must not cut that fade short.
    convolver.loadFromBuffer (constantIR (0.5f), rate, false, false, false);
    std::this_thread::sleep_for (std::chrono::milliseconds (100));
    feedConstant (convolver, run, block, 2 * steps + 4 * block);

    const int start = run.fadeStart;
    for (int i = 0; i < steps; ++i)
        ASSERT_NEAR (run.output[(size_t) (start + i)], 1.0 - (i + 1.0) / steps, 1.0e-4) << "step " << i;

    // The second fade starts with the first block after the first one ended.
    const int secondStart = start + (steps + block - 1) / block * block;
    for (int i = start + steps; i < secondStart; ++i)
        ASSERT_EQ (run.output[(size_t) i], 0.0f);
    for (int i = 0; i < steps; ++i)
        ASSERT_NEAR (run.output[(size_t) (secondStart + i)], 0.5 * (i + 1.0) / steps, 1.0e-4) << "step " << i;
    EXPECT_NEAR (run.output.back(), 0.5f, 1.0e-6f);
}

TEST (Convolver, ProcessNeverAllocatesIncludingAcrossAnIRSwap)
{
    const int block = 128;
    Convolver convolver (0, 8192);
    convolver.prepare (rate, block, 2);
    auto input = makeNoise (2, block, 4);
    auto newIR = makeIR (2, 20000, 6);
    Buffer buffer (2, block);
    size_t allocations = 0;
    bool swapped = false, finished = false;

    auto runBlock = [&]
    {
        buffer.makeCopyOf (input, true);
        testsupport::ScopedAllocationCounter counter;
        convolver.process (buffer);
        allocations += counter.getCount();
    };

    for (int i = 0; i < 8; ++i)
        runBlock();

    {
        // Posting a load from the audio thread moves the buffer into the request: no allocation either.
        testsupport::ScopedAllocationCounter counter;
        convolver.loadFromBuffer (std::move (newIR), rate, true, false, false);
        allocations += counter.getCount();
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (10);
    while (!finished && std::chrono::steady_clock::now() < deadline)
    {
        runBlock();
        swapped = swapped || convolver.isCrossfading();
        finished = swapped && !convolver.isCrossfading();
        std::this_thread::sleep_for (std::chrono::microseconds (100));
    }

    // A few more blocks so the disposal of the old set (pushed to the loader) has happened too.
    for (int i = 0; i < 70; ++i)
        runBlock();

    EXPECT_TRUE (finished);
    EXPECT_EQ (allocations, 0u);
}

//==============================================================================
// Loading encoded bytes

juce::MemoryBlock wavBytes (float value, int length)
{
    juce::MemoryBlock bytes;
    Buffer data (1, length);
    data.clear();
    data.setSample (0, 0, value);
    {
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer (
            wav.createWriterFor (new juce::MemoryOutputStream (bytes, false), rate, 1, 32, {}, 0));
        writer->writeFromAudioSampleBuffer (data, 0, length);
    }
    return bytes;
}

float steadyGainAfterLoading (Convolver& convolver, const void* data, size_t size)
{
    SwapRun run;
    convolver.loadFromMemory (data, size, true, false, 0, false);

    // Long enough for the loader to have taken the request and for any crossfade to finish.
    for (int i = 0; i < 40; ++i)
    {
        feedConstant (convolver, run, 64, 64);
        std::this_thread::sleep_for (std::chrono::milliseconds (2));
    }
    feedConstant (convolver, run, 64, 4096);
    return run.output.back();
}

TEST (Convolver, UnreadableBytesLeaveTheCurrentIRInPlace)
{
    Convolver convolver (0, 0);
    convolver.loadFromBuffer (constantIR (0.25f), rate, false, false, false);
    convolver.prepare (rate, 64, 2);

    const char garbage[] = "definitely not an audio file";
    EXPECT_FLOAT_EQ (steadyGainAfterLoading (convolver, garbage, sizeof (garbage)), 0.25f);

    // The same path with readable bytes does replace the IR.
    const auto wav = wavBytes (0.75f, 32);
    EXPECT_NEAR (steadyGainAfterLoading (convolver, wav.getData(), wav.getSize()), 0.75f, 1.0e-6f);
}

TEST (Convolver, LoadFromMemoryHonoursMaximumLength)
{
    // A WAV of an impulse at sample 0 and another at 100; reading 50 samples keeps only the first.
    juce::MemoryBlock bytes;
    Buffer data (1, 200);
    data.clear();
    data.setSample (0, 0, 1.0f);
    data.setSample (0, 100, 1.0f);
    {
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer (
            wav.createWriterFor (new juce::MemoryOutputStream (bytes, false), rate, 1, 32, {}, 0));
        writer->writeFromAudioSampleBuffer (data, 0, 200);
    }

    Convolver convolver (0, 0);
    convolver.loadFromMemory (bytes.getData(), bytes.getSize(), false, false, 50, false);
    convolver.prepare (rate, 64, 1);
    const auto response = impulseResponseOf (convolver, 256, 64);
    EXPECT_NEAR (response[0], 1.0f, 1.0e-6f);
    EXPECT_NEAR (response[100], 0.0f, 1.0e-6f);
}
} // namespace
