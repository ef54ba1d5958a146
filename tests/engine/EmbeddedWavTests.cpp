#include "engine/EmbeddedWav.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <cstring>

namespace
{
/** A 16-bit stereo WAV file of 100 frames, ramps on both channels. */
juce::MemoryBlock stereoWav()
{
    juce::AudioBuffer<float> source (2, 100);

    for (int i = 0; i < 100; ++i)
    {
        source.setSample (0, i, (float) i / 200.0f);
        source.setSample (1, i, -(float) i / 200.0f);
    }

    juce::MemoryBlock bytes;
    {
        std::unique_ptr<juce::AudioFormatWriter> writer (
            juce::WavAudioFormat()
                .createWriterFor (new juce::MemoryOutputStream (bytes, false), 44100.0, 2, 16, {}, 0));
        writer->writeFromAudioSampleBuffer (source, 0, 100);
    }
    return bytes;
}

/** Overwrites a little-endian field at an offset from the start of the named chunk's content. */
void patch (juce::MemoryBlock& wav, const char* chunk, int offset, juce::uint32 value, int bytes)
{
    auto* data = static_cast<char*> (wav.getData());

    for (size_t i = 12; i + 8 <= wav.getSize(); ++i)
    {
        if (std::memcmp (data + i, chunk, 4) == 0)
        {
            for (int b = 0; b < bytes; ++b)
                data[i + 8 + (size_t) offset + (size_t) b] = (char) ((value >> (8 * b)) & 0xff);
            return;
        }
    }

    FAIL() << "no " << chunk << " chunk";
}
} // namespace

TEST (EmbeddedWav, DecodesPcmScaledToUnity)
{
    const auto wav = stereoWav();
    juce::AudioBuffer<float> target;
    EmbeddedWav::read (target, wav.getData(), wav.getSize());

    ASSERT_EQ (target.getNumChannels(), 2);
    ASSERT_EQ (target.getNumSamples(), 100);
    EXPECT_NEAR (target.getSample (0, 50), 0.25f, 1.0e-4f);
    EXPECT_NEAR (target.getSample (1, 99), -0.495f, 1.0e-4f);
}

TEST (EmbeddedWav, AHeaderClaimingMoreThanTheDataHoldsGivesOnlyTheFramesThere)
{
    auto wav = stereoWav();
    patch (wav, "data", -4, 0x7ffffff0u, 4); // the data chunk's size field
    juce::AudioBuffer<float> target;
    EmbeddedWav::read (target, wav.getData(), wav.getSize());

    // the frames there, not the two billion claimed
    EXPECT_EQ (target.getNumChannels(), 2);
    EXPECT_EQ (target.getNumSamples(), 100);
    EXPECT_NEAR (target.getSample (0, 50), 0.25f, 1.0e-4f);
    EXPECT_EQ (target.getMagnitude (100, target.getNumSamples() - 100), 0.0f);
}

TEST (EmbeddedWav, AMetadataChunkClaimingMoreThanFollowsIsRefusedBeforeTheReaderAllocatesIt)
{
    // found by the fuzz target: the reader allocated the claimed two gigabytes for a few bytes
    const auto wav = stereoWav();
    juce::MemoryOutputStream withChunk;
    withChunk.write (wav.getData(), 12);
    withChunk.write ("bext", 4);
    withChunk.writeInt (0x7ffffff0);
    withChunk.write (static_cast<const char*> (wav.getData()) + 12, wav.getSize() - 12);
    const auto bytes = withChunk.getMemoryBlock();

    juce::MemoryBlock plainWav;
    EXPECT_FALSE (EmbeddedWav::extractFormatAndSamples (bytes.getData(), bytes.getSize(), plainWav));
    EXPECT_TRUE (EmbeddedWav::extractFormatAndSamples (wav.getData(), wav.getSize(), plainWav));

    juce::AudioBuffer<float> target (2, 16);
    target.setSample (1, 2, 1.0f);
    EmbeddedWav::read (target, bytes.getData(), bytes.getSize());
    EXPECT_EQ (target.getNumSamples(), 16);
    EXPECT_EQ (target.getMagnitude (0, 16), 0.0f);
}

TEST (EmbeddedWav, MetadataIsSkippedUnread)
{
    // found by the fuzz target: the reader parsed an iXML chunk as XML and read past its end
    const auto wav = stereoWav();
    juce::MemoryOutputStream deep;
    deep << juce::String::repeatedString ("<a>", 100000);
    deep.writeByte ((char) 0xe1); // a lead byte without its continuation, at the very end
    juce::MemoryOutputStream withChunk;
    withChunk.write (wav.getData(), 12);
    withChunk.write ("iXML", 4);
    withChunk.writeInt ((int) deep.getDataSize());
    withChunk.write (deep.getData(), deep.getDataSize());
    withChunk.writeByte (0); // the pad byte after an odd-sized chunk
    withChunk.write (static_cast<const char*> (wav.getData()) + 12, wav.getSize() - 12);
    const auto bytes = withChunk.getMemoryBlock();

    juce::AudioBuffer<float> target;
    EmbeddedWav::read (target, bytes.getData(), bytes.getSize());
    EXPECT_EQ (target.getNumSamples(), 100);
    EXPECT_NEAR (target.getSample (0, 50), 0.25f, 1.0e-4f);
}

TEST (EmbeddedWav, LayoutsNoRecordingUsesAreRefusedAndLeaveTheBufferClearedAtItsSize)
{
    struct Case
    {
        const char* name;
        juce::uint32 channels, bytesPerSecond, blockAlign, bits;
    };

    // Thousands of channels make frames larger than the reader's step buffer: it would never finish.
    const Case cases[] = {
        { "3000 channels", 3000, 44100u * 6000u, 6000, 16 },
        { "no bits", 2, 0, 0, 0 },
        { "12 bits", 2, 44100u * 3u, 3, 12 },
    };

    for (const auto& c : cases)
    {
        auto wav = stereoWav();
        patch (wav, "fmt ", 2, c.channels, 2);
        patch (wav, "fmt ", 8, c.bytesPerSecond, 4);
        patch (wav, "fmt ", 12, c.blockAlign, 2);
        patch (wav, "fmt ", 14, c.bits, 2);

        juce::AudioBuffer<float> target (2, 16);
        target.setSample (0, 3, 1.0f);
        EmbeddedWav::read (target, wav.getData(), wav.getSize());

        EXPECT_EQ (target.getNumChannels(), 2) << c.name;
        EXPECT_EQ (target.getNumSamples(), 16) << c.name;
        EXPECT_EQ (target.getMagnitude (0, 16), 0.0f) << c.name;
    }
}
