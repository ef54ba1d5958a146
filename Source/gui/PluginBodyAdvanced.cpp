#include "gui/PluginBodyAdvanced.h"

#include "gui/FilmstripSlider.h"

#include "gui/BoldFont.h"
#include "gui/ImageStore.h"
#include "plugin/ParameterIds.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

namespace
{
void configure (Filmstrip& strip, float frameWidth, float frameHeight, int numFrames, float offsetStep)
{
    strip.frameWidth = frameWidth;
    strip.frameHeight = frameHeight;
    strip.numFrames = numFrames;
    strip.offsetStep = offsetStep;
}
} // namespace

PluginBodyAdvanced::PluginBodyAdvanced (VantorraCoilvoxAudioProcessor& p)
    : OV::PluginEditorSection (width, height)
    , processor (p)
{
    // The decay cap is one picture, smaller than its frame, that slides continuously.
    configure (decayLookAndFeel, 122.0f, 94.0f, 1, 2.0f);
    setUpSlider (decaySlider, juce::Slider::LinearHorizontal, decayLookAndFeel, ParameterIds::decay, 300);
    // Every decay change rebuilds the spring response, so only the released position is sent.
    decaySlider.setChangeNotificationOnlyOnRelease (true);
    decaySlider.setScrollWheelEnabled (false);

    configure (tankLookAndFeel, 290.0f, 204.0f, 3, 0.0f);
    setUpSlider (tankSelector, juce::Slider::LinearVertical, tankLookAndFeel, ParameterIds::tank, 125);
    tankSelector.setScrollWheelEnabled (false);

    configure (toneLookAndFeel, 272.0f, 165.0f, 100, 4.5f);
    setUpSlider (toneFader, juce::Slider::LinearHorizontal, toneLookAndFeel, ParameterIds::tone, 635);

    configure (mixLookAndFeel, 270.0f, 165.0f, 100, 4.5f);
    mixLookAndFeel.overlayOpacity = 0.01f;
    setUpSlider (mixFader, juce::Slider::LinearHorizontal, mixLookAndFeel, ParameterIds::mix, 635);

    configure (preDelayLookAndFeel, 110.0f, 100.0f, 100, 0.0f);
    setUpSlider (preDelayKnob, juce::Slider::LinearVertical, preDelayLookAndFeel, ParameterIds::preDelay, 450);
    addAndMakeVisible (preDelayReadout);
    preDelayReadout.setVisible (false);
    preDelayKnob.onDragStart = [this]
    {
        preDelayKnob.setMouseCursor (juce::MouseCursor::NoCursor);
        preDelayKnob.onValueChange = [this]
        {
            preDelayReadout.setText (preDelayReadoutText (preDelayKnob.getValue()), juce::dontSendNotification);
            preDelayReadout.setVisible (true);
        };
    };
    preDelayKnob.onDragEnd = [this]
    {
        preDelayReadout.setVisible (false);
        preDelayReadout.setText ({}, juce::dontSendNotification);
        preDelayKnob.setMouseCursor (juce::MouseCursor::ParentCursor);
        preDelayKnob.onValueChange = [] {};
    };

    // A mono output has no width: the knob rests at 0 % and springs back there after a drag.
    if (isMono())
    {
        auto* widthParameter = processor.parameters.getParameter (ParameterIds::width);
        widthParameter->beginChangeGesture();
        widthParameter->setValueNotifyingHost (0.0f);
        widthParameter->endChangeGesture();
    }

    configure (widthLookAndFeel, 110.0f, 100.0f, 100, 0.0f);
    setUpSlider (widthKnob, juce::Slider::LinearVertical, widthLookAndFeel, ParameterIds::width, 450);

    if (isMono())
        widthKnob.onDragEnd = [this]
        {
            widthKnob.setMouseCursor (juce::MouseCursor::ParentCursor);
            widthKnob.setValue (0.0, juce::dontSendNotification);
        };

    readoutLookAndFeel.setColour (juce::Label::backgroundColourId, juce::Colour (0xccfaf3e3));
    readoutLookAndFeel.setColour (juce::Label::textColourId, juce::Colour (0xff222222));
    readoutLookAndFeel.setColour (juce::Label::outlineColourId, juce::Colour (0x00000000));
    preDelayReadout.setLookAndFeel (&readoutLookAndFeel);
    preDelayReadout.setFont (makeBoldFont (35.0f));
    preDelayReadout.setJustificationType (juce::Justification::centred);

    // Laid out once in base units; the editor only scales the section.
    setSize ((int) width, (int) height);
}

