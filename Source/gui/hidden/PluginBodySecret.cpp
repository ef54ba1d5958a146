#include "gui/hidden/PluginBodySecret.h"

#include "gui/BoldFont.h"
#include "gui/FilmstripSlider.h"
#include "gui/ImageStore.h"
#include "plugin/ParameterIds.h"
#include "plugin/VantorraCoilvoxAudioProcessor.h"

namespace
{
constexpr int knobFrames = 100;
constexpr int switchFrames = 2;
constexpr int knobDragForFullRange = 500;

/** Frames turn in place: every frame is drawn at the control's top-left corner. */
void configure (Filmstrip& strip, float frameWidth, float frameHeight, int numFrames)
{
    strip.frameWidth = frameWidth;
    strip.frameHeight = frameHeight;
    strip.numFrames = numFrames;
    strip.offsetStep = 0.0f;
}
} // namespace

PluginBodySecret::PluginBodySecret (VantorraCoilvoxAudioProcessor& p)
    : OV::PluginEditorSection (width, height)
    , processor (p)
{
    divisionLookAndFeel.setColour (juce::Label::backgroundColourId, juce::Colour (0xcc222222));
    divisionLookAndFeel.setColour (juce::Label::textColourId, juce::Colour (0xfffaf3e3));
    divisionLookAndFeel.setColour (juce::Label::outlineColourId, juce::Colour (0x00000000));
    divisionLabel.setLookAndFeel (&divisionLookAndFeel);
    divisionLabel.setFont (makeBoldFont (35.0f));
    divisionLabel.setJustificationType (juce::Justification::centred);
    addChildComponent (divisionLabel);

    configure (ampSwitchLookAndFeel, 126.0f, 282.0f, switchFrames);
    setUpSwitch (ampSwitch, ampSwitchLookAndFeel, ParameterIds::amp);
    configure (cabinetSwitchLookAndFeel, 127.0f, 274.0f, switchFrames);
    setUpSwitch (cabinetSwitch, cabinetSwitchLookAndFeel, ParameterIds::cabinet);
    configure (gainLookAndFeel, 194.0f, 246.0f, knobFrames);
    setUpKnob (gainKnob, gainLookAndFeel, ParameterIds::ampDrive);
    configure (masterLookAndFeel, 231.0f, 246.0f, knobFrames);
    setUpKnob (masterKnob, masterLookAndFeel, ParameterIds::ampMaster);
    configure (syncSwitchLookAndFeel, 128.0f, 288.0f, switchFrames);
    setUpSwitch (syncSwitch, syncSwitchLookAndFeel, ParameterIds::sync);
    configure (speedLookAndFeel, 241.0f, 285.0f, knobFrames);
    setUpKnob (freeSpeedKnob, speedLookAndFeel, ParameterIds::rate);
    setUpKnob (syncedSpeedKnob, speedLookAndFeel, ParameterIds::syncRate);
    configure (depthLookAndFeel, 207.0f, 213.0f, knobFrames);
    setUpKnob (depthKnob, depthLookAndFeel, ParameterIds::depth);
    configure (tremoloSwitchLookAndFeel, 116.0f, 246.0f, switchFrames);
    setUpSwitch (tremoloSwitch, tremoloSwitchLookAndFeel, ParameterIds::tremolo);
    configure (lowLookAndFeel, 150.0f, 197.0f, knobFrames);
    setUpKnob (lowKnob, lowLookAndFeel, ParameterIds::bass);
    configure (midLookAndFeel, 147.0f, 197.0f, knobFrames);
    setUpKnob (midKnob, midLookAndFeel, ParameterIds::mid);
    configure (topLookAndFeel, 199.0f, 197.0f, knobFrames);
    setUpKnob (topKnob, topLookAndFeel, ParameterIds::treble);

    setUpDivisionReadout();

    ampSwitch.addListener (this);
    syncSwitch.addListener (this);
    showSpeedKnobForSync();

    returnButton.setTitle ("Back to the stage");
    returnButton.onClick = [] {};
    addAndMakeVisible (returnButton);

    // Laid out once in base units; the editor only scales the section.
    setSize ((int) width, (int) height);
}

PluginBodySecret::~PluginBodySecret()
{
    ampSwitch.removeListener (this);
    syncSwitch.removeListener (this);
    divisionLabel.setLookAndFeel (nullptr);

    sliderAttachments.clear();
    buttonAttachments.clear();

    for (auto* knob :
         { &gainKnob, &masterKnob, &freeSpeedKnob, &syncedSpeedKnob, &depthKnob, &lowKnob, &midKnob, &topKnob })
        knob->setLookAndFeel (nullptr);

    for (auto* button : { &ampSwitch, &cabinetSwitch, &syncSwitch, &tremoloSwitch })
        button->setLookAndFeel (nullptr);
}

void PluginBodySecret::setUpSwitch (juce::ToggleButton& button,
                                    SecretSectionFilmstrip& lookAndFeel,
                                    const char* parameterId)
{
    button.setLookAndFeel (&lookAndFeel);
    button.setTitle (processor.parameters.getParameter (parameterId)->getName (64));
    buttonAttachments.push_back (std::make_unique<ButtonAttachment> (processor.parameters, parameterId, button));
    addAndMakeVisible (button);
}

