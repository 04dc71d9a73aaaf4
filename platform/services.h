#pragma once

#include "batch.h"
#include "drivelistbox.h"
#include "eventhandler.h"
#include "folderpath.h"
#include "foldermodel.h"
#include "heldfolder.h"
#include "namefile.h"
#include "startfolder.h"

#include <functional>
#include <memory>

namespace quillet {

/// Makes the rename service for the files of one folder.
using RenamerMaker = std::function<std::unique_ptr<RenameService>(HeldFolder folder)>;

/// Everything through which the window reaches the file systems and tells
/// the user of errors, handed to it, and through it to its lists, when it is
/// made; tests slow, hold or watch each of them. By default the real ones.
struct Services
{
    EntryReader readFolder = [](const HeldFolder &folder) { return ReadFolder(folder); };
    VolumeAsker askVolume = AskVolume;
    FolderFinder findFolder = [](const std::string &path) { return FolderToOpen(path); };
    ErrorReporter reportError = ShowErrorBox;
    RenamerMaker makeRenamer = [](HeldFolder folder) {
        return std::make_unique<FileRenamer>(std::move(folder));
    };
};

} // namespace quillet
