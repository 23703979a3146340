// Replacing a file's contents so that a crash or a full disk never leaves a
// half-written file: the data goes to a temporary file in the same folder,
// is flushed to disk, and is then renamed over the target.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True when `path` now holds exactly `data`. On failure the previous file
// (if any) is untouched, no temporary file is left behind, and
// LastErrorCode()/LastErrorMessage() tell why. When `path` is a symbolic
// link, the file it points to is replaced and the link is kept.
bool WriteFileAtomically(const std::string& path, std::string_view data);

}  // namespace platform
