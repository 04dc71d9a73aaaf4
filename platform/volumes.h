#pragma once

#include <QString>

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
    /// Its label, empty when it has none or cannot be read.
    QString label;
};

/// The volumes worth offering, in the order the drive list shows them: on
/// Windows every drive letter; elsewhere the root and the mounted real file
/// systems, by mount point. One version per operating system.
std::vector<Volume> ListedVolumes();

} // namespace quillet
