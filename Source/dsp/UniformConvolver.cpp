#include "dsp/UniformConvolver.h"

#include <algorithm>
#include <cstring>

#if defined(__ARM_NEON)
    #include <arm_neon.h>
#elif defined(__SSE2__) || defined(_M_X64)
    #include <xmmintrin.h>
#endif

namespace Orvalen::dsp
{
namespace
{
    size_t nextPowerOfTwo (size_t n)
    {
        size_t p = 1;
        while (p < n)
            p <<= 1;
        return p;
    }

    int log2Of (size_t powerOfTwo)
    {
        int order = 0;
        while (((size_t) 1 << order) < powerOfTwo)
            ++order;
        return order;
    }

    /** out += in * ir on split spectra of F floats: H real parts, H imaginary parts, then bin H's real. */
    void multiplyAccumulate (const float* in, const float* ir, float* out, size_t transformSize) noexcept
    {
        const size_t h = transformSize / 2;
        const float *inRe = in, *inIm = in + h, *irRe = ir, *irIm = ir + h;
        float *outRe = out, *outIm = out + h;
        size_t k = 0;

#if defined(__ARM_NEON)
        for (; k + 4 <= h; k += 4)
        {
            const auto ar = vld1q_f32 (inRe + k), ai = vld1q_f32 (inIm + k);
            const auto br = vld1q_f32 (irRe + k), bi = vld1q_f32 (irIm + k);
            auto cr = vld1q_f32 (outRe + k), ci = vld1q_f32 (outIm + k);
            cr = vmlsq_f32 (vmlaq_f32 (cr, ar, br), ai, bi);
            ci = vmlaq_f32 (vmlaq_f32 (ci, ar, bi), ai, br);
            vst1q_f32 (outRe + k, cr);
            vst1q_f32 (outIm + k, ci);
        }
#elif defined(__SSE2__) || defined(_M_X64)
        for (; k + 4 <= h; k += 4)
        {
            const auto ar = _mm_loadu_ps (inRe + k), ai = _mm_loadu_ps (inIm + k);
            const auto br = _mm_loadu_ps (irRe + k), bi = _mm_loadu_ps (irIm + k);
            const auto re = _mm_sub_ps (_mm_mul_ps (ar, br), _mm_mul_ps (ai, bi));
            const auto im = _mm_add_ps (_mm_mul_ps (ar, bi), _mm_mul_ps (ai, br));
            _mm_storeu_ps (outRe + k, _mm_add_ps (_mm_loadu_ps (outRe + k), re));
            _mm_storeu_ps (outIm + k, _mm_add_ps (_mm_loadu_ps (outIm + k), im));
        }
#endif
        for (; k < h; ++k)
        {
            outRe[k] += inRe[k] * irRe[k] - inIm[k] * irIm[k];
            outIm[k] += inRe[k] * irIm[k] + inIm[k] * irRe[k];
        }

        out[transformSize] += in[transformSize] * ir[transformSize];
    }

    // Bins 0..H of the shared interleaved layout into the split layout (float H is bin 0's imaginary
    // part, which is 0), through a scratch of F floats.
    void interleavedToSplit (float* x, float* scratch, size_t transformSize) noexcept
    {
        const size_t h = transformSize / 2;
        for (size_t k = 0; k < h; ++k)
        {
            scratch[k] = x[2 * k];
            scratch[h + k] = x[2 * k + 1];
        }
        std::copy (scratch, scratch + transformSize, x); // x[F], bin H's real part, stays
    }

    // The inverse of interleavedToSplit, through a scratch of F + 2 floats.
    void splitToInterleaved (float* x, float* scratch, size_t transformSize) noexcept
    {
        const size_t h = transformSize / 2;
        for (size_t k = 0; k < h; ++k)
        {
            scratch[2 * k] = x[k];
            scratch[2 * k + 1] = x[h + k];
        }
        scratch[1] = 0.0f;
        scratch[transformSize] = x[transformSize];
        scratch[transformSize + 1] = 0.0f;
        std::copy (scratch, scratch + transformSize + 2, x);
    }

