// The icon a language module carries, as the windows of its verbs and
// searches show it.
#pragma once

#include <QIcon>

class LanguageModule;

// The module's icon (decoded once per module); a null icon when it has none.
QIcon ModuleIcon(const LanguageModule* module);
