// Saving over a file the user owns: the new text goes to a temporary file beside the old one,
// which is renamed over it only once it is complete, so that a failed save leaves the old file as
// it was. What the user set on the old file (its permission bits, its group) stays.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tolvane::app {

// Replaces the file's content by `text`, or creates the file. A file that exists must be a regular
// file that this user may write; the new file gets its permission bits, and its owner and group
// as far as the user may set them. A symbolic link stays and its target is replaced. A new file
// gets the user's default permissions. A file that holds the text already is left untouched,
// once the file and its folder would have taken the save. Throws ProjectFileError
// (word_reader.h) with a message that names the file and says why; the old file is then
// unchanged and no temporary file stays.
void replaceFileKeepingPermissions(const std::filesystem::path& file, std::string_view text);

// Why the file cannot be written in place, empty when it can: it exists and is no regular file or
// may not be written, or it does not exist and its folder may not be written. Nothing changes.
std::string fileWriteProblem(const std::filesystem::path& file);

}  // namespace tolvane::app
