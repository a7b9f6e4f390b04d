// Writes a whole file or nothing: the bytes go to a temporary file in the
// same folder, which is synced and then renamed over the chosen name. On any
// failure the temporary file is removed and a file already under that name
// is left as it was.
#pragma once

#include <string>
#include <string_view>

namespace curvalia::platform {

// 0 on success, else the errno of the step that failed (ENOENT for a folder
// that does not exist, EACCES for one without write permission, ENOSPC for
// a full disk, EISDIR when path names a folder, ...).
int writeFileAtomically(const std::string& path, std::string_view bytes);

// The folder part of path ("." for a bare name).
std::string folderOf(const std::string& path);

} // namespace curvalia::platform
