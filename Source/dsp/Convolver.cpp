#include "dsp/Convolver.h"

#include "dsp/ConvolverCore.h"

namespace Orvalen::dsp
{
namespace
{
    int roundedLength (int samples)
    {
        if (samples <= 0)
            return 0;

        return std::max (64, juce::nextPowerOfTwo (samples));
    }
} // namespace

Convolver::Convolver (int latencySamples, int headLengthSamples)
    : core (std::make_unique<ConvolverCore> (
        roundedLength (latencySamples), roundedLength (headLengthSamples), latencySamples == 0))
{
}

Convolver::~Convolver() = default;

void Convolver::prepare (const juce::dsp::ProcessSpec& spec)
{
    core->prepare (spec);
    prepared = true;
}

void Convolver::prepare (double sampleRate, int maximumBlockSize, int numChannels)
{
    prepare (juce::dsp::ProcessSpec{ sampleRate, (juce::uint32) maximumBlockSize, (juce::uint32) numChannels });
}

void Convolver::process (const juce::dsp::AudioBlock<const float>& input,
                         const juce::dsp::AudioBlock<float>& output) noexcept
{
    if (prepared)
        core->process (input, output);
}

void Convolver::process (juce::AudioBuffer<float>& buffer) noexcept
{
    juce::dsp::AudioBlock<float> block (buffer);
    process (juce::dsp::AudioBlock<const float> (block), block);
}

void Convolver::reset() noexcept { core->reset(); }

void Convolver::loadFromMemory (
    const void* data, size_t numBytes, bool stereo, bool trim, size_t maxLength, bool normalise) noexcept
{
    core->getLoadQueue().loadFromMemory (data, numBytes, stereo, trim, maxLength, normalise);
}

void Convolver::loadFromBuffer (
    juce::AudioBuffer<float>&& buffer, double sampleRate, bool stereo, bool trim, bool normalise) noexcept
{
    core->getLoadQueue().loadFromBuffer (std::move (buffer), sampleRate, stereo, trim, normalise);
}

bool Convolver::isCrossfading() const noexcept { return core->isCrossfading(); }
} // namespace Orvalen::dsp
