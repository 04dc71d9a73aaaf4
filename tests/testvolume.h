#pragma once

#include "testmount.h"
#include "testutil.h"

#include <filesystem>
#include <memory>

namespace testutil {

/// A fresh file system of \a kind, made and mounted in a temporary folder of
/// its own for as long as the object lives, or why that failed.
struct TestVolume
{
    TempFolder dir;
    std::string mountPoint = join(dir.path(), "mnt");
    std::unique_ptr<Mount> mount;
    std::string failure;

    explicit TestVolume(FileSystem kind)
    {
        try {
            std::filesystem::create_directory(mountPoint);
            mount = std::make_unique<Mount>(kind, join(dir.path(), "image"), mountPoint);
        } catch (const std::exception &error) {
            failure = std::string(fileSystemName(kind)) + ": " + error.what();
        }
    }
};

} // namespace testutil

Q_DECLARE_METATYPE(testutil::FileSystem)
