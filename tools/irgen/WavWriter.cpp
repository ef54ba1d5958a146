#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace
{
void put16 (WavWriter::Bytes& b, uint32_t v)
{
    b.push_back ((uint8_t) (v & 0xff));
    b.push_back ((uint8_t) ((v >> 8) & 0xff));
}

void put32 (WavWriter::Bytes& b, uint32_t v)
{
    put16 (b, v & 0xffff);
    put16 (b, v >> 16);
}

void put64 (WavWriter::Bytes& b, uint64_t v)
{
    put32 (b, (uint32_t) (v & 0xffffffffu));
    put32 (b, (uint32_t) (v >> 32));
}

// A fixed-width text field, zero-padded (or cut) to its width as the broadcast format requires.
void putText (WavWriter::Bytes& b, const std::string& s, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        b.push_back (i < s.size() ? (uint8_t) s[i] : 0);
}

void putId (WavWriter::Bytes& b, const std::string& id) { putText (b, id, 4); }

int bitsFor (WavWriter::SampleFormat f)
{
    switch (f)
    {
        case WavWriter::SampleFormat::float32:
            return 32;
        case WavWriter::SampleFormat::pcm24:
            return 24;
        case WavWriter::SampleFormat::pcm16:
            return 16;
    }
    return 0;
}

int32_t quantise (double x, double fullScale)
{
    const double scaled = std::round (x * fullScale);
    return (int32_t) std::clamp (scaled, -fullScale - 1.0, fullScale);
}
} // namespace

WavWriter::WavWriter (SampleFormat f, int channels, int rate)
    : format (f)
    , numChannels (channels)
    , sampleRate (rate)
{
}

//==============================================================================
void WavWriter::addFormatChunk()
{
    const int bits = bitsFor (format);
    const int blockAlign = numChannels * bits / 8;

    Bytes b;
    put16 (b, format == SampleFormat::float32 ? 3 : 1);
    put16 (b, (uint32_t) numChannels);
    put32 (b, (uint32_t) sampleRate);
    put32 (b, (uint32_t) (sampleRate * blockAlign));
    put16 (b, (uint32_t) blockAlign);
    put16 (b, (uint32_t) bits);

    if (format == SampleFormat::float32)
        put16 (b, 0); // cbSize: no extension

    addChunk ("fmt ", std::move (b));
}

void WavWriter::addDataChunk (const Channels& channels)
{
    const size_t frames = channels.empty() ? 0 : channels[0].size();
    Bytes b;
    b.reserve (frames * (size_t) numChannels * (size_t) bitsFor (format) / 8);

    for (size_t i = 0; i < frames; ++i)
    {
        for (int c = 0; c < numChannels; ++c)
        {
            const double x = channels[(size_t) c][i];

            switch (format)
            {
                case SampleFormat::float32:
                {
                    const float f = (float) x;
                    uint32_t bits = 0;
                    std::memcpy (&bits, &f, sizeof (bits));
                    put32 (b, bits);
                    break;
                }
                case SampleFormat::pcm24:
                {
                    const auto v = (uint32_t) quantise (x, 8388607.0);
                    b.push_back ((uint8_t) (v & 0xff));
                    b.push_back ((uint8_t) ((v >> 8) & 0xff));
                    b.push_back ((uint8_t) ((v >> 16) & 0xff));
                    break;
                }
                case SampleFormat::pcm16:
                    put16 (b, (uint32_t) quantise (x, 32767.0));
                    break;
            }
        }
    }

    addChunk ("data", std::move (b));
}

void WavWriter::addChunk (const std::string& id, Bytes payload) { chunks.push_back ({ id, std::move (payload) }); }

void WavWriter::addFiller (const std::string& id)
{
    fillerIndex = (int) chunks.size();
    addChunk (id, {});
}

bool WavWriter::fitToSize (size_t totalBytes)
{
    if (fillerIndex < 0)
        return toBytes().size() == totalBytes;

    auto& filler = chunks[(size_t) fillerIndex];
    filler.payload.clear();

    const size_t current = toBytes().size();
    if (current > totalBytes || (totalBytes - current) % 2 != 0)
        return false;

    filler.payload.assign (totalBytes - current, 0);
    return toBytes().size() == totalBytes;
}

size_t WavWriter::paddedSize (const Chunk& c) { return 8 + c.payload.size() + (c.payload.size() & 1); }

