#pragma once

#include <QCheckBox>

namespace quillet {

/// A check box whose Value is 0 unchecked, 1 checked or 2 grayed.
class CheckBox final : public QCheckBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CheckBox)

public:
    explicit CheckBox(QWidget *parent = nullptr);

    int Value() const;
    void SetValue(int value);
};

} // namespace quillet
