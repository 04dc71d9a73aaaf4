#pragma once

#include <QPushButton>

namespace quillet {

/// A push button that raises Click when pressed by mouse, keyboard or access key.
class CommandButton final : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandButton)

public:
    explicit CommandButton(QWidget *parent = nullptr);

signals:
    void Click();
};

} // namespace quillet
