#pragma once

#include <juce_core/juce_core.h>

class VantorraCoilvoxAudioProcessor;

/** A factory preset in its readable form: a JSON object with a "name", a "description" and
    "parameters", plain values by parameter ID. Parameters it leaves out keep their defaults.
    Turned into a preset file by running the real processor, so a shipped preset is always exactly
    a state chunk the plug-in writes itself. Message thread. */
class PresetSource
{
public:
    /** Parses the source and checks every ID and value against the processor's parameters. */
    static juce::Result parse (const juce::String& jsonText,
                               const VantorraCoilvoxAudioProcessor& processor,
                               juce::String& name,
                               juce::NamedValueSet& values);

    /** Puts every parameter at its default, then the source's values, with the editor view at 0. */
    static void apply (const juce::NamedValueSet& values, VantorraCoilvoxAudioProcessor& processor);

    /** Reads, checks and renders one source file into a state chunk. */
    static juce::Result render (const juce::File& source,
                                VantorraCoilvoxAudioProcessor& processor,
                                juce::String& name,
                                juce::MemoryBlock& chunk);
};
