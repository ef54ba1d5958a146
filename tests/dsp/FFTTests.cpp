#include "dsp/FFT.h"
#include "dsp/FFTFallback.h"
#include "dsp/PrettyFastFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace
{
using Orvalen::dsp::FFT;
using ComplexD = std::complex<double>;

// Double-precision reference: an iterative radix-2 DFT with directly computed twiddles. It is checked
// against the plain O(N^2) sum below, so the float engines are held to the definition of the DFT.
std::vector<ComplexD> referenceDft (std::vector<ComplexD> x, bool backward)
{
    const size_t n = x.size();

    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap (x[i], x[j]);
    }

    const double sign = backward ? 1.0 : -1.0;

    for (size_t len = 2; len <= n; len <<= 1)
        for (size_t start = 0; start < n; start += len)
            for (size_t k = 0; k < len / 2; ++k)
            {
                const auto w = std::polar (1.0, sign * 2.0 * M_PI * (double) k / (double) len);
                const auto a = x[start + k], b = x[start + k + len / 2] * w;
                x[start + k] = a + b;
                x[start + k + len / 2] = a - b;
            }

    if (backward)
        for (auto& v : x)
            v /= (double) n;

    return x;
}

std::vector<ComplexD> directDft (const std::vector<ComplexD>& x)
{
    const size_t n = x.size();
    std::vector<ComplexD> out (n);
    for (size_t k = 0; k < n; ++k)
        for (size_t t = 0; t < n; ++t)
            out[k] += x[t] * std::polar (1.0, -2.0 * M_PI * (double) ((k * t) % n) / (double) n);
    return out;
}

std::vector<float> randomFloats (size_t count, unsigned seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
    std::vector<float> v (count);
    for (auto& x : v)
        x = dist (rng);
    return v;
}

// Float rounding grows with the number of passes and the spectrum's magnitude.
double tolerance (int order, size_t n) { return 2.0e-7 * (order + 2) * std::sqrt ((double) n); }

TEST (ReferenceDft, MatchesTheDefinition)
{
    const auto x = randomFloats (2 * 256, 1);
    std::vector<ComplexD> in (256);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = { x[2 * i], x[2 * i + 1] };

    const auto fast = referenceDft (in, false), slow = directDft (in);
    for (size_t k = 0; k < in.size(); ++k)
        EXPECT_NEAR (std::abs (fast[k] - slow[k]), 0.0, 1.0e-10);
}

//==============================================================================
class FFTOrder : public ::testing::TestWithParam<int>
{
};

TEST_P (FFTOrder, RegistryPicksFastEngineFromThirtyTwoPoints)
{
    const int order = GetParam();
    FFT fft (order);
    ASSERT_EQ (fft.getSize(), 1 << order);

    const auto* instance = fft.getInstance();
    ASSERT_NE (instance, nullptr);

    if (order < 5)
        EXPECT_NE (dynamic_cast<const Orvalen::dsp::FFTFallback*> (instance), nullptr);
    else
        EXPECT_NE (dynamic_cast<const Orvalen::dsp::PrettyFastFFT*> (instance), nullptr);
}

TEST_P (FFTOrder, ComplexBothDirectionsMatchReference)
{
    const int order = GetParam();
    const size_t n = (size_t) 1 << order;
    FFT fft (order);
    const auto x = randomFloats (2 * n, 10u + (unsigned) order);

    std::vector<ComplexD> in (n);
    std::vector<FFT::Complex> inF (n), out (n);
    for (size_t i = 0; i < n; ++i)
    {
        in[i] = { x[2 * i], x[2 * i + 1] };
        inF[i] = { x[2 * i], x[2 * i + 1] };
    }

    for (bool backward : { false, true })
    {
        SCOPED_TRACE (backward ? "backward" : "forward");
        const auto ref = referenceDft (in, backward);
        fft.transformComplex (inF.data(), out.data(), backward);

        const double tol = tolerance (order, n) / (backward ? (double) n : 1.0);
        for (size_t k = 0; k < n; ++k)
            ASSERT_NEAR (std::abs (ComplexD (out[k]) - ref[k]), 0.0, tol) << "bin " << k;
    }

    // In place: forward then backward through the same array returns the input.
    auto work = inF;
    fft.transformComplex (work.data(), work.data(), false);
    fft.transformComplex (work.data(), work.data(), true);
    for (size_t i = 0; i < n; ++i)
        ASSERT_NEAR (std::abs (work[i] - inF[i]), 0.0, 1.0e-7 * (order + 2));
}

