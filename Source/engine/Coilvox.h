#pragma once

#include "dsp/Convolver.h"
#include "engine/DecayRebuildThrottle.h"
#include "engine/EngineHost.h"
#include "engine/HighShelfFilter.h"
#include "engine/PeakFilter.h"
#include "engine/TwoPoleHighPassFilter.h"
#include "engine/TwoPoleLowPassFilter.h"
#include "engine/ZORLimiter.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <atomic>
#include <limits>
#include <memory>

/** The effect's DSP engine: processes one host block in place.

    Threads: prepare() and reset() run while the host does not call process(); process() runs on the
    audio thread and never allocates or waits once prepared. Setters may be called from any thread
    at any time: they only store values (atomics), which the audio thread applies at the start of its
    next block. Spring-response rebuilds run on the engine's own builder thread (or in prepare).
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
    // Setters: any thread, never block, never allocate.
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

    /** How many spring-response rebuilds have been asked for, and how many of those requests have been
        served by a finished build (diagnostics and tests). */
    int getSpringRebuildCount() const noexcept { return springRebuildRequests.load(); }
    int getCompletedSpringRebuildCount() const noexcept { return springRebuildsServed.load(); }

    /** Normalised decay (0 … 1) of the last rebuild request. */
    double getNormalisedDecay() const noexcept { return decayThrottle.getStoredDecay(); }

    /** The decoded recording of a tank (1 to 3), two channels at 44.1 kHz. */
    const juce::AudioBuffer<float>& getTankImpulse (int tankValue) const;

    /** The tank whose response was built last, its length and channel count (tests and diagnostics). */
    struct BuiltResponse
    {
        int tank = 0;
        int numChannels = 0;
        int numSamples = 0;
    };
    BuiltResponse getLastBuiltResponse() const;

    /** The two pre-delay lines' delays in samples and their crossfade gains (tests and diagnostics). */
    struct PreDelayState
    {
        float delay1, delay2, gain1, gain2;
    };
    PreDelayState getPreDelayState() const noexcept
    {
        return { preDelayLine1.getDelay(),
                 preDelayLine2.getDelay(),
                 preDelayGain1.getCurrentValue(),
                 preDelayGain2.getCurrentValue() };
    }

    /** The LFO phase in radians (tests). */
    float getTremoloPhase() const noexcept { return lfoPhase; }
    double getTremoloRateHz() const noexcept { return tremoloRateHz.load(); }

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
    static constexpr float outputOffsetDb = 2.3f;
    static constexpr float outputTrimDb = 0.0f;
    static constexpr float muteBelowDb = -69.0f;
    static constexpr float meterFloorDb = -60.0f;
    static constexpr int maxPreDelayMs = 250;
    static constexpr int widthDelayMs = 6;
    static constexpr int dryDelaySamples = 5;
    static constexpr int maxOversamplingExponent = 4;
    static constexpr int springHeadSamples = 8192;

    /** The input stage's gain for an "IN" value: −14.5 dB offset (the trim adds 13.5), silent below −69. */
    static float inputGainFor (float decibels) noexcept;

    /** The oversampling exponent for an "OSMenu" value: 1 → 16×, 2 → 8×, 3 → 4×, 4 ("OFF") → 2×. */
    static int oversamplingExponentFor (float menuValue) noexcept;

