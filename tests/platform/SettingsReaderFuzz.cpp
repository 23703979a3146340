// Fuzz target: arbitrary bytes read as a settings file, then written out and
// read back; what was read must survive the round trip unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/SettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A store on a path that can be neither read nor written (below a file).
    platform::SettingsStore store("/dev/null/settings.reg");
    store.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string once = store.Serialize();
    platform::SettingsStore again("/dev/null/settings.reg");
    again.Parse(once);
    if (again.Serialize() != once) std::abort();
    if (once.size() > 64 * (size + 64)) std::abort();  // no blow-up of what was given
    return 0;
}
