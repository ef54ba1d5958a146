#include "dsp/FFT.h"

#include "dsp/FFTFallback.h"
#include "dsp/PrettyFastFFT.h"

#include <algorithm>
#include <vector>

namespace Orvalen::dsp
{
namespace
{
    // Function-local so it exists before any static engine registers itself, whatever the
    // order of static initialisation across files.
    std::vector<FFT::Engine*>& getRegistry()
    {
        static std::vector<FFT::Engine*> engines;
        return engines;
    }

    // Defined here rather than beside each engine: this file is always linked whenever an FFT is
    // used, so the registrations cannot be dropped by the linker.
    const FFT::EngineImpl<PrettyFastFFT> prettyFastEngine;
    const FFT::EngineImpl<FFTFallback> fallbackEngine;
} // namespace

FFT::Engine::Engine (int priorityToUse)
    : priority (priorityToUse)
{
    auto& engines = getRegistry();
    engines.push_back (this);
    std::stable_sort (engines.begin(),
                      engines.end(),
                      [] (const Engine* a, const Engine* b) { return a->priority > b->priority; });
}

//==============================================================================
FFT::FFT (int order)
    : points (1 << order)
{
    for (auto* engine : getRegistry())
    {
        if (auto* created = engine->createInstance (order))
        {
            instance.reset (created);
            break;
        }
    }
}

FFT::~FFT() = default;

void FFT::forwardReal (float* data, bool onlyNonNegative) const noexcept
{
    if (instance != nullptr)
        instance->forwardReal (data, onlyNonNegative);
}

void FFT::inverseReal (float* data) const noexcept
{
    if (instance != nullptr)
        instance->inverseReal (data);
}

void FFT::transformComplex (const Complex* in, Complex* out, bool backward) const noexcept
{
    if (instance != nullptr)
        instance->transformComplex (in, out, backward);
}
} // namespace Orvalen::dsp