private:
    class SpringBuilderThread;
    using Ramp = juce::SmoothedValue<float>;

    //==============================================================================
    void processSlice (juce::AudioBuffer<float>& host) noexcept;
    void applyPendingChanges() noexcept;
    void switchOversampler (int exponent) noexcept;
    void sizeWorkBuffers (int numSamples) noexcept;
    void runInputStage (const juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void updateInputMeter (int numSamples) noexcept;
    void runSendAndPreDelay (int numSamples) noexcept;
    void testInputSilence (const juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void runChannelStages (int numSamples) noexcept;
    void runWidthCopy (int numSamples) noexcept;
    void runSpringPath (int numSamples) noexcept;
    void runUnitMix (int numSamples) noexcept;
    void runToneAndOutput (int numSamples) noexcept;
    void runGlobalMix (juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void runAmplifierPath (juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void runToneStack (int numSamples) noexcept;
    void runTremolo (int numSamples) noexcept;
    void runCabinet (int numSamples) noexcept;
    void testOutputSilence (const juce::AudioBuffer<float>& host, int numSamples) noexcept;
    void resetRamps();
    void buildOversamplers();
    void prepareChannelGains();
    void requestSpringRebuild();
    void rebuildSpringImpulse();
    void applySyncedRate (int index);

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

    //==============================================================================
    // values stored by the setters, applied by the audio thread
    std::atomic<float> inputGainTarget;
    std::atomic<float> outputGainTarget;
    std::atomic<float> sendAmountTarget{ 0.0f };
    std::atomic<int> requestedPreDelayMs{ 0 };
    int appliedPreDelayMs = -1;
    int preDelaySamples = 0;
    bool settleOnNextBlock = true;

    std::array<std::atomic<bool>, 3> channelOn{};
    std::array<std::atomic<float>, 3> channelDriveTarget{};
    std::array<std::atomic<float>, 3> channelReverbDriveTarget{};
    std::atomic<float> channelBPeakValue{ 0.0f };

    std::atomic<int> tank{ 0 };
    std::array<std::atomic<float>, 3> tankDriveTarget{};

    std::atomic<float> widthTarget{ 1.0f };
    std::atomic<float> toneNegativeTarget{ 0.0f };
    std::atomic<float> tonePositiveTarget{ 0.0f };
    std::atomic<float> mixTarget{ 1.0f };

    std::atomic<bool> ampOn{ false };
    std::atomic<bool> cabinetOn{ true };
    std::array<std::atomic<float>, 3> toneStackDb{};
    std::atomic<float> ampDriveDb{ -5.0f };
    std::atomic<float> ampMasterGain;

    std::atomic<bool> tremoloOn{ true };
    std::atomic<bool> tremoloSync{ false };
    std::atomic<double> tremoloRateHz{ 0.0 };
    std::atomic<bool> tremoloRateJump{ false };
    std::atomic<int> syncRateIndex{ -1 };
    std::atomic<float> tremoloDepthTarget{ 0.0f };
    std::atomic<float> tremoloBoostTarget{ 0.0f };

    //==============================================================================
    // input and send
    Ramp inputRamp, sendRamp, preDelayGain1, preDelayGain2, meterRamp;
    std::atomic<float> inputLevelDb{ meterFloorDb };
    juce::dsp::DelayLine<float, juce::dsp::DelayLineInterpolationTypes::Linear> preDelayLine1, preDelayLine2;

    // channels A, B, C at the oversampled rate
    std::array<juce::dsp::Gain<float>, 3> driveGain, wetGain, passGain;
    std::array<Ramp, 3> compensationDrive, reverbDriveRamp;
    Ramp channelFade;
    TwoPoleHighPassFilter firstHighPass;

    // spring path
    std::array<Ramp, 3> tankPreGain, tankPostDrive;
    TwoPoleHighPassFilter secondHighPass;
    juce::dsp::DelayLine<float, juce::dsp::DelayLineInterpolationTypes::Lagrange3rd> widthDelayLine;
    Orvalen::dsp::Convolver springConvolver{ 0, springHeadSamples };

    // unit mix, tone and output
    Ramp widthRamp, dryRamp, outputRamp, mixRamp;
    TwoPoleLowPassFilter toneLowPass;
    HighShelfFilter toneShelf, airShelf;
    PeakFilter tonePeak, channelPeak;
    juce::dsp::DelayLine<float, juce::dsp::DelayLineInterpolationTypes::Lagrange3rd> dryDelayLine;

    // amplifier, tremolo and cabinet
    Ramp ampMix, ampDriveRamp, ampDriveCompensation, cabinetMix, ampMasterRamp;
    std::array<std::array<juce::dsp::IIR::Filter<float>, 2>, 3> toneStack;
    std::array<std::array<Ramp, 2>, 3> toneStackRamps;
    std::array<std::array<float, 2>, 3> toneStackBuiltDb{};
    bool ampPathIdle = true;
    Ramp tremoloMix, rateRamp, depthRamp, boostRamp, lfoFrequency;
    float lfoPhase = 0.0f;
    float lfoSampleRate = 44100.0f;
    Orvalen::dsp::Convolver cabinetConvolver{ 0, 0 };

    ZORLimiter<float> limiter;

    // work buffers
    juce::AudioBuffer<float> inputBuffer, sendBuffer, altSendBuffer, widthBuffer, channelScratch;
    juce::AudioBuffer<float> ampBuffer, cabinetBuffer, tremoloBuffer;

    //==============================================================================
    // spring response: the decoded tanks, the shaped copy and its hand-over slot
    std::array<juce::AudioBuffer<float>, 3> tankImpulses;
    juce::AudioBuffer<float> preparedImpulse;
    juce::AudioBuffer<float> pendingImpulse;
    bool impulsePending = false;
    juce::SpinLock impulseLock;
    juce::CriticalSection rebuildLock;
    BuiltResponse lastBuilt;
    DecayRebuildThrottle decayThrottle;
    std::atomic<int> springRebuildRequests{ 0 };
    std::atomic<int> springRebuildsServed{ 0 };
    std::atomic<bool> springRebuildWanted{ false };
    std::unique_ptr<SpringBuilderThread> springBuilder;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Coilvox)
};
