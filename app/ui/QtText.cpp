#include "QtText.h"

#include "Cp1252.h"

QString FromCp1252(const char* text) {
    if (text == nullptr) return QString();
    return FromCp1252(std::string_view(text));
}

QString FromCp1252(std::string_view text) {
    std::u16string utf16 = cp1252::ToUtf16(text);
    return QString::fromUtf16(utf16.data(), qsizetype(utf16.size()));
}

std::optional<std::string> ToCp1252(const QString& text, QString* error) {
    std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
    cp1252::Conversion result = cp1252::FromUtf16(view);
    if (!result.ok) {
        if (error) *error = QString::fromStdString(result.ErrorMessage());
        return std::nullopt;
    }
    return std::move(result.text);
}
