#include "dsp/PrettyFastFFT.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__ARM_NEON)
    #include <arm_neon.h>
#elif defined(__SSE2__) || defined(_M_X64)
    #include <xmmintrin.h>
#endif

namespace Orvalen::dsp
{
namespace
{
    //==============================================================================
    // Four-float vector operations, one set per instruction set.
#if defined(__ARM_NEON)
    using V = float32x4_t;
    inline V load (const float* p) noexcept { return vld1q_f32 (p); }
    inline void store (float* p, V v) noexcept { vst1q_f32 (p, v); }
    inline V add (V a, V b) noexcept { return vaddq_f32 (a, b); }
    inline V sub (V a, V b) noexcept { return vsubq_f32 (a, b); }
    inline V mul (V a, V b) noexcept { return vmulq_f32 (a, b); }
    inline V splat (float x) noexcept { return vdupq_n_f32 (x); }

    inline V reverse (V v) noexcept
    {
        const auto r = vrev64q_f32 (v);
        return vcombine_f32 (vget_high_f32 (r), vget_low_f32 (r));
    }

    inline void transpose (V& a, V& b, V& c, V& d) noexcept
    {
        const auto ab = vtrnq_f32 (a, b), cd = vtrnq_f32 (c, d);
        a = vcombine_f32 (vget_low_f32 (ab.val[0]), vget_low_f32 (cd.val[0]));
        b = vcombine_f32 (vget_low_f32 (ab.val[1]), vget_low_f32 (cd.val[1]));
        c = vcombine_f32 (vget_high_f32 (ab.val[0]), vget_high_f32 (cd.val[0]));
        d = vcombine_f32 (vget_high_f32 (ab.val[1]), vget_high_f32 (cd.val[1]));
    }

    inline void loadDeinterleaved (const float* p, V& re, V& im) noexcept
    {
        const auto v = vld2q_f32 (p);
        re = v.val[0];
        im = v.val[1];
    }

    inline void storeInterleaved (float* p, V re, V im) noexcept
    {
        float32x4x2_t v;
        v.val[0] = re;
        v.val[1] = im;
        vst2q_f32 (p, v);
    }
#elif defined(__SSE2__) || defined(_M_X64)
    using V = __m128;
    inline V load (const float* p) noexcept { return _mm_loadu_ps (p); }
    inline void store (float* p, V v) noexcept { _mm_storeu_ps (p, v); }
    inline V add (V a, V b) noexcept { return _mm_add_ps (a, b); }
    inline V sub (V a, V b) noexcept { return _mm_sub_ps (a, b); }
    inline V mul (V a, V b) noexcept { return _mm_mul_ps (a, b); }
    inline V splat (float x) noexcept { return _mm_set1_ps (x); }
    inline V reverse (V v) noexcept { return _mm_shuffle_ps (v, v, _MM_SHUFFLE (0, 1, 2, 3)); }
    inline void transpose (V& a, V& b, V& c, V& d) noexcept { _MM_TRANSPOSE4_PS (a, b, c, d); }

    inline void loadDeinterleaved (const float* p, V& re, V& im) noexcept
    {
        const auto lo = _mm_loadu_ps (p), hi = _mm_loadu_ps (p + 4);
        re = _mm_shuffle_ps (lo, hi, _MM_SHUFFLE (2, 0, 2, 0));
        im = _mm_shuffle_ps (lo, hi, _MM_SHUFFLE (3, 1, 3, 1));
    }

    inline void storeInterleaved (float* p, V re, V im) noexcept
    {
        _mm_storeu_ps (p, _mm_unpacklo_ps (re, im));
        _mm_storeu_ps (p + 4, _mm_unpackhi_ps (re, im));
    }
#else
    // Portable stand-in so the library still builds where neither instruction set exists.
    struct V
    {
        float x[4];
    };
    inline V load (const float* p) noexcept { return { { p[0], p[1], p[2], p[3] } }; }
    inline void store (float* p, V v) noexcept { std::memcpy (p, v.x, sizeof (v.x)); }
    inline V add (V a, V b) noexcept
    {
        return { { a.x[0] + b.x[0], a.x[1] + b.x[1], a.x[2] + b.x[2], a.x[3] + b.x[3] } };
    }
    inline V sub (V a, V b) noexcept
    {
        return { { a.x[0] - b.x[0], a.x[1] - b.x[1], a.x[2] - b.x[2], a.x[3] - b.x[3] } };
    }
    inline V mul (V a, V b) noexcept
    {
        return { { a.x[0] * b.x[0], a.x[1] * b.x[1], a.x[2] * b.x[2], a.x[3] * b.x[3] } };
    }
    inline V splat (float v) noexcept { return { { v, v, v, v } }; }
    inline V reverse (V v) noexcept { return { { v.x[3], v.x[2], v.x[1], v.x[0] } }; }

