#pragma once

// The batch's roles held in memory, as the window's controls fill them.

#include "batch.h"

#include <string>
#include <vector>

namespace testutil {

using Names = std::vector<std::string>;

struct FakeNames final : quillet::NameList
{
    Names names;
    int ListCount() const override { return static_cast<int>(names.size()); }
    std::string List(int index) const override { return names.at(static_cast<std::size_t>(index)); }
};

struct FakeFolder final : quillet::FolderSource
{
    std::string path;
    std::string FolderPath() const override { return path; }
};

struct FakeFlag final : quillet::UnderscoreFlag
{
    int value = 0;
    int Value() const override { return value; }
};

struct FakeSink final : quillet::ResultSink
{
    Names items{"left from before"};
    void Clear() override { items.clear(); }
    void AddItem(const std::string &item) override { items.push_back(item); }
};

} // namespace testutil
