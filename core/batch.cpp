#include "batch.h"

#include "spacerule.h"


namespace quillet {

namespace {

// One rename that a batch or an undo asks for.
struct Step
{
    std::string oldName;
    std::string newName;
    std::optional<FileIdentity> expected;
};

// Asks for the \a count renames that \a stepAt makes, in order, until one
// fails or a stop is requested. Their old and new names come to at most
// \a nameBytes.
template <typename StepAt>
RenamingResult renameInTurn(int count, std::size_t nameBytes, const StepAt &stepAt,
                            RenameService &renamer, std::stop_token stop,
                            RenamingObserver *observer)
{
    RenamingResult result;
    result.total = count;
    result.renamed.reserve(static_cast<std::size_t>(count), nameBytes);
    for (int index = 0; index < count; ++index) {
        if (stop.stop_requested()) {
            result.stopRequested = true;
            break;
        }
        Step step = stepAt(index);
        Renamed renamed;
        if (observer != nullptr)
            observer->Starting(index, step.oldName);
        try {
            const FileIdentity identity =
                renamer.NameFile(step.oldName, step.newName, step.expected);
            renamed = {std::move(step.oldName), std::move(step.newName), identity};
        } catch (...) {
            result.failure = std::current_exception();
            break;
        }
        result.renamed.push_back(renamed);
        if (observer != nullptr)
            observer->Done(renamed);
    }
    return result;
}

} // namespace

int RenamingResult::changedCount() const
{
    return static_cast<int>(renamed.changedCount());
}

RenamingResult RunRemoveSpaces(const BatchRequest &request, RenameService &renamer,
                               std::stop_token stop, RenamingObserver *observer)
{
    const auto stepAt = [&](int index) {
        const std::string &name = request.names[static_cast<std::size_t>(index)];
        return Step{name, MakeNewName(name, request.replaceWithUnderscore), std::nullopt};
    };
    // A new name is never longer than its old one.
    std::size_t nameBytes = 0;
    for (const std::string &name : request.names)
        nameBytes += 2 * name.size();
    return renameInTurn(static_cast<int>(request.names.size()), nameBytes, stepAt, renamer,
                        std::move(stop), observer);
}

RenamingResult UndoRenames(const RenamedFiles &renamed, RenameService &renamer,
                           std::stop_token stop, RenamingObserver *observer)
{
    const int count = static_cast<int>(renamed.size());
    const auto stepAt = [&](int index) {
        Renamed file = renamed[static_cast<std::size_t>(count - 1 - index)];
        return Step{std::move(file.newName), std::move(file.oldName), file.identity};
    };
    return renameInTurn(count, renamed.nameBytes(), stepAt, renamer, std::move(stop), observer);
}

} // namespace quillet
