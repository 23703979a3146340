// The maker's address that comment and definitions mail go to.
#pragma once

#include <string>
#include <string_view>

class QWidget;

// The default, used while the settings hold no "Support Address".
inline constexpr std::string_view DefaultSupportAddress = "support@plimo.example.org";
// The settings value (a string under the program's settings key) that replaces it.
inline constexpr std::string_view SupportAddressValue = "Support Address";

// Whether `address` (UTF-8) is a plain mail address, local@domain, and
// nothing else: no spaces, control bytes, '?', '&', '%', brackets, quotes or
// commas, no leading '-'. The mail composer gets it as a recipient; anything
// more could reach it as an option ("--help") or a mailto: header
// ("x@example.net?attach=/etc/shadow").
bool IsAddressShaped(std::string_view address);

// The address (UTF-8) from the settings, or the default when none (or an
// empty one) is stored, or when the stored one is no plain mail address;
// `refused` (if given) is then set.
std::string SupportAddress(bool* refused = nullptr);

// SupportAddress for a mail about to be sent: a stored address that is
// refused is reported (under `parent`) the first time in a run.
std::string SupportAddressForMail(QWidget* parent);
