#include "gui/FilmstripSlider.h"

std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>
FilmstripSlider::setUp (juce::Slider& slider,
                        juce::Slider::SliderStyle style,
                        juce::LookAndFeel& lookAndFeel,
                        juce::AudioProcessorValueTreeState& parameters,
                        const char* parameterId,
                        int dragForFullRange)
{
    slider.setSliderStyle (style);
    slider.setLookAndFeel (&lookAndFeel);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    slider.setSliderSnapsToMousePosition (false);
    slider.setMouseDragSensitivity (dragForFullRange);
    slider.setTitle (parameters.getParameter (parameterId)->getName (64));

    // The pointer would hide the control under it while dragging.
    slider.onDragStart = [&slider] { slider.setMouseCursor (juce::MouseCursor::NoCursor); };
    slider.onDragEnd = [&slider] { slider.setMouseCursor (juce::MouseCursor::ParentCursor); };

    return std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (parameters, parameterId, slider);
}
