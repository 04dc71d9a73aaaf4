#include "commandbutton.h"

#include <QMouseEvent>

namespace quillet {

CommandButton::CommandButton(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &CommandButton::Click);
}

void CommandButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

} // namespace quillet
