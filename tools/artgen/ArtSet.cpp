#include "ArtSet.h"

const std::vector<RoleSpec>& allRoles()
{
    static const std::vector<RoleSpec> roles{
        // Header, footer, menu and dialogs.
        { "logoImage", 323, 75, 1 },
        { "updateIcon", 96, 75, 1 },
        { "viewOffImage", 366, 75, 1 },
        { "viewOnImage", 366, 75, 1 },
        { "secretIcon", 70, 73, 1 },
        { "footerMarkImage", 84, 75, 1 },
        { "upToDateIcon", 90, 75, 1 },
        { "manualIcon", 66, 75, 1 },
        { "aboutIcon", 75, 75, 1 },
        { "closeIcon", 38, 38, 1 },
        { "brandEmblem", 175, 175, 1 },
        // Simple body.
        { "simpleBackground", 3000, 1337, 1 },
        { "channelALamp", 175, 154, 1 },
        { "channelBLamp", 175, 154, 1 },
        { "channelCLamp", 175, 154, 1 },
        { "channelFaderStrip", 270, 24300, 100 },
        { "channelFaderMask", 270, 243, 1 },
        { "inputTrimStrip", 131, 5500, 100 },
        { "outputTrimStrip", 131, 5500, 100 },
        { "reverbFaderStrip", 303, 15000, 100 },
        { "reverbFaderMask", 265, 142, 1 },
        { "meterStrip", 116, 1113, 21 },
        // Advanced body.
        { "advancedBackground", 3000, 719, 1 },
        { "decayCapImage", 92, 71, 1 },
        { "smallKnobStrip", 110, 10000, 100 },
        { "smallKnobMask", 110, 100, 1 },
        { "tankSelectorStrip", 290, 612, 3 },
        { "tankSelectorMask", 292, 206, 1 },
        { "toneFaderStrip", 272, 16500, 100 },
        { "toneFaderMask", 272, 235, 1 },
        { "mixFaderStrip", 270, 16500, 100 },
        { "mixFaderMask", 251, 166, 1 },
        // Preset bar.
        { "presetBarBackground", 750, 74, 1 },
        { "presetArrowUp", 83, 45, 1 },
        { "presetArrowDown", 83, 45, 1 },
        { "favouriteOffImage", 60, 56, 1 },
        { "favouriteOnImage", 60, 56, 1 },
        // Hidden section: dialog icons, the cover scene and the amplifier body.
        { "chevronImage", 105, 193, 1 },
        { "openLockIcon", 71, 90, 1 },
        { "disguiseIcon", 170, 140, 1 },
        { "secretSceneImage", 3000, 2055, 1 },
        { "secretSceneHighlight", 700, 779, 1 },
        { "secretBodyBackground", 3000, 2055, 1 },
        { "secretReturnHighlight", 231, 189, 1 },
        { "secretLampStrip", 105, 262, 2 },
        { "secretAmpSwitchStrip", 126, 564, 2 },
        { "secretCabSwitchStrip", 127, 548, 2 },
        { "secretGainStrip", 194, 24600, 100 },
        { "secretMasterStrip", 231, 24600, 100 },
        { "secretSyncSwitchStrip", 128, 576, 2 },
        { "secretSpeedStrip", 241, 28500, 100 },
        { "secretDepthStrip", 207, 21300, 100 },
        { "secretTremoloSwitchStrip", 116, 492, 2 },
        { "secretLowStrip", 150, 19700, 100 },
        { "secretMidStrip", 147, 19700, 100 },
        { "secretTopStrip", 199, 19700, 100 },
    };
    return roles;
}

void ArtSet::add (const juce::String& role, juce::Image image)
{
    byRole[role] = std::move (image);
}

bool ArtSet::writeTo (const juce::File& folder, juce::String& error) const
{
    if (! folder.createDirectory())
    {
        error = "cannot create " + folder.getFullPathName();
        return false;
    }

    for (const auto& [role, image] : byRole)
    {
        const auto file = folder.getChildFile (role + ".png");
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat png;

        if (! out.openedOk() || ! png.writeImageToStream (image, out))
        {
            error = "cannot write " + file.getFullPathName();
            return false;
        }
    }

    return true;
}
