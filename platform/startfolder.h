#pragma once

#include <string>

namespace quillet {

/// The folder the window's drive, folder and file lists start on: the
/// current working folder, unless SetStartFolder named another.
std::string StartFolder();

/// Makes the lists made from now on start on the folder to open for \a path
/// (see FolderToOpen): the folder named on the command line. An empty path
/// names the current working folder, as it does to FolderToOpen.
void SetStartFolder(const std::string &path);

} // namespace quillet