    inline void transpose (V& a, V& b, V& c, V& d) noexcept
    {
        const V r[4] = { a, b, c, d };
        for (int i = 0; i < 4; ++i)
        {
            a.x[i] = r[i].x[0];
            b.x[i] = r[i].x[1];
            c.x[i] = r[i].x[2];
            d.x[i] = r[i].x[3];
        }
    }

    inline void loadDeinterleaved (const float* p, V& re, V& im) noexcept
    {
        re = { { p[0], p[2], p[4], p[6] } };
        im = { { p[1], p[3], p[5], p[7] } };
    }

    inline void storeInterleaved (float* p, V re, V im) noexcept
    {
        for (int i = 0; i < 4; ++i)
        {
            p[2 * i] = re.x[i];
            p[2 * i + 1] = im.x[i];
        }
    }
#endif

    // (ar + j ai)(br + j bi)
    inline void complexMultiply (V ar, V ai, V br, V bi, V& outRe, V& outIm) noexcept
    {
        outRe = sub (mul (ar, br), mul (ai, bi));
        outIm = add (mul (ar, bi), mul (ai, br));
    }

    constexpr double twoPi = 6.283185307179586476925286766559;
} // namespace

namespace
{
    /** Writes pass outputs to split arrays. */
    struct SplitWriter
    {
        float *re, *im;
        void operator() (size_t index, V r, V i) const noexcept
        {
            store (re + index, r);
            store (im + index, i);
        }
    };

    /** Writes the last pass straight to an interleaved, scaled array; `exchange` swaps real and
        imaginary parts back for a backward transform run through the forward core. */
    struct InterleavedWriter
    {
        float* dest;
        V scale;
        bool exchange;
        void operator() (size_t index, V r, V i) const noexcept
        {
            if (exchange)
                storeInterleaved (dest + 2 * index, mul (i, scale), mul (r, scale));
            else
                storeInterleaved (dest + 2 * index, mul (r, scale), mul (i, scale));
        }
    };
} // namespace

//==============================================================================
/** Plan of a forward complex transform of `size` points on split arrays: self-sorting (Stockham) radix-4
    passes, the first one vectorised across butterflies, the others across the stride, and one radix-2
    pass last when the size is not a power of four. A real plan adds the twiddles of the final split. */
struct PrettyFastFFT::Setup
{
    struct Pass
    {
        int length, stride, radix;
        size_t twiddleOffset;
    };

    explicit Setup (int complexPoints, bool forRealTransform)
        : size (complexPoints)
    {
        int n = size, stride = 1;

        // Radix 4 throughout; an odd power of two ends in one radix-8 pass rather than an extra radix-2 one
        // while its sixteen streams are short (measured: at 8192 points and more the strides alias in
        // the cache and radix 4 + 2 is faster).
        const bool endInRadix8 = size <= maxRadix8Size;

        while (n >= 4 && !(n == 8 && endInRadix8))
        {
            passes.push_back ({ n, stride, 4, twiddles.size() });
            const int quarter = n / 4;

            for (int power = 1; power <= 3; ++power)
            {
                for (int p = 0; p < quarter; ++p)
                    twiddles.push_back ((float) std::cos (-twoPi * power * p / n));
                for (int p = 0; p < quarter; ++p)
                    twiddles.push_back ((float) std::sin (-twoPi * power * p / n));
            }

            n /= 4;
            stride *= 4;
        }

        if (n == 8)
            passes.push_back ({ 8, stride, 8, 0 });
        else if (n == 2)
            passes.push_back ({ 2, stride, 2, 0 });

        if (forRealTransform)
        {
            // W^k = e^(-j2πk/2M) for k = 0..M/2, the twiddles that split the half-size spectrum.
            const int realPoints = 2 * size;

            for (int k = 0; k <= size / 2; ++k)
            {
                splitCos.push_back ((float) std::cos (twoPi * k / realPoints));
                splitSin.push_back ((float) -std::sin (twoPi * k / realPoints));
            }
        }
    }

