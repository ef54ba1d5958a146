#pragma once

#include <string>
#include <vector>

/** Decodes a written WAV file back and measures it, so the printout describes the committed bytes
    rather than the model's doubles.
*/
class IrAnalysis
{
public:
    /** Reads PCM 16/24-bit or 32-bit float WAV data; false if the file cannot be decoded. */
    bool load (const std::string& path);

    double peakDb() const;                    // dBFS over both channels
    double rmsDb() const;                     // dBFS over both channels and the whole file
    double t60Seconds() const;                // Schroeder integral, line fitted from -5 to -35 dB, extrapolated
    double centroidHz() const;                // magnitude-weighted, 20 Hz .. 20 kHz, both channels
    double tailDb() const;                    // loudest sample of the last 200 ms, relative to the peak
    double dcRatio() const;                   // |sum of samples| / sum of |samples|, worst channel
    int onsetSample() const;                  // first sample within 40 dB of the peak
    double energyMs (double fraction) const;  // time by which that fraction of the energy has arrived
    double bandDb (double frequencyHz) const; // magnitude at a frequency relative to 1 kHz (channel 0)

    int frames() const { return channels.empty() ? 0 : (int) channels[0].size(); }

private:
    std::vector<double> magnitudeSpectrum (const std::vector<double>& x, size_t fftSize) const;

    std::vector<std::vector<double>> channels;
    double sampleRate = 0.0;
};
