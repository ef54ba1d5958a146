#pragma once

#include <juce_core/juce_core.h>

#include <memory>

/** The processor's state chunk as the framework writes it (a magic number, the text's length and the
    XML text), read with a bound on element nesting: the framework's XML reader calls itself once per
    level, so a crafted project or preset of nested tags would exhaust the stack and take the host
    down. Any thread but the audio thread. */
class StateChunk
{
public:
    /** Far beyond what our chunks hold (two levels), far below what any stack survives. */
    static constexpr int maximumDepth = 32;

    /** The chunk's XML, or nullptr when the data lacks the chunk header, or its text is not valid
        UTF-8, not a well-formed document of elements (a document type declaration included) or nests
        deeper than maximumDepth. An attribute given twice in one element keeps its first value. */
    static std::unique_ptr<juce::XmlElement> parse (const void* data, size_t sizeInBytes);

    /** The element depth of a well-formed document, or -1 for text this check does not accept:
        anything but elements, quoted attributes, text, comments and CDATA after an optional header,
        and anything deeper than maximumDepth. Reads without recursion. */
    static int elementDepth (const juce::String& text);

    /** How a switch's stored value reads: on when its first non-blank character is 1, t, y, T or Y.
        The preset check and the restore both read switches so, so that they never disagree. */
    static bool isOnValue (const juce::String& value);

private:
    /** The reader keeps a repeated attribute twice; the value tree then answers with the first while
        writing the chunk back leaves the last, so a restored value changed on the next restore.
        The first is what counts, as for every other query. */
    static void keepFirstAttributes (juce::XmlElement& element);
};
