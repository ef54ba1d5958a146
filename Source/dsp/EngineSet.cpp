#include "dsp/EngineSet.h"

namespace Orvalen::dsp
{
EngineSet::EngineSet (Convolvers headsToUse, Convolvers tailsToUse, size_t maximumBlockSize, bool isZeroLatency)
    : heads (std::move (headsToUse))
    , tails (std::move (tailsToUse))
    , tailScratch (1, (int) std::max<size_t> (1, maximumBlockSize))
    , zeroLatency (isZeroLatency)
{
}

void EngineSet::process (const juce::dsp::AudioBlock<const float>& input,
                         const juce::dsp::AudioBlock<float>& output) noexcept
{
    const size_t channels = std::min ({ (size_t) 2, input.getNumChannels(), output.getNumChannels(), heads.size() });
    const size_t numSamples = std::min (input.getNumSamples(), output.getNumSamples());
    const size_t scratchLength = (size_t) tailScratch.getNumSamples();
    float* scratch = tailScratch.getWritePointer (0);

    for (size_t channel = 0; channel < channels; ++channel)
    {
        const float* in = input.getChannelPointer (channel);
        float* out = output.getChannelPointer (channel);

        for (size_t done = 0; done < numSamples;)
        {
            const size_t chunk = std::min (numSamples - done, scratchLength);

            // The tail reads its input before the head overwrites it, so in-place blocks work.
            if (hasTails())
                tails[channel]->processDelayed (in + done, scratch, chunk);

            if (zeroLatency)
                heads[channel]->process (in + done, out + done, chunk);
            else
                heads[channel]->processDelayed (in + done, out + done, chunk);

            if (hasTails())
                juce::FloatVectorOperations::add (out + done, scratch, (int) chunk);

            done += chunk;
        }
    }

    for (size_t channel = channels; channel < output.getNumChannels() && channels > 0; ++channel)
        juce::FloatVectorOperations::copy (output.getChannelPointer (channel),
                                           output.getChannelPointer (0),
                                           (int) numSamples);
}

void EngineSet::reset() noexcept
{
    for (auto& head : heads)
        head->reset();

    for (auto& tail : tails)
        tail->reset();
}
} // namespace Orvalen::dsp
