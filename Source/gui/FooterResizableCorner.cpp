#include "gui/FooterResizableCorner.h"

#include "plugin/VantorraCoilvoxAudioProcessor.h"

namespace OV
{
FooterResizableCorner::FooterResizableCorner (juce::AudioProcessorEditor& e,
                                              juce::ComponentBoundsConstrainer* c,
                                              VantorraCoilvoxAudioProcessor& p)
    : editor (&e)
    , constrainer (c)
    , processor (p)
{
    setMouseCursor (juce::MouseCursor::BottomRightCornerResizeCursor);
    setRepaintsOnMouseActivity (true);
    setTitle ("Resize");
}

bool FooterResizableCorner::hitTest (int x, int y)
{
    const int w = getWidth();
    const int h = getHeight();

    if (w <= 0)
        return false;

    // The lower-right triangle, reaching a quarter of the height further up.
    return y >= h - h * x / w - h / 4;
}

void FooterResizableCorner::paint (juce::Graphics& g)
{
    getLookAndFeel().drawCornerResizer (g, getWidth(), getHeight(), isMouseOverOrDragging(), isMouseButtonDown());
}

void FooterResizableCorner::mouseDown (const juce::MouseEvent& event)
{
    if (editor == nullptr)
        return;

    originalBounds = editor->getBounds();

    if (constrainer != nullptr)
        constrainer->resizeStart();

    lastDragPosition = event.getScreenPosition();
}

void FooterResizableCorner::mouseDrag (const juce::MouseEvent& event)
{
    if (editor == nullptr)
        return;

    const auto p = event.getScreenPosition();
    const juce::Rectangle<int> r (originalBounds.getX(),
                                  originalBounds.getY(),
                                  juce::jmax (0, originalBounds.getWidth() + p.x - lastDragPosition.x),
                                  juce::jmax (0, originalBounds.getHeight() + p.y - lastDragPosition.y));
    lastDragPosition = p;
    originalBounds = r;

    if (constrainer != nullptr)
        constrainer->setBoundsForComponent (editor, r, false, false, true, true);
    else if (auto* positioner = editor->getPositioner())
        positioner->applyNewBounds (r);
    else
        editor->setBounds (r);
}

void FooterResizableCorner::mouseUp (const juce::MouseEvent&)
{
    if (constrainer != nullptr)
        constrainer->resizeEnd();

    // The width the window actually has: a drag past a limit would otherwise store a width the user
    // never saw, and a later opening on a larger display would grow to it.
    if (editor != nullptr)
        storeWidth (editor->getWidth());
}

void FooterResizableCorner::storeWidth (int width)
{
    processor.editorWidth = width;

    if (auto* file = processor.settings.getUserSettings())
    {
        if (file->getValue (settingsKey) != juce::String (width))
            file->setValue (settingsKey, width);

        file->saveIfNeeded();
    }
}
} // namespace OV
