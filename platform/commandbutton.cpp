#include "commandbutton.h"

namespace quillet {

CommandButton::CommandButton(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

} // namespace quillet
