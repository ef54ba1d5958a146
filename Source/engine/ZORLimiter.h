#pragma once

#include "engine/mydsp2.h"

#include <faust/gui/MapUI.h>
#include <juce_dsp/juce_dsp.h>

/** The output limiter: one mydsp2 per channel of a stereo signal, each limiting on its own.

    prepare() clears all state; process() is allocation-free and runs in place. Channels beyond the
    second have no limiter and are left as they are (the engine never sends more than two).
*/
template <typename SampleType>
class ZORLimiter final : public juce::dsp::ProcessorBase
{
public:
    static constexpr int numInstances = 2;

    ZORLimiter()
    {
        for (int c = 0; c < numInstances; ++c)
        {
            auto* instance = new mydsp2();
            auto* map = new MapUI();
            controlMaps.add (map);
            instance->buildUserInterface (map);
            instances.add (instance);
        }
    }

    ~ZORLimiter() override
    {
        controlMaps.clear (true);
        instances.clear (true);
    }

    void prepare (const juce::dsp::ProcessSpec& spec) override
    {
        for (auto* instance : instances)
            instance->init ((int) spec.sampleRate);
    }

    void process (const juce::dsp::ProcessContextReplacing<SampleType>& context) override
    {
        auto& block = context.getOutputBlock();
        const auto channels = juce::jmin ((int) block.getNumChannels(), numInstances);

        for (int c = 0; c < channels; ++c)
        {
            SampleType* p = block.getChannelPointer ((size_t) c);
            instances[c]->compute ((int) block.getNumSamples(), &p, &p);
        }
    }

    void reset() override
    {
        for (auto* instance : instances)
            instance->instanceClear();
    }

    dspFaust& getInstance (int channel) { return *instances[channel]; }

private:
    juce::OwnedArray<dspFaust> instances;
    juce::OwnedArray<MapUI> controlMaps;
};
