#pragma once

#include <QLineEdit>

#include <string>

namespace quillet {

/// A one-line text box.
class TextBox final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextBox)

public:
    explicit TextBox(QWidget *parent = nullptr);

    /// The text as UTF-8.
    std::string Text() const;

signals:
    /// The text changed, by typing or by assignment.
    void Change();
};

} // namespace quillet
