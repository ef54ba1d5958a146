#include "engine/Coilvox.h"

#include "plugin/ParameterIds.h"

#include <cmath>

namespace
{
float inputGainFor (float decibels) noexcept
{
    const float netDb = decibels + Coilvox::inputOffsetDb;

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
} // namespace

Coilvox::Coilvox (EngineHost& hostToUse)
    : host (hostToUse)
    , inputGainTarget (inputGainFor (0.0f))
{
    inputRamp.setCurrentAndTargetValue (inputGainTarget.load());
    meterRamp.setCurrentAndTargetValue (meterFloorDb);

    for (auto& on : channelOn)
        on.store (false);

    channelOn[0] = true;
    channelOn[1] = true;
    channelGainPercent[0] = 100.0f;

    // The default factor (4×) exists from the start, as the host may ask for latency before prepare.
    oversamplers[2] =
        std::make_unique<juce::dsp::Oversampling<float>> (2,
                                                          2,
                                                          juce::dsp::Oversampling<float>::filterHalfBandFIREquiripple,
                                                          true,
                                                          false);
}

Coilvox::~Coilvox() = default;

//==============================================================================
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

void Coilvox::prepare (double newSampleRate, int newMaximumBlockSize, int numInputs, int numOutputs)
{
    sampleRate = newSampleRate;
    maximumBlockSize = juce::jmax (1, newMaximumBlockSize);
    inputChannels = juce::jlimit (1, 2, numInputs);
    outputChannels = juce::jlimit (1, 2, numOutputs);

    inputBuffer.setSize (inputChannels, maximumBlockSize);
    sendBuffer.setSize (outputChannels, maximumBlockSize);
    altSendBuffer.setSize (outputChannels, maximumBlockSize);
    inputBuffer.clear();
    sendBuffer.clear();
    altSendBuffer.clear();

    const juce::dsp::ProcessSpec outputSpec{ sampleRate,
                                             (juce::uint32) maximumBlockSize,
                                             (juce::uint32) outputChannels };
    const int preDelayCapacity = (int) (maxPreDelayMs * sampleRate / 1000.0 + 10.0);

    for (auto* line : { &preDelayLine1, &preDelayLine2 })
    {
        line->setMaximumDelayInSamples (preDelayCapacity);
        line->prepare (outputSpec);
    }

    const int selectedTank = (int) host.getParameterValue (ParameterIds::tank);

    if (selectedTank != tank.load())
    {
        tank = selectedTank;
        rebuildSpringImpulse();
    }

    limiter.prepare ({ sampleRate, (juce::uint32) maximumBlockSize, 2 });

    buildOversamplers();
    activeExponent = requestedExponent.load();
    oversampledRate = std::ldexp (sampleRate, activeExponent.load());

    resetRamps();
    appliedPreDelayMs = -1;
    settleOnNextBlock = true;
    inputSilent = false;
    outputSilent = false;
}

void Coilvox::resetRamps()
{
    inputRamp.reset (sampleRate, rampSeconds);
    sendRamp.reset (sampleRate, rampSeconds);
    preDelayGain1.reset (sampleRate, slowRampSeconds);
    preDelayGain2.reset (sampleRate, slowRampSeconds);
    meterRamp.reset (sampleRate, meterFallSeconds);
}

void Coilvox::reset()
{
    inputRamp.setCurrentAndTargetValue (inputGainTarget.load (std::memory_order_relaxed));
    sendRamp.setCurrentAndTargetValue (sendAmountTarget.load (std::memory_order_relaxed));
    preDelayGain1.setCurrentAndTargetValue (preDelayGain1.getTargetValue());
    preDelayGain2.setCurrentAndTargetValue (preDelayGain2.getTargetValue());
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
    writeUnitOutput (hostSlice, n);

    juce::dsp::AudioBlock<float> block (hostSlice);
    limiter.process (juce::dsp::ProcessContextReplacing<float> (block));

    testOutputSilence (hostSlice, n);
}

void Coilvox::applyPendingChanges() noexcept
{
    const int exponent = requestedExponent.load (std::memory_order_relaxed);

    if (exponent != activeExponent.load (std::memory_order_relaxed) && oversamplers[(size_t) exponent] != nullptr)
    {
        oversamplers[(size_t) exponent]->reset();
        activeExponent.store (exponent, std::memory_order_relaxed);
        oversampledRate = std::ldexp (sampleRate, exponent);
    }

    inputRamp.setTargetValue (inputGainTarget.load (std::memory_order_relaxed));
    sendRamp.setTargetValue (sendAmountTarget.load (std::memory_order_relaxed));

    const int preDelayMs = requestedPreDelayMs.load (std::memory_order_relaxed);

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

        for (auto* ramp : { &inputRamp, &sendRamp, &preDelayGain1, &preDelayGain2 })
            ramp->setCurrentAndTargetValue (ramp->getTargetValue());
    }
}

