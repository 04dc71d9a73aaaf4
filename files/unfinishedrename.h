#pragma once

namespace quillet {

/// Held for the steps of a rename that takes more than one (a second name,
/// then the old one removed; an empty file claiming the new name, then a
/// rename over it), so that the end of the process never falls between them
/// and leaves a file with two names or an empty file behind.
class UnfinishedRename
{
public:
    /// Once the process has begun to end, a rename of several steps does not
    /// begin: its thread waits here for the end.
    UnfinishedRename();
    ~UnfinishedRename();
    UnfinishedRename(const UnfinishedRename &) = delete;
    UnfinishedRename &operator=(const UnfinishedRename &) = delete;
};

/// Called as the process ends: returns once no rename of several steps is
/// unfinished, and lets none begin after.
void FinishUnfinishedRenames();

} // namespace quillet
