// Loading shared libraries at run time and looking up their entry points.
//
// LoadModule looks for a bare name in the program's own directory, then in
// the install directory, never through the system's library search (where a
// library planted in the current directory could be found); a name with a
// slash in it is taken as a path. A library file cut short is refused before
// the loader maps it. Every failing call records an errno-style code
// (LastErrorCode) and the loader's own text (LastErrorMessage); successful
// calls leave both as they were, so the code of the last failure is still
// there after any clean-up that follows it.
#pragma once

#include <string>

namespace platform {

struct LoadedModule;
using ModuleHandle = LoadedModule*;

// Null on failure: ENOENT when the file is found nowhere, EACCES when it
// cannot be read, ENOEXEC when it is not a loadable library or is cut short.
ModuleHandle LoadModule(const std::string& fileName);

// The address of an exported function or data symbol, or null (ENOSYS) when
// the module does not export that name or the handle is null (EINVAL).
void* FindEntryPoint(ModuleHandle module, const char* name);

// Releases the module; false (EINVAL) for a null handle.
bool FreeModule(ModuleHandle module);

// The code and text of the last failure of a platform call on this thread.
int LastErrorCode();
std::string LastErrorMessage();

// Records a failure; used by the other platform facilities.
void SetLastError(int code, std::string message = {});

// The directory of the running program, without a trailing slash.
std::string ProgramDirectory();

}  // namespace platform
