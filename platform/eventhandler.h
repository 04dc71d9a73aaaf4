#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMessageBox;
class QWidget;

namespace quillet {

/// Shows the given cursor over every window for as long as it lives.
class OverrideCursor final
{
public:
    explicit OverrideCursor(Qt::CursorShape shape);
    ~OverrideCursor();
    OverrideCursor(const OverrideCursor &) = delete;
    OverrideCursor &operator=(const OverrideCursor &) = delete;
};

/// The box in which the user reads \a message by default: a warning whose
/// lines wrap even within a long file name or path.
std::unique_ptr<QMessageBox> MakeErrorBox(QWidget *window, const QString &message);

/// A button that the box reporting an error offers beside OK, such as one
/// that undoes what the failed action did, and what pressing it does once the
/// box has closed.
struct ErrorAction
{
    QString text;
    std::function<void()> run;
};

/// Shows \a message to the user on behalf of \a window, offering \a action
/// if there is one.
using ErrorReporter = std::function<void(QWidget *window, const QString &message,
                                         const std::optional<ErrorAction> &action)>;

/// The ErrorReporter the user sees: a modal message box.
void ShowErrorBox(QWidget *window, const QString &message,
                  const std::optional<ErrorAction> &action);

/// Runs \a handler; an error it raises is reported through \a report and
/// goes no further, so no exception ever crosses Qt's event loop. The window
/// stays as the failure left it.
void RunHandler(QWidget *window, const ErrorReporter &report,
                const std::function<void()> &handler);

} // namespace quillet
