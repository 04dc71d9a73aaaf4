#include "eventhandler.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <utility>

namespace quillet {

namespace {

void showMessageBox(QWidget *window, const QString &message)
{
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

void RunHandler(QWidget *window, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        currentReporter()(window, QString::fromUtf8(error.what()));
    } catch (...) {
        currentReporter()(window, QObject::tr("An unexpected error stopped the action."));
    }
}

} // namespace quillet