void PluginBodySecret::setUpKnob (juce::Slider& knob, Filmstrip& lookAndFeel, const char* parameterId)
{
    sliderAttachments.push_back (FilmstripSlider::setUp (knob,
                                                         juce::Slider::LinearVertical,
                                                         lookAndFeel,
                                                         processor.parameters,
                                                         parameterId,
                                                         knobDragForFullRange));
    addAndMakeVisible (knob);
}

void PluginBodySecret::setUpDivisionReadout()
{
    // The note value shows only while the synced knob is dragged and its value moves.
    syncedSpeedKnob.onDragStart = [this]
    {
        syncedSpeedKnob.setMouseCursor (juce::MouseCursor::NoCursor);
        syncedSpeedKnob.onValueChange = [this]
        {
            const auto text = divisionText (syncedSpeedKnob.getValue());

            if (text.isNotEmpty())
                divisionLabel.setText (text, juce::dontSendNotification);

            divisionLabel.setVisible (true);
        };
    };
    syncedSpeedKnob.onDragEnd = [this]
    {
        divisionLabel.setVisible (false);
        divisionLabel.setText ({}, juce::dontSendNotification);
        syncedSpeedKnob.setMouseCursor (juce::MouseCursor::ParentCursor);
        syncedSpeedKnob.onValueChange = [] {};
    };
}

juce::String PluginBodySecret::divisionText (double syncRate)
{
    static const char* const divisions[] = { "1/2", "1/4", "1/8", "1/12", "1/16", "1/24" };
    const auto index = juce::roundToInt (syncRate);

    if ((double) index != syncRate || ! juce::isPositiveAndBelow (index, (int) std::size (divisions)))
        return {};

    return divisions[index];
}

void PluginBodySecret::buttonClicked (juce::Button* button)
{
    if (button == &ampSwitch)
        repaint (lampBounds());
    else if (button == &syncSwitch)
        showSpeedKnobForSync();
}

void PluginBodySecret::showSpeedKnobForSync()
{
    const bool synced = syncSwitch.getToggleState();
    freeSpeedKnob.setVisible (! synced);
    syncedSpeedKnob.setVisible (synced);
}

void PluginBodySecret::parentHierarchyChanged()
{
    if (getParentComponent() != nullptr)
        loadImages();
}

void PluginBodySecret::loadImages()
{
    if (imagesLoaded)
        return;

    imagesLoaded = true;
    background = ImageStore::get ("secretBodyBackground");
    lampStrip = ImageStore::get ("secretLampStrip");
    returnHighlight = ImageStore::get ("secretReturnHighlight");

    ampSwitchLookAndFeel.image = ImageStore::get ("secretAmpSwitchStrip");
    cabinetSwitchLookAndFeel.image = ImageStore::get ("secretCabSwitchStrip");
    gainLookAndFeel.image = ImageStore::get ("secretGainStrip");
    masterLookAndFeel.image = ImageStore::get ("secretMasterStrip");
    syncSwitchLookAndFeel.image = ImageStore::get ("secretSyncSwitchStrip");
    speedLookAndFeel.image = ImageStore::get ("secretSpeedStrip");
    depthLookAndFeel.image = ImageStore::get ("secretDepthStrip");
    tremoloSwitchLookAndFeel.image = ImageStore::get ("secretTremoloSwitchStrip");
    lowLookAndFeel.image = ImageStore::get ("secretLowStrip");
    midLookAndFeel.image = ImageStore::get ("secretMidStrip");
    topLookAndFeel.image = ImageStore::get ("secretTopStrip");

    // The logo plate lights up under the pointer; otherwise the panel's own picture shows.
    returnButton
        .setImages (false, true, true, {}, 1.0f, {}, returnHighlight, 1.0f, {}, returnHighlight, 1.0f, {}, 0.0f);
    repaint();
}

void PluginBodySecret::paint (juce::Graphics& g)
{
    if (background.isValid())
        g.drawImage (background, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);

    if (lampStrip.isValid())
    {
        const auto lamp = lampBounds();
        const auto sourceY = ampSwitch.getToggleState() ? lamp.getHeight() : 0;
        g.drawImage (lampStrip,
                     lamp.getX(),
                     lamp.getY(),
                     lamp.getWidth(),
                     lamp.getHeight(),
                     0,
                     sourceY,
                     lamp.getWidth(),
                     lamp.getHeight());
    }
}

void PluginBodySecret::resized()
{
    ampSwitch.setBounds (499, 742, 126, 282);
    cabinetSwitch.setBounds (625, 743, 127, 274);
    gainKnob.setBounds (830, 724, 194, 246);
    masterKnob.setBounds (1011, 724, 231, 246);
    syncSwitch.setBounds (1284, 718, 128, 288);
    // The speed, depth and tone knobs were placed on a design drawn at four thirds of this size.
    freeSpeedKnob.setBounds (1354, 710, 241, 285);
    syncedSpeedKnob.setBounds (1354, 710, 241, 285);
    depthKnob.setBounds (1575, 782, 207, 213);
    tremoloSwitch.setBounds (1785, 749, 116, 246);
    lowKnob.setBounds (1953, 745, 150, 197);
    midKnob.setBounds (2096, 745, 147, 197);
    topKnob.setBounds (2234, 745, 199, 197);
    returnButton.setBounds (2264, 442, 231, 189);
    // Its top-left corner is the sync switch's bottom-right corner.
    divisionLabel.setBounds (1412, 1006, 150, 60);
}