    /** Transforms the split arrays in a, ping-ponging with b; returns true when the result ends in b.
        With an interleaved source the first pass reads it directly instead of a (which must then be
        distinct from the source). */
    bool forward (float* aRe,
                  float* aIm,
                  float* bRe,
                  float* bIm,
                  const float* interleavedSource = nullptr,
                  const InterleavedWriter* finalWriter = nullptr) const noexcept
    {
        const float *xr = aRe, *xi = aIm;
        float *yr = bRe, *yi = bIm;
        bool inB = false;

        for (const auto& pass : passes)
        {
            // The last pass has unit twiddles (radix 2, or radix 4 over one butterfly group), so it can
            // write the caller's final layout itself.
            const bool last = &pass == &passes.back();

            if (last && finalWriter != nullptr)
            {
                if (pass.radix == 8)
                    radix8 (pass, xr, xi, *finalWriter);
                else if (pass.radix == 2)
                    radix2 (pass, xr, xi, *finalWriter);
                else
                    untwiddledRadix4 (pass.stride, (size_t) pass.stride, xr, xi, *finalWriter);
                return !inB;
            }

            if (pass.radix == 8)
                radix8 (pass, xr, xi, SplitWriter{ yr, yi });
            else if (pass.radix == 2)
                radix2 (pass, xr, xi, SplitWriter{ yr, yi });
            else if (pass.stride == 1 && interleavedSource != nullptr)
                firstRadix4Interleaved (pass, interleavedSource, yr, yi);
            else if (pass.stride == 1)
                firstRadix4 (pass, xr, xi, yr, yi);
            else
                radix4 (pass, xr, xi, yr, yi);

            inB = !inB;
            const float* nextXr = yr;
            const float* nextXi = yi;
            yr = const_cast<float*> (xr);
            yi = const_cast<float*> (xi);
            xr = nextXr;
            xi = nextXi;
        }

        return inB;
    }

    // One radix-4 butterfly on four lanes, forward direction, outputs twiddled.
    static inline void butterfly (V ar,
                                  V ai,
                                  V br,
                                  V bi,
                                  V cr,
                                  V ci,
                                  V dr,
                                  V di,
                                  V w1r,
                                  V w1i,
                                  V w2r,
                                  V w2i,
                                  V w3r,
                                  V w3i,
                                  V& y0r,
                                  V& y0i,
                                  V& y1r,
                                  V& y1i,
                                  V& y2r,
                                  V& y2i,
                                  V& y3r,
                                  V& y3i) noexcept
    {
        const V t0r = add (ar, cr), t0i = add (ai, ci);
        const V t1r = sub (ar, cr), t1i = sub (ai, ci);
        const V t2r = add (br, dr), t2i = add (bi, di);
        const V t3r = sub (br, dr), t3i = sub (bi, di);

        y0r = add (t0r, t2r);
        y0i = add (t0i, t2i);
        complexMultiply (sub (t0r, t2r), sub (t0i, t2i), w2r, w2i, y2r, y2i);
        complexMultiply (add (t1r, t3i), sub (t1i, t3r), w1r, w1i, y1r, y1i); // t1 - j t3
        complexMultiply (sub (t1r, t3i), add (t1i, t3r), w3r, w3i, y3r, y3i); // t1 + j t3
    }

