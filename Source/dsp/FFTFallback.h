#pragma once

#include "dsp/FFT.h"
#include "dsp/FallbackPlan.h"

#include <juce_core/juce_core.h>

namespace Orvalen::dsp
{
/** Scalar mixed-radix transform that serves every size. Transforms on one instance are serialised by a
    spin lock, so an instance may be shared between threads. */
class FFTFallback : public FFT::Instance
{
public:
    static constexpr int priority = -1;
    static FFT::Instance* create (int order);

    explicit FFTFallback (int order);

    /** Any thread; spins while another thread transforms on this instance. */
    void transformComplex (const FFT::Complex* in, FFT::Complex* out, bool backward) noexcept override;
    /** Any thread; allocates only for N >= 32768, whose scratch would not fit on the stack. */
    void forwardReal (float* data, bool onlyNonNegative) noexcept override;
    /** Any thread; allocates only for N >= 32768, whose scratch would not fit on the stack. */
    void inverseReal (float* data) noexcept override;

private:
    template <typename Function>
    void withScratch (Function&& function) noexcept;

    static constexpr size_t maxStackScratchBytes = 262144;

    juce::SpinLock lock;
    std::unique_ptr<FallbackPlan> forwardPlan, backwardPlan;
    int points;
};
} // namespace Orvalen::dsp
