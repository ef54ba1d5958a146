#pragma once

#include "dsp/EngineSlot.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <mutex>

namespace Orvalen::dsp
{
/** Conditions impulse responses (channels, silence trimming, resampling, level) and builds EngineSets
    for the current spec, placing each in a slot for the audio thread to collect.
*/
class EngineBuilder
{
public:
    static constexpr double defaultSampleRate = 44100.0;
    static constexpr float trimThreshold = 0.0001f; // -80 dB

    EngineBuilder (int requestedLatency, int headLength, bool zeroLatency);

    /** Preparation thread; blocks on the builder's mutex while the loader builds. */
    void applySpec (const juce::dsp::ProcessSpec& newSpec);

    /** Loader or preparation thread; blocks on the builder's mutex. An IR with no channel or no sample
        becomes a unit impulse. */
    void storeIR (juce::AudioBuffer<float>&& impulse, double sampleRate, bool stereo, bool trim, bool normalise);

    /** Audio thread; wait-free: nothing when the slot is busy or holds nothing new. */
    std::unique_ptr<EngineSet> takeEngine() noexcept { return slot.take(); }

private:
    std::unique_ptr<EngineSet> build() const;

    juce::dsp::ProcessSpec spec{ defaultSampleRate, 128, 2 };
    juce::AudioBuffer<float> storedIR;
    double irSampleRate = defaultSampleRate;
    bool normaliseLevel = false;
    int requestedLatency, headLength;
    bool zeroLatency;
    EngineSlot slot;
    std::mutex mutex;
};
} // namespace Orvalen::dsp
