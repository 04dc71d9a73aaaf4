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
#include <vector>

namespace quillet {

/// Lists the volumes the drive list offers, as ListedVolumes does, asking
/// none of them anything.
using VolumeLister = std::function<std::vector<Volume>()>;

/// Makes the rename service for the files of one folder.
using RenamerMaker = std::function<std::unique_ptr<RenameService>(HeldFolder folder)>;

/// Everything through which the window reaches the file systems and tells
/// the user of errors, handed to it, and through it to its lists, when it is
/// made; tests slow, hold, watch or narrow each of them. By default the real
/// ones.
struct Services
{
    EntryReader readFolder = [](const HeldFolder &folder) { return ReadFolder(folder); };
    VolumeLister listVolumes = ListedVolumes;
    VolumeAsker askVolume = AskVolume;
    FolderFinder findFolder = [](const std::string &path) { return FolderToOpen(path); };
    ErrorReporter reportError = ShowErrorBox;
    RenamerMaker makeRenamer = [](HeldFolder folder) {
        return std::make_unique<FileRenamer>(std::move(folder));
    };
};

} // namespace quillet
