#pragma once

#include "engine/Coilvox.h"
#include "engine/EngineHost.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include <atomic>

/** The object the host creates: owns the engine, the parameter tree and the state the editor shares. */
class VantorraCoilvoxAudioProcessor : public juce::AudioProcessor,
                                      private juce::AudioProcessorValueTreeState::Listener,
                                      public juce::AudioProcessorListener,
                                      private EngineHost
{
public:
    VantorraCoilvoxAudioProcessor();
    ~VantorraCoilvoxAudioProcessor() override;

    //==============================================================================
    const juce::String getName() const override { return "OV Vantorra Coilvox"; }
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;
    double getTailLengthSeconds() const override { return 9.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }
    void reset() override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock& destination) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    //==============================================================================
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
    void audioProcessorChanged (juce::AudioProcessor*, const juce::AudioProcessorListener::ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex) override;

    //==============================================================================
    /** Delivers a plain value to the engine setter for the ID; unknown IDs are ignored.
        Any thread (automation on the audio thread, the editor and presets on the message thread). */
    void parameterChanged (const juce::String& parameterId, float newValue) override;

    Coilvox& getEngine() noexcept { return engine; }

    /** The delay of the bypassed signal in samples (equal to the reported latency up to its capacity). */
    int getBypassDelaySamples() const noexcept { return bypassDelaySamples; }

    //==============================================================================
    Coilvox engine;
    juce::AudioProcessorValueTreeState parameters;
    juce::MemoryBlock stateSnapshot;
    juce::ApplicationProperties settings;
    juce::String presetFilePath;
    bool presetChanged = false;
    std::atomic<bool> hiddenComboSet{ false };
    std::atomic<bool> hiddenUnlocked{ false };
    int guiState = 0;
    int editorWidth = 1050;

    static constexpr int maximumBypassDelay = 48000;

private:
    float getParameterValue (const char* parameterId) const override;
    void updateHiddenCombination();

    juce::dsp::DelayLine<float, juce::dsp::DelayLineInterpolationTypes::None> bypassDelay{ maximumBypassDelay };
    int bypassDelaySamples = 0;
    int bypassLanes = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VantorraCoilvoxAudioProcessor)
};
