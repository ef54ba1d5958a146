#include "dsp/EngineSlot.h"

namespace Orvalen::dsp
{
void EngineSlot::place (std::unique_ptr<EngineSet> newEngine)
{
    {
        const juce::SpinLock::ScopedLockType scopedLock (lock);
        std::swap (engine, newEngine);
    }

    // newEngine now holds the uncollected set, if any: destroyed here, outside the lock.
}

std::unique_ptr<EngineSet> EngineSlot::take() noexcept
{
    const juce::SpinLock::ScopedTryLockType scopedLock (lock);

    if (!scopedLock.isLocked())
        return {};

    return std::move (engine);
}
} // namespace Orvalen::dsp
