#pragma once

#include "batch.h"
#include "eventhandler.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

class QProgressDialog;
class QWidget;

namespace quillet {

/// Keeps a window alive through a long series of renames: wraps the rename
/// service that the window's batch or undo renames through, and between two
/// files now and then lets the event loop run, so that the window repaints
/// and the desktop never takes it for hung. While it lives the window takes
/// no input, so nothing in it changes under the running work. Once the work
/// has run for half a second, a modal progress window shows how far it is,
/// with a Stop button that Escape also presses. A stop, or closing the
/// window, takes effect before the next file: the file being renamed
/// finishes, and NameFile then throws RenamingStopped.
class PacedRenamer final : public QObject, public RenameService
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PacedRenamer)

public:
    /// Renames the \a count files of \a folderPath through \a renamer for
    /// \a window. The progress reads \a progressText with %1 the number of
    /// the file being renamed, %2 \a count and %3 its name.
    PacedRenamer(QWidget *window, RenameService &renamer, const std::string &folderPath, int count,
                 QString progressText);
    ~PacedRenamer() override;

    void NameFile(const std::string &oldPath, const std::string &newPath) override;
    /// Whether the user closed the window meanwhile: it is to close once the
    /// work has stopped and been reported.
    bool closeRequested() const { return m_closeRequested; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Clock = std::chrono::steady_clock;

    void letEventsRun(const std::string &oldPath);
    void showProgress(const std::string &oldPath);

    QWidget *m_window;
    RenameService &m_renamer;
    std::size_t m_folderPrefix; // the folder path and the separator before a name
    int m_count;
    int m_done = 0;
    QString m_progressText;
    Clock::time_point m_started = Clock::now();
    Clock::time_point m_eventsLastRun = m_started;
    std::unique_ptr<QProgressDialog> m_progress;
    // The busy cursor of the window would hide that Stop can be clicked.
    std::optional<OverrideCursor> m_arrow;
    bool m_stopRequested = false;
    bool m_closeRequested = false;
};

} // namespace quillet
