#include "EditorFixture.h"

#include "gui/ImageStore.h"

namespace
{
/** Share of pixels that differ clearly from the top-left one: a blank or single-colour picture has
    none. */
double variedShare (const juce::Image& image)
{
    const auto reference = image.getPixelAt (0, 0);
    int varied = 0, total = 0;

    for (int y = 0; y < image.getHeight(); y += 3)
        for (int x = 0; x < image.getWidth(); x += 3, ++total)
        {
            const auto p = image.getPixelAt (x, y);
            const auto difference = std::abs (p.getRed() - reference.getRed())
                                    + std::abs (p.getGreen() - reference.getGreen())
                                    + std::abs (p.getBlue() - reference.getBlue());
            varied += difference > 24 ? 1 : 0;
        }

    return (double) varied / juce::jmax (1, total);
}

juce::File snapshotFolder();

void writeSnapshot (const juce::Image& image, const juce::String& name)
{
    juce::PNGImageFormat png;
    const auto file = snapshotFolder().getChildFile (name + ".png");
    file.deleteFile();
    juce::FileOutputStream out (file);
    ASSERT_TRUE (out.openedOk());
    EXPECT_TRUE (png.writeImageToStream (image, out));
}

juce::File snapshotFolder()
{
    // The build folder, never the repository.
    return juce::File::getSpecialLocation (juce::File::currentExecutableFile)
        .getParentDirectory()
        .getChildFile ("snapshots");
}
} // namespace

TEST_F (EditorFixture, EachViewRendersAFinishedPanel)
{
    snapshotFolder().createDirectory();
    // The hidden views open only where the hidden section is unlocked.
    storeSectionPassword();
    const struct
    {
        int view, height;
        const char* picture;
    } views[] = { { 0, 537, "simpleBackground" },
                  { 1, 789, "advancedBackground" },
                  { 2, 789, "secretBodyBackground" },
                  { 3, 789, "secretSceneImage" } };

    for (const auto& v : views)
    {
        editor.reset();
        processor.guiState = v.view;
        // The snapshot differs from the state in GUI_STATE alone; that is no preset change.
        processor.stateSnapshot.reset();
        auto& e = openEditor();
        resizeOn (ampleDisplay, 1050);

        const auto image = e.createComponentSnapshot (e.getLocalBounds());
        ASSERT_EQ (image.getWidth(), 1050);
        EXPECT_EQ (image.getHeight(), v.height);

        // The panel's picture, not an empty window: most of it is the panel's front. (The hidden
        // section's artwork may not be embedded yet; the unit's own always is.)
        if (v.view < 2 || ImageStore::get (v.picture).isValid())
        {
            EXPECT_GT (variedShare (image), 0.5) << "view " << v.view;
        }

        writeSnapshot (image, "editor-view" + juce::String (v.view));
    }
}

TEST_F (EditorFixture, HiddenSectionDialogsRenderOverTheEditor)
{
    snapshotFolder().createDirectory();
    auto& e = openEditor();
    resizeOn (ampleDisplay, 1050);

    e.unlockModal->answerBox.setText ("quinta", false);
    e.unlockModal->wrongAnswer = true;
    e.unlockedModal->buttonHovered = true;
    const std::pair<OV::Modal*, const char*> dialogs[] = { { e.unlockModal.get(), "dialog-unlock" },
                                                           { e.unlockedModal.get(), "dialog-unlocked" },
                                                           { e.presetBlockedModal.get(), "dialog-preset-blocked" } };

    for (const auto& [dialog, name] : dialogs)
    {
        e.modalBackdrop.setVisible (true);
        dialog->setVisible (true);
        const auto image = e.createComponentSnapshot (e.getLocalBounds());
        EXPECT_EQ (image.getHeight(), 537);
        writeSnapshot (image, name);
        dialog->close();
    }
}
