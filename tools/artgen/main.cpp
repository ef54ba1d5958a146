// coilvox-artgen: draws every picture of the editor.
//
//   coilvox-artgen <outputFolder>       writes <role>.png for every role
//   coilvox-artgen --verify <folder>    checks a folder of pictures (sizes, frames, masks, lamps)
//   coilvox-artgen --preview <folder> <out.png> [variant]
//                                       both bodies assembled as the editor draws them
//   coilvox-artgen --preview-secret <folder> <out.png> [variant]
//                                       the hidden body over its cover scene, as the editor draws them
//   coilvox-artgen --contact <folder> <role> <frames> <out.png>
//                                       eight frames of a strip side by side

#include "ArtCommon.h"
#include "ArtSet.h"
#include "ArtVerifier.h"
#include "ChickenHeadKnobPainter.h"
#include "FaderStripPainter.h"
#include "HeaderArtPainter.h"
#include "KnobStripPainter.h"
#include "LampPainter.h"
#include "LeverPainter.h"
#include "PanelPainter.h"
#include "PresetBarPainter.h"
#include "PreviewComposer.h"
#include "SecretBodyPainter.h"
#include "StageScenePainter.h"

#include <iostream>

namespace
{
    int usage()
    {
        std::cerr << "usage: coilvox-artgen <outputFolder>\n"
                     "       coilvox-artgen --verify <folder>\n"
                     "       coilvox-artgen --preview <folder> <out.png> [variant]\n"
                     "       coilvox-artgen --preview-secret <folder> <out.png> [variant]\n"
                     "       coilvox-artgen --contact <folder> <role> <frames> <out.png>\n";
        return 2;
    }

    /** The painters must cover exactly the known roles at exactly their sizes. */
    bool matchesRoles (const ArtSet& art)
    {
        bool ok = art.images().size() == allRoles().size();

        for (const auto& spec : allRoles())
        {
            const auto found = art.images().find (spec.role);

            if (found == art.images().end())
            {
                std::cerr << "not drawn: " << spec.role << "\n";
                ok = false;
            }
            else if (found->second.getWidth() != spec.width || found->second.getHeight() != spec.height)
            {
                std::cerr << "wrong size: " << spec.role << "\n";
                ok = false;
            }
        }

        return ok;
    }
}

int main (int argc, char* argv[])
{
    if (argc == 3 && juce::String (argv[1]) == "--verify")
    {
        const auto failures = ArtVerifier::check (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]));

        for (const auto& failure : failures)
            std::cerr << "FAIL: " << failure << "\n";

        std::cout << (failures.isEmpty() ? "all pictures pass\n" : "");
        return failures.isEmpty() ? 0 : 1;
    }

    if ((argc == 4 || argc == 5)
        && (juce::String (argv[1]) == "--preview" || juce::String (argv[1]) == "--preview-secret"))
    {
        const auto cwd = juce::File::getCurrentWorkingDirectory();
        const auto variant = argc == 5 ? juce::String (argv[4]).getIntValue() : 0;
        const auto folder = cwd.getChildFile (argv[2]);
        const auto image = juce::String (argv[1]) == "--preview" ? PreviewComposer::compose (folder, variant)
                                                                 : PreviewComposer::composeSecret (folder, variant);
        const auto file = cwd.getChildFile (argv[3]);
        file.deleteFile();
        juce::FileOutputStream out (file);
        return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out) ? 0 : 1;
    }

    if (argc == 6 && juce::String (argv[1]) == "--contact")
    {
        const auto cwd = juce::File::getCurrentWorkingDirectory();
        const auto image = PreviewComposer::contactSheet (cwd.getChildFile (argv[2]), argv[3], juce::String (argv[4]).getIntValue());
        const auto file = cwd.getChildFile (argv[5]);
        file.deleteFile();
        juce::FileOutputStream out (file);
        return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out) ? 0 : 1;
    }

    if (argc != 2 || juce::String (argv[1]).startsWith ("-"))
        return usage();

    const auto fontFolder = juce::File (COILVOX_ARTGEN_FONT_DIR);

    if (! art::Fonts::load (fontFolder))
    {
        std::cerr << "cannot load the Inter fonts from " << fontFolder.getFullPathName() << " (run copy-fonts.sh)\n";
        return 1;
    }

    ArtSet art;
    HeaderArtPainter::render (art);
    PresetBarPainter::render (art);
    PanelPainter::render (art);
    LampPainter::render (art);
    FaderStripPainter::render (art);
    KnobStripPainter::render (art);
    LeverPainter::render (art);
    ChickenHeadKnobPainter::render (art);
    SecretBodyPainter::render (art);
    StageScenePainter::render (art);

    if (! matchesRoles (art))
        return 1;

    juce::String error;

    if (! art.writeTo (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]), error))
    {
        std::cerr << error << "\n";
        return 1;
    }

    std::cout << "wrote " << art.images().size() << " pictures\n";
    return 0;
}
