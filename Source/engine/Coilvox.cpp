#include "engine/Coilvox.h"

#include "CoilvoxBinaryData.h"
#include "engine/EmbeddedWav.h"
#include "engine/WaveShapers.h"
#include "plugin/ParameterIds.h"

#include <cmath>

namespace
{
//==============================================================================
// channels
constexpr float driveMin = 1.0f;
constexpr float driveMax[] = { 4.0f, 5.0f, 4.0f };
constexpr float chainFactor = 0.5f;
constexpr float chainFactorBoth = 0.6f;
constexpr float tubeSlope[] = { 1.5f, 5.0f };
constexpr float tubeOffset[] = { 0.182425f, 0.006629f };
constexpr float clipKnee = 0.5f;
constexpr float channelCTrim = 0.7f;

// spring path, per tank 1 to 3
constexpr float tankDriveRange[] = { 23.5f, 20.5f, 22.5f };
constexpr float tankMakeup[] = { 23.0f, 20.0f, 22.0f };
constexpr float tankTrimDb[] = { -8.0f, -5.0f, -7.0f };
constexpr float springTubeSlope = 5.0f;
constexpr float springTubeOffset = 0.006629f;
constexpr float widthCopyGain = 0.2f;
constexpr float reverbMakeupDb = -53.0f;
constexpr double tankRecordingRate = 44100.0;

// decay envelope
constexpr float decayDepth = 8.8f;
constexpr float decayBias = 0.03f;
constexpr float decayLevelExponent = 0.1f;
constexpr int decaySegments = 20;

// unit mix and tone
constexpr float driveCompensationDivisor = 14.0f;
constexpr float dryExponent = 5.0f;
constexpr float mixExponent = 1.5f;

// amplifier
constexpr float toneStackHz[] = { 500.0f, 1000.0f, 3000.0f };
constexpr float toneStackQ = 0.3f;
constexpr float ampDriveOffset = 5.0f;
constexpr float ampShaperCentre = 0.5f;
constexpr float ampMakeupDb = 12.0f;
constexpr float ampCompensationDivisor = 2.0f;
constexpr float cabinetTrimDb = -13.0f;

// tremolo
constexpr float depthScale = 0.8f;
constexpr float depthExponent = 0.75f;
constexpr float tremoloBoostDb = 2.0f;
constexpr float depthRampSeconds = 0.25f;
constexpr float lfoRampSeconds = 0.05f;
constexpr double syncMultipliers[] = { 0.5, 1.0, 2.0, 3.0, 4.0, 6.0 };

float levelGainFor (float decibels, float offsetDb) noexcept
{
    const float netDb = decibels + offsetDb;

    if (decibels < Coilvox::muteBelowDb || netDb <= -100.0f)
        return 0.0f;

    return std::pow (10.0f, netDb / 20.0f);
}

/** The send curve: the driver's pot law, silent at 0 and full at 1. */
float sendGainFor (float amount) noexcept
{
    const float base = amount < 0.0f ? 1.0f : 1.0f - std::min (amount, 1.0f);
    return 1.0f - std::pow (base, 2.5f);
}

float decibelsToGain (float decibels) noexcept
{
    return decibels <= -100.0f ? 0.0f : std::pow (10.0f, decibels / 20.0f);
}

int tankIndexFor (int tankValue) noexcept { return juce::jlimit (1, 3, tankValue) - 1; }

/** Multiplies every channel at each sample by the ramp's next value; a settled ramp costs one pass. */
void applyRamp (juce::SmoothedValue<float>& ramp, juce::AudioBuffer<float>& buffer, int n) noexcept
{
    if (! ramp.isSmoothing())
    {
        buffer.applyGain (0, n, ramp.getTargetValue());
        return;
    }

    for (int i = 0; i < n; ++i)
    {
        const float g = ramp.getNextValue();

        for (int c = 0; c < buffer.getNumChannels(); ++c)
            buffer.getWritePointer (c)[i] *= g;
    }
}

/** Crossfade: a × g and b × (1 − g) per sample. */
void applyCrossfade (juce::SmoothedValue<float>& ramp,
                     juce::AudioBuffer<float>& a,
                     juce::AudioBuffer<float>& b,
                     int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        const float g = ramp.getNextValue();

        for (int c = 0; c < a.getNumChannels(); ++c)
            a.getWritePointer (c)[i] *= g;

        for (int c = 0; c < b.getNumChannels(); ++c)
            b.getWritePointer (c)[i] *= 1.0f - g;
    }
}

/** Copies channel min(c, source channels − 1) of the source into each channel c of the target. */
void copyMapped (juce::AudioBuffer<float>& target, const juce::AudioBuffer<float>& source, int n) noexcept
{
    for (int c = 0; c < target.getNumChannels(); ++c)
        target.copyFrom (c, 0, source, juce::jmin (c, source.getNumChannels() - 1), 0, n);
}
} // namespace

//==============================================================================
/** Rebuilds the spring response whenever asked, so that neither the audio thread nor the host's
    automation thread pays for copying and shaping a 300,000-sample recording. */
class Coilvox::SpringBuilderThread : public juce::Thread
{
public:
    explicit SpringBuilderThread (Coilvox& ownerToUse)
        : juce::Thread ("Spring response builder")
        , owner (ownerToUse)
    {
        startThread();
    }

    ~SpringBuilderThread() override { stopThread (2000); }

    void run() override
    {
        // A short idle poll keeps the request path a single atomic store, safe on the audio thread.
        while (! threadShouldExit())
        {
            if (owner.springRebuildWanted.exchange (false))
            {
                // every request counted so far is served by this build, which reads the newest settings
                const int requests = owner.springRebuildRequests.load();
                owner.rebuildSpringImpulse();
                owner.springRebuildsServed.store (requests);
            }
            else
            {
                wait (5);
            }
        }
    }

private:
    Coilvox& owner;
};

