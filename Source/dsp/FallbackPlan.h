#pragma once

#include <array>
#include <complex>
#include <vector>

namespace Orvalen::dsp
{
/** Twiddles and stage list of a recursive mixed-radix decimation-in-time transform of one direction. */
class FallbackPlan
{
public:
    using Complex = std::complex<float>;

    FallbackPlan (int numPoints, bool isBackward);

    /** Unscaled transform of `points` values from in to out; in and out must not overlap. */
    void perform (const Complex* in, Complex* out) const noexcept;

    int getSize() const noexcept { return points; }

private:
    struct Stage
    {
        int radix = 1, span = 1;
    };

    static constexpr int maxStages = 32;

    void run (const Complex* in, Complex* out, int stride, const Stage* stage) const noexcept;
    void butterfly2 (Complex* data, int stride, int span) const noexcept;
    void butterfly4 (Complex* data, int stride, int span) const noexcept;

    int points;
    bool backward;
    std::array<Stage, maxStages> stages;
    std::vector<Complex> twiddles;
};
} // namespace Orvalen::dsp
