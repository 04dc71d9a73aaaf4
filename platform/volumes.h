#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace quillet {

/// A volume the drive list offers.
struct Volume
{
    /// Its root folder, as bytes, as DirListBox::SetPath accepts it.
    std::string root;
    /// How the user knows it: its drive letter ("C:") or its mount point.
    QString name;
    /// Its label, empty when it has none or is not known.
    QString label;
};

/// The volumes that may be worth offering, in the order the drive list shows
/// them, found without asking any of them, which may hang: on Windows every
/// drive letter; elsewhere the root and the mounted file systems that may
/// hold a user's files, by mount point. Their labels are not known yet. One
/// version per operating system.
std::vector<Volume> ListedVolumes();

/// Asks the volume at \a root for its label (empty when it has none), or
/// answers nothing when the volume is not worth offering after all: elsewhere
/// than on Windows, one that is not ready or whose root is not a folder (the
/// root is always offered). Waits as long as the volume's file system does.
/// One version per operating system.
std::optional<QString> AskVolume(const std::string &root);

} // namespace quillet