    void firstRadix4 (const Pass& pass, const float* xr, const float* xi, float* yr, float* yi) const noexcept
    {
        const int m = pass.length / 4;
        const float* tw = twiddles.data() + pass.twiddleOffset;

        for (int p = 0; p < m; p += 4)
        {
            V y0r, y0i, y1r, y1i, y2r, y2i, y3r, y3i;
            butterfly (load (xr + p),
                       load (xi + p),
                       load (xr + p + m),
                       load (xi + p + m),
                       load (xr + p + 2 * m),
                       load (xi + p + 2 * m),
                       load (xr + p + 3 * m),
                       load (xi + p + 3 * m),
                       load (tw + p),
                       load (tw + m + p),
                       load (tw + 2 * m + p),
                       load (tw + 3 * m + p),
                       load (tw + 4 * m + p),
                       load (tw + 5 * m + p),
                       y0r,
                       y0i,
                       y1r,
                       y1i,
                       y2r,
                       y2i,
                       y3r,
                       y3i);

            // Lane i holds butterfly p + i, whose four outputs belong at 4(p + i) .. 4(p + i) + 3.
            transpose (y0r, y1r, y2r, y3r);
            transpose (y0i, y1i, y2i, y3i);
            float* outR = yr + 4 * p;
            float* outI = yi + 4 * p;
            store (outR, y0r);
            store (outR + 4, y1r);
            store (outR + 8, y2r);
            store (outR + 12, y3r);
            store (outI, y0i);
            store (outI + 4, y1i);
            store (outI + 8, y2i);
            store (outI + 12, y3i);
        }
    }

    void firstRadix4Interleaved (const Pass& pass, const float* x, float* yr, float* yi) const noexcept
    {
        const int m = pass.length / 4;
        const float* tw = twiddles.data() + pass.twiddleOffset;

        for (int p = 0; p < m; p += 4)
        {
            V ar, ai, br, bi, cr, ci, dr, di;
            loadDeinterleaved (x + 2 * p, ar, ai);
            loadDeinterleaved (x + 2 * (p + m), br, bi);
            loadDeinterleaved (x + 2 * (p + 2 * m), cr, ci);
            loadDeinterleaved (x + 2 * (p + 3 * m), dr, di);

            V y0r, y0i, y1r, y1i, y2r, y2i, y3r, y3i;
            butterfly (ar,
                       ai,
                       br,
                       bi,
                       cr,
                       ci,
                       dr,
                       di,
                       load (tw + p),
                       load (tw + m + p),
                       load (tw + 2 * m + p),
                       load (tw + 3 * m + p),
                       load (tw + 4 * m + p),
                       load (tw + 5 * m + p),
                       y0r,
                       y0i,
                       y1r,
                       y1i,
                       y2r,
                       y2i,
                       y3r,
                       y3i);

            transpose (y0r, y1r, y2r, y3r);
            transpose (y0i, y1i, y2i, y3i);
            float* outR = yr + 4 * p;
            float* outI = yi + 4 * p;
            store (outR, y0r);
            store (outR + 4, y1r);
            store (outR + 8, y2r);
            store (outR + 12, y3r);
            store (outI, y0i);
            store (outI + 4, y1i);
            store (outI + 8, y2i);
            store (outI + 12, y3i);
        }
    }

    // The butterfly with unit twiddles (p = 0 of every pass, and the whole last radix-4 pass).
    template <typename Writer>
    static void untwiddledRadix4 (int s, size_t step, const float* xr, const float* xi, const Writer& write) noexcept
    {
        for (int q = 0; q < s; q += 4)
        {
            const V ar = load (xr + q), ai = load (xi + q);
            const V br = load (xr + q + step), bi = load (xi + q + step);
            const V cr = load (xr + q + 2 * step), ci = load (xi + q + 2 * step);
            const V dr = load (xr + q + 3 * step), di = load (xi + q + 3 * step);
            const V t0r = add (ar, cr), t0i = add (ai, ci);
            const V t1r = sub (ar, cr), t1i = sub (ai, ci);
            const V t2r = add (br, dr), t2i = add (bi, di);
            const V t3r = sub (br, dr), t3i = sub (bi, di);

            const size_t o = (size_t) q, ss = (size_t) s;
            write (o, add (t0r, t2r), add (t0i, t2i));
            write (o + ss, add (t1r, t3i), sub (t1i, t3r));
            write (o + 2 * ss, sub (t0r, t2r), sub (t0i, t2i));
            write (o + 3 * ss, sub (t1r, t3i), add (t1i, t3r));
        }
    }

