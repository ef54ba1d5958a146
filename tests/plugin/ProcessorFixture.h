#pragma once

#include "plugin/VantorraCoilvoxAudioProcessor.h"

#include <functional>

/** A processor prepared like a host would, with helpers to move parameters and run blocks. */
class ProcessorFixture
{
public:
    void prepare (double rate, int blockSize)
    {
        sampleRate = rate;
        maximumBlockSize = blockSize;
        processor.setRateAndBufferSizeDetails (rate, blockSize);
        processor.prepareToPlay (rate, blockSize);
    }

    void setPlain (const char* id, float value)
    {
        auto* p = processor.parameters.getParameter (id);
        p->setValueNotifyingHost (p->convertTo0to1 (value));
    }

    float plain (const char* id) { return processor.parameters.getRawParameterValue (id)->load(); }

    /** Runs the buffer through the processor in blocks of the given size. After each block the
        check, when given, sees it and its start; returning false stops the run there. */
    void processInBlocks (juce::AudioBuffer<float>& buffer,
                          int blockSize,
                          bool bypassed = false,
                          const std::function<bool (const juce::AudioBuffer<float>&, int)>& check = {})
    {
        juce::MidiBuffer midi;

        for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
        {
            juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(),
                                            buffer.getNumChannels(),
                                            start,
                                            juce::jmin (blockSize, buffer.getNumSamples() - start));

            if (bypassed)
                processor.processBlockBypassed (block, midi);
            else
                processor.processBlock (block, midi);

            if (check && ! check (block, start))
                return;
        }
    }

    VantorraCoilvoxAudioProcessor processor;
    double sampleRate = 48000.0;
    int maximumBlockSize = 512;
};
