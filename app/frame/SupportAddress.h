// The maker's address that comment and definitions mail go to.
#pragma once

#include <string>
#include <string_view>

// The default, used while the settings hold no "Support Address".
inline constexpr std::string_view DefaultSupportAddress = "support@plimo.example.org";
// The settings value (a string under the program's settings key) that replaces it.
inline constexpr std::string_view SupportAddressValue = "Support Address";

// The address (UTF-8) from the settings, or the default when none (or an
// empty one) is stored.
std::string SupportAddress();
