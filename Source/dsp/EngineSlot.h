#pragma once

#include "dsp/EngineSet.h"

#include <juce_core/juce_core.h>

#include <memory>

namespace Orvalen::dsp
{
/** Hands one finished EngineSet from the building thread to the audio thread. */
class EngineSlot
{
public:
    /** Building thread; may spin briefly while the audio thread swaps. A set nobody collected is destroyed
        here, on the calling thread. */
    void place (std::unique_ptr<EngineSet> engine);

    /** Audio thread; wait-free: returns nothing when the slot is busy or empty. */
    std::unique_ptr<EngineSet> take() noexcept;

private:
    std::unique_ptr<EngineSet> engine;
    juce::SpinLock lock;
};
} // namespace Orvalen::dsp
