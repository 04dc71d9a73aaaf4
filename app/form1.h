#pragma once

#include "folderreader.h"

#include <QWidget>

#include <memory>
#include <set>
#include <string>

namespace Ui {
class Form1;
}

namespace quillet {

/// Quillet's one window: pick a drive, a folder and a pattern, then rename
/// the listed files so that their names hold no spaces.
class Form1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

private:
    void OnDriveChange();
    void OnFolderChange();
    void OnPatternChange();
    void OnRemoveSpacesClick();
    void showStartFolderInstead(const FolderError &failure);
    void rememberRenamed();
    void forgetRenamed();

    /// The old names of the files that the batches since the file list last
    /// read its folder have renamed: it still lists them by those names.
    std::set<std::string> m_renamedSinceRead;
    std::unique_ptr<Ui::Form1> m_ui;
};

} // namespace quillet
