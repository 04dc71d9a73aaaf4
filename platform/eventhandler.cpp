#include "eventhandler.h"

#include "messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <exception>
#include <memory>
#include <utility>

namespace quillet {

namespace {

// A line breaks at a space, but a long file name has none, and the box would
// cut it off at its right edge. A zero-width space within every long run lets
// such a run wrap.
QString wrappable(const QString &message)
{
    constexpr int kLongestRun = 24;
    QString text;
    text.reserve(message.size() + message.size() / kLongestRun);
    int run = 0;
    for (const QChar c : message) {
        if (run >= kLongestRun && !c.isLowSurrogate()) {
            text += QChar(0x200B);
            run = 0;
        }
        text += c;
        run = c.isSpace() ? 0 : run + 1;
    }
    return text;
}

} // namespace

void ShowErrorBox(QWidget *window, const QString &message, const std::optional<ErrorAction> &action)
{
    bool actionPressed = false;
    {
        // The box may come up while a handler's busy cursor is still shown.
        const OverrideCursor arrow(Qt::ArrowCursor);
        const std::unique_ptr<QMessageBox> box = MakeErrorBox(window, message);
        const QPushButton *actionButton =
            action ? box->addButton(action->text, QMessageBox::ActionRole) : nullptr;
        box->exec();
        actionPressed = actionButton != nullptr && box->clickedButton() == actionButton;
    }
    if (actionPressed)
        action->run();
}

OverrideCursor::OverrideCursor(Qt::CursorShape shape)
{
    QApplication::setOverrideCursor(shape);
}

OverrideCursor::~OverrideCursor()
{
    QApplication::restoreOverrideCursor();
}

std::unique_ptr<QMessageBox> MakeErrorBox(QWidget *window, const QString &message)
{
    return std::make_unique<QMessageBox>(QMessageBox::Warning,
                                         QApplication::applicationDisplayName(), wrappable(message),
                                         QMessageBox::Ok, window);
}

void RunHandler(QWidget *window, const ErrorReporter &report, const std::function<void()> &handler)
{
    try {
        // A large folder or a long batch keeps the window busy for a while,
        // and it takes no input meanwhile: say so.
        const OverrideCursor busy(Qt::WaitCursor);
        handler();
    } catch (const std::exception &error) {
        report(window, UserMessage(error), std::nullopt);
    } catch (...) {
        report(window, UnexpectedErrorMessage(), std::nullopt);
    }
}

} // namespace quillet
