#include "IrAnalysis.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace
{
const double pi = 3.141592653589793238463;

uint32_t get32 (const std::vector<uint8_t>& b, size_t at)
{
    return (uint32_t) b[at] | ((uint32_t) b[at + 1] << 8) | ((uint32_t) b[at + 2] << 16) | ((uint32_t) b[at + 3] << 24);
}

uint32_t get16 (const std::vector<uint8_t>& b, size_t at) { return (uint32_t) b[at] | ((uint32_t) b[at + 1] << 8); }

// in-place iterative radix-2 FFT; size must be a power of two
void fft (std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();

    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap (a[i], a[j]);
    }

    for (size_t len = 2; len <= n; len <<= 1)
    {
        const double angle = -2.0 * pi / (double) len;
        for (size_t i = 0; i < n; i += len)
        {
            for (size_t k = 0; k < len / 2; ++k)
            {
                const std::complex<double> w (std::cos (angle * (double) k), std::sin (angle * (double) k));
                const auto u = a[i + k];
                const auto v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}
} // namespace

bool IrAnalysis::load (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    const std::vector<uint8_t> b ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());

    if (b.size() < 12 || std::memcmp (b.data(), "RIFF", 4) != 0 || std::memcmp (b.data() + 8, "WAVE", 4) != 0)
        return false;

    int tag = 0, numChannels = 0, bits = 0;
    size_t pos = 12;

    while (pos + 8 <= b.size())
    {
        const size_t size = get32 (b, pos + 4);
        const size_t body = pos + 8;
        if (body + size > b.size())
            return false;

        if (std::memcmp (&b[pos], "fmt ", 4) == 0)
        {
            tag = (int) get16 (b, body);
            numChannels = (int) get16 (b, body + 2);
            sampleRate = get32 (b, body + 4);
            bits = (int) get16 (b, body + 14);
        }
        else if (std::memcmp (&b[pos], "data", 4) == 0 && numChannels > 0)
        {
            const size_t bytesPerSample = (size_t) bits / 8;
            const size_t frameCount = size / (bytesPerSample * (size_t) numChannels);
            channels.assign ((size_t) numChannels, std::vector<double> (frameCount));

            for (size_t i = 0; i < frameCount; ++i)
            {
                for (size_t c = 0; c < (size_t) numChannels; ++c)
                {
                    const size_t at = body + (i * (size_t) numChannels + c) * bytesPerSample;
                    double x = 0.0;

                    if (tag == 3 && bits == 32)
                    {
                        const uint32_t raw = get32 (b, at);
                        float f = 0.0f;
                        std::memcpy (&f, &raw, sizeof (f));
                        x = f;
                    }
                    else if (tag == 1 && bits == 24)
                    {
                        auto v =
                            (int32_t) ((uint32_t) b[at] << 8 | (uint32_t) b[at + 1] << 16 | (uint32_t) b[at + 2] << 24);
                        x = (double) (v >> 8) / 8388608.0;
                    }
                    else if (tag == 1 && bits == 16)
                    {
                        x = (double) (int16_t) get16 (b, at) / 32768.0;
                    }
                    else
                    {
                        return false;
                    }

                    channels[c][i] = x;
                }
            }
        }

        pos = body + size + (size & 1);
    }

    return !channels.empty();
}

double IrAnalysis::peakDb() const
{
    double peak = 0.0;
    for (auto& ch : channels)
        for (double x : ch)
            peak = std::max (peak, std::abs (x));
    return 20.0 * std::log10 (peak);
}

double IrAnalysis::rmsDb() const
{
    double sum = 0.0;
    size_t n = 0;
    for (auto& ch : channels)
    {
        for (double x : ch)
            sum += x * x;
        n += ch.size();
    }
    return 10.0 * std::log10 (sum / (double) n);
}

double IrAnalysis::t60Seconds() const
{
    // backward-integrated energy of both channels together
    const size_t n = (size_t) frames();
    std::vector<double> edc (n);
    double acc = 0.0;
    for (size_t i = n; i-- > 0;)
    {
        for (auto& ch : channels)
            acc += ch[i] * ch[i];
        edc[i] = acc;
    }

    // least-squares line through the decay between -5 and -35 dB
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    int count = 0;
    for (size_t i = 0; i < n; ++i)
    {
        const double db = 10.0 * std::log10 (edc[i] / edc[0] + 1.0e-300);
        if (db <= -5.0 && db >= -35.0)
        {
            const double t = (double) i / sampleRate;
            sx += t;
            sy += db;
            sxx += t * t;
            sxy += t * db;
            ++count;
        }
    }

    if (count < 2)
        return 0.0;

    const double slope = (count * sxy - sx * sy) / (count * sxx - sx * sx);
    return -60.0 / slope;
}

std::vector<double> IrAnalysis::magnitudeSpectrum (const std::vector<double>& x, size_t fftSize) const
{
    std::vector<std::complex<double>> a (fftSize);
    for (size_t i = 0; i < std::min (fftSize, x.size()); ++i)
        a[i] = x[i];

    fft (a);

    std::vector<double> magnitude (fftSize / 2 + 1);
    for (size_t k = 0; k < magnitude.size(); ++k)
        magnitude[k] = std::abs (a[k]);
    return magnitude;
}

double IrAnalysis::centroidHz() const
{
    size_t fftSize = 1;
    while (fftSize < (size_t) frames())
        fftSize <<= 1;

    double weighted = 0.0, total = 0.0;
    for (auto& ch : channels)
    {
        const auto magnitude = magnitudeSpectrum (ch, fftSize);
        for (size_t k = 0; k < magnitude.size(); ++k)
        {
            const double f = (double) k * sampleRate / (double) fftSize;
            if (f >= 20.0 && f <= 20000.0)
            {
                weighted += f * magnitude[k];
                total += magnitude[k];
            }
        }
    }
    return weighted / total;
}

double IrAnalysis::tailDb() const
{
    const auto tail = (size_t) (0.2 * sampleRate);
    double peak = 0.0, tailPeak = 0.0;
    for (auto& ch : channels)
    {
        for (size_t i = 0; i < ch.size(); ++i)
        {
            peak = std::max (peak, std::abs (ch[i]));
            if (i + tail >= ch.size())
                tailPeak = std::max (tailPeak, std::abs (ch[i]));
        }
    }
    return tailPeak > 0.0 ? 20.0 * std::log10 (tailPeak / peak) : -999.0;
}

double IrAnalysis::dcRatio() const
{
    double worst = 0.0;
    for (auto& ch : channels)
    {
        double sum = 0.0, absSum = 0.0;
        for (double x : ch)
        {
            sum += x;
            absSum += std::abs (x);
        }
        worst = std::max (worst, std::abs (sum) / absSum);
    }
    return worst;
}

int IrAnalysis::onsetSample() const
{
    const double threshold = std::pow (10.0, (peakDb() - 40.0) / 20.0);
    int first = frames();
    for (auto& ch : channels)
        for (int i = 0; i < (int) ch.size(); ++i)
            if (std::abs (ch[(size_t) i]) >= threshold)
            {
                first = std::min (first, i);
                break;
            }
    return first;
}

double IrAnalysis::energyMs (double fraction) const
{
    double total = 0.0;
    for (auto& ch : channels)
        for (double x : ch)
            total += x * x;

    double acc = 0.0;
    for (int i = 0; i < frames(); ++i)
    {
        for (auto& ch : channels)
            acc += ch[(size_t) i] * ch[(size_t) i];
        if (acc >= fraction * total)
            return 1000.0 * i / sampleRate;
    }
    return 1000.0 * frames() / sampleRate;
}

double IrAnalysis::bandDb (double frequencyHz) const
{
    // a 16384-point spectrum, averaged over a third of an octave so single ripples do not decide
    const size_t fftSize = 16384;
    const auto magnitude = magnitudeSpectrum (channels[0], fftSize);

    auto bandLevel = [&] (double centreHz)
    {
        double sum = 0.0;
        int count = 0;
        for (size_t k = 1; k < magnitude.size(); ++k)
        {
            const double f = (double) k * sampleRate / (double) fftSize;
            if (f >= centreHz / 1.122 && f <= centreHz * 1.122)
            {
                sum += magnitude[k] * magnitude[k];
                ++count;
            }
        }
        return 10.0 * std::log10 (sum / count);
    };

    return bandLevel (frequencyHz) - bandLevel (1000.0);
}
