#pragma once

#include "dsp/FFT.h"

#include <memory>

namespace Orvalen::dsp
{
/** Four-lane SIMD transform for 32 points and more (SSE on x86-64, NEON on ARM).

    Internally the data runs in split real/imaginary arrays through self-sorting radix-4 passes, so
    every pass reads and writes whole vectors; a real transform of N points runs as a complex one of
    N/2 points plus a twiddled split. Only the ordered layouts of FFT::Instance leave this class.

    One work buffer and no lock: an instance must be used by one thread at a time.
*/
class PrettyFastFFT : public FFT::Instance
{
public:
    static constexpr int priority = 7;
    static constexpr int minimumOrder = 5;

    /** Returns nothing for orders below 5. */
    static FFT::Instance* create (int order);

    explicit PrettyFastFFT (int order);
    ~PrettyFastFFT() override;

    /** One thread at a time; wait-free, never allocates. */
    void transformComplex (const FFT::Complex* in, FFT::Complex* out, bool backward) noexcept override;
    /** One thread at a time; wait-free, never allocates. */
    void forwardReal (float* data, bool onlyNonNegative) noexcept override;
    /** One thread at a time; wait-free, never allocates. The imaginary parts of bins 0 and N/2 are ignored. */
    void inverseReal (float* data) noexcept override;

    struct Setup;

private:
    std::unique_ptr<Setup> realSetup, complexSetup;
    float* work = nullptr; // 2N floats, 64-byte aligned
    int order;
};
} // namespace Orvalen::dsp
