// Generates the four embedded recordings: three spring tanks and the guitar cabinet.
//
//   coilvox-irgen OUTPUT_DIR            write coilvoxTank.wav, beltonTank.wav, accutronicsTank.wav
//                                       and cabinet.wav, then print their measurements
//   coilvox-irgen --analyse DIR         only measure the files already in DIR
//
// Every file has a fixed byte count, chunk order and frame count that the plug-in's loader was
// written against, so the layouts below are exact and checked after writing.

#include "CabinetModel.h"
#include "IrAnalysis.h"
#include "SpringTankModel.h"
#include "WavWriter.h"

#include <cstdio>
#include <string>

namespace
{
const int sampleRate = 44100;
const int numChannels = 2;
const int rootNote = 60; // the sampler chunks need a note; middle C is the neutral choice

struct Asset
{
    const char* fileName;
    size_t byteCount;
    int frames;
};

const Asset coilvoxAsset{ "coilvoxTank.wav", 2359530, 294912 };
const Asset beltonAsset{ "beltonTank.wav", 2039584, 339808 };
const Asset accutronicsAsset{ "accutronicsTank.wav", 2043988, 340542 };
const Asset cabinetAsset{ "cabinet.wav", 48156, 12028 };

const Asset allAssets[] = { coilvoxAsset, beltonAsset, accutronicsAsset, cabinetAsset };

bool finish (WavWriter& writer, const Asset& asset, const std::string& dir)
{
    if (!writer.fitToSize (asset.byteCount))
    {
        std::fprintf (stderr, "%s: cannot reach %zu bytes\n", asset.fileName, asset.byteCount);
        return false;
    }

    const auto path = dir + "/" + asset.fileName;
    if (!writer.writeTo (path))
    {
        std::fprintf (stderr, "%s: cannot write\n", path.c_str());
        return false;
    }

    return true;
}

// 32-bit float with the sampler and loop metadata a sample editor leaves behind
bool writeCoilvoxTank (const std::string& dir)
{
    const auto ir = SpringTankModel (SpringTankModel::coilvox (coilvoxAsset.frames)).render();

    WavWriter w (WavWriter::SampleFormat::float32, numChannels, sampleRate);
    w.addFiller ("JUNK");
    w.addFormatChunk();
    w.addChunk ("fact", WavWriter::makeFact ((uint32_t) coilvoxAsset.frames));
    w.addDataChunk (ir);
    w.addChunk ("smpl", WavWriter::makeSmpl (sampleRate, rootNote));
    w.addChunk ("inst", WavWriter::makeInst (rootNote));
    w.addChunk ("acid", WavWriter::makeAcid (rootNote, 120.0f));
    w.addChunk ("LIST", WavWriter::makeListInfo ({ { "INAM", "Coilvox" } }));
    w.addChunk ("LIST", WavWriter::makeListInfo ({ { "IART", "Orvalen" } }));
    return finish (w, coilvoxAsset, dir);
}

// 24-bit PCM with a broadcast-wave description, as a field recorder writes it
bool writeBroadcastTank (const Asset& asset, const TankParameters& tank, const std::string& dir)
{
    const auto ir = SpringTankModel (tank).render();

    WavWriter w (WavWriter::SampleFormat::pcm24, numChannels, sampleRate);
    w.addFormatChunk();
    w.addChunk ("bext",
                WavWriter::makeBext (tank.name + " spring tank, impulse response, drive to pickup",
                                     "Orvalen",
                                     "coilvox-irgen",
                                     "2026-12-11",
                                     "12:00:00",
                                     "A=PCM,F=44100,W=24,M=stereo,T=synthesised\r\n"));
    w.addFiller ("junk");
    w.addDataChunk (ir);
    return finish (w, asset, dir);
}

bool writeCabinet (const std::string& dir)
{
    const auto ir = CabinetModel (cabinetAsset.frames, 0xcab12).render (-3.0);

    WavWriter w (WavWriter::SampleFormat::pcm16, numChannels, sampleRate);
    w.addFormatChunk();
    w.addDataChunk (ir);
    return finish (w, cabinetAsset, dir);
}

bool analyse (const std::string& dir)
{
    bool ok = true;

    for (auto& asset : allAssets)
    {
        const auto path = dir + "/" + asset.fileName;
        IrAnalysis a;
        if (!a.load (path))
        {
            std::fprintf (stderr, "%s: cannot decode\n", path.c_str());
            ok = false;
            continue;
        }

        // one line per file, key=value, so scripts can check the figures
        std::printf ("%s frames=%d peak_db=%.2f rms_db=%.2f t60_s=%.2f centroid_hz=%.0f tail_db=%.1f "
                     "dc_ratio=%.5f onset=%d energy999_ms=%.1f",
                     asset.fileName,
                     a.frames(),
                     a.peakDb(),
                     a.rmsDb(),
                     a.t60Seconds(),
                     a.centroidHz(),
                     a.tailDb(),
                     a.dcRatio(),
                     a.onsetSample(),
                     a.energyMs (0.999));

        if (&asset == &allAssets[3])
        {
            for (double f : { 40.0, 60.0, 80.0, 110.0, 400.0, 2500.0, 3500.0, 5000.0, 7000.0, 10000.0 })
                std::printf (" db_%.0f=%.1f", f, a.bandDb (f));
        }

        std::printf ("\n");
    }

    return ok;
}
} // namespace

int main (int argc, char** argv)
{
    if (argc == 3 && std::string (argv[1]) == "--analyse")
        return analyse (argv[2]) ? 0 : 1;

    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s OUTPUT_DIR | --analyse DIR\n", argv[0]);
        return 2;
    }

    const std::string dir = argv[1];
    const bool ok =
        writeCoilvoxTank (dir) && writeBroadcastTank (beltonAsset, SpringTankModel::belton (beltonAsset.frames), dir)
        && writeBroadcastTank (accutronicsAsset, SpringTankModel::accutronics (accutronicsAsset.frames), dir)
        && writeCabinet (dir);

    if (!ok)
        return 1;

    return analyse (dir) ? 0 : 1;
}
