#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace Orvalen::dsp
{
/** A no-argument callable stored inline in a fixed 400 bytes, so that building, moving and queueing one
    never allocates. Move-only; a moved-from or cleared command is empty.

    Any thread (the audio thread included), one thread at a time per command; nothing here waits.
*/
class LoaderCommand
{
public:
    static constexpr size_t storageBytes = 400;

    LoaderCommand() noexcept = default;

    template <typename Callable, typename = std::enable_if_t<!std::is_same_v<std::decay_t<Callable>, LoaderCommand>>>
    LoaderCommand (Callable&& callable) noexcept
    {
        using Stored = std::decay_t<Callable>;
        static_assert (sizeof (Stored) <= storageBytes, "command too large for its inline storage");
        static_assert (alignof (Stored) <= 16, "command over-aligned for its inline storage");
        static_assert (std::is_nothrow_move_constructible_v<Stored>, "command must move without throwing");

        new (storage) Stored (std::forward<Callable> (callable));
        operations = &operationsFor<Stored>;
    }

    LoaderCommand (LoaderCommand&& other) noexcept { takeFrom (other); }

    LoaderCommand& operator= (LoaderCommand&& other) noexcept
    {
        if (this != &other)
        {
            clear();
            takeFrom (other);
        }

        return *this;
    }

    LoaderCommand& operator= (std::nullptr_t) noexcept
    {
        clear();
        return *this;
    }

    ~LoaderCommand() { clear(); }

    LoaderCommand (const LoaderCommand&) = delete;
    LoaderCommand& operator= (const LoaderCommand&) = delete;

    /** Runs the stored callable; does nothing when empty. */
    void operator()() noexcept
    {
        if (operations != nullptr)
            operations->call (storage);
    }

    /** Destroys the stored callable, leaving the command empty. */
    void clear() noexcept
    {
        if (operations != nullptr)
        {
            operations->clear (storage);
            operations = nullptr;
        }
    }

    bool isEmpty() const noexcept { return operations == nullptr; }

private:
    struct Operations
    {
        void (*move) (void* from, void* to) noexcept;
        void (*call) (void* self) noexcept;
        void (*clear) (void* self) noexcept;
    };

    template <typename Stored>
    static constexpr Operations operationsFor{ [] (void* from, void* to) noexcept
                                               {
                                                   new (to) Stored (std::move (*static_cast<Stored*> (from)));
                                                   static_cast<Stored*> (from)->~Stored();
                                               },
                                               [] (void* self) noexcept { (*static_cast<Stored*> (self))(); },
                                               [] (void* self) noexcept { static_cast<Stored*> (self)->~Stored(); } };

    void takeFrom (LoaderCommand& other) noexcept
    {
        if (other.operations != nullptr)
        {
            other.operations->move (other.storage, storage);
            operations = std::exchange (other.operations, nullptr);
        }
    }

    const Operations* operations = nullptr;
    alignas (16) unsigned char storage[storageBytes];
};
} // namespace Orvalen::dsp
