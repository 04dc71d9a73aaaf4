#include "batch.h"

#include "spacerule.h"

#include <algorithm>

namespace quillet {

namespace {

// One rename that a batch or an undo asks for.
struct Step
{
    const std::string &oldName;
    std::string newName;
    std::optional<FileIdentity> expected;
};

// Asks for the \a count renames that \a stepAt makes, in order, until one
// fails or a stop is requested.
template <typename StepAt>
RenamingResult renameInTurn(int count, const StepAt &stepAt, RenameService &renamer,
                            std::stop_token stop, RenamingObserver *observer)
{
    RenamingResult result;
    result.total = count;
    result.renamed.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        if (stop.stop_requested()) {
            result.stopRequested = true;
            break;
        }
        Step step = stepAt(index);
        if (observer != nullptr)
            observer->Starting(index, step.oldName);
        try {
            const FileIdentity identity =
                renamer.NameFile(step.oldName, step.newName, step.expected);
            result.renamed.push_back({step.oldName, std::move(step.newName), identity});
        } catch (...) {
            result.failure = std::current_exception();
            break;
        }
        if (observer != nullptr)
            observer->Done(result.renamed.back());
    }
    return result;
}

} // namespace

bool IsSameFile(const FileIdentity &recorded, const FileIdentity &found)
{
    const auto matches = [](const auto &kept, const auto &seen) { return !kept || kept == seen; };
    return recorded.type == found.type && recorded.size == found.size &&
           recorded.modified == found.modified && matches(recorded.number, found.number) &&
           matches(recorded.created, found.created);
}

FileIdentity KeptAcrossRename(FileIdentity before, const FileIdentity &after)
{
    if (before.number != after.number)
        before.number.reset();
    if (before.created != after.created)
        before.created.reset();
    return before;
}

int RenamingResult::changedCount() const
{
    return static_cast<int>(std::ranges::count_if(renamed, &Renamed::nameChanged));
}

RenamingResult RunRemoveSpaces(const BatchRequest &request, RenameService &renamer,
                               std::stop_token stop, RenamingObserver *observer)
{
    const auto stepAt = [&](int index) {
        const std::string &name = request.names[static_cast<std::size_t>(index)];
        return Step{name, MakeNewName(name, request.replaceWithUnderscore), std::nullopt};
    };
    return renameInTurn(static_cast<int>(request.names.size()), stepAt, renamer, std::move(stop),
                        observer);
}

RenamingResult UndoRenames(const std::vector<Renamed> &renamed, RenameService &renamer,
                           std::stop_token stop, RenamingObserver *observer)
{
    const int count = static_cast<int>(renamed.size());
    const auto stepAt = [&](int index) {
        const Renamed &file = renamed[static_cast<std::size_t>(count - 1 - index)];
        return Step{file.newName, file.oldName, file.identity};
    };
    return renameInTurn(count, stepAt, renamer, std::move(stop), observer);
}

} // namespace quillet
