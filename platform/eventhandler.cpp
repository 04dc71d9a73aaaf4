#include "eventhandler.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <utility>

namespace quillet {

namespace {

/// Shows the given cursor over every window for as long as it lives.
class OverrideCursor final
{
public:
    explicit OverrideCursor(Qt::CursorShape shape) { QApplication::setOverrideCursor(shape); }
    ~OverrideCursor() { QApplication::restoreOverrideCursor(); }
    OverrideCursor(const OverrideCursor &) = delete;
    OverrideCursor &operator=(const OverrideCursor &) = delete;
};

void showMessageBox(QWidget *window, const QString &message)
{
    // The box may come up while a handler's busy cursor is still shown.
    const OverrideCursor arrow(Qt::ArrowCursor);
    QMessageBox::warning(window, QApplication::applicationDisplayName(), message);
}

ErrorReporter &currentReporter()
{
    static ErrorReporter reporter = showMessageBox;
    return reporter;
}

} // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter)
{
    return std::exchange(currentReporter(), std::move(reporter));
}

void ReportError(QWidget *window, const QString &message)
{
    currentReporter()(window, message);
}

void RunHandler(QWidget *window, const std::function<void()> &handler)
{
    try {
        // A large folder or a long batch keeps the window busy for a while,
        // and it takes no input meanwhile: say so.
        const OverrideCursor busy(Qt::WaitCursor);
        handler();
    } catch (const std::exception &error) {
        ReportError(window, QString::fromUtf8(error.what()));
    } catch (...) {
        ReportError(window, QObject::tr("An unexpected error stopped the action."));
    }
}

} // namespace quillet
