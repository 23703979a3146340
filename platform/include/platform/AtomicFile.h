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
// link, the file it points to is replaced and the link is kept. Before it
// writes, it removes the temporary files of `path` that earlier saves,
// killed half-way, left behind (a running save locks its own).
bool WriteFileAtomically(const std::string& path, std::string_view data);

// The file `path` names after following its symbolic links, even where the
// last target does not exist; `path` itself when it is no link; empty for a
// loop of links.
std::string FollowLinks(const std::string& path);

// Reads the whole of `path` into `contents` without waiting on whatever
// stands there (a named pipe, a device): 0, or why it could not (errno):
// ENOENT for a missing file, ENOTSUP for what is not a regular file, EISDIR
// for a folder, EFBIG for more than `maxSize` bytes (also when it grows past
// that while being read). `contents` holds what was read.
int ReadWholeFile(const std::string& path, std::string& contents, long maxSize);

// Removes the temporary files ("name.XXXXXX") that saves of `path` killed
// half-way left behind, beside `path` and beside the file a link at `path`
// points to: only regular files of ours, at least `minimumAgeSeconds` old.
void RemoveStaleTemporaryFiles(const std::string& path, int minimumAgeSeconds = 60);

}  // namespace platform
