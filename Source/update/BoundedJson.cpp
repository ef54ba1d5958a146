#include "update/BoundedJson.h"

namespace OV
{
juce::var BoundedJson::parse (const juce::String& text)
{
    const auto shape = measure (text);

    if (shape.depth > maximumDepth || shape.longestDigitRun > maximumDigits)
        return {};

    return juce::JSON::parse (text);
}

int BoundedJson::nestingDepth (const juce::String& text) { return measure (text).depth; }

int BoundedJson::longestDigitRun (const juce::String& text) { return measure (text).longestDigitRun; }

BoundedJson::Shape BoundedJson::measure (const juce::String& text)
{
    Shape shape;
    int depth = 0, run = 0;
    juce::juce_wchar quote = 0;

    for (auto p = text.getCharPointer(); ! p.isEmpty();)
    {
        const auto c = p.getAndAdvance();

        if (quote != 0)
        {
            // The parser's strings take either quote and a backslash before any character (read as it
            // reads it: a step over malformed UTF-8 could otherwise pass the end of the text).
            if (c == '\\' && ! p.isEmpty())
                p.getAndAdvance();
            else if (c == quote)
                quote = 0;

            continue;
        }

        run = juce::CharacterFunctions::isDigit (c) ? run + 1 : 0;
        shape.longestDigitRun = juce::jmax (shape.longestDigitRun, run);

        if (c == '"' || c == '\'')
        {
            quote = c;
        }
        else if (c == '[' || c == '{')
        {
            shape.depth = juce::jmax (shape.depth, ++depth);

            // Counting further would only take time: the text is refused either way.
            if (shape.depth > maximumDepth)
                return shape;
        }
        else if ((c == ']' || c == '}') && depth > 0)
        {
            --depth;
        }
    }

    return shape;
}
} // namespace OV
