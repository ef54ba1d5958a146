#include "engine/DecayRebuildThrottle.h"

#include <juce_core/juce_core.h>

DecayRebuildThrottle::DecayRebuildThrottle (Clock clockToUse)
    : clock (clockToUse ? std::move (clockToUse) : Clock ([] { return juce::Time::getMillisecondCounterHiRes(); }))
{
}

bool DecayRebuildThrottle::valueChanged (double normalisedDecay)
{
    return runTest (normalisedDecay, isGestureActive());
}

bool DecayRebuildThrottle::gestureBegan (double normalisedDecay)
{
    const bool rebuild = runTest (normalisedDecay, isGestureActive());
    gestureActive.store (true, std::memory_order_relaxed);
    return rebuild;
}

bool DecayRebuildThrottle::gestureEnded (double normalisedDecay)
{
    gestureActive.store (false, std::memory_order_relaxed);

    if (runTest (normalisedDecay, false))
        return true;

    // A drag that ends within the throttle interval leaves its last value stored but unbuilt.
    const double stored = getStoredDecay();

    if (stored == builtDecay.load (std::memory_order_relaxed))
        return false;

    markBuilt (stored);
    return true;
}

bool DecayRebuildThrottle::settle (double normalisedDecay)
{
    storedDecay.store (normalisedDecay, std::memory_order_relaxed);
    const bool moved = builtDecay.exchange (normalisedDecay, std::memory_order_relaxed) != normalisedDecay;
    return moved;
}

bool DecayRebuildThrottle::runTest (double normalisedDecay, bool duringGesture)
{
    const double stored = getStoredDecay();

    if (stored - minimumStep <= normalisedDecay && normalisedDecay <= stored + minimumStep)
        return false;

    storedDecay.store (normalisedDecay, std::memory_order_relaxed);
    const double now = clock();

    if (now - lastRebuildMs.load (std::memory_order_relaxed) >= intervalMs)
    {
        lastRebuildMs.store (now, std::memory_order_relaxed);
        return true;
    }

    return ! duringGesture;
}
