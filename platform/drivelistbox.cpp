#include "drivelistbox.h"

#include "folderpath.h"
#include "folderreader.h"

namespace quillet {

namespace {

bool holds(std::string_view root, std::string_view folder)
{
    return !root.empty() && folder.starts_with(root) &&
           (folder.size() == root.size() || IsPathSeparator(root.back()) ||
            IsPathSeparator(folder[root.size()]));
}

} // namespace

DriveListBox::DriveListBox(QWidget *parent) : DriveListBox(ListedVolumes(), parent) {}

DriveListBox::DriveListBox(const std::vector<Volume> &volumes, QWidget *parent) : QComboBox(parent)
{
    std::vector<std::string> roots;
    for (const Volume &volume : volumes) {
        const QString text = volume.label.isEmpty()
                                 ? volume.name
                                 : QStringLiteral("%1  [%2]").arg(volume.name, volume.label);
        addItem(text, QByteArray::fromStdString(volume.root));
        roots.push_back(volume.root);
    }

    // Without a current folder the first entry stays picked.
    const int holding = VolumeHolding(roots, CurrentFolder());
    if (holding >= 0) {
        setCurrentIndex(holding);
    }
    connect(this, &QComboBox::activated, this, &DriveListBox::Change);
}

std::string DriveListBox::Drive() const
{
    return currentData().toByteArray().toStdString();
}

int VolumeHolding(const std::vector<std::string> &roots, std::string_view folder)
{
    int best = -1;
    for (int i = 0; i < static_cast<int>(roots.size()); ++i) {
        if (holds(roots[i], folder) && (best < 0 || roots[i].size() > roots[best].size())) {
            best = i;
        }
    }
    return best;
}

} // namespace quillet
