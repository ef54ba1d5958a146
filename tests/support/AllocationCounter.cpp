#include "support/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
thread_local std::size_t allocationsOnThisThread = 0;
thread_local bool countingOnThisThread = false;

void* allocate (std::size_t size)
{
    if (countingOnThisThread)
        ++allocationsOnThisThread;

    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
    if (countingOnThisThread)
        ++allocationsOnThisThread;

    const auto align = static_cast<std::size_t> (alignment);
    const auto rounded = ((size == 0 ? 1 : size) + align - 1) / align * align;

    if (void* p = std::aligned_alloc (align, rounded))
        return p;

    throw std::bad_alloc();
}
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, std::align_val_t a) { return allocateAligned (size, a); }
void* operator new[] (std::size_t size, std::align_val_t a) { return allocateAligned (size, a); }

void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (...)
    {
        return nullptr;
    }
}

void* operator new[] (std::size_t size, const std::nothrow_t& tag) noexcept { return operator new (size, tag); }

void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }
void operator delete (void* p, std::align_val_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::align_val_t) noexcept { std::free (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { std::free (p); }
void operator delete (void* p, const std::nothrow_t&) noexcept { std::free (p); }
void operator delete[] (void* p, const std::nothrow_t&) noexcept { std::free (p); }

namespace testsupport
{
ScopedAllocationCounter::ScopedAllocationCounter()
    : countAtStart (allocationsOnThisThread)
    , wasCounting (countingOnThisThread)
{
    countingOnThisThread = true;
}

ScopedAllocationCounter::~ScopedAllocationCounter() { countingOnThisThread = wasCounting; }

std::size_t ScopedAllocationCounter::getCount() const { return allocationsOnThisThread - countAtStart; }
} // namespace testsupport
