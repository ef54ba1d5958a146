#pragma once

#include <complex>
#include <memory>

namespace Orvalen::dsp
{
/** Power-of-two FFT facade. The transform itself comes from the highest-priority registered engine
    that accepts the requested order; if none does, every call does nothing.

    Spectra use the plain unscaled DFT forwards and scale by 1/N on the inverse side. Real transforms
    work in place on 2N floats: bin k sits at data[2k] (real) and data[2k + 1] (imaginary).
*/
class FFT
{
public:
    using Complex = std::complex<float>;

    //==============================================================================
    /** One transform of a fixed size, created by an engine. */
    class Instance
    {
    public:
        virtual ~Instance() = default;

        /** N complex values from in to out; a backward transform is scaled by 1/N. in may equal out. */
        virtual void transformComplex (const Complex* in, Complex* out, bool backward) noexcept = 0;

        /** N real samples in data[0..N) become bins 0..N/2 (bins N/2+1..N-1 too unless onlyNonNegative). */
        virtual void forwardReal (float* data, bool onlyNonNegative) noexcept = 0;

        /** Bins 0..N/2 in data become N real samples in data[0..N), scaled by 1/N. */
        virtual void inverseReal (float* data) noexcept = 0;
    };

    //==============================================================================
    /** A source of instances. Constructing one registers it for the life of the program. */
    class Engine
    {
    public:
        explicit Engine (int priority);
        virtual ~Engine() = default;

        /** Returns a new instance for 2^order points, or nothing when this engine cannot serve it. */
        virtual Instance* createInstance (int order) const = 0;

        const int priority;
    };

    /** Registers T, which provides a static `priority` and a static `create (int order)`. */
    template <typename T>
    class EngineImpl : public Engine
    {
    public:
        EngineImpl()
            : Engine (T::priority)
        {
        }
        Instance* createInstance (int order) const override { return T::create (order); }
    };

    //==============================================================================
    /** Builds a transform of 2^order points. Allocates: call it away from the audio thread. */
    explicit FFT (int order);
    ~FFT();

    FFT (const FFT&) = delete;
    FFT& operator= (const FFT&) = delete;

    /** Any thread, one thread at a time per FFT; wait-free unless the instance says otherwise. */
    void forwardReal (float* data, bool onlyNonNegative) const noexcept;
    void inverseReal (float* data) const noexcept;
    void transformComplex (const Complex* in, Complex* out, bool backward) const noexcept;

    int getSize() const noexcept { return points; }

    /** Which engine served this FFT (for tests and diagnostics); nullptr when none did. */
    const Instance* getInstance() const noexcept { return instance.get(); }

private:
    std::unique_ptr<Instance> instance;
    int points;
};
} // namespace Orvalen::dsp