WavWriter::Bytes WavWriter::toBytes() const
{
    size_t body = 4;
    for (auto& c : chunks)
        body += paddedSize (c);

    Bytes b;
    b.reserve (8 + body);
    putId (b, "RIFF");
    put32 (b, (uint32_t) body);
    putId (b, "WAVE");

    for (auto& c : chunks)
    {
        putId (b, c.id);
        put32 (b, (uint32_t) c.payload.size());
        b.insert (b.end(), c.payload.begin(), c.payload.end());

        if (c.payload.size() & 1)
            b.push_back (0);
    }

    return b;
}

bool WavWriter::writeTo (const std::string& path) const
{
    const auto bytes = toBytes();
    std::ofstream out (path, std::ios::binary | std::ios::trunc);
    out.write (reinterpret_cast<const char*> (bytes.data()), (std::streamsize) bytes.size());
    return (bool) out;
}

//==============================================================================
WavWriter::Bytes WavWriter::makeFact (uint32_t frames)
{
    Bytes b;
    put32 (b, frames);
    return b;
}

WavWriter::Bytes WavWriter::makeBext (const std::string& description,
                                      const std::string& originator,
                                      const std::string& originatorReference,
                                      const std::string& date,
                                      const std::string& time,
                                      const std::string& codingHistory)
{
    Bytes b;
    putText (b, description, 256);
    putText (b, originator, 32);
    putText (b, originatorReference, 32);
    putText (b, date, 10); // yyyy-mm-dd
    putText (b, time, 8);  // hh:mm:ss
    put64 (b, 0);          // time reference: the recording starts at sample 0
    put16 (b, 2);          // version 2: the loudness fields below are defined

    for (int i = 0; i < 64; ++i) // no UMID
        b.push_back (0);

    // loudness value, range, max true peak, max momentary, max short-term: 0x7fff means "not set"
    for (int i = 0; i < 5; ++i)
        put16 (b, 0x7fff);

    for (int i = 0; i < 180; ++i) // reserved
        b.push_back (0);

    // the coding history is CR/LF terminated text; keep the payload even so no pad byte follows
    std::string history = codingHistory;
    if (history.size() % 2 != 0)
        history += ' ';
    b.insert (b.end(), history.begin(), history.end());
    return b;
}

WavWriter::Bytes WavWriter::makeSmpl (int rate, int rootNote)
{
    Bytes b;
    put32 (b, 0);                                     // manufacturer
    put32 (b, 0);                                     // product
    put32 (b, (uint32_t) std::lround (1.0e9 / rate)); // sample period in nanoseconds
    put32 (b, (uint32_t) rootNote);                   // MIDI unity note
    put32 (b, 0);                                     // pitch fraction
    put32 (b, 0);                                     // SMPTE format: none
    put32 (b, 0);                                     // SMPTE offset
    put32 (b, 0);                                     // no loops: a one-shot response
    put32 (b, 0);                                     // no sampler data
    return b;
}

WavWriter::Bytes WavWriter::makeInst (int rootNote)
{
    // seven bytes: unshifted note, fine tune, gain, low/high note, low/high velocity
    return Bytes{ (uint8_t) rootNote, 0, 0, 0, 127, 1, 127 };
}

WavWriter::Bytes WavWriter::makeAcid (int rootNote, float tempoBpm)
{
    Bytes b;
    put32 (b, 0x01 | 0x02); // flags: one-shot, root note set
    put16 (b, (uint32_t) rootNote);
    put16 (b, 0x8000); // unknown field, as written by common tools
    put32 (b, 0);      // unknown field
    put32 (b, 0);      // number of beats
    put16 (b, 4);      // meter denominator
    put16 (b, 4);      // meter numerator
    uint32_t tempoBits = 0;
    std::memcpy (&tempoBits, &tempoBpm, sizeof (tempoBits));
    put32 (b, tempoBits);
    return b;
}

WavWriter::Bytes WavWriter::makeListInfo (const std::vector<std::pair<std::string, std::string>>& entries)
{
    Bytes b;
    putId (b, "INFO");

    for (auto& [id, text] : entries)
    {
        // zero-terminated, then padded to an even length
        const size_t size = text.size() + 1;
        putId (b, id);
        put32 (b, (uint32_t) size);
        putText (b, text, size + (size & 1));
    }

    return b;
}
