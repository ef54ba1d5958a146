#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/** Assembles a little-endian RIFF/WAVE file chunk by chunk, in the order the chunks are added.

    The embedded recordings must have an exact byte count, so one chunk may be a filler (JUNK or
    junk) whose size is settled last, once every other chunk is known.
*/
class WavWriter
{
public:
    enum class SampleFormat
    {
        float32,
        pcm24,
        pcm16
    };

    using Bytes = std::vector<uint8_t>;
    using Channels = std::vector<std::vector<double>>;

    WavWriter (SampleFormat format, int numChannels, int sampleRate);

    //==============================================================================
    /** Appends "fmt " (16 bytes for PCM; 18 with a zero cbSize for float, as float files carry). */
    void addFormatChunk();

    /** Appends "data" with the channels interleaved; integer formats are rounded and clamped. */
    void addDataChunk (const Channels& channels);

    /** Appends any chunk; an odd payload gets its pad byte when the file is assembled. */
    void addChunk (const std::string& id, Bytes payload);

    /** Appends a zero-filled chunk whose payload size is chosen by fitToSize(). */
    void addFiller (const std::string& id);

    /** Sizes the filler so that the whole file is exactly totalBytes. Returns false if the other
        chunks alone are already too large or the remainder cannot be expressed. */
    bool fitToSize (size_t totalBytes);

    Bytes toBytes() const;
    bool writeTo (const std::string& path) const;

    //==============================================================================
    // Metadata payloads: plausible, valid content of the usual broadcast and sampler chunks.
    static Bytes makeFact (uint32_t frames);
    static Bytes makeBext (const std::string& description,
                           const std::string& originator,
                           const std::string& originatorReference,
                           const std::string& date,
                           const std::string& time,
                           const std::string& codingHistory);
    static Bytes makeSmpl (int sampleRate, int rootNote);
    static Bytes makeInst (int rootNote);
    static Bytes makeAcid (int rootNote, float tempoBpm);
    static Bytes makeListInfo (const std::vector<std::pair<std::string, std::string>>& entries);

private:
    struct Chunk
    {
        std::string id;
        Bytes payload;
    };

    static size_t paddedSize (const Chunk& c);

    SampleFormat format;
    int numChannels;
    int sampleRate;
    std::vector<Chunk> chunks;
    int fillerIndex = -1;
};
