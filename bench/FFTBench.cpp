// Real forward + inverse transform (one round trip per iteration), N = 16 ... 32768.
#include "dsp/FFTFallback.h"
#include "dsp/PrettyFastFFT.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <juce_dsp/juce_dsp.h>
#include <kissfft/kiss_fftr.h>

#include <random>
#include <vector>

namespace
{
std::vector<float> noise (size_t n)
{
    std::mt19937 rng (1234);
    std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
    std::vector<float> v (n);
    for (auto& x : v)
        x = dist (rng);
    return v;
}

int orderOf (benchmark::State& state) { return (int) state.range (0); }

void setItems (benchmark::State& state) { state.counters["N"] = (double) (1 << orderOf (state)); }

//==============================================================================
template <typename Engine>
void ourRoundTrip (benchmark::State& state)
{
    const int order = orderOf (state);
    const size_t n = (size_t) 1 << order;
    std::unique_ptr<Orvalen::dsp::FFT::Instance> fft (Engine::create (order));
    if (fft == nullptr)
    {
        state.SkipWithError ("size not served");
        return;
    }

    auto data = noise (2 * n);
    for (auto _ : state)
    {
        fft->forwardReal (data.data(), true);
        fft->inverseReal (data.data());
        benchmark::DoNotOptimize (data.data());
    }
    setItems (state);
}

void PrettyFastFFT_RoundTrip (benchmark::State& state) { ourRoundTrip<Orvalen::dsp::PrettyFastFFT> (state); }
void FFTFallback_RoundTrip (benchmark::State& state) { ourRoundTrip<Orvalen::dsp::FFTFallback> (state); }

void FFTW3f_RoundTrip (benchmark::State& state)
{
    const int n = 1 << orderOf (state);
    auto* real = fftwf_alloc_real ((size_t) n);
    auto* spectrum = fftwf_alloc_complex ((size_t) n / 2 + 1);
    auto forward = fftwf_plan_dft_r2c_1d (n, real, spectrum, FFTW_MEASURE);
    auto inverse = fftwf_plan_dft_c2r_1d (n, spectrum, real, FFTW_MEASURE);
    const auto input = noise ((size_t) n);
    std::copy (input.begin(), input.end(), real);
    const float scale = 1.0f / (float) n;

    for (auto _ : state)
    {
        fftwf_execute (forward);
        fftwf_execute (inverse);
        // FFTW leaves the inverse unscaled; the others include the 1/N.
        for (int i = 0; i < n; ++i)
            real[i] *= scale;
        benchmark::DoNotOptimize (real);
    }

    fftwf_destroy_plan (forward);
    fftwf_destroy_plan (inverse);
    fftwf_free (real);
    fftwf_free (spectrum);
    setItems (state);
}

void KissFFT_RoundTrip (benchmark::State& state)
{
    const int n = 1 << orderOf (state);
    auto forward = kiss_fftr_alloc (n, 0, nullptr, nullptr);
    auto inverse = kiss_fftr_alloc (n, 1, nullptr, nullptr);
    auto real = noise ((size_t) n);
    std::vector<kiss_fft_cpx> spectrum ((size_t) n / 2 + 1);
    const float scale = 1.0f / (float) n;

    for (auto _ : state)
    {
        kiss_fftr (forward, real.data(), spectrum.data());
        kiss_fftri (inverse, spectrum.data(), real.data());
        for (auto& x : real)
            x *= scale;
        benchmark::DoNotOptimize (real.data());
    }

    kiss_fftr_free (forward);
    kiss_fftr_free (inverse);
    setItems (state);
}

void JuceFFT_RoundTrip (benchmark::State& state)
{
    const int order = orderOf (state);
    const size_t n = (size_t) 1 << order;
    juce::dsp::FFT fft (order);
    auto data = noise (2 * n);

    for (auto _ : state)
    {
        fft.performRealOnlyForwardTransform (data.data(), true);
        fft.performRealOnlyInverseTransform (data.data());
        benchmark::DoNotOptimize (data.data());
    }
    setItems (state);
}
} // namespace

// Orders 4 (16 points) to 15 (32768 points), registered size by size so that the five transforms of one
// size run back to back and meet the same load on this shared machine. PrettyFastFFT starts at 32 points.
// Five repetitions each, reported as median, mean and spread: compare medians.
namespace
{
const bool registered = []
{
    using Function = void (*) (benchmark::State&);
    const std::pair<const char*, Function> engines[] = { { "PrettyFastFFT_RoundTrip", PrettyFastFFT_RoundTrip },
                                                         { "FFTW3f_RoundTrip", FFTW3f_RoundTrip },
                                                         { "KissFFT_RoundTrip", KissFFT_RoundTrip },
                                                         { "JuceFFT_RoundTrip", JuceFFT_RoundTrip },
                                                         { "FFTFallback_RoundTrip", FFTFallback_RoundTrip } };

    for (int order = 4; order <= 15; ++order)
        for (const auto& [name, function] : engines)
            if (order >= Orvalen::dsp::PrettyFastFFT::minimumOrder || function != PrettyFastFFT_RoundTrip)
                benchmark::RegisterBenchmark (name, function)
                    ->Arg (order)
                    ->MinTime (0.05)
                    ->Repetitions (5)
                    ->ReportAggregatesOnly (true);
    return true;
}();
} // namespace
