// An arbitrary favourites file ("FavouritePresets.ov") read from the settings folder.
#include "FuzzSupport.h"

#include "presets/PresetFiles.h"

namespace
{
struct Fixture
{
    Fixture()
    {
        const auto presets = OV::PresetFiles::presetsFolder (settings);
        OV::PresetFiles::createFolders (settings);

        for (const auto* name :
             { "Factory/Warm.preset", "User/Take 2.preset", "User/Take 10.preset", "User/a.b.preset" })
            presets.getChildFile (name).replaceWithText ("x");

        presets.getChildFile ("User/Folder.preset").createDirectory();
    }

    juce::File settings = fuzzsupport::scratchFolder ("favourites");
};
} // namespace

COILVOX_FUZZ_INITIALISE (Fixture)

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto& settings = fuzzsupport::shared<Fixture>().settings;
    const auto presets = OV::PresetFiles::presetsFolder (settings);
    OV::PresetFiles::favouritesFile (settings).replaceWithData (data, size);
    const auto filesBefore = fuzzsupport::snapshotFiles (settings);

    const auto favourites = OV::PresetFiles::readFavourites (settings);

    fuzzsupport::check (fuzzsupport::snapshotFiles (settings) == filesBefore, "reading the favourites changed a file");

    for (int i = 0; i < favourites.size(); ++i)
    {
        fuzzsupport::check (presets.getChildFile (favourites[i]).existsAsFile(), "a favourite names no preset file");
        fuzzsupport::check (favourites.indexOf (favourites[i]) == i, "a favourite is listed twice");
        fuzzsupport::check (i == 0 || OV::PresetFiles::compareFavourites (favourites[i - 1], favourites[i]) <= 0,
                            "the favourites are out of order");
    }

    // The list written back reads back the same.
    fuzzsupport::check (OV::PresetFiles::writeFavourites (settings, favourites), "the favourites could not be written");
    fuzzsupport::check (OV::PresetFiles::readFavourites (settings) == favourites,
                        "the favourites changed in a write/read round trip");
    return 0;
}