//==============================================================================
Coilvox::Coilvox (EngineHost& hostToUse)
    : host (hostToUse)
    , inputGainTarget (levelGainFor (0.0f, inputOffsetDb))
    , outputGainTarget (levelGainFor (0.0f, outputOffsetDb))
    , ampMasterGain (decibelsToGain (-6.5f))
{
    inputRamp.setCurrentAndTargetValue (inputGainTarget.load());
    meterRamp.setCurrentAndTargetValue (meterFloorDb);

    for (size_t x = 0; x < 3; ++x)
    {
        channelOn[x] = x == 0;
        channelDriveTarget[x] = 1.0f;
        channelReverbDriveTarget[x] = 0.0f;
        tankDriveTarget[x] = 1.0f;
        toneStackDb[x] = 0.0f;
    }

    // The default factor (4×) exists from the start, as the host may ask for latency before prepare.
    oversamplers[2] =
        std::make_unique<juce::dsp::Oversampling<float>> (2,
                                                          2,
                                                          juce::dsp::Oversampling<float>::filterHalfBandFIREquiripple,
                                                          true,
                                                          false);

    // The recordings are decoded once; every later tank or decay change works from these copies.
    EmbeddedWav::read (tankImpulses[2],
                       CoilvoxBinaryData::coilvoxTank_wav,
                       (size_t) CoilvoxBinaryData::coilvoxTank_wavSize);
    EmbeddedWav::read (tankImpulses[1],
                       CoilvoxBinaryData::beltonTank_wav,
                       (size_t) CoilvoxBinaryData::beltonTank_wavSize);
    EmbeddedWav::read (tankImpulses[0],
                       CoilvoxBinaryData::accutronicsTank_wav,
                       (size_t) CoilvoxBinaryData::accutronicsTank_wavSize);
    cabinetConvolver.loadFromMemory (CoilvoxBinaryData::cabinet_wav,
                                     (size_t) CoilvoxBinaryData::cabinet_wavSize,
                                     true,
                                     false,
                                     0,
                                     false);

    springBuilder = std::make_unique<SpringBuilderThread> (*this);
}

Coilvox::~Coilvox() { springBuilder.reset(); }

//==============================================================================
float Coilvox::inputGainFor (float decibels) noexcept { return levelGainFor (decibels, inputOffsetDb); }

int Coilvox::oversamplingExponentFor (float menuValue) noexcept
{
    return (menuValue >= 1.0f && menuValue <= 4.0f) ? 5 - (int) menuValue : 0;
}

void Coilvox::buildOversamplers()
{
    for (int k = 0; k <= maxOversamplingExponent; ++k)
    {
        const auto filterType = k == maxOversamplingExponent
                                    ? juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR
                                    : juce::dsp::Oversampling<float>::filterHalfBandFIREquiripple;

        oversamplers[(size_t) k] = std::make_unique<juce::dsp::Oversampling<float>> ((size_t) inputChannels,
                                                                                     (size_t) k,
                                                                                     filterType,
                                                                                     true,
                                                                                     false);
        oversamplers[(size_t) k]->initProcessing ((size_t) maximumBlockSize);
        oversamplers[(size_t) k]->reset();
    }
}

void Coilvox::prepareChannelGains()
{
    const juce::dsp::ProcessSpec spec{ oversampledRate,
                                       (juce::uint32) (maximumBlockSize << maxOversamplingExponent),
                                       (juce::uint32) inputChannels };

    for (size_t x = 0; x < 3; ++x)
    {
        for (auto* gain : { &driveGain[x], &wetGain[x], &passGain[x] })
        {
            gain->prepare (spec);
            gain->setRampDurationSeconds (rampSeconds);
        }

        const bool on = channelOn[x].load (std::memory_order_relaxed);
        driveGain[x].setGainLinear (channelDriveTarget[x].load (std::memory_order_relaxed));
        wetGain[x].setGainLinear (on ? 1.0f : 0.0f);
        passGain[x].setGainLinear (on ? 0.0f : 1.0f);

        for (auto* gain : { &driveGain[x], &wetGain[x], &passGain[x] })
            gain->reset();

        // counted at the oversampled rate but advanced at the host rate, as the unit's controls do
        compensationDrive[x].reset (oversampledRate, rampSeconds);
        reverbDriveRamp[x].reset (oversampledRate, rampSeconds);
        compensationDrive[x].setCurrentAndTargetValue (channelDriveTarget[x].load (std::memory_order_relaxed));
        reverbDriveRamp[x].setCurrentAndTargetValue (channelReverbDriveTarget[x].load (std::memory_order_relaxed));
    }
}

