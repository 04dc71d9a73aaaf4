#include "fileidentity.h"

namespace quillet {

bool IsSameFile(const FileIdentity &recorded, const FileIdentity &found)
{
    const auto matches = [](const auto &kept, const auto &seen) { return !kept || kept == seen; };
    return recorded.type == found.type && recorded.size == found.size &&
           recorded.modified == found.modified && matches(recorded.number, found.number) &&
           matches(recorded.created, found.created);
}

FileIdentity KeptAcrossRename(const FileIdentity &before, const std::optional<FileIdentity> &after)
{
    FileIdentity kept =
        after.value_or(FileIdentity{{}, {}, before.type, before.size, before.modified});
    if (kept.number != before.number)
        kept.number.reset();
    if (kept.created != before.created)
        kept.created.reset();
    return kept;
}

} // namespace quillet
