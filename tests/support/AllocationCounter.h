#pragma once

#include <cstddef>

namespace testsupport
{
/** Counts heap allocations made through operator new by the calling thread while it lives.
    Other threads' allocations are not counted, so a test can run a message thread beside it. */
class ScopedAllocationCounter
{
public:
    ScopedAllocationCounter();
    ~ScopedAllocationCounter();

    std::size_t getCount() const;

    ScopedAllocationCounter (const ScopedAllocationCounter&) = delete;
    ScopedAllocationCounter& operator= (const ScopedAllocationCounter&) = delete;

private:
    std::size_t countAtStart;
    bool wasCounting;
};
} // namespace testsupport
