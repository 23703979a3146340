#include "SupportAddress.h"

#include "Cp1252.h"
#include "Registry.h"

std::string SupportAddress() {
    std::string address;
    if (ReadString(settings::SettingsKey, SupportAddressValue, address) && !address.empty())
        return cp1252::ToUtf8(address);  // the settings hold Windows-1252 text
    return std::string(DefaultSupportAddress);
}