void Coilvox::sizeWorkBuffers (int numSamples) noexcept
{
    // Capacity was reserved in prepare, so this only changes the visible length.
    for (auto* buffer : { &inputBuffer, &sendBuffer, &altSendBuffer })
        if (buffer->getNumSamples() != numSamples)
            buffer->setSize (buffer->getNumChannels(), numSamples, false, false, true);
}

void Coilvox::runInputStage (const juce::AudioBuffer<float>& hostSlice, int n) noexcept
{
    const int hostChannels = hostSlice.getNumChannels();

    for (int c = 0; c < inputBuffer.getNumChannels(); ++c)
        inputBuffer.copyFrom (c, 0, hostSlice, juce::jmin (c, hostChannels - 1), 0, n);

    if (inputRamp.isSmoothing())
    {
        for (int i = 0; i < n; ++i)
        {
            const float gain = inputRamp.getNextValue();

            for (int c = 0; c < inputBuffer.getNumChannels(); ++c)
                inputBuffer.getWritePointer (c)[i] *= gain;
        }
    }
    else
    {
        inputBuffer.applyGain (0, n, inputRamp.getTargetValue());
    }

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
    const int inputs = inputBuffer.getNumChannels();

    for (int c = 0; c < sendBuffer.getNumChannels(); ++c)
        sendBuffer.copyFrom (c, 0, inputBuffer, juce::jmin (c, inputs - 1), 0, n);

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

    for (int c = 0; c < altSendBuffer.getNumChannels(); ++c)
        altSendBuffer.copyFrom (c, 0, sendBuffer, c, 0, n);

    juce::dsp::AudioBlock<float> sendBlock (sendBuffer), altBlock (altSendBuffer);
    preDelayLine1.process (juce::dsp::ProcessContextReplacing<float> (sendBlock));
    preDelayLine2.process (juce::dsp::ProcessContextReplacing<float> (altBlock));

    for (auto [buffer, gain] : { std::pair (&sendBuffer, &preDelayGain1), std::pair (&altSendBuffer, &preDelayGain2) })
    {
        if (gain->isSmoothing())
        {
            for (int i = 0; i < n; ++i)
            {
                const float g = gain->getNextValue();

                for (int c = 0; c < buffer->getNumChannels(); ++c)
                    buffer->getWritePointer (c)[i] *= g;
            }
        }
        else
        {
            buffer->applyGain (0, n, gain->getTargetValue());
        }
    }

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

void Coilvox::runChannelStages (int n) noexcept
{
    auto& oversampler = *oversamplers[(size_t) activeExponent.load (std::memory_order_relaxed)];
    auto block = juce::dsp::AudioBlock<float> (inputBuffer).getSubBlock (0, (size_t) n);

    // The channels' shaping stages run on the upsampled block; until they exist it passes unchanged.
    oversampler.processSamplesUp (block);
    oversampler.processSamplesDown (block);
}

void Coilvox::writeUnitOutput (juce::AudioBuffer<float>& hostSlice, int n) noexcept
{
    // Reverb, unit mix and amplifier stages take this place in the chain; until then the channel
    // stages' output goes straight to the host buffer.
    const int inputs = inputBuffer.getNumChannels();

    for (int c = 0; c < hostSlice.getNumChannels(); ++c)
        hostSlice.copyFrom (c, 0, inputBuffer, juce::jmin (c, inputs - 1), 0, n);
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
    inputGainTarget.store (inputGainFor (decibels), std::memory_order_relaxed);
}

void Coilvox::setOutputLevel (float decibels) { outputLevelDb.store (decibels, std::memory_order_relaxed); }

void Coilvox::setChannelGain (Channel channel, float percent)
{
    channelGainPercent[(size_t) channel].store (percent, std::memory_order_relaxed);
}

void Coilvox::setChannelOn (Channel channel, bool shouldBeOn)
{
    channelOn[(size_t) channel].store (shouldBeOn, std::memory_order_relaxed);
}

void Coilvox::setReverbAmount (float percent)
{
    float amount = percent / 100.0f;

    // Below 0.4 the pot law bends down; both branches meet at 0.4.
    if (amount < 0.4f)
        amount = 1.9f * std::pow (amount, 1.7f);

    sendAmountTarget.store (amount, std::memory_order_relaxed);
}

void Coilvox::setReverbDrive (float percent) { reverbDrivePercent.store (percent, std::memory_order_relaxed); }

void Coilvox::setDecay (float value)
{
    if (decayThrottle.valueChanged ((value + 10.0) / 20.0))
        rebuildSpringImpulse();
}

void Coilvox::beginDecayGesture (float value)
{
    if (decayThrottle.gestureBegan ((value + 10.0) / 20.0))
        rebuildSpringImpulse();
}

void Coilvox::endDecayGesture (float value)
{
    if (decayThrottle.gestureEnded ((value + 10.0) / 20.0))
        rebuildSpringImpulse();
}

void Coilvox::setTank (float value)
{
    if (tank.exchange ((int) value) != (int) value)
        rebuildSpringImpulse();
}

void Coilvox::setPreDelay (int milliseconds) { requestedPreDelayMs.store (milliseconds, std::memory_order_relaxed); }
void Coilvox::setWidth (float percent) { widthPercent.store (percent, std::memory_order_relaxed); }
void Coilvox::setTone (float percent) { tonePercent.store (percent, std::memory_order_relaxed); }
void Coilvox::setGlobalMix (float percent) { globalMixPercent.store (percent, std::memory_order_relaxed); }
void Coilvox::setAmpOn (float value) { ampOn.store (value != 0.0f, std::memory_order_relaxed); }
void Coilvox::setAmpDrive (float value) { ampDrive.store (value, std::memory_order_relaxed); }
void Coilvox::setAmpMaster (float decibels) { ampMasterDb.store (decibels, std::memory_order_relaxed); }
void Coilvox::setBass (float decibels) { bassDb.store (decibels, std::memory_order_relaxed); }
void Coilvox::setMid (float decibels) { midDb.store (decibels, std::memory_order_relaxed); }
void Coilvox::setTreble (float decibels) { trebleDb.store (decibels, std::memory_order_relaxed); }
void Coilvox::setCabinetOn (float value) { cabinetOn.store (value != 0.0f, std::memory_order_relaxed); }
void Coilvox::setTremoloOn (float value) { tremoloOn.store (value != 0.0f, std::memory_order_relaxed); }
void Coilvox::setTremoloRate (float hertz) { tremoloRateHz.store (hertz, std::memory_order_relaxed); }
void Coilvox::setTremoloDepth (float percent) { tremoloDepthPercent.store (percent, std::memory_order_relaxed); }
void Coilvox::setTremoloSync (float value) { tremoloSync.store (value != 0.0f, std::memory_order_relaxed); }
void Coilvox::setTremoloSyncRate (float value) { tremoloSyncRate.store ((int) value, std::memory_order_relaxed); }

void Coilvox::setOversampling (float menuValue)
{
    // Every factor is prepared in advance; the audio thread switches at the start of its next block,
    // so a change never overlaps the processing of a block and never allocates there.
    requestedExponent.store (oversamplingExponentFor (menuValue), std::memory_order_relaxed);
}

//==============================================================================
void Coilvox::rebuildSpringImpulse()
{
    const int selected = tank.load();
    const double storedDecay = decayThrottle.getStoredDecay();
    decayThrottle.markBuilt (storedDecay);
    const auto x = (float) storedDecay;

    juce::AudioBuffer<float> source;

    if (selected >= 1 && selected <= 3)
        source.makeCopyOf (tankImpulses[(size_t) selected - 1]);

    const int length = source.getNumSamples();
    const int segment = (length + 19) / 20;

    if (preparedImpulse.getNumChannels() != irChannels || preparedImpulse.getNumSamples() != 20 * segment)
        preparedImpulse.setSize (irChannels, 20 * segment);

    preparedImpulse.clear();

    for (int c = 0; c < juce::jmin (irChannels, source.getNumChannels()); ++c)
        preparedImpulse.copyFrom (c, 0, source, c, 0, length);

    // A piecewise-linear envelope over twenty segments: short decays pull it down early, long
    // decays lift the tail.
    const float p = x + decayBias;
    const float m = (1.0f + decayBias) - decayDepth * std::pow (x, decayShapeExponent);

    for (int i = 0; i < 20 && segment > 0; ++i)
    {
        const float g0 = std::max (0.0f, 1.0f - std::pow ((float) i / 20.0f, p) * m);
        const float g1 = std::max (0.0f, 1.0f - std::pow ((float) (i + 1) / 20.0f, p) * m);

        for (int c = 0; c < preparedImpulse.getNumChannels(); ++c)
            preparedImpulse.applyGainRamp (c, i * segment, segment, g0, g1);
    }

    preparedImpulse.applyGain (juce::jlimit (0.0f, 2.0f, 2.0f - std::pow (x, decayLevelExponent)));

    {
        const juce::SpinLock::ScopedLockType lock (impulseLock);
        pendingImpulse = std::move (preparedImpulse);
        impulsePending = true;
    }

    ++springRebuildCount;
}
