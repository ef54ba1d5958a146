#pragma once

#include "engine/dspFaust.h"

#include <cstdint>

/** One-channel look-ahead peak limiter compiled from limiter.dsp.

    Look-ahead 2 ms, peak hold 0.1 s, attack pole for 2 ms, release pole for 1 s, ceiling 0.99.
    Rates above 192 kHz use the constants of 192 kHz. Allocation-free; compute() may run in place.
*/
class mydsp2 final : public dspFaust
{
public:
    int getNumInputs() override { return 1; }
    int getNumOutputs() override { return 1; }
    void buildUserInterface (UI* ui) override;
    int getSampleRate() override { return sampleRate; }
    void init (int rate) override { instanceInit (rate); }
    void instanceInit (int rate) override;
    void instanceConstants (int rate) override;
    void instanceResetUserInterface() override {}
    void instanceClear() override;
    dspFaust* clone() override { return new mydsp2(); }
    void metadata (Meta* m) override;
    void compute (int count, float** inputs, float** outputs) override;
    using dspFaust::compute;

    int getLookaheadSamples() const noexcept { return lookaheadSamples; }

private:
    static constexpr int ringMask = 511;

    int32_t ringIndex = 0;
    float lookaheadRing[ringMask + 1] = {};
    int32_t sampleRate = 0;
    int32_t lookaheadSamples = 0;
    float attackPole = 0.0f;
    float holdSamples = 0.0f;
    int32_t holdTimer[2] = {};
    float heldPeak[2] = {};
    float attackGain = 0.0f;
    float attackEnvelope[2] = {};
    float releasePole = 0.0f;
    float releaseGain = 0.0f;
    float releaseEnvelope[2] = {};
};
