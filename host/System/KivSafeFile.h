#pragma once
// Reading and replacing whole files without the hazards of plain streams.
//
// Read takes regular files only: a folder, a FIFO, a socket or a device such
// as /dev/zero is refused before a byte is read, so no input can block the
// caller or fill its memory without end.
//
// Replace writes the new content to a fresh temporary file beside the
// target (created exclusively under an unpredictable name, so nothing can be
// planted there in advance), flushes it to the disk and renames it over the
// target: readers see the old file or the new one, never a part, and a
// failure removes the temporary and leaves the old file as it was. A
// symbolic link is kept and its target replaced; anything that is not a
// regular file (a device, a FIFO, a folder) is refused. The old file's
// permission bits are kept; a new file gets the usual ones (0666 less the
// umask).
#include <string>
#include <string_view>

class KivSafeFile {
 public:
  // True with `bytes` filled; false with `error` saying why ("cannot open
  // the file: No such file or directory").
  static bool Read(const std::string& path, std::string& bytes, std::string& error);

  // True when `path` holds `bytes`; false with `error` giving the reason
  // and the system's error text ("cannot create a temporary file beside it:
  // Permission denied").
  static bool Replace(const std::string& path, std::string_view bytes, std::string& error);
};