    void radix4 (const Pass& pass, const float* xr, const float* xi, float* yr, float* yi) const noexcept
    {
        const int m = pass.length / 4, s = pass.stride;
        const float* tw = twiddles.data() + pass.twiddleOffset;

        untwiddledRadix4 (s, (size_t) s * (size_t) m, xr, xi, SplitWriter{ yr, yi });

        for (int p = 1; p < m; ++p)
        {
            const V w1r = splat (tw[p]), w1i = splat (tw[m + p]);
            const V w2r = splat (tw[2 * m + p]), w2i = splat (tw[3 * m + p]);
            const V w3r = splat (tw[4 * m + p]), w3i = splat (tw[5 * m + p]);

            const size_t in0 = (size_t) s * (size_t) p, step = (size_t) s * (size_t) m;
            const size_t out0 = (size_t) s * 4 * (size_t) p;

            for (int q = 0; q < s; q += 4)
            {
                V y0r, y0i, y1r, y1i, y2r, y2i, y3r, y3i;
                const size_t i = in0 + (size_t) q, o = out0 + (size_t) q;
                butterfly (load (xr + i),
                           load (xi + i),
                           load (xr + i + step),
                           load (xi + i + step),
                           load (xr + i + 2 * step),
                           load (xi + i + 2 * step),
                           load (xr + i + 3 * step),
                           load (xi + i + 3 * step),
                           w1r,
                           w1i,
                           w2r,
                           w2i,
                           w3r,
                           w3i,
                           y0r,
                           y0i,
                           y1r,
                           y1i,
                           y2r,
                           y2i,
                           y3r,
                           y3i);

                store (yr + o, y0r);
                store (yi + o, y0i);
                store (yr + o + (size_t) s, y1r);
                store (yi + o + (size_t) s, y1i);
                store (yr + o + 2 * (size_t) s, y2r);
                store (yi + o + 2 * (size_t) s, y2i);
                store (yr + o + 3 * (size_t) s, y3r);
                store (yi + o + 3 * (size_t) s, y3i);
            }
        }
    }

    /** Last pass of an odd power of two: one group of radix-8 butterflies with unit outer twiddles, as two
        radix-4 transforms (even and odd inputs) joined by the eighth roots of unity. */
    template <typename Writer>
    static void radix8 (const Pass& pass, const float* xr, const float* xi, const Writer& write) noexcept
    {
        const size_t s = (size_t) pass.stride;
        const V root = splat (0.70710678118654752f);

        for (size_t q = 0; q < s; q += 4)
        {
            V r[8], i[8];
            for (size_t j = 0; j < 8; ++j)
            {
                r[j] = load (xr + q + j * s);
                i[j] = load (xi + q + j * s);
            }

            // Four-point forward DFTs of (x0, x2, x4, x6) and (x1, x3, x5, x7).
            V er[4], ei[4], or_[4], oi[4];
            auto dft4 = [] (V ar, V ai, V br, V bi, V cr, V ci, V dr, V di, V* outR, V* outI)
            {
                const V t0r = add (ar, cr), t0i = add (ai, ci), t1r = sub (ar, cr), t1i = sub (ai, ci);
                const V t2r = add (br, dr), t2i = add (bi, di), t3r = sub (br, dr), t3i = sub (bi, di);
                outR[0] = add (t0r, t2r);
                outI[0] = add (t0i, t2i);
                outR[1] = add (t1r, t3i);
                outI[1] = sub (t1i, t3r);
                outR[2] = sub (t0r, t2r);
                outI[2] = sub (t0i, t2i);
                outR[3] = sub (t1r, t3i);
                outI[3] = add (t1i, t3r);
            };
            dft4 (r[0], i[0], r[2], i[2], r[4], i[4], r[6], i[6], er, ei);
            dft4 (r[1], i[1], r[3], i[3], r[5], i[5], r[7], i[7], or_, oi);

            // W8^k O_k: W8 = (1 - j)/sqrt2, W8^2 = -j, W8^3 = -(1 + j)/sqrt2.
            V wr[4], wi[4];
            wr[0] = or_[0];
            wi[0] = oi[0];
            wr[1] = mul (root, add (or_[1], oi[1]));
            wi[1] = mul (root, sub (oi[1], or_[1]));
            wr[2] = oi[2];
            wi[2] = sub (splat (0.0f), or_[2]);
            wr[3] = mul (root, sub (oi[3], or_[3]));
            wi[3] = sub (splat (0.0f), mul (root, add (oi[3], or_[3])));

            for (size_t k = 0; k < 4; ++k)
            {
                write (q + k * s, add (er[k], wr[k]), add (ei[k], wi[k]));
                write (q + (k + 4) * s, sub (er[k], wr[k]), sub (ei[k], wi[k]));
            }
        }
    }

