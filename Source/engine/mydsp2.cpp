#include "engine/mydsp2.h"

#include <algorithm>
#include <cmath>
#include <iterator>

void mydsp2::buildUserInterface (UI* ui)
{
    ui->openVerticalBox ("limiter");
    ui->closeBox();
}

void mydsp2::metadata (Meta* m)
{
    m->declare ("analyzers.lib/name", "Faust Analyzer Library");
    m->declare ("analyzers.lib/version", "1.2.0");
    m->declare ("basics.lib/name", "Faust Basic Element Library");
    m->declare ("basics.lib/version", "1.10.0");
    m->declare ("compile_options",
                "-a architectureFile -lang cpp -i -es 1 -mcd 16 -single -ftz 0 -cn mydsp2 -scn dspFaust");
    m->declare ("compressors.lib/limiter_lad_N:author", "Bart Brouns");
    m->declare ("compressors.lib/limiter_lad_N:license", "GPLv3");
    m->declare ("compressors.lib/name", "Faust Compressor Effect Library");
    m->declare ("compressors.lib/version", "1.5.0");
    m->declare ("filename", "limiter.dsp");
    m->declare ("maths.lib/author", "GRAME");
    m->declare ("maths.lib/license", "LGPL with exception");
    m->declare ("maths.lib/name", "Faust Math Library");
    m->declare ("maths.lib/version", "2.6.0");
    m->declare ("name", "limiter");
    m->declare ("platform.lib/name", "Generic Platform Library");
    m->declare ("platform.lib/version", "1.3.0");
    m->declare ("routes.lib/name", "Faust Signal Routing Library");
    m->declare ("routes.lib/version", "1.2.0");
    m->declare ("signals.lib/name", "Faust Signal Routing Library");
    m->declare ("signals.lib/version", "1.3.0");
}

void mydsp2::instanceInit (int rate)
{
    instanceConstants (rate);
    instanceResetUserInterface();
    instanceClear();
}

void mydsp2::instanceConstants (int rate)
{
    sampleRate = rate;
    const float fs = std::min (192000.0f, (float) std::max (1, rate));
    lookaheadSamples = (int32_t) (0.002f * fs);
    attackPole = std::exp (0.0f - 3141.5928f / fs);
    attackGain = 1.0f - attackPole;
    holdSamples = 0.1f * fs;
    releasePole = std::exp (-6.2831855f / fs + 0.0f);
    releaseGain = 1.0f - releasePole;
}

void mydsp2::instanceClear()
{
    ringIndex = 0;
    std::fill (std::begin (lookaheadRing), std::end (lookaheadRing), 0.0f);

    for (int i = 0; i < 2; ++i)
    {
        holdTimer[i] = 0;
        heldPeak[i] = 0.0f;
        attackEnvelope[i] = 0.0f;
        releaseEnvelope[i] = 0.0f;
    }
}

void mydsp2::compute (int count, float** inputs, float** outputs)
{
    const float* input = inputs[0];
    float* output = outputs[0];

    for (int i = 0; i < count; ++i)
    {
        const float x = input[i];
        lookaheadRing[ringIndex & ringMask] = x;
        const float magnitude = std::fabs (x);

        // peak hold: a new peak, or the end of the hold time, restarts the hold
        const bool restart = heldPeak[1] <= magnitude || holdSamples <= (float) holdTimer[1];
        holdTimer[0] = restart ? 0 : holdTimer[1] + 1;
        heldPeak[0] = restart ? magnitude : heldPeak[1];

        // attack smoothing, then a release follower that rises at once
        attackEnvelope[0] = attackEnvelope[1] * attackPole + heldPeak[0] * attackGain;
        const float envelope = std::fabs (attackEnvelope[0]);
        releaseEnvelope[0] = std::max (releaseEnvelope[1] * releasePole + releaseGain * envelope, envelope);

        const float gain = std::min (0.99f / std::max (releaseEnvelope[0], 1.1920929e-07f), 1.0f);
        output[i] = gain * lookaheadRing[(ringIndex - lookaheadSamples) & ringMask];

        ++ringIndex;
        holdTimer[1] = holdTimer[0];
        heldPeak[1] = heldPeak[0];
        attackEnvelope[1] = attackEnvelope[0];
        releaseEnvelope[1] = releaseEnvelope[0];
    }
}
