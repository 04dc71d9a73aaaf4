#pragma once

#include "backgroundcall.h"
#include "volumes.h"

#include <QComboBox>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

/// Asks the volume at a root as AskVolume does. Called on a worker thread,
/// where it may wait as long as the volume's file system does.
using VolumeAsker = std::function<std::optional<QString>(const std::string &root)>;

/// A drop-down of the volumes: drive letters on Windows; elsewhere the root
/// and the mounted real file systems, each shown with its mount point and
/// label, in order of mount point.
class DriveListBox final : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DriveListBox)

public:
    /// An empty list, until ShowVolumes fills it.
    explicit DriveListBox(QWidget *parent = nullptr);
    /// Lists \a volumes at once, as ShowVolumes does.
    explicit DriveListBox(const std::vector<Volume> &volumes, QWidget *parent = nullptr);
    ~DriveListBox() override;

    /// Lists \a volumes, by their roots alone, and picks the one holding the
    /// start folder (see StartFolder; the first if that cannot be told),
    /// without raising Change. Called once, before AskVolumes.
    void ShowVolumes(const std::vector<Volume> &volumes);

    /// Asks each volume listed through \a asker, in the background, on a
    /// worker thread of its own so that one that hangs holds up no other:
    /// its entry takes its label once it answers, and goes if the volume is
    /// not worth offering. One that never answers stays listed by its root
    /// alone and can be picked. Called once.
    void AskVolumes(const VolumeAsker &asker);

    /// The picked volume's root folder, as DirListBox::SetPath accepts it.
    std::string Drive() const;

signals:
    /// The user picked a drive, even the one already picked.
    void Change();

private:
    void showAnswer(const Volume &volume, const std::optional<QString> &label);

    std::vector<Volume> m_volumes;
    std::vector<std::unique_ptr<BackgroundCall>> m_questions;
};

/// The index of the entry of \a roots that holds \a folder: the longest one
/// that is \a folder itself or one of its ancestors, compared by whole path
/// components ("/media/usb" holds "/media/usb/a" but not "/media/usb2").
/// -1 if none does.
int VolumeHolding(const std::vector<std::string> &roots, std::string_view folder);

} // namespace quillet
