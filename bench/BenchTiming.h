#pragma once

// Block-by-block timing shared by the benchmarks: mean, 99.9th percentile and maximum time of one block,
// and the real-time factor over the whole process (audio seconds per CPU second, every thread counted).
#include <benchmark/benchmark.h>
#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace benchtiming
{
constexpr double sampleRate = 44100.0;
constexpr double warmUpSeconds = 0.5; // past the first crossfade of the loader-based convolvers
constexpr double measuredSeconds = 5.0;

inline double processCpuSeconds()
{
    rusage usage{};
    getrusage (RUSAGE_SELF, &usage);
    auto seconds = [] (const timeval& t) { return (double) t.tv_sec + 1.0e-6 * (double) t.tv_usec; };
    return seconds (usage.ru_utime) + seconds (usage.ru_stime);
}

/** Drives processBlock over fresh noise every block and reports the block-time statistics. */
template <typename ProcessBlock>
inline void measure (benchmark::State& state, int blockSize, ProcessBlock&& processBlock, bool paceInRealTime = false)
{
    juce::AudioBuffer<float> source (2, 44100), block (2, blockSize);
    std::mt19937 rng (7);
    std::uniform_real_distribution<float> dist (-0.5f, 0.5f);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < source.getNumSamples(); ++i)
            source.setSample (c, i, dist (rng));

    int readPos = 0;
    auto nextInput = [&]
    {
        if (readPos + blockSize > source.getNumSamples())
            readPos = 0;
        for (int c = 0; c < 2; ++c)
            block.copyFrom (c, 0, source, c, readPos, blockSize);
        readPos += blockSize;
    };

    const int warmBlocks = (int) (warmUpSeconds * sampleRate / blockSize);
    const int measuredBlocks = (int) (measuredSeconds * sampleRate / blockSize);

    // Paced runs drive the convolver at the audio rate, as a host does; a convolver that computes its
    // large partitions on helper threads needs that to work asynchronously. Pacing costs a sleep and a
    // wake-up per block, which is charged to the CPU figure, so unpaced runs measure the real-time factor.
    const auto period = std::chrono::duration<double> (blockSize / sampleRate);
    auto deadline = std::chrono::steady_clock::now();
    auto pace = [&]
    {
        if (!paceInRealTime)
            return;
        deadline += std::chrono::duration_cast<std::chrono::steady_clock::duration> (period);
        std::this_thread::sleep_until (deadline);
    };

    for (int i = 0; i < warmBlocks; ++i)
    {
        nextInput();
        processBlock (block);
        pace();
    }

    std::vector<double> blockMicroseconds;
    blockMicroseconds.reserve ((size_t) measuredBlocks);
    double cpuSeconds = 0.0;

    for (auto _ : state)
    {
        const double cpuStart = processCpuSeconds();
        for (int i = 0; i < measuredBlocks; ++i)
        {
            nextInput();
            const auto start = std::chrono::steady_clock::now();
            processBlock (block);
            const auto end = std::chrono::steady_clock::now();
            blockMicroseconds.push_back (std::chrono::duration<double, std::micro> (end - start).count());
            pace();
        }
        cpuSeconds += processCpuSeconds() - cpuStart;
    }

    auto sorted = blockMicroseconds;
    std::sort (sorted.begin(), sorted.end());
    double sum = 0.0;
    for (auto t : sorted)
        sum += t;

    const double audioSeconds = (double) sorted.size() * blockSize / sampleRate;
    state.counters["block"] = blockSize;

    // convolution cases carry the IR length as their first argument
    if (state.range (0) != blockSize)
        state.counters["irLength"] = (double) state.range (0);
    state.counters["mean_us"] = sum / (double) sorted.size();
    state.counters["p999_us"] = sorted[std::min (sorted.size() - 1, (size_t) (0.999 * (double) sorted.size()))];
    state.counters["max_us"] = sorted.back();
    state.counters["period_us"] = 1.0e6 * blockSize / sampleRate;
    state.counters["rtf"] = audioSeconds / std::max (1.0e-9, cpuSeconds);
}
} // namespace benchtiming
