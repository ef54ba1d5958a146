// Stereo convolution at 44.1 kHz, block by block, as a host would call it. Each run reports the mean,
// 99.9th percentile and maximum time of one block, and the real-time factor over the whole process
// (audio seconds per CPU second, counting every thread, so helper threads are included).
#include "BenchTiming.h"
#include "dsp/Convolver.h"

#include <benchmark/benchmark.h>
#include <juce_dsp/juce_dsp.h>
#include <zita-convolver.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace
{
using namespace benchtiming;

/** Exponentially decaying noise from a fixed seed, -60 dB at its end. */
juce::AudioBuffer<float> makeIR (int length)
{
    std::mt19937 rng (20261211);
    std::normal_distribution<float> dist (0.0f, 0.1f);
    juce::AudioBuffer<float> ir (2, length);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < length; ++i)
            ir.setSample (c, i, dist (rng) * std::exp (-6.9f * (float) i / (float) length));
    return ir;
}


//==============================================================================
void runOurs (benchmark::State& state, int headLength)
{
    const int irLength = (int) state.range (0), blockSize = (int) state.range (1);
    Orvalen::dsp::Convolver convolver (0, headLength);
    convolver.loadFromBuffer (makeIR (irLength), sampleRate, true, false, false);
    convolver.prepare (sampleRate, blockSize, 2);
    measure (state, blockSize, [&] (juce::AudioBuffer<float>& b) { convolver.process (b); });
}

void Ours_Head8192 (benchmark::State& state) { runOurs (state, 8192); }
void Ours_Uniform (benchmark::State& state) { runOurs (state, 0); }

void runJuce (benchmark::State& state, juce::dsp::Convolution& convolution)
{
    const int irLength = (int) state.range (0), blockSize = (int) state.range (1);
    convolution.loadImpulseResponse (makeIR (irLength),
                                     sampleRate,
                                     juce::dsp::Convolution::Stereo::yes,
                                     juce::dsp::Convolution::Trim::no,
                                     juce::dsp::Convolution::Normalise::no);
    convolution.prepare ({ sampleRate, (juce::uint32) blockSize, 2 });
    measure (state,
             blockSize,
             [&] (juce::AudioBuffer<float>& b)
             {
                 juce::dsp::AudioBlock<float> block (b);
                 convolution.process (juce::dsp::ProcessContextReplacing<float> (block));
             });
}

void Juce_Uniform (benchmark::State& state)
{
    juce::dsp::Convolution convolution;
    runJuce (state, convolution);
}

void Juce_Head8192 (benchmark::State& state)
{
    juce::dsp::Convolution convolution (juce::dsp::Convolution::NonUniform{ 8192 });
    runJuce (state, convolution);
}

void runZita (benchmark::State& state, bool realTime)
{
    const int irLength = (int) state.range (0), blockSize = (int) state.range (1);
    auto ir = makeIR (irLength);
    Convproc convproc;

    // zita's smallest partition is 64 samples; for 32-sample blocks it runs at 64.
    const auto minPart = (unsigned) std::max (blockSize, (int) Convproc::MINPART);
    // Planned as carefully as FFTW is elsewhere here; without real-time scheduling on a shared machine its
    // helper threads are sometimes late, and it would otherwise stop processing altogether.
    convproc.set_options (Convproc::OPT_FFTW_MEASURE | Convproc::OPT_LATE_CONTIN);
    if (convproc.configure (2, 2, (unsigned) irLength, (unsigned) blockSize, minPart, Convproc::MAXPART, 0.5f) != 0)
    {
        state.SkipWithError ("zita-convolver refused the configuration");
        return;
    }
    for (int c = 0; c < 2; ++c)
        convproc.impdata_create ((unsigned) c, (unsigned) c, 1, ir.getWritePointer (c), 0, irLength);

    if (convproc.start_process (0, SCHED_OTHER) != 0 || convproc.state() != Convproc::ST_PROC)
    {
        state.SkipWithError ("zita-convolver did not start processing");
        return;
    }
    std::this_thread::sleep_for (std::chrono::milliseconds (100)); // its threads start up first

    measure (
        state,
        blockSize,
        [&] (juce::AudioBuffer<float>& b)
        {
            for (int c = 0; c < 2; ++c)
                std::copy (b.getReadPointer (c), b.getReadPointer (c) + blockSize, convproc.inpdata ((unsigned) c));
            convproc.process (!realTime);
            for (int c = 0; c < 2; ++c)
                std::copy (convproc.outdata ((unsigned) c),
                           convproc.outdata ((unsigned) c) + blockSize,
                           b.getWritePointer (c));
        },
        true);

    if (convproc.state() != Convproc::ST_PROC)
        state.SkipWithError ("zita-convolver stopped: its helper threads fell behind");

    convproc.stop_process();
    while (!convproc.check_stop())
        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    convproc.cleanup();
}

/** Synchronous: each block waits for the helper threads' partitions, so all of zita's work is done and
    counted without pacing overhead (its block times then include that waiting). */
void Zita (benchmark::State& state) { runZita (state, false); }

/** Asynchronous at the audio rate, as in a host: the helper threads run in parallel with the blocks. */
void Zita_RealTime (benchmark::State& state) { runZita (state, true); }

void convolutionCases (benchmark::internal::Benchmark* b)
{
    for (int block : { 32, 64, 128, 256, 512, 1024 })
        b->Args ({ 300000, block });
    for (int block : { 64, 128, 512 })
        b->Args ({ 12028, block });
    b->ArgNames ({ "ir", "block" })->Iterations (1)->Unit (benchmark::kMillisecond)->UseRealTime();
}
} // namespace

BENCHMARK (Ours_Head8192)->Apply (convolutionCases);
BENCHMARK (Ours_Uniform)->Apply (convolutionCases);
BENCHMARK (Zita)->Apply (convolutionCases);
BENCHMARK (Zita_RealTime)->Apply (convolutionCases);
BENCHMARK (Juce_Head8192)->Apply (convolutionCases);
BENCHMARK (Juce_Uniform)->Apply (convolutionCases);