    void add (float* dest, const float* src, size_t n) noexcept
    {
        for (size_t i = 0; i < n; ++i)
            dest[i] += src[i];
    }
} // namespace

//==============================================================================
UniformConvolver::UniformConvolver (const float* impulse, size_t numSamples, size_t maximumBlockSize)
    : partBlock (nextPowerOfTwo (std::max<size_t> (1, maximumBlockSize)))
    , transformSize (partBlock > 128 ? 2 * partBlock : 4 * partBlock)
    , fft (std::make_unique<FFT> (log2Of (transformSize)))
{
    // Small blocks use longer partitions (3B) so that the number of partitions, and with it the
    // per-block cost of the older segments, stays low; the input spectra are then kept for 3 blocks
    // per partition.
    const size_t partLength = transformSize - partBlock;
    irPartitions = numSamples / partLength + 1;
    inputSlots = partBlock > 128 ? irPartitions : 3 * irPartitions;

    const size_t spectrumFloats = 2 * transformSize;
    frameIn.assign (transformSize, 0.0f);
    specOut.assign (spectrumFloats, 0.0f);
    specAcc.assign (spectrumFloats, 0.0f);
    carry.assign (transformSize, 0.0f);
    inputSpectra.assign (inputSlots, std::vector<float> (spectrumFloats, 0.0f));
    irSpectra.assign (irPartitions, std::vector<float> (spectrumFloats, 0.0f));
    scratch.assign (transformSize + 2, 0.0f);

    // The partitions are transformed once, by a short-lived transform of the same size.
    FFT partitionFFT (log2Of (transformSize));

    for (size_t i = 0; i < irPartitions; ++i)
    {
        auto& spectrum = irSpectra[i];
        const size_t start = i * partLength;
        const size_t count = std::min (partLength, numSamples - start);
        std::copy (impulse + start, impulse + start + count, spectrum.begin());
        partitionFFT.forwardReal (spectrum.data(), true);
        interleavedToSplit (spectrum.data(), scratch.data(), transformSize);
    }

    reset();
}

void UniformConvolver::reset() noexcept
{
    std::fill (frameIn.begin(), frameIn.end(), 0.0f);
    std::fill (carry.begin(), carry.end(), 0.0f);
    std::fill (specAcc.begin(), specAcc.end(), 0.0f);
    std::fill (specOut.begin(), specOut.end(), 0.0f);

    for (auto& spectrum : inputSpectra)
        std::fill (spectrum.begin(), spectrum.end(), 0.0f);

    slotIndex = 0;
    fillPos = 0;
    accumulatedPartitions = 0;
}

//==============================================================================
void UniformConvolver::forwardToSplit (float* x) noexcept
{
    fft->forwardReal (x, true);
    interleavedToSplit (x, scratch.data(), transformSize);
}

void UniformConvolver::splitToShared (float* x) noexcept { splitToInterleaved (x, scratch.data(), transformSize); }

void UniformConvolver::accumulateOlderSegments() noexcept
{
    // Partition i meets the input segment i * step blocks old.
    const size_t step = inputSlots / irPartitions;
    std::fill (specAcc.begin(), specAcc.begin() + (ptrdiff_t) transformSize + 1, 0.0f);
    size_t index = slotIndex;

    for (size_t i = 1; i < irPartitions; ++i)
    {
        index += step;
        if (index >= inputSlots)
            index -= inputSlots;

        multiplyAccumulate (inputSpectra[index].data(), irSpectra[i].data(), specAcc.data(), transformSize);
    }
}

void UniformConvolver::multiplyCurrentSegment (const float* segment) noexcept
{
    std::copy (specAcc.begin(), specAcc.begin() + (ptrdiff_t) transformSize + 1, specOut.begin());
    multiplyAccumulate (segment, irSpectra[0].data(), specOut.data(), transformSize);
    splitToShared (specOut.data());
    fft->inverseReal (specOut.data());
}

void UniformConvolver::endOfFrame() noexcept
{
    // Overlap-add: what reaches past this block is carried into the next ones.
    const size_t b = partBlock, f = transformSize;
    add (specOut.data() + b, carry.data() + b, f - 2 * b);
    std::copy (specOut.begin() + (ptrdiff_t) b, specOut.begin() + (ptrdiff_t) f, carry.begin());
    slotIndex = slotIndex == 0 ? inputSlots - 1 : slotIndex - 1;
}

void UniformConvolver::process (const float* in, float* out, size_t numSamples) noexcept
{
    while (numSamples > 0)
    {
        const size_t chunk = std::min (numSamples, partBlock - fillPos);
        const bool startsBlock = fillPos == 0;

        std::copy (in, in + chunk, frameIn.begin() + (ptrdiff_t) fillPos);
        auto& segment = inputSpectra[slotIndex];
        std::copy (frameIn.begin(), frameIn.end(), segment.begin());
        forwardToSplit (segment.data());

        // The older segments do not change within a block, so their sum is computed once per block.
        if (startsBlock)
            accumulateOlderSegments();

        multiplyCurrentSegment (segment.data());

        for (size_t j = 0; j < chunk; ++j)
            out[j] = specOut[fillPos + j] + carry[fillPos + j];

        fillPos += chunk;

        if (fillPos == partBlock)
        {
            std::fill (frameIn.begin(), frameIn.end(), 0.0f);
            fillPos = 0;
            endOfFrame();
        }

        in += chunk;
        out += chunk;
        numSamples -= chunk;
    }
}

void UniformConvolver::accumulateOlderSegmentsUpTo (size_t partitionsDone) noexcept
{
    // Partition i meets the input segment i * step blocks old; none of those change before the frame
    // boundary, so the sum can be built ahead of it.
    const size_t step = inputSlots / irPartitions;

    for (; accumulatedPartitions < partitionsDone; ++accumulatedPartitions)
    {
        const size_t i = accumulatedPartitions + 1;
        const size_t index = (slotIndex + i * step) % inputSlots;
        multiplyAccumulate (inputSpectra[index].data(), irSpectra[i].data(), specAcc.data(), transformSize);
    }
}

void UniformConvolver::processDelayed (const float* in, float* out, size_t numSamples) noexcept
{
    const size_t olderPartitions = irPartitions - 1;

    while (numSamples > 0)
    {
        const size_t chunk = std::min (numSamples, partBlock - fillPos);
        std::copy (in, in + chunk, frameIn.begin() + (ptrdiff_t) fillPos);
        std::copy (specOut.begin() + (ptrdiff_t) fillPos, specOut.begin() + (ptrdiff_t) (fillPos + chunk), out);
        fillPos += chunk;

        // Spread the older partitions' products over the frame in step with the samples received, so
        // the frame boundary only has to transform the newest segment: no spike every B samples.
        accumulateOlderSegmentsUpTo (olderPartitions * fillPos / partBlock);

        if (fillPos == partBlock)
        {
            auto& segment = inputSpectra[slotIndex];
            std::copy (frameIn.begin(), frameIn.end(), segment.begin());
            forwardToSplit (segment.data());
            multiplyCurrentSegment (segment.data());
            std::fill (specAcc.begin(), specAcc.begin() + (ptrdiff_t) transformSize + 1, 0.0f);
            accumulatedPartitions = 0;
            add (specOut.data(), carry.data(), partBlock);
            std::fill (frameIn.begin(), frameIn.end(), 0.0f);
            endOfFrame();
            fillPos = 0;
        }

        in += chunk;
        out += chunk;
        numSamples -= chunk;
    }
}
} // namespace Orvalen::dsp
