// The embedded-recording decoder with arbitrary bytes.
#include "FuzzSupport.h"

#include "engine/EmbeddedWav.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    juce::AudioBuffer<float> target (2, 16);
    target.clear();
    target.setSample (0, 0, 1.0f);

    EmbeddedWav::read (target, data, size);

    // A refused file leaves the buffer as it was sized; a decoded one takes at least one byte of the
    // input per sample, so a header that claims more than the data holds must not size the buffer.
    const bool keptSize = target.getNumChannels() == 2 && target.getNumSamples() == 16;
    fuzzsupport::check (keptSize || (size_t) target.getNumSamples() * (size_t) target.getNumChannels() <= size,
                        "the decoded length exceeds what the data can hold");
    return 0;
}
