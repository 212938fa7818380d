#pragma once
// Writing a whole file so that the file stays what it was: the same name,
// mode, owner and group, reached through the same links, and never left
// partly written when the system refuses a write. This is the one place of
// the simulation libraries that calls the operating system (POSIX) directly.
#include <filesystem>
#include <string_view>

namespace kivo {

// Writes bytes, the complete content, as the file destination.
// - A symbolic link (or a chain of them) is followed: its target gets the
//   bytes and the link stays a link.
// - A file that the user may not write is refused, not replaced.
// - Normally the bytes go to a hidden temporary file beside the target
//   (".<name>.kivo-save-XXXXXX"), created exclusively, which takes the old
//   file's mode (and owner and group where the system allows), is flushed to
//   disk and only then renamed over the target; the folder is flushed after.
//   On failure the temporary file is removed and the target is untouched (a
//   failure to flush the folder comes after the rename, and is reported
//   although the file is already replaced).
//   After a successful save, temporary files of the same name left by an
//   earlier save that never finished are removed.
// - When the folder does not let the file be replaced but the file itself is
//   writable, the file is rewritten in place: space for the content is
//   reserved first where the file system allows, so that a full disk leaves
//   it untouched; a failure after that is reported as possibly incomplete.
// Throws FileError, naming destination as given.
void WriteFile(const std::filesystem::path& destination, std::string_view bytes);


}  // namespace kivo
