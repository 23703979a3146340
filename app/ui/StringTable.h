// The program's string table (resource strings.txt): texts by number.
#pragma once

#include <QString>

// The text of string `id`, or an empty string when there is none.
QString LoadString(int id);

// The status-bar prompt of a command string (the text before "\n") and its
// tooltip (the text after it).
QString PromptOf(const QString& text);
QString TooltipOf(const QString& text);
