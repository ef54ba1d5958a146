#pragma once

#include "engine/DecayRebuildThrottle.h"
#include "engine/EngineHost.h"
#include "engine/ZORLimiter.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <atomic>
#include <memory>

/** The effect's DSP engine: processes one host block in place.

    Threads: prepare() and reset() run while the host does not call process(); process() runs on the
    audio thread and never allocates or waits once prepared. Setters may be called from any thread
    at any time: they only store values (atomics), which the audio thread applies at the start of its
    next block.
*/
class Coilvox
{
public:
    enum class Channel
    {
        A,
        B,
        C
    };

    explicit Coilvox (EngineHost& host);
    ~Coilvox();

    //==============================================================================
    /** Sizes every stage for the rate and block size; allocates. Host thread, audio stopped. */
    void prepare (double sampleRate, int maximumBlockSize, int numInputChannels, int numOutputChannels);

    /** Clears running state and settles every ramp on its target. Audio thread or host thread. */
    void reset();

    /** Processes the buffer in place. Audio thread; wait-free and allocation-free. Blocks longer than
        the prepared maximum are processed in slices; channels beyond the second are cleared. */
    void process (juce::AudioBuffer<float>& hostBuffer) noexcept;

    //==============================================================================
    // Setters: any thread, never block.
    void setInputLevel (float decibels);
    void setOutputLevel (float decibels);
    void setChannelGain (Channel channel, float percent);
    void setChannelOn (Channel channel, bool shouldBeOn);
    void setReverbAmount (float percent);
    void setReverbDrive (float percent);
    void setDecay (float value);
    void setTank (float value);
    void setPreDelay (int milliseconds);
    void setWidth (float percent);
    void setTone (float percent);
    void setGlobalMix (float percent);
    void setAmpOn (float value);
    void setAmpDrive (float value);
    void setAmpMaster (float decibels);
    void setBass (float decibels);
    void setMid (float decibels);
    void setTreble (float decibels);
    void setCabinetOn (float value);
    void setTremoloOn (float value);
    void setTremoloRate (float hertz);
    void setTremoloDepth (float percent);
    void setTremoloSync (float value);
    void setTremoloSyncRate (float value);
    void setOversampling (float menuValue);

    /** A user gesture on the decay control began or ended; the value is the plain "DECAY" value. */
    void beginDecayGesture (float value);
    void endDecayGesture (float value);

    //==============================================================================
    /** The input meter in dB (at least −60). Any thread, lock-free. */
    float getInputLevelDb() const noexcept { return inputLevelDb.load (std::memory_order_relaxed); }

    /** Latency in samples of the oversampler for the factor last requested. Host thread. */
    double getOversamplingLatency() const;

    /** The oversampling factor the audio thread currently runs (2 to 16). */
    int getActiveOversamplingFactor() const noexcept { return 1 << activeExponent.load (std::memory_order_relaxed); }

    /** The sample rate the limiter was prepared with, in whole hertz. */
    int getLimiterSampleRate() { return limiter.getInstance (0).getSampleRate(); }

    bool isInputSilent() const noexcept { return inputSilent; }
    bool isOutputSilent() const noexcept { return outputSilent; }

    /** How many times the spring response has been rebuilt (for diagnostics and tests). */
    int getSpringRebuildCount() const noexcept { return springRebuildCount.load(); }

    /** Normalised decay (0 … 1) of the last rebuild request. */
    double getNormalisedDecay() const noexcept { return decayThrottle.getStoredDecay(); }

    //==============================================================================
    // Written by the processor before every block (audio thread).
    std::atomic<int> numInputChannels{ 2 };
    std::atomic<int> numOutputChannels{ 2 };
    std::atomic<double> bpm{ 120.0 };
    std::atomic<double> ppqPosition{ 0.0 };
    std::atomic<bool> isPlaying{ false };
    std::atomic<bool> tremoloRestartRequested{ false };

    //==============================================================================
    static constexpr float rampSeconds = 0.025f;
    static constexpr float slowRampSeconds = 0.1f;
    static constexpr float meterFallSeconds = 0.3f;
    static constexpr float silenceThreshold = 0.000001f;
    static constexpr float decayShapeExponent = 3.14f;
    static constexpr float inputTrimDb = 13.5f;
    static constexpr float inputOffsetDb = -14.5f;
    static constexpr float outputTrimDb = 0.0f;
    static constexpr float muteBelowDb = -69.0f;
    static constexpr float meterFloorDb = -60.0f;
    static constexpr int maxPreDelayMs = 250;
    static constexpr int maxOversamplingExponent = 4;

