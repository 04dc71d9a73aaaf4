#pragma once

#include "batch.h"

#include <QListView>

#include <memory>
#include <string>

namespace quillet {

class TextListModel;

/// A plain list of lines that the program fills; the user can only select
/// and scroll.
class ListBox final : public QListView, public ResultSink
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListBox)

public:
    explicit ListBox(QWidget *parent = nullptr);
    ~ListBox() override;

    void Clear() override;
    void AddItem(const std::string &item) override;
    int ListCount() const;
    std::string List(int index) const;

private:
    std::unique_ptr<TextListModel> m_model;
};

} // namespace quillet