TEST_P (FFTOrder, RealForwardAndInverseMatchReferenceInSharedLayout)
{
    const int order = GetParam();
    const size_t n = (size_t) 1 << order;
    const auto x = randomFloats (n, 100u + (unsigned) order);

    std::vector<ComplexD> in (n);
    for (size_t i = 0; i < n; ++i)
        in[i] = x[i];
    const auto ref = referenceDft (in, false);
    const double tol = tolerance (order, n);
    constexpr float sentinel = 12345.0f;

    for (bool onlyNonNegative : { true, false })
    {
        SCOPED_TRACE (onlyNonNegative ? "onlyNonNegative" : "all bins");
        FFT fft (order);
        std::vector<float> data (2 * n, sentinel);
        std::copy (x.begin(), x.end(), data.begin());
        fft.forwardReal (data.data(), onlyNonNegative);

        if (n == 1)
        {
            // One point: the sample is its own spectrum and is left as it was.
            EXPECT_EQ (data[0], x[0]);
            EXPECT_EQ (data[1], sentinel);
            continue;
        }

        const bool fallback = order < 5;
        const size_t written = (onlyNonNegative && !fallback) ? n / 2 + 1 : n;

        for (size_t k = 0; k < written; ++k)
        {
            ASSERT_NEAR (data[2 * k], ref[k].real(), tol) << "bin " << k;
            ASSERT_NEAR (data[2 * k + 1], ref[k].imag(), tol) << "bin " << k;
        }

        EXPECT_EQ (data[1], 0.0f);
        EXPECT_EQ (data[n + 1], 0.0f);

        if (written < n)
        {
            for (size_t i = 2 * written; i < 2 * n; ++i)
                ASSERT_EQ (data[i], sentinel) << "float " << i << " written beyond bin N/2";
        }

        // Inverse from bins 0..N/2 only: the upper half is scribbled over to show it is not read.
        for (size_t i = n + 2; i < 2 * n; ++i)
            data[i] = -7.0f;
        fft.inverseReal (data.data());

        for (size_t i = 0; i < n; ++i)
            ASSERT_NEAR (data[i], x[i], 1.0e-7 * (order + 2)) << "sample " << i;
    }
}

INSTANTIATE_TEST_SUITE_P (Orders0To16, FFTOrder, ::testing::Range (0, 17));

//==============================================================================
TEST (FFT, ImpulseGivesFlatSpectrumAndScalesOnlyOnInverse)
{
    for (int order : { 3, 4, 5, 6, 10 })
    {
        SCOPED_TRACE (order);
        const size_t n = (size_t) 1 << order;
        FFT fft (order);
        std::vector<float> data (2 * n, 0.0f);
        data[0] = 1.0f;
        fft.forwardReal (data.data(), true);

        for (size_t k = 0; k <= n / 2; ++k)
        {
            EXPECT_NEAR (data[2 * k], 1.0f, 1.0e-6f);
            EXPECT_NEAR (data[2 * k + 1], 0.0f, 1.0e-6f);
        }

        fft.inverseReal (data.data());
        EXPECT_NEAR (data[0], 1.0f, 1.0e-6f);
        for (size_t i = 1; i < n; ++i)
            EXPECT_NEAR (data[i], 0.0f, 1.0e-6f);
    }
}

TEST (FFT, SixteenAndThirtyTwoPointEnginesAgree)
{
    // Same signal zero-padded to 32: every second bin of the 32-point spectrum is the 16-point one.
    const auto x = randomFloats (16, 7);
    FFT small (4), large (5);
    std::vector<float> a (32, 0.0f), b (64, 0.0f);
    std::copy (x.begin(), x.end(), a.begin());
    std::copy (x.begin(), x.end(), b.begin());
    small.forwardReal (a.data(), true);
    large.forwardReal (b.data(), true);

    for (size_t k = 0; k <= 8; ++k)
    {
        EXPECT_NEAR (a[2 * k], b[4 * k], 1.0e-5f);
        EXPECT_NEAR (a[2 * k + 1], b[4 * k + 1], 1.0e-5f);
    }
}

TEST (FFT, FastEngineIgnoresImaginaryPartsOfDcAndNyquistOnInverse)
{
    const size_t n = 64;
    FFT fft (6);
    auto x = randomFloats (n, 3);
    std::vector<float> clean (2 * n, 0.0f);
    std::copy (x.begin(), x.end(), clean.begin());
    fft.forwardReal (clean.data(), true);

    auto dirty = clean;
    dirty[1] = 3.0f;
    dirty[n + 1] = -5.0f;
    fft.inverseReal (clean.data());
    fft.inverseReal (dirty.data());

    for (size_t i = 0; i < n; ++i)
        EXPECT_EQ (clean[i], dirty[i]);
}

TEST (FFT, OnePointComplexCopiesItsValue)
{
    FFT fft (0);
    const FFT::Complex in{ 0.25f, -2.0f };
    FFT::Complex out{};
    fft.transformComplex (&in, &out, false);
    EXPECT_EQ (out, in);
    fft.transformComplex (&in, &out, true);
    EXPECT_EQ (out, in);
}
} // namespace
