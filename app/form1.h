#pragma once

#include "batch.h"
#include "foldermodel.h"
#include "heldfolder.h"
#include "messages.h"
#include "renamingjob.h"
#include "services.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;

namespace Ui {
class Form1;
}

namespace quillet {

class ProgressWindow;

/// Quillet's one window: pick a drive, a folder and a pattern, then rename
/// the listed files so that their names hold no spaces.
class Form1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    /// Reaches the file systems, and tells of errors, through \a services
    /// alone; its lists too.
    explicit Form1(Services services = {}, QWidget *parent = nullptr);
    ~Form1() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void OnDriveChange();
    void OnFolderChange();
    void OnPatternChange();
    void OnRemoveSpacesClick();
    void OnUndo();
    /// Connects \a signal of \a sender to \a handler, run through runHandler.
    template <typename Sender, typename Signal>
    void connectHandler(Sender *sender, Signal signal, void (Form1::*handler)());
    /// Runs \a handler; an error it raises is reported, never thrown.
    void runHandler(const std::function<void()> &handler);
    void report(const QString &message, const std::optional<ErrorAction> &action = std::nullopt);
    /// Reports \a message once the window is on the screen.
    void reportOnceShown(const QString &message);
    void startJob(RenamingProgress::Kind kind, int count, RenamingJob::Work work,
                  HeldFolder folder);
    void setJobRunning(bool running);
    void enableRemoveSpaces();
    void listRenamed(const RenamingJob::Progress &progress);
    void finishJob();
    void batchFinished(RenamingResult result, HeldFolder &folder);
    void undoFinished(const RenamingResult &result, const std::string &undoneIn);
    /// The folder the undo renames in when the window shows another; empty
    /// when it shows that one, or when there is nothing to undo.
    std::string undoElsewhere() const;
    void showUndoFolder();
    void openStartFolder();
    void folderChanged();
    void folderReadFailed(const FolderError &failure);
    void showRootInstead(const FolderError &failure);
    void reportFolderFailure(const FolderError &failure);

    /// How many of the file list's first files the batches since it last
    /// read its folder have renamed: it still lists them by their old names.
    int m_renamedSinceRead = 0;
    /// The files the last batch that changed a name renamed to another name,
    /// for as long as it can be undone: until the next batch that changes a
    /// name, or the undo.
    RenamedFiles m_lastBatch;
    /// The folder that batch renamed in, held open: its undo renames there,
    /// whatever folder the window shows by then.
    HeldFolder m_lastBatchFolder;
    /// Another hold on the folder the running job renames in: a batch's
    /// becomes m_lastBatchFolder should it change a name, and the end of an
    /// undo compares its path with the folder shown.
    HeldFolder m_jobFolder;
    /// Since the last batch ended.
    QElapsedTimer m_batchEnded;
    /// The folder whose failure to be read the user has been told of since
    /// the folder list last opened a folder.
    std::optional<std::string> m_toldFailureOf;
    /// Whether the folder model reads the start folder, which, should it
    /// fail, gives way to the root.
    bool m_readingStart = false;
    /// What is to be reported once the window is on the screen.
    std::optional<QString> m_reportOnceShown;
    Services m_services;
    /// The open folder, as both lists show it.
    FolderModel *m_folders = new FolderModel(m_services.readFolder, this);
    QAction *m_undo = nullptr;
    QAction *m_stop = nullptr;
    std::unique_ptr<RenamingJob> m_job;
    std::unique_ptr<ProgressWindow> m_progress;
    RenamingProgress::Kind m_jobKind = RenamingProgress::Kind::Batch;
    QPointer<QWidget> m_focusBeforeJob;
    /// Where the keyboard focus went when Remove Spaces was disabled with it.
    QPointer<QWidget> m_focusPassedTo;
    bool m_closeRequested = false;
    std::unique_ptr<Ui::Form1> m_ui;
};

} // namespace quillet
