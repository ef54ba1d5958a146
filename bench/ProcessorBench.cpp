// The whole processor at its default settings, stereo at 44.1 kHz, as a host drives it, beside the
// spring convolution alone (same IR length and block sizes) so the figures show where the time goes.
#include "BenchTiming.h"
#include "dsp/Convolver.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

namespace
{
using namespace benchtiming;

void Processor_Defaults (benchmark::State& state)
{
    const int blockSize = (int) state.range (0);
    VantorraCoilvoxAudioProcessor processor;
    processor.setPlayConfigDetails (2, 2, sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
    juce::MidiBuffer midi;

    measure (state, blockSize, [&] (juce::AudioBuffer<float>& block) { processor.processBlock (block, midi); });
    processor.releaseResources();
}

void Processor_AmpTremoloCabinet (benchmark::State& state)
{
    const int blockSize = (int) state.range (0);
    VantorraCoilvoxAudioProcessor processor;
    processor.setPlayConfigDetails (2, 2, sampleRate, blockSize);

    for (const auto* id : { "AMP", "CHORUS" })
        processor.parameters.getParameter (id)->setValueNotifyingHost (1.0f);

    processor.prepareToPlay (sampleRate, blockSize);
    juce::MidiBuffer midi;

    measure (state, blockSize, [&] (juce::AudioBuffer<float>& block) { processor.processBlock (block, midi); });
}

void SpringConvolutionOnly (benchmark::State& state)
{
    const int blockSize = (int) state.range (0);
    VantorraCoilvoxAudioProcessor processor; // for its decoded tank recording
    Orvalen::dsp::Convolver convolver (0, 8192);
    juce::AudioBuffer<float> impulse (processor.getEngine().getTankImpulse (3));
    convolver.loadFromBuffer (std::move (impulse), 44100.0, false, true, false);
    convolver.prepare (sampleRate, blockSize, 2);

    measure (state, blockSize, [&] (juce::AudioBuffer<float>& block) { convolver.process (block); });
}

void processorCases (benchmark::internal::Benchmark* b)
{
    for (const int blockSize : { 64, 128, 512 })
        b->Arg (blockSize);

    b->ArgNames ({ "block" })->Iterations (1)->Unit (benchmark::kMillisecond)->UseRealTime();
}
} // namespace

BENCHMARK (Processor_Defaults)->Apply (processorCases);
BENCHMARK (Processor_AmpTremoloCabinet)->Apply (processorCases);
BENCHMARK (SpringConvolutionOnly)->Apply (processorCases);
