#pragma once

#include "gui/AboutModal.h"
#include "gui/BoldFont.h"
#include "gui/FooterResizableCorner.h"
#include "gui/HeaderPopupMenu.h"
#include "gui/ModalBackdrop.h"
#include "gui/PluginEditorFooter.h"
#include "gui/PluginEditorHeader.h"
#include "gui/UpdateModal.h"
#include "update/SettingsFolder.h"
#include "update/StateFiles.h"
#include "update/UpdateServerAsyncUpdater.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace OV
{
/** The editor as a vertical stack of full-width sections, header first and footer last, each scaled
    from its own base units to the window's width; the height follows from the width. Floating above
    them: the header menu, the dialog backdrop, the dialogs and the resize handle. The width is
    limited to 945..2100 pixels and to the display, and is remembered in the user settings.
    Message thread. */
template <typename Processor>
class PluginEditorBase : public juce::AudioProcessorEditor, public juce::ActionListener
{
public:
    /** Width and height in pixels. */
    using Size = juce::Point<int>;

    static constexpr int minimumWidth = 945;
    static constexpr int maximumWidth = 2100;
    static constexpr int defaultWidth = 1050;
    static constexpr const char* currentVersion = "1.2.2";

    using UpdateServerAsyncUpdater = OV::UpdateServerAsyncUpdater;

    PluginEditorBase (Processor& p, const juce::String& name, const juce::File& settings = settingsFolder())
        : juce::AudioProcessorEditor (p)
        , processor (p)
        , pluginName (name)
        , settingsFolderPath (settings)
    {
        setSize (1, 1);

        updateServer = std::make_unique<UpdateServerAsyncUpdater> ([this] (const juce::String& version)
                                                                   { handleLatestVersion (version); });

        auto& lookAndFeel = juce::LookAndFeel::getDefaultLookAndFeel();

        if (auto light = embeddedTypeface ("InterLight_otf"))
            lookAndFeel.setDefaultSansSerifTypeface (light);

        lookAndFeel.setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xff222222));
        lookAndFeel.setColour (juce::PopupMenu::textColourId, juce::Colour (0xffbcbcbc));
        lookAndFeel.setColour (juce::PopupMenu::headerTextColourId, juce::Colour (0xffbcbcbc));
        lookAndFeel.setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (0xff111111));
        lookAndFeel.setColour (juce::PopupMenu::highlightedTextColourId, juce::Colour (0xffffffff));

        header = std::make_unique<PluginEditorHeader> (p, settingsFolderPath, this);
        addSection (*header);
        footer = std::make_unique<PluginEditorFooter> (p);
        addSection (*footer);
        footerAdded = true;

        addChildComponent (headerPopupMenu);
        headerPopupMenu.setAlwaysOnTop (true);
        header->toFront (false);
        header->setAlwaysOnTop (true);

        header->logoButton.button.onClick = [this] { headerPopupMenu.open(); };
        header->updateBadge.button.onClick = [this] { headerPopupMenu.open(); };
        headerPopupMenu.entries[0].action = [this] { downloadsUrl.launchInDefaultBrowser(); };
        headerPopupMenu.entries[1].action = [this] { manualUrl.launchInDefaultBrowser(); };
        headerPopupMenu.entries[2].action = [this]
        {
            modalBackdrop.setVisible (true);
            aboutModal.setVisible (true);
        };

        addChildComponent (modalBackdrop);
        modalBackdrop.setAlwaysOnTop (true);

        updateModal.currentVersion = currentVersion;
        addModal (aboutModal);
        addModal (updateModal);

        resizableCorner = std::make_unique<FooterResizableCorner> (*this, getConstrainer(), p);
        addAndMakeVisible (*resizableCorner);
        resizableCorner->setAlwaysOnTop (true);

        auto width = defaultWidth;

        if (auto* file = processor.settings.getUserSettings())
            width = file->getIntValue (FooterResizableCorner::settingsKey, defaultWidth);

        processor.editorWidth = width;
        const auto size = setSizeFromWidth (width);
        layoutSections (size.x, size.y);
    }

    ~PluginEditorBase() override
    {
        // The header and footer are sections of the stack; nothing may be laid out while they go.
        sections.clear();
        modals.clear();
    }

    //==============================================================================
    /** Shows a section: appended, or in front of the footer once the footer is there. The width is
        kept and the height recomputed. */
    void addSection (PluginEditorSection& section)
    {
        // A section is stacked once, however often it is asked for.
        if (sections.contains (&section))
            sections.removeFirstMatchingValue (&section);

        if (footerAdded && ! sections.isEmpty())
            sections.insert (sections.size() - 1, &section);
        else
            sections.add (&section);

        const auto size = setSizeFromWidth (getWidth());
        layoutSections (size.x, size.y);
        // Added below the always-on-top header, menu, backdrop, dialogs and handle.
        addAndMakeVisible (section);
    }

    /** Hides a section, if shown; the size is recomputed in any case. */
    void removeSection (PluginEditorSection& section)
    {
        if (sections.contains (&section))
        {
            removeChildComponent (&section);
            sections.removeFirstMatchingValue (&section);
        }

        const auto size = setSizeFromWidth (getWidth());
        layoutSections (size.x, size.y);
    }

    void addModal (Modal& modal)
    {
        modals.add (&modal);
        addChildComponent (modal);
        modal.setAlwaysOnTop (true);
        layoutSections (getWidth(), getHeight());
    }

    //==============================================================================
    /** Sizes the editor for a wanted width within the limits and sets the resize limits. Returns the
        new size, or (0, 0) with nothing changed for a width of 0 or less. */
    Size setSizeFromWidth (int requestedWidth)
    {
        if (requestedWidth <= 0)
            return {};

        const auto available = getAvailableArea();
        const double availW = available.x, availH = available.y;
        const double w = juce::jmin (availW, (double) requestedWidth);

        double totalH = 0.0;

        for (auto* section : sections)
            totalH += w / section->baseWidth * section->baseHeight;

        if (totalH <= 0.0)
            return {};

        aspectRatio = w / totalH;
        const double widthForHeight = aspectRatio * availH;
        double width = availH < totalH ? widthForHeight : w;
        double height = 0.0;

        // The upper limit is tested on the width that fits the display: testing the wanted width
        // instead would set 2100 even where the display's height allows less.
        if (width < minimumWidth)
        {
            width = minimumWidth;
            height = minimumWidth / aspectRatio;
        }
        else if (width > maximumWidth)
        {
            width = maximumWidth;
            height = maximumWidth / aspectRatio;
        }
        else
        {
            height = juce::jmin (availH, totalH);
        }

        double maxW = 0.0, maxH = 0.0;

        if (availW < availH)
        {
            maxW = juce::jmin ((double) maximumWidth, availW);
            maxH = maxW / aspectRatio;
        }
        else if (widthForHeight > maximumWidth)
        {
            maxW = maximumWidth;
            maxH = maximumWidth / aspectRatio;
        }
        else
        {
            maxW = widthForHeight;
            maxH = availH;
        }

        const auto n = [] (double v) { return (int) std::round (v); };
        const int minH = juce::jmax (n (minimumWidth / aspectRatio), 0);
        auto& constrainer = *getConstrainer();
        constrainer.setMinimumWidth (minimumWidth);
        constrainer.setMaximumWidth (juce::jmax (n (maxW), minimumWidth));
        constrainer.setMinimumHeight (minH);
        constrainer.setMaximumHeight (juce::jmax (n (maxH), minH));
        constrainer.setFixedAspectRatio (juce::jmax (aspectRatio, 0.0));

        const Size size{ n (width), n (height) };
        setSize (size.x, size.y);
        setResizable (false, false);
        return size;
    }

    /** Places the sections, the menu, the backdrop, the dialogs and the handle for an editor size. */
    void layoutSections (int width, int height)
    {
        double y = 0.0;

        for (auto* section : sections)
        {
            const double s = width / section->baseWidth;
            section->setTransform (juce::AffineTransform::scale ((float) s));
            section->setBounds (0, (int) (y / s), (int) section->baseWidth, (int) section->baseHeight);
            y += s * section->baseHeight;
        }

        if (header != nullptr)
        {
            const double s = width / header->baseWidth;
            headerPopupMenu.setTransform (juce::AffineTransform::scale ((float) s));
            const auto headerBounds = header->getBounds();
            headerPopupMenu.setBounds (headerBounds.getX(),
                                       headerBounds.getBottom() - (int) HeaderPopupMenu::topOverlap,
                                       (int) HeaderPopupMenu::menuWidth,
                                       (int) (HeaderPopupMenu::topOverlap + headerPopupMenu.getMenuHeight()));
        }

        modalBackdrop.setBounds (0, 0, width, height);

        for (auto* modal : modals)
        {
            const double d = juce::jmin (2.0, modal->getWidthFraction() * width / modal->getBaseWidth());
            modal->setTransform (juce::AffineTransform::scale ((float) d));
            modal->setBounds ((int) ((width / d - modal->getBaseWidth()) * 0.5),
                              (int) ((height / d - modal->getBaseHeight()) * 0.5),
                              (int) modal->getBaseWidth(),
                              (int) modal->getBaseHeight());
        }

        if (resizableCorner != nullptr && footer != nullptr)
        {
            const double side = footer->baseHeight * 0.6;
            const double f = width / footer->baseWidth;
            resizableCorner->setTransform (juce::AffineTransform::scale ((float) f));
            resizableCorner->setBounds ((int) (footer->baseWidth - side),
                                        (int) (height / f - side),
                                        (int) side,
                                        (int) side);
        }
    }

    /** The largest editor size the current display allows, less a window frame. */
    Size getAvailableArea() const
    {
        if (availableAreaSource)
            return availableAreaSource();

        const juce::BorderSize<int> defaultFrame (32, 0, 16, 0);
        const auto& displays = juce::Desktop::getInstance().getDisplays();
        auto* peer = getPeer();

        if (peer == nullptr)
        {
            if (const auto* main = displays.getPrimaryDisplay())
                return { main->userArea.getWidth(), main->userArea.getHeight() - 48 };

            return { maximumWidth, 4000 };
        }

        const auto bounds = peer->getBounds();
        const juce::Displays::Display* best = nullptr;
        int bestArea = -1;

        for (const auto& display : displays.displays)
        {
            const auto overlap = display.totalArea.getIntersection (bounds);
            const auto area = overlap.getWidth() * overlap.getHeight();

            if (area >= bestArea)
            {
                bestArea = area;
                best = &display;
            }
        }

        if (best == nullptr)
            return { maximumWidth, 4000 };

        auto frame = defaultFrame;

        if (const auto reported = peer->getFrameSizeIfPresent())
            if (! reported->isEmpty())
                frame = *reported;

        return { best->userArea.getWidth() - frame.getLeftAndRight(),
                 best->userArea.getHeight() - frame.getTopAndBottom() };
    }

    void resized() override
    {
        // Children are resized while the editor is still being built; the stack is laid out at the end.
        if (footer == nullptr || resizableCorner == nullptr)
            return;

        const auto available = getAvailableArea();
        Size size{ getWidth(), getHeight() };

        if (size.x > available.x || size.y > available.y)
            size = setSizeFromWidth (getWidth());

        layoutSections (size.x, size.y);
    }

    void actionListenerCallback (const juce::String&) override {}

    /** The update check's result (message thread): badge, menu entry and, once per newer version,
        the update dialog. Any difference from the own version counts as an update. */
    void handleLatestVersion (const juce::String& version)
    {
        latestVersion = version;
        const bool updateAvailable = version != currentVersion;

        header->updateBadge.setVisible (updateAvailable);
        header->resized();
        headerPopupMenu.setUpdateState (updateAvailable);

        if (! updateAvailable)
        {
            StateFiles::deleteStateFile (StateFiles::notificationFile, StateFiles::notificationKey, settingsFolderPath);
            return;
        }

        const bool alreadyShown = (bool) StateFiles::readStateFlag (StateFiles::notificationFile,
                                                                    StateFiles::notificationKey,
                                                                    settingsFolderPath);

        if (! alreadyShown)
        {
            updateModal.latestVersion = latestVersion;
            updateModal.repaint();
            modalBackdrop.setVisible (true);
            updateModal.setVisible (true);
            StateFiles::writeStateFile (StateFiles::notificationFile,
                                        StateFiles::notificationKey,
                                        true,
                                        settingsFolderPath);
        }
    }

    //==============================================================================
    Processor& processor;
    const juce::String pluginName;
    const juce::File settingsFolderPath;

    // Declared first so that it goes last: its destructor waits for a running request.
    std::unique_ptr<UpdateServerAsyncUpdater> updateServer;

    std::unique_ptr<PluginEditorHeader> header;
    std::unique_ptr<PluginEditorFooter> footer;
    HeaderPopupMenu headerPopupMenu;

    juce::URL updateUrl, downloadsUrl, manualUrl;
    juce::String latestVersion;

    ModalBackdrop modalBackdrop;
    AboutModal aboutModal{ modalBackdrop };
    UpdateModal updateModal{ modalBackdrop };
    std::unique_ptr<FooterResizableCorner> resizableCorner;

    juce::Array<PluginEditorSection*> sections;
    juce::Array<Modal*> modals;
    bool footerAdded = false;
    double aspectRatio = 1.0;

    /** Where the display limits come from; replaced in tests to model other displays. */
    std::function<Size()> availableAreaSource;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PluginEditorBase)
};
} // namespace OV
