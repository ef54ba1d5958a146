#include "gui/PluginEditorFooter.h"

#include "gui/ImageStore.h"
#include "plugin/ParameterIds.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

namespace OV
{
namespace
{
    constexpr juce::uint32 creamText = 0xccfaf3e3;

    // Ids of the "OSMenu" choices in the model box, and of the two the visible box offers.
    enum ModelId
    {
        model16x = 1,
        model8x,
        model4x,
        modelOff
    };
    enum BoxId
    {
        box8x = 1,
        box4x
    };
} // namespace

PluginEditorFooter::PluginEditorFooter (VantorraCoilvoxAudioProcessor& processor)
    : PluginEditorSection (width, height)
{
    boxLookAndFeel.setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xcc222222));
    boxLookAndFeel.setColour (juce::PopupMenu::textColourId, juce::Colour (creamText));
    boxLookAndFeel.setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (0xcc363636));
    boxLookAndFeel.setColour (juce::PopupMenu::highlightedTextColourId, juce::Colour (creamText));
    boxLookAndFeel.setColour (juce::ComboBox::backgroundColourId, juce::Colour (0x00ffffff));
    boxLookAndFeel.setColour (juce::ComboBox::outlineColourId, juce::Colour (0x00000000));
    boxLookAndFeel.setColour (juce::ComboBox::textColourId, juce::Colour (creamText));
    boxLookAndFeel.setColour (juce::ComboBox::arrowColourId, juce::Colour (0xff222222));

    footerMark.setImage (ImageStore::get ("footerMarkImage"), juce::RectanglePlacement::centred);
    footerMark.setAlpha (0.8f);
    addAndMakeVisible (footerMark);

    statusLabel.setColour (juce::Label::textColourId, juce::Colour (0xfffaf3e3));
    statusLabel.setJustificationType (juce::Justification::centredLeft);
    statusLabel.setFont (statusLabel.getFont().withHeight (64.0f).withExtraKerningFactor (0.15f));
    statusLabel.setMinimumHorizontalScale (1.0f);
    addAndMakeVisible (statusLabel);

    oversamplingModel.addItemList ({ "16X", "8X", "4X", "OFF" }, model16x);
    oversamplingAttachment = std::make_unique<juce::ComboBoxParameterAttachment> (
        *processor.parameters.getParameter (ParameterIds::oversampling),
        oversamplingModel);

    oversamplingBox.setLookAndFeel (&boxLookAndFeel);
    oversamplingBox.setJustificationType (juce::Justification::centred);
    oversamplingBox.addItemList ({ "8X", "4X" }, box8x);
    oversamplingBox.setTitle ("Oversampling");
    addAndMakeVisible (oversamplingBox);

    oversamplingModel.addListener (this);
    oversamplingBox.addListener (this);
    syncOversamplingBox();
}

PluginEditorFooter::~PluginEditorFooter()
{
    oversamplingModel.removeListener (this);
    oversamplingBox.removeListener (this);
    oversamplingBox.setLookAndFeel (nullptr);
}

void PluginEditorFooter::paint (juce::Graphics& g) { g.fillAll (juce::Colour (0xff222222)); }

void PluginEditorFooter::resized()
{
    const int free = juce::jmax (0, getWidth() - 96);
    const int rowH = juce::jmax (0, getHeight() - 24);
    const auto mark = footerMark.getImage();
    const auto markAspect = mark.isValid() ? (double) mark.getWidth() / mark.getHeight() : 84.0 / 75.0;
    const int mw = juce::jmin (free, (int) (rowH * markAspect));

    footerMark.setBounds (free - mw + 48, 12, mw, rowH);
    statusLabel.setBounds (48, 12, free - mw, rowH);

    auto area = getLocalBounds();

    if (getParentComponent() == nullptr)
        if (const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
            area = display->totalArea;

    const auto n = [] (double v) { return juce::roundToInt (v); };
    oversamplingBox.setBounds (n (0.88 * area.getWidth()),
                               n (0.01 * area.getHeight()),
                               n (0.07 * area.getWidth()),
                               n (0.9 * area.getHeight()));
}

void PluginEditorFooter::syncOversamplingBox()
{
    switch (oversamplingModel.getSelectedId())
    {
        case model16x:
            if (oversamplingBox.getTextWhenNothingSelected() != "16x")
                oversamplingBox.setTextWhenNothingSelected ("16x");
            oversamplingBox.setSelectedId (-1);
            break;
        case model8x:
            oversamplingBox.setSelectedId (box8x);
            break;
        case model4x:
            oversamplingBox.setSelectedId (box4x);
            break;
        case modelOff:
            if (oversamplingBox.getTextWhenNothingSelected() != "OFF")
                oversamplingBox.setTextWhenNothingSelected ("OFF");
            oversamplingBox.setSelectedId (-1);
            break;
        default:
            break;
    }
}

void PluginEditorFooter::comboBoxChanged (juce::ComboBox* box)
{
    if (box == &oversamplingModel)
    {
        syncOversamplingBox();
        return;
    }

    // Only the two offered settings are written back; the sync above clears the box for the others.
    if (box->getSelectedId() == box8x)
        oversamplingModel.setSelectedId (model8x);
    else if (box->getSelectedId() == box4x)
        oversamplingModel.setSelectedId (model4x);
}
} // namespace OV
