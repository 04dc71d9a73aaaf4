#pragma once

#include "messages.h"
#include "renamingjob.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quillet {

/// Shows how far a running batch or undo has got, once it has run for half a
/// second: which file of how many, and, when the file system takes long over
/// one file, that it is waiting for it. Its Stop button, Escape and closing
/// it ask the job to stop. It is not modal: the window goes on answering.
class ProgressWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressWindow)

public:
    ProgressWindow(QWidget *window, RenamingJob &job, RenamingProgress::Kind kind, int total);
    ~ProgressWindow() override;

    /// Asks the job to stop and says so.
    void reject() override;

private:
    void refresh(const RenamingJob::Progress &progress);

    RenamingJob &m_job;
    RenamingProgress m_progress;
    QLabel *m_label;
    QProgressBar *m_bar;
    QPushButton *m_stop;
};

} // namespace quillet
