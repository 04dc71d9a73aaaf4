#pragma once

#include <functional>
#include <string>

namespace quillet {

/// The folder the window's drive, folder and file lists start on: the
/// current working folder, unless SetStartFolder named another.
std::string StartFolder();

/// Whether SetStartFolder named the start folder, rather than it being the
/// working folder Quillet was started in.
bool StartFolderNamed();

/// Finds the folder to open for a path as FolderToOpen does, asking the
/// path's file system whether it names a file.
using FolderFinder = std::function<std::string(const std::string &path)>;

/// Makes the lists made from now on start on the folder that \a finder
/// finds to open for \a path: the folder named on the command line. An empty
/// path names the current working folder, as it does to FolderToOpen. Waits
/// for the path's file system a moment at most: one that has not told by
/// then whether \a path names a file is taken to hold a folder there, which
/// the lists then read in the background, as they read any.
void SetStartFolder(const std::string &path, const FolderFinder &finder);

} // namespace quillet
