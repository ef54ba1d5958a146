#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <unordered_map>
#include <variant>
#include <vector>

#include "plugin/ParameterIds.h"

class Coilvox;

/** Delivers a plain parameter value to the engine. */
using EngineSetter = void (*) (Coilvox&, float);

struct FloatParameterInfo
{
    const char* id;
    const char* name;
    float minimum, maximum, step, defaultValue;
    const char* label;
    float skew;
    std::function<juce::String (float, int)> toText;
    EngineSetter setter;
};

struct IntParameterInfo
{
    const char* id;
    const char* name;
    int minimum, maximum, defaultValue;
    const char* label;
    std::function<juce::String (int, int)> toText;
    EngineSetter setter;
};

struct BoolParameterInfo
{
    const char* id;
    const char* name;
    bool defaultValue;
    EngineSetter setter;
};

using ParameterInfo = std::variant<FloatParameterInfo, IntParameterInfo, BoolParameterInfo>;

/** The 29 parameters in host order. Built once, immutable, safe to read from any thread. */
const std::vector<ParameterInfo>& parameterInfos();

/** ID of one entry of the table. */
const char* parameterIdOf (const ParameterInfo& info);

/** The host-visible index of a parameter ID, or -1. */
int parameterIndexOf (const juce::String& id);

/** ID to engine setter, derived from the table. Immutable; safe to read from any thread. */
const std::unordered_map<juce::String, EngineSetter>& parameterSetters();

/** The tree layout, one parameter per table entry, each with version hint 1. */
juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

/** Text of a level in dB: one decimal above −70, "-inf" at or below. */
juce::String decibelText (float value, int maximumLength);
