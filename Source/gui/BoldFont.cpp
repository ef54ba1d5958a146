#include "gui/BoldFont.h"

#include "gui/ImageStore.h"

#include <map>

juce::Typeface::Ptr embeddedTypeface (const juce::String& resourceName)
{
    static std::map<juce::String, juce::Typeface::Ptr> typefaces;

    auto& typeface = typefaces[resourceName];

    if (typeface == nullptr)
    {
        int size = 0;

        if (const auto* data = ImageStore::getData (resourceName, size))
            typeface = juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
    }

    return typeface;
}

juce::Font makeBoldFont (float height)
{
    if (auto typeface = embeddedTypeface ("InterBold_otf"))
        return juce::Font (typeface).withHeight (height);

    return juce::Font (height, juce::Font::bold);
}