PluginBodyAdvanced::~PluginBodyAdvanced()
{
    preDelayReadout.setLookAndFeel (nullptr);

    while (! attachments.empty())
        attachments.pop_back();

    for (auto* slider : { &decaySlider, &preDelayKnob, &widthKnob, &toneFader, &tankSelector, &mixFader })
        slider->setLookAndFeel (nullptr);
}

void PluginBodyAdvanced::parentHierarchyChanged()
{
    if (getParentComponent() != nullptr)
        loadImages();
}

void PluginBodyAdvanced::loadImages()
{
    if (imagesLoaded)
        return;

    imagesLoaded = true;
    advancedBackground = ImageStore::get ("advancedBackground");
    decayCapImage = ImageStore::get ("decayCapImage");
    smallKnobStrip = ImageStore::get ("smallKnobStrip");
    smallKnobMask = ImageStore::get ("smallKnobMask");
    tankSelectorStrip = ImageStore::get ("tankSelectorStrip");
    tankSelectorMask = ImageStore::get ("tankSelectorMask");
    toneFaderStrip = ImageStore::get ("toneFaderStrip");
    mixFaderStrip = ImageStore::get ("mixFaderStrip");
    mixFaderMask = ImageStore::get ("mixFaderMask");
    toneFaderMask = ImageStore::get ("toneFaderMask");

    decayLookAndFeel.image = decayCapImage;
    tankLookAndFeel.image = tankSelectorStrip;
    tankLookAndFeel.maskImage = tankSelectorMask;
    toneLookAndFeel.image = toneFaderStrip;
    toneLookAndFeel.maskImage = toneFaderMask;
    mixLookAndFeel.image = mixFaderStrip;
    mixLookAndFeel.maskImage = mixFaderMask;
    preDelayLookAndFeel.image = smallKnobStrip;
    preDelayLookAndFeel.maskImage = smallKnobMask;
    widthLookAndFeel.image = smallKnobStrip;
    widthLookAndFeel.maskImage = smallKnobMask;
    repaint();
}

bool PluginBodyAdvanced::isMono() const { return processor.getTotalNumOutputChannels() == 1; }

void PluginBodyAdvanced::setUpSlider (juce::Slider& slider,
                                      juce::Slider::SliderStyle style,
                                      juce::LookAndFeel& lookAndFeel,
                                      const char* parameterId,
                                      int dragForFullRange)
{
    attachments.push_back (
        FilmstripSlider::setUp (slider, style, lookAndFeel, processor.parameters, parameterId, dragForFullRange));
    addAndMakeVisible (slider);
}

juce::String PluginBodyAdvanced::preDelayReadoutText (double valueMs) { return juce::String (valueMs) + "ms"; }

void PluginBodyAdvanced::paint (juce::Graphics& g)
{
    if (advancedBackground.isValid())
        g.drawImage (advancedBackground, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
}

void PluginBodyAdvanced::resized()
{
    const auto scaled = [this] (int design) { return (int) (layoutScale * (float) design); };

    decaySlider.setBounds (scaled (1060), scaled (558), scaled (400), 94);
    tankSelector.setBounds (scaled (1250), scaled (260), 290, 204);
    toneFader.setBounds (1276, 259, 750, 165);
    mixFader.setBounds (2000, 259, 750, 165);
    preDelayKnob.setBounds (351, 187, 110, 100);
    widthKnob.setBounds (351, 379, 110, 100);
    preDelayReadout.setBounds (351 + 110 + 6, 169, 150, 60);
}
