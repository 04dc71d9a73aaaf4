#include "checkbox.h"

namespace quillet {

namespace {

constexpr int kUnchecked = 0;
constexpr int kChecked = 1;
constexpr int kGrayed = 2;

} // namespace

CheckBox::CheckBox(QWidget *parent) : QCheckBox(parent) {}

int CheckBox::Value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return kChecked;
    case Qt::PartiallyChecked:
        return kGrayed;
    case Qt::Unchecked:
        break;
    }
    return kUnchecked;
}

void CheckBox::SetValue(int value)
{
    if (value == kGrayed)
        setTristate(true);
    setCheckState(value == kChecked  ? Qt::Checked
                  : value == kGrayed ? Qt::PartiallyChecked
                                     : Qt::Unchecked);
}

} // namespace quillet
