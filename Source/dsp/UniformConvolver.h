#pragma once

#include "dsp/FFT.h"

#include <memory>
#include <vector>

namespace Orvalen::dsp
{
/** Uniformly partitioned overlap-add FFT convolution of one channel with one impulse response.

    Blocks of B samples (the maximum block rounded up to a power of two) are transformed with F = 4B
    points for B <= 128 and F = 2B above, so each IR partition holds P = F - B samples. Spectra are kept
    in a split layout (real parts, then imaginary parts) so a complex multiply-accumulate is four plain
    vector multiply-adds.

    Built on the loader thread; afterwards used by one thread at a time (the audio thread).
*/
class UniformConvolver
{
public:
    /** Allocates everything and transforms the IR partitions; not for the audio thread. */
    UniformConvolver (const float* impulse, size_t numSamples, size_t maximumBlockSize);

    /** Clears all signal state; never allocates. */
    void reset() noexcept;

    /** Zero-latency convolution of any number of samples; in may equal out. */
    void process (const float* in, float* out, size_t numSamples) noexcept;

    /** Convolution delayed by exactly B samples; in may equal out. The products of the older partitions
        are accumulated gradually as samples arrive, so only the newest segment's transform, product and
        inverse transform fall on the frame boundary. */
    void processDelayed (const float* in, float* out, size_t numSamples) noexcept;

    size_t getBlockSize() const noexcept { return partBlock; }
    size_t getTransformSize() const noexcept { return transformSize; }
    size_t getNumPartitions() const noexcept { return irPartitions; }

private:
    void forwardToSplit (float* data) noexcept;
    void splitToShared (float* data) noexcept;
    void accumulateOlderSegments() noexcept;
    void accumulateOlderSegmentsUpTo (size_t partitionsDone) noexcept;
    void multiplyCurrentSegment (const float* segment) noexcept;
    void endOfFrame() noexcept;

    size_t partBlock, transformSize;
    std::unique_ptr<FFT> fft;
    size_t irPartitions, inputSlots;
    size_t slotIndex = 0, fillPos = 0;
    size_t accumulatedPartitions = 0; // older partitions already summed into specAcc for the next frame
    std::vector<float> frameIn, specOut, specAcc, carry;
    std::vector<std::vector<float>> inputSpectra, irSpectra;
    std::vector<float> scratch; // F + 2 floats for layout changes
};
} // namespace Orvalen::dsp
