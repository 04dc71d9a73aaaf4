#pragma once

#include "volumes.h"

#include <QComboBox>

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

/// A drop-down of the volumes: drive letters on Windows; elsewhere the root
/// and the mounted real file systems, each shown with its mount point and
/// label, in order of mount point.
class DriveListBox final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DriveListBox)

public:
    /// Lists the volumes and picks the one holding the start folder (see
    /// StartFolder; the first if that cannot be told), without raising Change.
    explicit DriveListBox(QWidget *parent = nullptr);
    /// Lists \a volumes instead of the system's own.
    explicit DriveListBox(const std::vector<Volume> &volumes, QWidget *parent = nullptr);

    /// The picked volume's root folder, as DirListBox::SetPath accepts it.
    std::string Drive() const;

signals:
    /// The user picked a drive, even the one already picked.
    void Change();
};

/// The index of the entry of \a roots that holds \a folder: the longest one
/// that is \a folder itself or one of its ancestors, compared by whole path
/// components ("/media/usb" holds "/media/usb/a" but not "/media/usb2").
/// -1 if none does.
int VolumeHolding(const std::vector<std::string> &roots, std::string_view folder);

} // namespace quillet
