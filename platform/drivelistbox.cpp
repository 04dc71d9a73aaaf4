#include "drivelistbox.h"

#include "folderpath.h"
#include "startfolder.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

#include <utility>

namespace quillet {

namespace {

/// What assistive technology learns of a drive list: its name is the one the
/// window gives it, its value the picked drive, and its one child the list of
/// drives it drops down. Qt's own interface for a combo box names it by its
/// value on Linux, where it expects a label beside the box to name it; the
/// drive list has no label.
class DriveListInterface final : public QAccessibleWidget
{
public:
    explicit DriveListInterface(DriveListBox *box) : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? box()->currentText() : QAccessibleWidget::text(kind);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child != nullptr && child->object() == box()->view() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    // Pressing the box, or asking for its menu, drops the list down or closes it.
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return QAccessibleWidget::doAction(action);
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }

private:
    DriveListBox *box() const { return static_cast<DriveListBox *>(widget()); }
};

QAccessibleInterface *driveListInterface(const QString &className, QObject *object)
{
    if (className != QLatin1StringView(DriveListBox::staticMetaObject.className()))
        return nullptr;
    return new DriveListInterface(static_cast<DriveListBox *>(object));
}

QString entryText(const Volume &volume)
{
    return volume.label.isEmpty() ? volume.name
                                  : QStringLiteral("%1  [%2]").arg(volume.name, volume.label);
}

bool holds(std::string_view root, std::string_view folder)
{
    return !root.empty() && folder.starts_with(root) &&
           (folder.size() == root.size() || IsPathSeparator(root.back()) ||
            IsPathSeparator(folder[root.size()]));
}

} // namespace

DriveListBox::DriveListBox(QWidget *parent) : QComboBox(parent)
{
    [[maybe_unused]] static const bool interfaceInstalled =
        (QAccessible::installFactory(driveListInterface), true);
    connect(this, &QComboBox::activated, this, &DriveListBox::Change);
}

DriveListBox::DriveListBox(const std::vector<Volume> &volumes, QWidget *parent)
    : DriveListBox(parent)
{
    ShowVolumes(volumes);
}

DriveListBox::~DriveListBox() = default;

void DriveListBox::ShowVolumes(const std::vector<Volume> &volumes)
{
    m_volumes = volumes;
    std::vector<std::string> roots;
    for (const Volume &volume : volumes) {
        addItem(entryText(volume), QByteArray::fromStdString(volume.root));
        roots.push_back(volume.root);
    }

    // When no volume holds the start folder, the first entry stays picked.
    const int holding = VolumeHolding(roots, StartFolder());
    if (holding >= 0) {
        setCurrentIndex(holding);
    }
}

void DriveListBox::AskVolumes(const VolumeAsker &asker)
{
    for (const Volume &volume : m_volumes)
        m_questions.push_back(CallInBackground<std::optional<QString>>(
            [asker, root = volume.root] { return asker(root); },
            [this, volume](std::optional<QString> label) { showAnswer(volume, label); }));
}

// The picked entry stays: the folder list shows a folder on that volume.
void DriveListBox::showAnswer(const Volume &volume, const std::optional<QString> &label)
{
    const int index = findData(QByteArray::fromStdString(volume.root));
    if (label)
        setItemText(index, entryText({volume.root, volume.name, *label}));
    else if (index != currentIndex())
        removeItem(index);
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
