#include "textbox.h"

namespace quillet {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

std::string TextBox::Text() const
{
    return text().toStdString();
}

} // namespace quillet
