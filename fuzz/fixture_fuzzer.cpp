#include "fuzzinput.h"

#include "dorsk/memoryhelperdatamodel.h"
#include "platform/bluetooth/memorycentral.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"
#include "platform/registry/memorypowersources.h"
#include "platform/registry/memoryregistry.h"

#include <QCoreApplication>

// The simulated machine's file, section by section as the application loads it: each in-memory
// backend takes its section or refuses the file with a DecodingError.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    platform::Value document;
    try {
        document = platform::json::parse(fuzzBytes(data, size));
    } catch (const platform::DecodingError &) {
        return 0;
    }
    if (!document.isDictionary())
        return 0;
    try {
        platform::MemoryRegistry registry;
        registry.loadFixture(document);
        platform::MemoryPowerSources powerSources;
        powerSources.loadFixture(document);
        platform::MemoryCentral central;
        central.loadFixture(document);
        dorsk::MemoryHelperDataModel helper;
        helper.loadFixture(document);
    } catch (const platform::DecodingError &) {
    }
    return 0;
}
