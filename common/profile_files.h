#pragma once
// Profile files on disk.

#include <functional>
#include <optional>
#include <string>

#include "common/profile.h"

namespace gx {

bool FileExists(const std::string& path);

// Which files of a window's profile exist in `dir` (ending with "\").
ProfileChoice FindProfile(const std::string& dir, const ProfileNames& names);

// The profile text of a file, converted from the ANSI code page; nullopt when it
// can't be opened or read.
std::optional<ProfileText> ReadProfileTextFile(const std::string& path);

// Writes the text in the ANSI code page. The old file is replaced in one step
// only when the new one is complete, so readers never see half a profile and a
// failed write keeps the old one.
bool WriteProfileTextFile(const std::string& path, const ProfileText& text);

// Writes `bytes` to a temporary file beside `path`, then replaces `path` with it.
// `write` stands in for the file writes (a test makes it fail midway).
using WriteBytesFn = std::function<bool(void* file, const std::string& bytes)>;
bool ReplaceFileContents(const std::string& path, const std::string& bytes,
                         const WriteBytesFn& write = nullptr);

}  // namespace gx
