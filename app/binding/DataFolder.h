// Where a Plimo started from the desktop menu keeps the user's definitions.
//
// The definitions file lives in the folder Plimo starts from. The menu
// starts Plimo in the home folder, where a French.txt would lie loose among
// the user's own files, so the menu entry asks for the user's data folder
// instead: $XDG_DATA_HOME/Plimo, or ~/.local/share/Plimo.
#pragma once

#include <string>

// $XDG_DATA_HOME/Plimo (an absolute XDG_DATA_HOME only), else
// $HOME/.local/share/Plimo.
std::string UserDataFolder();

// Makes the data folder (and its parents) when missing and makes it the
// current folder. Before that, a definitions file `definitionsFileName`
// that an earlier version left in the home folder is copied there, when the
// data folder has none; the home folder's file is never changed, and a file
// there that is not a definitions file is not copied. Returns false, with
// `error` for the user, when the folder cannot be made or entered; the
// current folder is then unchanged.
bool EnterUserDataFolder(const std::string& definitionsFileName, std::string& error);
