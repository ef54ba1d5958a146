// Arbitrary content in the two JSON state files ("Notification.ov", "Section.ov").
#include "FuzzSupport.h"

#include "update/StateFiles.h"

namespace
{
struct Fixture
{
    juce::File settings = fuzzsupport::scratchFolder ("state-files");
};

const juce::File& settings() { return fuzzsupport::shared<Fixture>().settings; }
} // namespace

COILVOX_FUZZ_INITIALISE (Fixture)

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    using OV::StateFiles;
    const std::pair<const char*, const char*> files[] = { { StateFiles::notificationFile, StateFiles::notificationKey },
                                                          { StateFiles::sectionFile, StateFiles::sectionKey } };

    for (const auto& [fileName, key] : files)
    {
        settings().getChildFile (fileName).replaceWithData (data, size);
        const auto filesBefore = fuzzsupport::snapshotFiles (settings());

        const auto value = StateFiles::readStateFlag (fileName, key, settings());

        fuzzsupport::check (fuzzsupport::snapshotFiles (settings()) == filesBefore,
                            "reading a state file changed a file");

        // A plain value read back after writing it is the same value.
        if (value.isBool() || value.isInt() || value.isInt64() || value.isString())
        {
            fuzzsupport::check (StateFiles::writeStateFile (fileName, key, value, settings()),
                                "a state file could not be written");
            fuzzsupport::check (StateFiles::readStateFlag (fileName, key, settings()) == value,
                                "a state value changed in a write/read round trip");
        }

        StateFiles::deleteStateFile (fileName, key, settings());
        fuzzsupport::check (! settings().getChildFile (fileName).exists(), "a state file was not removed");
    }

    return 0;
}