    /** The oversampling exponent for an "OSMenu" value: 1 → 16×, 2 → 8×, 3 → 4×, 4 ("OFF") → 2×. */
    static int oversamplingExponentFor (float menuValue) noexcept;

private:
    //==============================================================================
    void processSlice (juce::AudioBuffer<float>& host) noexcept;
    void applyPendingChanges() noexcept;
    void sizeWorkBuffers (int numSamples) noexcept;
    void runInputStage (const juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void updateInputMeter (int numSamples) noexcept;
    void runSendAndPreDelay (int numSamples) noexcept;
    void testInputSilence (const juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void runChannelStages (int numSamples) noexcept;
    void writeUnitOutput (juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void testOutputSilence (const juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void resetRamps();
    void buildOversamplers();
    void rebuildSpringImpulse();

    //==============================================================================
    EngineHost& host;

    // host facts
    int irChannels = 2;
    int inputChannels = 2;
    int outputChannels = 2;
    double sampleRate = 44100.0;
    int maximumBlockSize = 0;
    bool inputSilent = false;
    bool outputSilent = false;

    // oversampling: every factor is built in prepare, so switching on the audio thread never allocates
    std::array<std::unique_ptr<juce::dsp::Oversampling<float>>, maxOversamplingExponent + 1> oversamplers;
    std::atomic<int> requestedExponent{ 2 };
    std::atomic<int> activeExponent{ 2 };
    double oversampledRate = 4.0 * 44100.0;

    // values stored by the setters, applied by the audio thread
    std::atomic<float> inputGainTarget;
    std::atomic<float> sendAmountTarget{ 0.0f };
    std::atomic<int> requestedPreDelayMs{ 0 };
    int appliedPreDelayMs = -1;
    bool settleOnNextBlock = true;
    int preDelaySamples = 0;
    std::atomic<float> outputLevelDb{ 0.0f };
    std::array<std::atomic<float>, 3> channelGainPercent{};
    std::array<std::atomic<bool>, 3> channelOn{};
    std::atomic<float> reverbDrivePercent{ 47.0f };
    std::atomic<int> tank{ 0 };
    std::atomic<float> widthPercent{ 100.0f };
    std::atomic<float> tonePercent{ 0.0f };
    std::atomic<float> globalMixPercent{ 100.0f };
    std::atomic<bool> ampOn{ false };
    std::atomic<float> ampDrive{ 0.0f };
    std::atomic<float> ampMasterDb{ -6.5f };
    std::atomic<float> bassDb{ 0.0f };
    std::atomic<float> midDb{ 0.0f };
    std::atomic<float> trebleDb{ 0.0f };
    std::atomic<bool> cabinetOn{ true };
    std::atomic<bool> tremoloOn{ false };
    std::atomic<float> tremoloRateHz{ 1.0f };
    std::atomic<float> tremoloDepthPercent{ 100.0f };
    std::atomic<bool> tremoloSync{ true };
    std::atomic<int> tremoloSyncRate{ 1 };

    // stages
    ZORLimiter<float> limiter;
    juce::dsp::DelayLine<float, juce::dsp::DelayLineInterpolationTypes::Linear> preDelayLine1, preDelayLine2;

    // ramps (audio thread only)
    juce::SmoothedValue<float> inputRamp;
    juce::SmoothedValue<float> sendRamp;
    juce::SmoothedValue<float> preDelayGain1, preDelayGain2;
    juce::SmoothedValue<float> meterRamp;
    std::atomic<float> inputLevelDb{ meterFloorDb };

    // work buffers
    juce::AudioBuffer<float> inputBuffer, sendBuffer, altSendBuffer;

    // spring response: the decoded tanks, the shaped copy and its hand-over slot
    std::array<juce::AudioBuffer<float>, 3> tankImpulses;
    juce::AudioBuffer<float> preparedImpulse;
    juce::AudioBuffer<float> pendingImpulse;
    bool impulsePending = false;
    juce::SpinLock impulseLock;
    DecayRebuildThrottle decayThrottle;
    std::atomic<int> springRebuildCount{ 0 };

    static constexpr float decayDepth = 8.8f;
    static constexpr float decayBias = 0.03f;
    static constexpr float decayLevelExponent = 0.1f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Coilvox)
};
