#pragma once

// The batch benchmark's FAT mode: the batch on a real FAT file system,
// mounted through FUSE, which offers neither RENAME_NOREPLACE nor hard links.
// Only Linux has the tools (one file per system).

#include <string>

namespace bench {

/// Renames every file of a folder and returns the milliseconds it took.
using FolderRun = double (*)(const std::string &folder);

/// Times \a batch on FAT against the tightest safe renaming there is, an
/// exclusive create of the new name and a rename over it, alternating
/// rounds on fresh copies of one image that holds \a fileCount photo-like
/// files, and prints "fat batch/baseline ratio". Returns the exit status.
int CompareOnFat(int fileCount, FolderRun batch);

} // namespace bench