    template <typename Writer>
    static void radix2 (const Pass& pass, const float* xr, const float* xi, const Writer& write) noexcept
    {
        const int s = pass.stride;

        for (int q = 0; q < s; q += 4)
        {
            const V ar = load (xr + q), ai = load (xi + q), br = load (xr + q + s), bi = load (xi + q + s);
            write ((size_t) q, add (ar, br), add (ai, bi));
            write ((size_t) (q + s), sub (ar, br), sub (ai, bi));
        }
    }

    static constexpr int maxRadix8Size = 2048;

    int size;
    std::vector<Pass> passes;
    std::vector<float> twiddles, splitCos, splitSin;
};

//==============================================================================
FFT::Instance* PrettyFastFFT::create (int order)
{
    if (order < minimumOrder)
        return nullptr;

    return new PrettyFastFFT (order);
}

PrettyFastFFT::PrettyFastFFT (int orderToUse)
    : realSetup (std::make_unique<Setup> (1 << (orderToUse - 1), true))
    , complexSetup (std::make_unique<Setup> (1 << orderToUse, false))
    , order (orderToUse)
{
    // The allocator's own pointer is kept just before the aligned start so the buffer can be released.
    const size_t bytes = 2 * sizeof (float) * ((size_t) 1 << order) + 64;
    auto* raw = static_cast<char*> (std::malloc (bytes));
    auto aligned = (reinterpret_cast<std::uintptr_t> (raw) + 64) & ~(std::uintptr_t) 63;
    work = reinterpret_cast<float*> (aligned);
    std::memcpy (reinterpret_cast<char*> (work) - sizeof (void*), &raw, sizeof (void*));
}

PrettyFastFFT::~PrettyFastFFT()
{
    void* raw = nullptr;
    std::memcpy (&raw, reinterpret_cast<char*> (work) - sizeof (void*), sizeof (void*));
    std::free (raw);
}

//==============================================================================
void PrettyFastFFT::transformComplex (const FFT::Complex* in, FFT::Complex* out, bool backward) noexcept
{
    const int n = 1 << order;
    const auto* src = reinterpret_cast<const float*> (in);
    auto* dst = reinterpret_cast<float*> (out);
    float *aRe = work, *aIm = work + n;

    // A backward transform is a forward one with real and imaginary parts exchanged on both sides.
    float* inRe = backward ? aIm : aRe;
    float* inIm = backward ? aRe : aIm;

    for (int i = 0; i < n; i += 4)
    {
        V re, im;
        loadDeinterleaved (src + 2 * i, re, im);
        store (inRe + i, re);
        store (inIm + i, im);
    }

    // The output array doubles as the second split buffer.
    if (complexSetup->forward (aRe, aIm, dst, dst + n))
        std::memcpy (work, dst, sizeof (float) * 2 * (size_t) n);

    const V scale = splat (backward ? 1.0f / (float) n : 1.0f);

    for (int i = 0; i < n; i += 4)
        storeInterleaved (dst + 2 * i, mul (load (inRe + i), scale), mul (load (inIm + i), scale));
}

void PrettyFastFFT::forwardReal (float* data, bool onlyNonNegative) noexcept
{
    const int n = 1 << order, m = n / 2;
    float *aRe = work, *aIm = work + m, *bRe = work + n, *bIm = work + n + m;

    // z[k] = x[2k] + j x[2k+1]: the even and odd samples share one half-size complex transform, whose
    // first pass reads them straight from data.
    const auto& setup = *realSetup;
    const float *zr = aRe, *zi = aIm;

    if (setup.forward (aRe, aIm, bRe, bIm, data))
    {
        zr = bRe;
        zi = bIm;
    }

    // Split: X[k] = E[k] + W^k O[k] and X[M-k] = conj (E[k] - W^k O[k]), with
    // E = (Z[k] + conj Z[M-k]) / 2 and O = (Z[k] - conj Z[M-k]) / 2j.
    data[0] = zr[0] + zi[0];
    data[1] = 0.0f;
    data[n] = zr[0] - zi[0];
    data[n + 1] = 0.0f;

    const float* wc = setup.splitCos.data();
    const float* ws = setup.splitSin.data();
    const V half = splat (0.5f);
    int k = 1;

    for (; k + 3 < m / 2; k += 4)
    {
        const int j = m - k - 3;
        const V zkr = load (zr + k), zki = load (zi + k);
        const V zjr = reverse (load (zr + j)), zji = reverse (load (zi + j));

        const V er = mul (half, add (zkr, zjr)), ei = mul (half, sub (zki, zji));
        const V orr = mul (half, add (zki, zji)), oi = mul (half, sub (zjr, zkr));
        V tr, ti;
        complexMultiply (load (wc + k), load (ws + k), orr, oi, tr, ti);

        storeInterleaved (data + 2 * k, add (er, tr), add (ei, ti));
        storeInterleaved (data + 2 * j, reverse (sub (er, tr)), reverse (sub (ti, ei)));
    }

    for (; k <= m / 2; ++k)
    {
        const int j = m - k;
        const float er = 0.5f * (zr[k] + zr[j]), ei = 0.5f * (zi[k] - zi[j]);
        const float orr = 0.5f * (zi[k] + zi[j]), oi = 0.5f * (zr[j] - zr[k]);
        const float tr = wc[k] * orr - ws[k] * oi, ti = wc[k] * oi + ws[k] * orr;

        data[2 * j] = er - tr;
        data[2 * j + 1] = ti - ei;
        data[2 * k] = er + tr;
        data[2 * k + 1] = ei + ti;
    }

    if (!onlyNonNegative)
    {
        for (int bin = m + 1; bin < n; ++bin)
        {
            data[2 * bin] = data[2 * (n - bin)];
            data[2 * bin + 1] = -data[2 * (n - bin) + 1];
        }
    }
}

void PrettyFastFFT::inverseReal (float* data) noexcept
{
    const int n = 1 << order, m = n / 2;

    // Z is built with real and imaginary parts exchanged, which turns the forward core into an inverse.
    float *aIm = work, *aRe = work + m, *bIm = work + n, *bRe = work + n + m;

    const auto& setup = *realSetup;
    const float* wc = setup.splitCos.data();
    const float* ws = setup.splitSin.data();

    // Z[k] = E + j O with E = X[k] + conj X[M-k], O = (X[k] - conj X[M-k]) conj (W^k); the 1/2 factors
    // fold into the final 1/N.
    aRe[0] = data[0] + data[n];
    aIm[0] = data[0] - data[n];
    int k = 1;

    for (; k + 3 < m / 2; k += 4)
    {
        const int j = m - k - 3;
        V xkr, xki, xjr, xji;
        loadDeinterleaved (data + 2 * k, xkr, xki);
        loadDeinterleaved (data + 2 * j, xjr, xji);
        xjr = reverse (xjr);
        xji = reverse (xji);

        const V er = add (xkr, xjr), ei = sub (xki, xji);
        const V dr = sub (xkr, xjr), di = add (xki, xji);
        const V c = load (wc + k), s = load (ws + k);
        const V orr = add (mul (dr, c), mul (di, s)), oi = sub (mul (di, c), mul (dr, s));

        store (aRe + k, sub (er, oi));
        store (aIm + k, add (ei, orr));
        store (aRe + j, reverse (add (er, oi)));
        store (aIm + j, reverse (sub (orr, ei)));
    }

    for (; k <= m / 2; ++k)
    {
        const int j = m - k;
        const float er = data[2 * k] + data[2 * j], ei = data[2 * k + 1] - data[2 * j + 1];
        const float dr = data[2 * k] - data[2 * j], di = data[2 * k + 1] + data[2 * j + 1];
        const float orr = dr * wc[k] + di * ws[k], oi = di * wc[k] - dr * ws[k];

        aRe[j] = er + oi;
        aIm[j] = orr - ei;
        aRe[k] = er - oi;
        aIm[k] = ei + orr;
    }

    // The core runs on (imaginary, real) and its last pass writes the scaled samples straight to data.
    const InterleavedWriter writer{ data, splat (1.0f / (float) n), true };
    setup.forward (aIm, aRe, bIm, bRe, nullptr, &writer);
}
} // namespace Orvalen::dsp
