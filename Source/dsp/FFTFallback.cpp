#include "dsp/FFTFallback.h"

#include <alloca.h>

namespace Orvalen::dsp
{
FFT::Instance* FFTFallback::create (int order) { return new FFTFallback (order); }

FFTFallback::FFTFallback (int order)
    : forwardPlan (std::make_unique<FallbackPlan> (1 << order, false))
    , backwardPlan (std::make_unique<FallbackPlan> (1 << order, true))
    , points (1 << order)
{
}

void FFTFallback::transformComplex (const FFT::Complex* in, FFT::Complex* out, bool backward) noexcept
{
    if (points == 1)
    {
        out[0] = in[0];
        return;
    }

    if (in == out)
    {
        // The recursive plan reads its input after writing outputs, so it needs separate arrays.
        withScratch (
            [this, in, out, backward] (FFT::Complex* scratch)
            {
                std::copy (in, in + points, scratch);
                transformComplex (scratch, out, backward);
            });
        return;
    }

    const juce::SpinLock::ScopedLockType scopedLock (lock);

    (backward ? backwardPlan : forwardPlan)->perform (in, out);

    if (backward)
    {
        const float scale = 1.0f / (float) points;

        for (int i = 0; i < points; ++i)
            out[i] *= scale;
    }
}

template <typename Function>
void FFTFallback::withScratch (Function&& function) noexcept
{
    // Small scratch lives on the stack so that the sizes the convolution uses never allocate.
    const auto bytes = 16 + 8 * (size_t) points;

    if (bytes < maxStackScratchBytes)
    {
        auto* raw = alloca (bytes);
        function (static_cast<FFT::Complex*> (raw));
    }
    else
    {
        std::unique_ptr<FFT::Complex[]> heap (new FFT::Complex[(size_t) points]);
        function (heap.get());
    }
}

void FFTFallback::forwardReal (float* data, bool) noexcept
{
    if (points == 1)
        return;

    withScratch (
        [this, data] (FFT::Complex* scratch)
        {
            for (int i = 0; i < points; ++i)
                scratch[i] = FFT::Complex (data[i], 0.0f);

            transformComplex (scratch, reinterpret_cast<FFT::Complex*> (data), false);
        });
}

void FFTFallback::inverseReal (float* data) noexcept
{
    if (points == 1)
        return;

    auto* bins = reinterpret_cast<FFT::Complex*> (data);

    for (int i = points / 2; i < points; ++i)
        bins[i] = std::conj (bins[points - i]);

    withScratch (
        [this, data, bins] (FFT::Complex* scratch)
        {
            transformComplex (bins, scratch, true);

            for (int i = 0; i < points; ++i)
            {
                data[i] = scratch[i].real();
                data[points + i] = scratch[i].imag();
            }
        });
}
} // namespace Orvalen::dsp
