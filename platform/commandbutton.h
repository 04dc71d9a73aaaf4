#pragma once

#include <QPushButton>

namespace quillet {

/// A push button that raises Click when pressed by mouse, keyboard or access
/// key. The second press of a double click is no second click: a double
/// click on Remove Spaces runs one batch.
class CommandButton final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandButton)

public:
    explicit CommandButton(QWidget *parent = nullptr);

signals:
    void Click();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace quillet
