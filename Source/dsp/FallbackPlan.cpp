#include "dsp/FallbackPlan.h"

#include <cmath>

namespace Orvalen::dsp
{
FallbackPlan::FallbackPlan (int numPoints, bool isBackward)
    : points (numPoints)
    , backward (isBackward)
    , twiddles ((size_t) numPoints)
{
    const double step = (backward ? 2.0 : -2.0) * 3.14159265358979323846 / (double) points;
    auto direct = [step] (int i) { return Complex ((float) std::cos (i * step), (float) std::sin (i * step)); };

    if (points <= 4)
    {
        for (int i = 0; i < points; ++i)
            twiddles[(size_t) i] = direct (i);
    }
    else
    {
        // Only the first quarter is computed; the rest follows by symmetry, which keeps the table exact
        // where the quarter-turn rotations land on the axes.
        const int quarter = points / 4, half = points / 2;

        for (int i = 0; i < quarter; ++i)
            twiddles[(size_t) i] = direct (i);

        for (int i = quarter; i < half; ++i)
        {
            const auto t = twiddles[(size_t) (i - quarter)];
            twiddles[(size_t) i] = backward ? Complex (-t.imag(), t.real()) : Complex (t.imag(), -t.real());
        }

        twiddles[(size_t) half] = Complex (-1.0f, 0.0f);

        for (int i = half; i < points; ++i)
            twiddles[(size_t) i] = std::conj (twiddles[(size_t) (points - i)]);
    }

    // Radix-4 stages first, at most one radix-2, then radix 1 to fill the table.
    const int root = (int) std::floor (std::sqrt ((double) points));
    int divisor = 4, n = points;

    for (auto& stage : stages)
    {
        if (n > 1)
        {
            while (n % divisor != 0)
            {
                divisor = divisor == 4 ? 2 : (divisor == 2 ? 3 : divisor + 2);

                if (divisor > root)
                    divisor = n;
            }

            n /= divisor;
            stage = { divisor, n };
        }
        else
        {
            stage = { 1, 1 };
        }
    }
}

void FallbackPlan::perform (const Complex* in, Complex* out) const noexcept { run (in, out, 1, stages.data()); }

void FallbackPlan::run (const Complex* in, Complex* out, int stride, const Stage* stage) const noexcept
{
    const int p = stage->radix, m = stage->span;

    if (stride == 1 && p <= 5)
    {
        for (int i = 0; i < p; ++i)
            run (in + i, out + i * m, p, stage + 1);
    }
    else if (m == 1)
    {
        for (int i = 0; i < p; ++i)
            out[i] = in[i * stride];
    }
    else
    {
        for (int i = 0; i < p; ++i)
            run (in + i * stride, out + i * m, stride * p, stage + 1);
    }

    if (p == 2)
        butterfly2 (out, stride, m);
    else if (p == 4)
        butterfly4 (out, stride, m);
}

void FallbackPlan::butterfly2 (Complex* x, int stride, int m) const noexcept
{
    for (int i = 0; i < m; ++i)
    {
        const auto t = x[m + i] * twiddles[(size_t) ((i * stride) % points)];
        x[m + i] = x[i] - t;
        x[i] = x[i] + t;
    }
}

void FallbackPlan::butterfly4 (Complex* x, int stride, int m) const noexcept
{
    for (int i = 0; i < m; ++i)
    {
        auto& x0 = x[i];
        auto& x1 = x[i + m];
        auto& x2 = x[i + 2 * m];
        auto& x3 = x[i + 3 * m];

        const auto s0 = x1 * twiddles[(size_t) ((i * stride) % points)];
        const auto s1 = x2 * twiddles[(size_t) ((2 * i * stride) % points)];
        const auto s2 = x3 * twiddles[(size_t) ((3 * i * stride) % points)];
        const auto s3 = s0 + s2, s4 = s0 - s2, s5 = x0 - s1;
        const auto jS4 = Complex (-s4.imag(), s4.real());
        const auto sum = x0 + s1;

        x0 = sum + s3;
        x2 = sum - s3;
        x1 = backward ? s5 + jS4 : s5 - jS4;
        x3 = backward ? s5 - jS4 : s5 + jS4;
    }
}
} // namespace Orvalen::dsp