void Coilvox::prepare (double newSampleRate, int newMaximumBlockSize, int numInputs, int numOutputs)
{
    sampleRate = newSampleRate;
    maximumBlockSize = juce::jmax (1, newMaximumBlockSize);
    inputChannels = juce::jlimit (1, 2, numInputs);
    outputChannels = juce::jlimit (1, 2, numOutputs);

    inputBuffer.setSize (inputChannels, maximumBlockSize);
    channelScratch.setSize (inputChannels, maximumBlockSize << maxOversamplingExponent);

    for (auto* buffer : { &sendBuffer, &altSendBuffer, &widthBuffer, &ampBuffer, &cabinetBuffer, &tremoloBuffer })
        buffer->setSize (outputChannels, maximumBlockSize);

    for (auto* buffer : { &inputBuffer,
                          &channelScratch,
                          &sendBuffer,
                          &altSendBuffer,
                          &widthBuffer,
                          &ampBuffer,
                          &cabinetBuffer,
                          &tremoloBuffer })
        buffer->clear();

    const juce::dsp::ProcessSpec outputSpec{ sampleRate,
                                             (juce::uint32) maximumBlockSize,
                                             (juce::uint32) outputChannels };
    const int preDelayCapacity = (int) (maxPreDelayMs * sampleRate / 1000.0 + 10.0);

    for (auto* line : { &preDelayLine1, &preDelayLine2 })
    {
        line->setMaximumDelayInSamples (preDelayCapacity);
        line->prepare (outputSpec);
    }

    dryDelayLine.setMaximumDelayInSamples (dryDelaySamples + 4);
    dryDelayLine.prepare ({ sampleRate, (juce::uint32) maximumBlockSize, 2 });
    dryDelayLine.setDelay ((float) dryDelaySamples);

    // Build the response for the current tank and decay here, so that playback starts on it and the
    // parameter push that follows finds nothing to rebuild: renders start the same way every time.
    const int selectedTank = (int) host.getParameterValue (ParameterIds::tank);
    const double decay = (host.getParameterValue (ParameterIds::decay) + 10.0) / 20.0;
    springRebuildWanted = false;

    const bool decayMoved = decayThrottle.settle (decay);

    if (selectedTank != tank.load() || decayMoved)
    {
        tank = selectedTank;
        rebuildSpringImpulse();
    }

    // A response built here is handed over before the convolver prepares, so playback starts with it.
    {
        const juce::SpinLock::ScopedLockType lock (impulseLock);

        if (impulsePending)
        {
            springConvolver.loadFromBuffer (std::move (pendingImpulse), tankRecordingRate, false, true, false);
            impulsePending = false;
        }
    }

    springConvolver.prepare (sampleRate, maximumBlockSize, outputChannels);

    widthDelayLine.setMaximumDelayInSamples ((int) (widthDelayMs * sampleRate / 1000.0 + 10.0));
    widthDelayLine.prepare (outputSpec);
    widthDelayLine.setDelay (
        (float) juce::jmin (widthDelayMs * sampleRate / 1000.0, (double) widthDelayLine.getMaximumDelayInSamples()));

    cabinetConvolver.prepare (sampleRate, maximumBlockSize, outputChannels);

    lfoSampleRate = (float) sampleRate;
    lfoPhase = 0.0f;

    for (auto* biquad : std::initializer_list<BiquadFilter*>{ &firstHighPass,
                                                              &secondHighPass,
                                                              &toneLowPass,
                                                              &toneShelf,
                                                              &airShelf,
                                                              &tonePeak,
                                                              &channelPeak })
    {
        biquad->sampleRate = (float) sampleRate;
        biquad->setParameters (biquad->frequency, biquad->q, biquad->gainDb);
    }

    firstHighPass.setParameters (20.0f, 0.65f, 0.0f);
    secondHighPass.setParameters (50.0f, 0.71f, 0.0f);
    airShelf.setParameters (2500.0f, 0.05f, 0.25f);

    for (size_t band = 0; band < 3; ++band)
        for (auto& filter : toneStack[band])
        {
            filter.coefficients = new juce::dsp::IIR::Coefficients<float> (1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
            filter.reset();
        }

    // NaN never equals a gain, so the first block builds the coefficients for the current rate.
    for (auto& band : toneStackBuiltDb)
        band.fill (std::numeric_limits<float>::quiet_NaN());

    limiter.prepare ({ sampleRate, (juce::uint32) maximumBlockSize, 2 });

    buildOversamplers();
    activeExponent = requestedExponent.load();
    oversampledRate = std::ldexp (sampleRate, activeExponent.load());
    prepareChannelGains();

    resetRamps();
    appliedPreDelayMs = -1;
    settleOnNextBlock = true;
    ampPathIdle = true;
    inputSilent = false;
    outputSilent = false;
}

void Coilvox::resetRamps()
{
    for (auto* ramp : { &inputRamp,
                        &sendRamp,
                        &channelFade,
                        &widthRamp,
                        &dryRamp,
                        &outputRamp,
                        &mixRamp,
                        &ampMix,
                        &ampDriveRamp,
                        &ampDriveCompensation,
                        &ampMasterRamp,
                        &tremoloMix,
                        &rateRamp })
        ramp->reset (sampleRate, rampSeconds);

    for (size_t t = 0; t < 3; ++t)
    {
        tankPreGain[t].reset (sampleRate, rampSeconds);
        tankPostDrive[t].reset (sampleRate, rampSeconds);

        for (auto& ramp : toneStackRamps[t])
            ramp.reset (sampleRate, rampSeconds);
    }

    preDelayGain1.reset (sampleRate, slowRampSeconds);
    preDelayGain2.reset (sampleRate, slowRampSeconds);
    cabinetMix.reset (sampleRate, slowRampSeconds);
    depthRamp.reset (sampleRate, depthRampSeconds);
    boostRamp.reset (sampleRate, depthRampSeconds);
    meterRamp.reset (sampleRate, meterFallSeconds);
    lfoFrequency.reset (sampleRate, lfoRampSeconds);
}

void Coilvox::reset()
{
    widthDelayLine.reset();
    dryDelayLine.reset();
    cabinetConvolver.reset();
    lfoPhase = 0.0f;
    settleOnNextBlock = true;
    resetRamps();
}

//==============================================================================
void Coilvox::process (juce::AudioBuffer<float>& hostBuffer) noexcept
{
    const int hostChannels = hostBuffer.getNumChannels();
    const int total = hostBuffer.getNumSamples();

    // The chain is stereo: wider buffers (an input bus of more than two channels) keep only the first two.
    for (int c = 2; c < hostChannels; ++c)
        hostBuffer.clear (c, 0, total);

    if (maximumBlockSize <= 0 || hostChannels == 0 || total == 0)
        return;

    // Some hosts send more samples than announced: the stages are sized for the maximum, so slice.
    for (int start = 0; start < total; start += maximumBlockSize)
    {
        juce::AudioBuffer<float> slice (hostBuffer.getArrayOfWritePointers(),
                                        juce::jmin (2, hostChannels),
                                        start,
                                        juce::jmin (maximumBlockSize, total - start));
        processSlice (slice);
    }
}

void Coilvox::processSlice (juce::AudioBuffer<float>& hostSlice) noexcept
{
    const int n = hostSlice.getNumSamples();

    // A faulty upstream plug-in can send NaN or infinity; it must not poison filters and tails for good.
    for (int c = 0; c < hostSlice.getNumChannels(); ++c)
    {
        auto* data = hostSlice.getWritePointer (c);

        for (int i = 0; i < n; ++i)
            if (! std::isfinite (data[i]))
                data[i] = 0.0f;
    }

    applyPendingChanges();
    sizeWorkBuffers (n);
    runInputStage (hostSlice, n);
    updateInputMeter (n);
    runSendAndPreDelay (n);
    testInputSilence (hostSlice, n);

    // While nothing comes in and nothing rings out, every heavy stage keeps its state untouched.
    if (inputSilent && outputSilent)
        return;

    runChannelStages (n);
    runWidthCopy (n);
    runSpringPath (n);
    runUnitMix (n);
    runToneAndOutput (n);
    runGlobalMix (hostSlice, n);
    runAmplifierPath (hostSlice, n);

    juce::dsp::AudioBlock<float> block (hostSlice);
    limiter.process (juce::dsp::ProcessContextReplacing<float> (block));

    testOutputSilence (hostSlice, n);
}

void Coilvox::switchOversampler (int exponent) noexcept
{
    oversamplers[(size_t) exponent]->reset();
    activeExponent.store (exponent, std::memory_order_relaxed);
    oversampledRate = std::ldexp (sampleRate, exponent);
    prepareChannelGains();
}

void Coilvox::applyPendingChanges() noexcept
{
    const int exponent = requestedExponent.load (std::memory_order_relaxed);

    if (exponent != activeExponent.load (std::memory_order_relaxed) && oversamplers[(size_t) exponent] != nullptr)
        switchOversampler (exponent);

    const auto relaxed = std::memory_order_relaxed;
    inputRamp.setTargetValue (inputGainTarget.load (relaxed));
    sendRamp.setTargetValue (sendAmountTarget.load (relaxed));
    dryRamp.setTargetValue (sendAmountTarget.load (relaxed));
    widthRamp.setTargetValue (widthTarget.load (relaxed));
    outputRamp.setTargetValue (outputGainTarget.load (relaxed));
    mixRamp.setTargetValue (mixTarget.load (relaxed));

    bool anyChannelOn = false;

    for (size_t x = 0; x < 3; ++x)
    {
        const bool on = channelOn[x].load (relaxed);
        anyChannelOn = anyChannelOn || on;
        driveGain[x].setGainLinear (channelDriveTarget[x].load (relaxed));
        wetGain[x].setGainLinear (on ? 1.0f : 0.0f);
        passGain[x].setGainLinear (on ? 0.0f : 1.0f);
        compensationDrive[x].setTargetValue (channelDriveTarget[x].load (relaxed));
        reverbDriveRamp[x].setTargetValue (channelReverbDriveTarget[x].load (relaxed));
        tankPreGain[x].setTargetValue (tankDriveTarget[x].load (relaxed));
        tankPostDrive[x].setTargetValue (tankDriveTarget[x].load (relaxed));

        for (auto& ramp : toneStackRamps[x])
            ramp.setTargetValue (toneStackDb[x].load (relaxed));
    }

    channelFade.setTargetValue (anyChannelOn ? 1.0f : 0.0f);
    ampMix.setTargetValue (ampOn.load (relaxed) ? 1.0f : 0.0f);
    ampDriveRamp.setTargetValue (ampDriveDb.load (relaxed));
    ampDriveCompensation.setTargetValue (ampDriveDb.load (relaxed));
    ampMasterRamp.setTargetValue (ampMasterGain.load (relaxed));
    cabinetMix.setTargetValue (cabinetOn.load (relaxed) ? 1.0f : 0.0f);
    tremoloMix.setTargetValue (tremoloOn.load (relaxed) ? 1.0f : 0.0f);
    depthRamp.setTargetValue (tremoloDepthTarget.load (relaxed));
    boostRamp.setTargetValue (tremoloBoostTarget.load (relaxed));

    if (tremoloRateJump.exchange (false, relaxed))
        rateRamp.setCurrentAndTargetValue ((float) tremoloRateHz.load (relaxed));
    else
        rateRamp.setTargetValue ((float) tremoloRateHz.load (relaxed));

    const int preDelayMs = requestedPreDelayMs.load (relaxed);

    if (preDelayMs != appliedPreDelayMs)
    {
        appliedPreDelayMs = preDelayMs;
        preDelaySamples = (int) (preDelayMs * sampleRate / 1000.0);

        // The new delay goes into the quieter line and fades in while the other fades out, so the
        // audible line's delay never jumps.
        const bool useFirst = preDelayGain1.getCurrentValue() < preDelayGain2.getCurrentValue();
        auto& line = useFirst ? preDelayLine1 : preDelayLine2;
        line.setDelay (preDelayMs < 0 ? 0.0f : (float) juce::jmin (preDelaySamples, line.getMaximumDelayInSamples()));
        preDelayGain1.setTargetValue (useFirst ? 1.0f : 0.0f);
        preDelayGain2.setTargetValue (useFirst ? 0.0f : 1.0f);
    }

    // The parameter push that follows a prepare describes where playback starts, not a move to fade
    // into: the first block starts on the targets instead of ramping from the defaults.
    if (settleOnNextBlock)
    {
        settleOnNextBlock = false;

        for (auto* ramp : { &inputRamp,
                            &sendRamp,
                            &preDelayGain1,
                            &preDelayGain2,
                            &dryRamp,
                            &widthRamp,
                            &outputRamp,
                            &mixRamp,
                            &channelFade,
                            &ampMix,
                            &ampDriveRamp,
                            &ampDriveCompensation,
                            &ampMasterRamp,
                            &cabinetMix,
                            &tremoloMix,
                            &rateRamp,
                            &depthRamp,
                            &boostRamp })
            ramp->setCurrentAndTargetValue (ramp->getTargetValue());

        for (size_t x = 0; x < 3; ++x)
        {
            for (auto* ramp : { &compensationDrive[x],
                                &reverbDriveRamp[x],
                                &tankPreGain[x],
                                &tankPostDrive[x],
                                &toneStackRamps[x][0],
                                &toneStackRamps[x][1] })
                ramp->setCurrentAndTargetValue (ramp->getTargetValue());

            for (auto* gain : { &driveGain[x], &wetGain[x], &passGain[x] })
                gain->reset();
        }
    }
}

void Coilvox::sizeWorkBuffers (int numSamples) noexcept
{
    // Capacity was reserved in prepare, so this only changes the visible length.
    for (auto* buffer :
         { &inputBuffer, &sendBuffer, &altSendBuffer, &widthBuffer, &ampBuffer, &cabinetBuffer, &tremoloBuffer })
        if (buffer->getNumSamples() != numSamples)
            buffer->setSize (buffer->getNumChannels(), numSamples, false, false, true);
}

//==============================================================================
void Coilvox::runInputStage (const juce::AudioBuffer<float>& hostSlice, int n) noexcept
{
    copyMapped (inputBuffer, hostSlice, n);
    applyRamp (inputRamp, inputBuffer, n);
    inputBuffer.applyGain (0, n, juce::Decibels::decibelsToGain (inputTrimDb));
}

void Coilvox::updateInputMeter (int n) noexcept
{
    meterRamp.skip (n);

    float level = 0.0f;

    for (int c = 0; c < inputBuffer.getNumChannels(); ++c)
        level = std::max (level, inputBuffer.getRMSLevel (c, 0, n));

    const float db = level > 0.0f ? std::max (meterFloorDb, 20.0f * std::log10 (level)) : meterFloorDb;

    if (db >= meterRamp.getCurrentValue())
        meterRamp.setCurrentAndTargetValue (db);
    else if (db != meterRamp.getTargetValue())
        meterRamp.setTargetValue (db);

    inputLevelDb.store (meterRamp.getCurrentValue(), std::memory_order_relaxed);
}

void Coilvox::runSendAndPreDelay (int n) noexcept
{
    copyMapped (sendBuffer, inputBuffer, n);

    if (sendRamp.isSmoothing())
    {
        for (int i = 0; i < n; ++i)
        {
            const float gain = sendGainFor (sendRamp.getNextValue());

            for (int c = 0; c < sendBuffer.getNumChannels(); ++c)
                sendBuffer.getWritePointer (c)[i] *= gain;
        }
    }
    else
    {
        sendBuffer.applyGain (0, n, sendGainFor (sendRamp.getTargetValue()));
    }

    copyMapped (altSendBuffer, sendBuffer, n);

    juce::dsp::AudioBlock<float> sendBlock (sendBuffer), altBlock (altSendBuffer);
    preDelayLine1.process (juce::dsp::ProcessContextReplacing<float> (sendBlock));
    preDelayLine2.process (juce::dsp::ProcessContextReplacing<float> (altBlock));

    applyRamp (preDelayGain1, sendBuffer, n);
    applyRamp (preDelayGain2, altSendBuffer, n);

    for (int c = 0; c < sendBuffer.getNumChannels(); ++c)
        sendBuffer.addFrom (c, 0, altSendBuffer, c, 0, n);
}

void Coilvox::testInputSilence (const juce::AudioBuffer<float>& hostSlice, int n) noexcept
{
    const int channels = juce::jmin (numInputChannels.load (std::memory_order_relaxed), hostSlice.getNumChannels());

    if (channels <= 0 || n <= 0)
        return;

    const int sendChannels = sendBuffer.getNumChannels();

    for (int c = 0; c < channels; ++c)
    {
        const float* in = hostSlice.getReadPointer (c);
        const float* send = sendBuffer.getReadPointer (juce::jmin (c, sendChannels - 1));

        for (int i = 0; i < n; ++i)
        {
            if (in[i] != 0.0f || std::abs (send[i]) > silenceThreshold)
            {
                inputSilent = false;
                return;
            }
        }
    }

    inputSilent = true;
}

//==============================================================================
void Coilvox::runChannelStages (int n) noexcept
{
    auto& oversampler = *oversamplers[(size_t) activeExponent.load (std::memory_order_relaxed)];
    auto inputBlock = juce::dsp::AudioBlock<float> (inputBuffer).getSubBlock (0, (size_t) n);
    auto block = oversampler.processSamplesUp (inputBlock);
    const auto upLength = block.getNumSamples();

    // Channels A, B and C in series: a channel that is on replaces the signal by its driven version.
    for (size_t x = 0; x < 3; ++x)
    {
        auto scratch = juce::dsp::AudioBlock<float> (channelScratch).getSubBlock (0, upLength);
        scratch.copyFrom (block);
        driveGain[x].process (juce::dsp::ProcessContextReplacing<float> (scratch));
        wetGain[x].process (juce::dsp::ProcessContextReplacing<float> (scratch));
        passGain[x].process (juce::dsp::ProcessContextReplacing<float> (block));

        for (size_t c = 0; c < scratch.getNumChannels(); ++c)
        {
            auto* data = scratch.getChannelPointer (c);

            for (size_t i = 0; i < upLength; ++i)
                data[i] = x == 2 ? WaveShapers::channelC (data[i]) * channelCTrim
                                 : WaveShapers::tube (data[i], tubeSlope[x], tubeOffset[x]);
        }

        block.add (scratch);
    }

    for (size_t c = 0; c < block.getNumChannels(); ++c)
    {
        auto* data = block.getChannelPointer (c);

        for (size_t i = 0; i < upLength; ++i)
            data[i] = WaveShapers::softClip (data[i], clipKnee);
    }

    oversampler.processSamplesDown (inputBlock);

    applyRamp (channelFade, inputBuffer, n);
    firstHighPass.processBlock (inputBuffer);

    // loudness compensation for the drive settings
    for (int i = 0; i < n; ++i)
    {
        const float ea = compensationDrive[0].getNextValue() - 1.0f;
        const float eb = compensationDrive[1].getNextValue() - 1.0f;
        const float ec = compensationDrive[2].getNextValue() - 1.0f;
        const float g = 1.0f
                        / (ea / 1.3f + eb / 1.2f + ec / 1.0f + 0.05f * ea * eb + 0.15f * ea * ec + 0.1f * eb * ec
                           - 0.001f * ea * eb * ec + 1.0f);

        for (int c = 0; c < inputBuffer.getNumChannels(); ++c)
            inputBuffer.getWritePointer (c)[i] *= g;
    }
}

//==============================================================================
void Coilvox::runWidthCopy (int n) noexcept
{
    if (numOutputChannels.load (std::memory_order_relaxed) != 2 || sendBuffer.getNumChannels() != 2)
        return;

    // A short, polarity-flipped copy spreads the mono-ish send across the stereo tank.
    copyMapped (widthBuffer, sendBuffer, n);
    juce::dsp::AudioBlock<float> block (widthBuffer);
    widthDelayLine.process (juce::dsp::ProcessContextReplacing<float> (block));
    widthBuffer.applyGain (1, 0, n, -1.0f);

    for (int c = 0; c < 2; ++c)
        sendBuffer.addFrom (c, 0, widthBuffer, c, 0, n, widthCopyGain);
}

void Coilvox::runSpringPath (int n) noexcept
{
    const auto t = (size_t) tankIndexFor (tank.load (std::memory_order_relaxed));

    applyRamp (tankPreGain[t], sendBuffer, n);

    for (int c = 0; c < sendBuffer.getNumChannels(); ++c)
    {
        auto* data = sendBuffer.getWritePointer (c);

        for (int i = 0; i < n; ++i)
            data[i] = WaveShapers::softClip (WaveShapers::tube (data[i], springTubeSlope, springTubeOffset), clipKnee);
    }

    for (int i = 0; i < n; ++i)
    {
        const float g = tankMakeup[t] / std::pow (tankPostDrive[t].getNextValue(), 0.75f);

        for (int c = 0; c < sendBuffer.getNumChannels(); ++c)
            sendBuffer.getWritePointer (c)[i] *= g;
    }

    secondHighPass.processBlock (sendBuffer);
    springConvolver.process (sendBuffer);
    sendBuffer.applyGain (0, n, juce::Decibels::decibelsToGain (reverbMakeupDb));

    // Hand a finished response to the convolver, unless its builder holds the slot right now.
    const juce::SpinLock::ScopedTryLockType lock (impulseLock);

    if (lock.isLocked() && impulsePending)
    {
        springConvolver.loadFromBuffer (std::move (pendingImpulse), tankRecordingRate, false, true, false);
        impulsePending = false;
    }
}

void Coilvox::runUnitMix (int n) noexcept
{
    if (numOutputChannels.load (std::memory_order_relaxed) == 2 && sendBuffer.getNumChannels() == 2)
    {
        auto* left = sendBuffer.getWritePointer (0);
        auto* right = sendBuffer.getWritePointer (1);

        for (int i = 0; i < n; ++i)
        {
            const float w = widthRamp.getNextValue();
            const float mid = (left[i] + right[i]) * 0.5f;
            const float side = (right[i] - left[i]) * 0.5f * w;
            left[i] = mid - side;
            right[i] = mid + side;
        }
    }

    // the reverb follows the channels' drive, on or off
    for (int i = 0; i < n; ++i)
    {
        const float ga = reverbDriveRamp[0].getNextValue();
        const float gb = reverbDriveRamp[1].getNextValue();
        const float gc = reverbDriveRamp[2].getNextValue();
        const float g = (ga - driveMin) / driveCompensationDivisor + (gb - driveMin) / driveCompensationDivisor
                        + (gc - driveMin) / driveCompensationDivisor + 1.0f;

        for (int c = 0; c < sendBuffer.getNumChannels(); ++c)
            sendBuffer.getWritePointer (c)[i] *= g;
    }

    sendBuffer.applyGain (
        0,
        n,
        juce::Decibels::decibelsToGain (tankTrimDb[tankIndexFor (tank.load (std::memory_order_relaxed))]));

    // the unit's own dry signal falls as the reverb amount rises
    for (int i = 0; i < n; ++i)
    {
        const float g = 1.0f - std::pow (juce::jlimit (0.0f, 1.0f, dryRamp.getNextValue()), dryExponent);

        for (int c = 0; c < inputBuffer.getNumChannels(); ++c)
            inputBuffer.getWritePointer (c)[i] *= g;
    }

    for (int c = 0; c < sendBuffer.getNumChannels(); ++c)
        sendBuffer.addFrom (c, 0, inputBuffer, juce::jmin (c, inputBuffer.getNumChannels() - 1), 0, n);
}

void Coilvox::runToneAndOutput (int n) noexcept
{
    const int channels = sendBuffer.getNumChannels();
    const float toneNegative = toneNegativeTarget.load (std::memory_order_relaxed);
    const float tonePositive = tonePositiveTarget.load (std::memory_order_relaxed);

    toneLowPass.setParameters (
        3000.0f + (20000.0f - 3000.0f) * std::pow (juce::jlimit (0.0f, 1.0f, 1.0f + toneNegative), 1.5f),
        0.71f,
        0.0f);

    for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
            toneLowPass.processSample (sendBuffer.getWritePointer (c)[i], c);

    // The shelf and peak take these linear factors as their dB arguments: the unit's voicing.
    const float shelfArgument = std::pow (10.0f, 27.0f * tonePositive / 20.0f);
    const float peakArgument = std::pow (10.0f, -0.25f * tonePositive / 20.0f);
    toneShelf.setParameters (6500.0f, 0.25f, shelfArgument <= -100.0f ? 0.0f : shelfArgument);
    tonePeak.setParameters (1000.0f, 0.4f, peakArgument <= -100.0f ? 0.0f : peakArgument);

    for (int i = 0; i < n; ++i)
    {
        for (int c = 0; c < channels; ++c)
        {
            auto& sample = sendBuffer.getWritePointer (c)[i];
            toneShelf.processSample (sample, c);
            tonePeak.processSample (sample, c);
        }
    }

    airShelf.processBlock (sendBuffer);

    channelPeak.setParameters (1200.0f,
                               0.5f,
                               std::pow (10.0f, -1.0f * channelBPeakValue.load (std::memory_order_relaxed) / 20.0f));

    for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
            channelPeak.processSample (sendBuffer.getWritePointer (c)[i], c);

    applyRamp (outputRamp, sendBuffer, n);
}

void Coilvox::runGlobalMix (juce::AudioBuffer<float>& hostSlice, int n) noexcept
{
    // The dry path is the host input, untouched by the engine and five samples late.
    for (int c = 0; c < hostSlice.getNumChannels(); ++c)
    {
        auto* data = hostSlice.getWritePointer (c);

        for (int i = 0; i < n; ++i)
        {
            dryDelayLine.pushSample (c, data[i]);
            data[i] = dryDelayLine.popSample (c);
        }
    }

    const int sendChannels = sendBuffer.getNumChannels();

    for (int i = 0; i < n; ++i)
    {
        const float m = juce::jlimit (0.0f, 1.0f, mixRamp.getNextValue());
        const float dry = 1.0f - std::pow (m, mixExponent);
        const float wet = 1.0f - std::pow (1.0f - m, mixExponent);

        for (int c = 0; c < hostSlice.getNumChannels(); ++c)
        {
            auto& sample = hostSlice.getWritePointer (c)[i];
            sample = sample * dry + wet * sendBuffer.getReadPointer (juce::jmin (c, sendChannels - 1))[i];
        }
    }
}

//==============================================================================
void Coilvox::runAmplifierPath (juce::AudioBuffer<float>& hostSlice, int n) noexcept
{
    // Fully off and settled, the path contributes nothing: skip it, and start it clean when it returns.
    if (! ampMix.isSmoothing() && ampMix.getTargetValue() == 0.0f)
    {
        ampPathIdle = true;
        return;
    }

    if (ampPathIdle)
    {
        ampPathIdle = false;

        for (auto& band : toneStack)
            for (auto& filter : band)
                filter.reset();

        cabinetConvolver.reset();
        lfoPhase = 0.0f;
    }

    copyMapped (ampBuffer, hostSlice, n);
    applyCrossfade (ampMix, ampBuffer, hostSlice, n);

    runToneStack (n);

    if (ampDriveRamp.isSmoothing() || ampDriveRamp.getTargetValue() != 0.0f)
    {
        for (int i = 0; i < n; ++i)
        {
            const float g = decibelsToGain (ampDriveRamp.getNextValue());

            for (int c = 0; c < ampBuffer.getNumChannels(); ++c)
                ampBuffer.getWritePointer (c)[i] *= g;
        }
    }

    for (int c = 0; c < ampBuffer.getNumChannels(); ++c)
    {
        auto* data = ampBuffer.getWritePointer (c);

        for (int i = 0; i < n; ++i)
            data[i] = WaveShapers::ampSaturate (data[i], ampShaperCentre);
    }

    ampBuffer.applyGain (0, n, juce::Decibels::decibelsToGain (ampMakeupDb));

    if (ampDriveCompensation.isSmoothing() || ampDriveCompensation.getTargetValue() != 0.0f)
    {
        for (int i = 0; i < n; ++i)
        {
            const float g = decibelsToGain (ampDriveCompensation.getNextValue() / -ampCompensationDivisor);

            for (int c = 0; c < ampBuffer.getNumChannels(); ++c)
                ampBuffer.getWritePointer (c)[i] *= g;
        }
    }

    runTremolo (n);
    runCabinet (n);

    applyRamp (ampMasterRamp, ampBuffer, n);

    for (int c = 0; c < hostSlice.getNumChannels(); ++c)
        hostSlice.addFrom (c, 0, ampBuffer, juce::jmin (c, ampBuffer.getNumChannels() - 1), 0, n);
}

void Coilvox::runToneStack (int n) noexcept
{
    using Maker = juce::dsp::IIR::ArrayCoefficients<float>;
    const int channels = juce::jmin (2, ampBuffer.getNumChannels());

    for (size_t band = 0; band < 3; ++band)
    {
        for (int i = 0; i < n; ++i)
        {
            for (int c = 0; c < channels; ++c)
            {
                auto& ramp = toneStackRamps[band][(size_t) c];
                auto& filter = toneStack[band][(size_t) c];

                // While the gain moves, new coefficients are written into the filter's own set in place.
                if (ramp.isSmoothing() || toneStackBuiltDb[band][(size_t) c] != ramp.getTargetValue())
                {
                    const float gainDb = ramp.getNextValue();
                    toneStackBuiltDb[band][(size_t) c] = gainDb;
                    const float gain = decibelsToGain (gainDb);
                    const float frequency = std::max (2.0f, toneStackHz[band]);
                    *filter.coefficients = band == 0   ? Maker::makeLowShelf (sampleRate, frequency, toneStackQ, gain)
                                           : band == 1 ? Maker::makePeakFilter (sampleRate, frequency, toneStackQ, gain)
                                                       : Maker::makeHighShelf (sampleRate, frequency, toneStackQ, gain);
                }

                auto& sample = ampBuffer.getWritePointer (c)[i];
                sample = filter.processSample (sample);
            }
        }
    }
}

void Coilvox::runTremolo (int n) noexcept
{
    copyMapped (tremoloBuffer, ampBuffer, n);
    applyCrossfade (tremoloMix, tremoloBuffer, ampBuffer, n);

    // Position pass: keep a running estimate of the host's musical position to re-align to the beat.
    const double step = (bpm.load (std::memory_order_relaxed) / 60.0) / sampleRate;
    double position = ppqPosition.load (std::memory_order_relaxed);

    if (tremoloSync.load (std::memory_order_relaxed))
    {
        for (int i = 0; i < n; ++i)
            position += step;
    }
    else
    {
        bool flag = tremoloRestartRequested.load (std::memory_order_relaxed);
        const bool playing = isPlaying.load (std::memory_order_relaxed);

        for (int i = 0; i < n; ++i)
        {
            position += step;

            if (flag != playing)
                continue;

            depthRamp.getNextValue();

            if (depthRamp.getCurrentValue() != 0.0f)
                continue;

            const float rounded = std::round ((float) (position * 100.0)) / 100.0f;
            const auto beat = (long long) position;

            if (rounded == (float) beat && (syncRateIndex.load (std::memory_order_relaxed) != 0 || beat % 2 == 0))
            {
                lfoPhase = 0.0f;

                if (lfoSampleRate > 0.0f)
                    lfoFrequency.reset (lfoSampleRate, lfoRampSeconds);

                tremoloRestartRequested.store (false, std::memory_order_relaxed);
                flag = false;
                depthRamp.setTargetValue (tremoloDepthTarget.load (std::memory_order_relaxed));
            }
        }
    }

    ppqPosition.store (position, std::memory_order_relaxed);

    if (tremoloMix.isSmoothing() || tremoloMix.getTargetValue() != 0.0f)
    {
        constexpr float twoPi = juce::MathConstants<float>::twoPi;

        for (int i = 0; i < n; ++i)
        {
            lfoFrequency.setTargetValue (rateRamp.getNextValue());
            const float frequency = lfoFrequency.getNextValue();
            const float increment = twoPi * frequency / lfoSampleRate;
            const float phase = lfoPhase;

            lfoPhase = phase + increment;
            while (lfoPhase >= twoPi)
                lfoPhase -= twoPi;

            const float shape = WaveShapers::tremoloShape (phase - juce::MathConstants<float>::pi);
            const float gain = (1.0f - shape * depthRamp.getNextValue()) * decibelsToGain (boostRamp.getNextValue());

            for (int c = 0; c < tremoloBuffer.getNumChannels(); ++c)
                tremoloBuffer.getWritePointer (c)[i] *= gain;
        }
    }

    for (int c = 0; c < ampBuffer.getNumChannels(); ++c)
        ampBuffer.addFrom (c, 0, tremoloBuffer, c, 0, n);
}

void Coilvox::runCabinet (int n) noexcept
{
    copyMapped (cabinetBuffer, ampBuffer, n);
    applyCrossfade (cabinetMix, cabinetBuffer, ampBuffer, n);

    // With the cabinet off and its fade finished, no convolution runs at all.
    if (cabinetMix.isSmoothing() || cabinetMix.getTargetValue() != 0.0f)
    {
        cabinetConvolver.process (cabinetBuffer);
        cabinetBuffer.applyGain (0, n, juce::Decibels::decibelsToGain (cabinetTrimDb));

        for (int c = 0; c < ampBuffer.getNumChannels(); ++c)
            ampBuffer.addFrom (c, 0, cabinetBuffer, c, 0, n);
    }
}

void Coilvox::testOutputSilence (const juce::AudioBuffer<float>& hostSlice, int n) noexcept
{
    if (hostSlice.getNumChannels() == 0 || n <= 0)
        return;

    for (int c = 0; c < hostSlice.getNumChannels(); ++c)
    {
        if (hostSlice.getMagnitude (c, 0, n) > silenceThreshold)
        {
            outputSilent = false;
            return;
        }
    }

    outputSilent = true;
}

//==============================================================================
double Coilvox::getOversamplingLatency() const
{
    const auto& oversampler = oversamplers[(size_t) requestedExponent.load()];
    return oversampler != nullptr ? (double) oversampler->getLatencyInSamples() : 0.0;
}

void Coilvox::setInputLevel (float decibels)
{
    inputGainTarget.store (levelGainFor (decibels, inputOffsetDb), std::memory_order_relaxed);
}

void Coilvox::setOutputLevel (float decibels)
{
    outputGainTarget.store (levelGainFor (decibels, outputOffsetDb), std::memory_order_relaxed);
}

void Coilvox::setChannelGain (Channel channel, float percent)
{
    const auto x = (size_t) channel;
    const float amount = percent / 100.0f;
    const bool aOn = channelOn[0].load (std::memory_order_relaxed);
    const bool bOn = channelOn[1].load (std::memory_order_relaxed);
    float drive = driveMin + (driveMax[x] - driveMin) * amount;

    if (channel == Channel::B)
    {
        const float peak = aOn ? 0.5f * drive : amount;

        if (channelOn[1].load (std::memory_order_relaxed))
            channelBPeakValue.store (peak, std::memory_order_relaxed);
    }
    else if (channel == Channel::C)
    {
        // A later channel in the chain is driven less when earlier ones already drive it.
        if (aOn && bOn)
            drive *= chainFactorBoth;
        else if (aOn || bOn)
            drive *= chainFactor;
    }

    channelDriveTarget[x].store (channelOn[x].load (std::memory_order_relaxed) ? drive : 1.0f,
                                 std::memory_order_relaxed);
    channelReverbDriveTarget[x].store (drive, std::memory_order_relaxed);
}

void Coilvox::setChannelOn (Channel channel, bool shouldBeOn)
{
    static constexpr const char* gainIds[] = { ParameterIds::channelAGain,
                                               ParameterIds::channelBGain,
                                               ParameterIds::channelCGain };
    channelOn[(size_t) channel].store (shouldBeOn, std::memory_order_relaxed);
    setChannelGain (channel, host.getParameterValue (gainIds[(size_t) channel]));
}

void Coilvox::setReverbAmount (float percent)
{
    float amount = percent / 100.0f;

    // Below 0.4 the pot law bends down; both branches meet at 0.4.
    if (amount < 0.4f)
        amount = 1.9f * std::pow (amount, 1.7f);

    sendAmountTarget.store (amount, std::memory_order_relaxed);
}

void Coilvox::setReverbDrive (float percent)
{
    for (size_t t = 0; t < 3; ++t)
        tankDriveTarget[t].store (1.0f + tankDriveRange[t] * percent / 100.0f, std::memory_order_relaxed);
}

void Coilvox::setDecay (float value)
{
    if (decayThrottle.valueChanged ((value + 10.0) / 20.0))
        requestSpringRebuild();
}

void Coilvox::beginDecayGesture (float value)
{
    if (decayThrottle.gestureBegan ((value + 10.0) / 20.0))
        requestSpringRebuild();
}

void Coilvox::endDecayGesture (float value)
{
    if (decayThrottle.gestureEnded ((value + 10.0) / 20.0))
        requestSpringRebuild();
}

void Coilvox::setTank (float value)
{
    if (tank.exchange ((int) value) != (int) value)
        requestSpringRebuild();
}

void Coilvox::setPreDelay (int milliseconds) { requestedPreDelayMs.store (milliseconds, std::memory_order_relaxed); }
void Coilvox::setWidth (float percent) { widthTarget.store (percent / 100.0f, std::memory_order_relaxed); }

void Coilvox::setTone (float percent)
{
    const float t = percent / 100.0f;
    tonePositiveTarget.store (t > 0.0f ? t : 0.0f, std::memory_order_relaxed);
    toneNegativeTarget.store (t > 0.0f ? 0.0f : t, std::memory_order_relaxed);
}

void Coilvox::setGlobalMix (float percent) { mixTarget.store (percent / 100.0f, std::memory_order_relaxed); }
void Coilvox::setAmpOn (float value) { ampOn.store (value == 1.0f, std::memory_order_relaxed); }
void Coilvox::setAmpDrive (float value) { ampDriveDb.store (value - ampDriveOffset, std::memory_order_relaxed); }

void Coilvox::setAmpMaster (float decibels)
{
    ampMasterGain.store (decibels < muteBelowDb ? 0.0f : decibelsToGain (decibels), std::memory_order_relaxed);
}

void Coilvox::setBass (float decibels) { toneStackDb[0].store (decibels, std::memory_order_relaxed); }
void Coilvox::setMid (float decibels) { toneStackDb[1].store (decibels, std::memory_order_relaxed); }
void Coilvox::setTreble (float decibels) { toneStackDb[2].store (decibels, std::memory_order_relaxed); }
void Coilvox::setCabinetOn (float value) { cabinetOn.store (value == 1.0f, std::memory_order_relaxed); }

void Coilvox::setTremoloOn (float value)
{
    if (value != 1.0f)
    {
        tremoloOn.store (false, std::memory_order_relaxed);
        return;
    }

    setTremoloSync (host.getParameterValue (ParameterIds::sync));
    setTremoloDepth (host.getParameterValue (ParameterIds::depth));
    tremoloOn.store (true, std::memory_order_relaxed);
}

void Coilvox::applySyncedRate (int index)
{
    syncRateIndex.store (index, std::memory_order_relaxed);

    if (index >= 0 && index <= 5)
        tremoloRateHz.store (bpm.load (std::memory_order_relaxed) / 60.0 * syncMultipliers[index],
                             std::memory_order_relaxed);

    tremoloRestartRequested.store (true, std::memory_order_relaxed);
    tremoloRateJump.store (true, std::memory_order_relaxed);
}

void Coilvox::setTremoloSync (float value)
{
    if (value == 0.0f)
    {
        tremoloSync.store (false, std::memory_order_relaxed);
        tremoloRateHz.store (host.getParameterValue (ParameterIds::rate), std::memory_order_relaxed);
    }
    else if (value == 1.0f)
    {
        tremoloSync.store (true, std::memory_order_relaxed);
        applySyncedRate ((int) host.getParameterValue (ParameterIds::syncRate));
    }
}

void Coilvox::setTremoloRate (float hertz)
{
    if (! tremoloSync.load (std::memory_order_relaxed))
        tremoloRateHz.store (hertz, std::memory_order_relaxed);
}

void Coilvox::setTremoloSyncRate (float value)
{
    if (tremoloSync.load (std::memory_order_relaxed))
        applySyncedRate ((int) value);
}

void Coilvox::setTremoloDepth (float percent)
{
    float depth = std::pow (percent / 100.0f * depthScale, depthExponent);

    if (tremoloRateHz.load (std::memory_order_relaxed) == 0.0)
        depth = 0.0f;

    tremoloDepthTarget.store (depth, std::memory_order_relaxed);
    tremoloBoostTarget.store (depth == 0.0f ? 0.0f : tremoloBoostDb, std::memory_order_relaxed);
}

void Coilvox::setOversampling (float menuValue)
{
    // Every factor is prepared in advance; the audio thread switches at the start of its next block,
    // so a change never overlaps the processing of a block and never allocates there.
    requestedExponent.store (oversamplingExponentFor (menuValue), std::memory_order_relaxed);
}

//==============================================================================
const juce::AudioBuffer<float>& Coilvox::getTankImpulse (int tankValue) const
{
    return tankImpulses[(size_t) tankIndexFor (tankValue)];
}

Coilvox::BuiltResponse Coilvox::getLastBuiltResponse() const
{
    const juce::ScopedLock lock (rebuildLock);
    return lastBuilt;
}

void Coilvox::requestSpringRebuild()
{
    ++springRebuildRequests;
    springRebuildWanted.store (true);
}

void Coilvox::rebuildSpringImpulse()
{
    // Off the audio thread only: prepare, or the builder thread.
    const juce::ScopedLock lock (rebuildLock);

    const int selected = tank.load();
    const double storedDecay = decayThrottle.getStoredDecay();
    decayThrottle.markBuilt (storedDecay);
    const auto x = (float) storedDecay;

    const juce::AudioBuffer<float> empty;
    const auto& source = selected >= 1 && selected <= 3 ? tankImpulses[(size_t) selected - 1] : empty;
    const int length = source.getNumSamples();
    const int segment = (length + decaySegments - 1) / decaySegments;

    preparedImpulse.setSize (irChannels, decaySegments * segment);
    preparedImpulse.clear();

    for (int c = 0; c < juce::jmin (irChannels, source.getNumChannels()); ++c)
        preparedImpulse.copyFrom (c, 0, source, c, 0, length);

    // A piecewise-linear envelope over twenty segments: short decays pull it down early, long
    // decays lift the tail.
    const float p = x + decayBias;
    const float m = (1.0f + decayBias) - decayDepth * std::pow (x, decayShapeExponent);

    for (int i = 0; i < decaySegments && segment > 0; ++i)
    {
        const float g0 = std::max (0.0f, 1.0f - std::pow ((float) i / (float) decaySegments, p) * m);
        const float g1 = std::max (0.0f, 1.0f - std::pow ((float) (i + 1) / (float) decaySegments, p) * m);

        for (int c = 0; c < preparedImpulse.getNumChannels(); ++c)
            preparedImpulse.applyGainRamp (c, i * segment, segment, g0, g1);
    }

    preparedImpulse.applyGain (juce::jlimit (0.0f, 2.0f, 2.0f - std::pow (x, decayLevelExponent)));
    lastBuilt = { selected, preparedImpulse.getNumChannels(), preparedImpulse.getNumSamples() };

    {
        const juce::SpinLock::ScopedLockType handOver (impulseLock);
        pendingImpulse = std::move (preparedImpulse);
        impulsePending = true;
    }
}
