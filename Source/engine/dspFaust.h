#pragma once

#include <faust/gui/UI.h>
#include <faust/gui/meta.h>

/** The processor interface of our Faust architecture file: the generated DSP classes derive from it. */
class dspFaust
{
public:
    virtual ~dspFaust() = default;

    virtual int getNumInputs() = 0;
    virtual int getNumOutputs() = 0;
    virtual void buildUserInterface (UI* ui) = 0;
    virtual int getSampleRate() = 0;
    virtual void init (int sampleRate) = 0;
    virtual void instanceInit (int sampleRate) = 0;
    virtual void instanceConstants (int sampleRate) = 0;
    virtual void instanceResetUserInterface() = 0;
    virtual void instanceClear() = 0;
    virtual dspFaust* clone() = 0;
    virtual void metadata (Meta* m) = 0;
    virtual void compute (int count, float** inputs, float** outputs) = 0;

    /** The date is not used: the class has no time-stamped controls. */
    virtual void compute (double /*dateUsec*/, int count, float** inputs, float** outputs)
    {
        compute (count, inputs, outputs);
    }
};
