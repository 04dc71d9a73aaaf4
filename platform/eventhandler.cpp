#include "eventhandler.h"

#include "messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QtMath>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>

namespace quillet {

namespace {

// About as many characters as a line of the box holds before it wraps.
constexpr int kLineLength = 70;

/// The message as the box's label would show it, but a word longer than a
/// line, as a long file name or path may be, breaks where the line ends
/// rather than being cut off: a label breaks only between words. The text
/// is the message's own, for a screen reader and a copy alike.
class MessageText final : public QTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageText)

public:
    MessageText(const QString &message, QWidget *parent) : QTextEdit(parent), m_message(message)
    {
        setPlainText(message);
        setReadOnly(true);
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // As a selectable label: the keyboard stays on the box's buttons.
        setFocusPolicy(Qt::ClickFocus);
        setFrameShape(NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        document()->setDocumentMargin(0);
        viewport()->setAutoFillBackground(false);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    bool hasHeightForWidth() const override { return true; }

    // Measured on a copy: the shown document keeps the width it is shown at.
    int heightForWidth(int width) const override
    {
        const std::unique_ptr<QTextDocument> copy(document()->clone());
        copy->setTextWidth(width);
        return qCeil(copy->size().height());
    }

    // The box asks for this width: the longest line, or less where lines
    // would be longer than a reader's eye takes in, or than half the screen.
    QSize minimumSizeHint() const override
    {
        const std::unique_ptr<QTextDocument> copy(document()->clone());
        copy->setTextWidth(-1);
        const int width =
            std::min({qCeil(copy->idealWidth()), fontMetrics().averageCharWidth() * kLineLength,
                      screen()->availableGeometry().width() / 2});
        return {width, heightForWidth(width)};
    }

    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    // What is selected, from the message itself: the document would give a
    // space for a no-break space and a line break for a line or paragraph
    // separator, any of which a file's name may hold.
    QMimeData *createMimeDataFromSelection() const override
    {
        const QTextCursor selection = textCursor();
        auto *data = new QMimeData;
        data->setText(m_message.mid(selection.selectionStart(),
                                    selection.selectionEnd() - selection.selectionStart()));
        return data;
    }

private:
    QString m_message;
};

/// A warning box whose message wraps within a long file name or path. Qt's
/// label stays in the box, hidden, and keeps the message for what reads it
/// from there (the box's own copy on Windows).
class ErrorBox final : public QMessageBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ErrorBox)

public:
    ErrorBox(QWidget *window, const QString &message)
        : QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(), message,
                      QMessageBox::Ok, window),
          m_text(new MessageText(message, this))
    {
        showText();
    }

protected:
    // Another style lays the box out anew, with Qt's label in it.
    void changeEvent(QEvent *event) override
    {
        QMessageBox::changeEvent(event);
        if (event->type() == QEvent::StyleChange)
            showText();
    }

private:
    /// Puts the message text where Qt's label is. A box laid out otherwise
    /// than Qt does it today keeps its label, which shows the message too.
    void showText()
    {
        auto *grid = qobject_cast<QGridLayout *>(layout());
        auto *label = findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        const int index = grid != nullptr && label != nullptr ? grid->indexOf(label) : -1;
        if (index < 0) {
            m_text->hide();
            return;
        }
        int row = 0;
        int column = 0;
        int rows = 0;
        int columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        label->hide();
        grid->addWidget(m_text, row, column, rows, columns);
    }

    MessageText *m_text;
};

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
    return std::make_unique<ErrorBox>(window, message);
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

#include "eventhandler.moc"
