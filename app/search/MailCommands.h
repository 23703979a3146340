// Help > Send Email: a comment to the program's maker, and the user's own
// English definitions sent to the maker as an attached file.
#pragma once

#include <string>

class LanguageModule;
class QWidget;

// The subjects of the two mails.
inline constexpr const char* CommentSubject = "Plimo Comment";
inline constexpr const char* DefinitionsSubject = "Plimo - English Definitions Update";

// Opens the user's mail program on a new message to `supportAddress` with
// the subject "Plimo Comment"; the user writes the comment there.
void SendCommentMail(QWidget* owner, const std::string& supportAddress);

// Writes `module`'s definitions file and opens the user's mail program on a
// message to `supportAddress` with the file attached. When the user has not
// changed any definition, explains how to instead and sends nothing.
void SendDefinitionsMail(QWidget* owner, LanguageModule* module, const std::string& supportAddress);
