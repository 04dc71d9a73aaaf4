#pragma once

#include <QComboBox>

#include <string>

namespace quillet {

/// A drop-down of the volumes: drive letters on Windows; elsewhere the root
/// and the mounted real file systems, each shown with its mount point and label.
class DriveListBox final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DriveListBox)

public:
    /// Lists the volumes and picks the one holding the current working folder.
    explicit DriveListBox(QWidget *parent = nullptr);

    /// The picked volume's root folder, as DirListBox::SetPath accepts it.
    std::string Drive() const;

signals:
    /// The user picked a drive.
    void Change();
};

} // namespace quillet
