#include "SupportAddress.h"

#include <QString>

#include "Cp1252.h"
#include "Registry.h"
#include "UserMessage.h"

namespace {

bool IsLetterOrDigit(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
}

// The characters of a local part that mean nothing to a mail program's
// command line or to a mailto: address.
bool IsLocalCharacter(unsigned char c) {
    return IsLetterOrDigit(c) ||
           std::string_view(".!#$'*+/=^_`{|}~-").find(char(c)) != std::string_view::npos;
}

bool IsDomain(std::string_view domain) {
    if (domain.empty() || domain.size() > 253) return false;
    size_t start = 0;
    while (start <= domain.size()) {
        size_t dot = domain.find('.', start);
        if (dot == std::string_view::npos) dot = domain.size();
        const std::string_view label = domain.substr(start, dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') return false;
        for (unsigned char c : label)
            if (!IsLetterOrDigit(c) && c != '-') return false;
        start = dot + 1;
    }
    return true;
}

}  // namespace

bool IsAddressShaped(std::string_view address) {
    const size_t at = address.rfind('@');
    if (at == std::string_view::npos || at == 0 || address.size() > 254) return false;
    const std::string_view local = address.substr(0, at);
    if (local.front() == '-' || local.front() == '.' || local.back() == '.' || local.size() > 64)
        return false;
    for (unsigned char c : local)
        if (!IsLocalCharacter(c)) return false;
    return IsDomain(address.substr(at + 1));
}

std::string SupportAddress(bool* refused) {
    if (refused) *refused = false;
    std::string address;
    if (ReadString(settings::SettingsKey, SupportAddressValue, address) && !address.empty()) {
        address = cp1252::ToUtf8(address);  // the settings hold Windows-1252 text
        if (IsAddressShaped(address)) return address;
        if (refused) *refused = true;
    }
    return std::string(DefaultSupportAddress);
}

std::string SupportAddressForMail(QWidget* parent) {
    static bool said = false;
    bool refused = false;
    std::string address = SupportAddress(&refused);
    if (refused && !said) {
        said = true;
        ShowUserMessage(parent, QMessageBox::Warning,
                        QStringLiteral("The support address in the settings is not a mail address. "
                                       "The mail goes to %1 instead.")
                            .arg(QString::fromStdString(address)));
    }
    return address;
}
