#include "folderlisting.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace quillet {

namespace {

EntryReader &currentReader()
{
    static EntryReader reader = [](const HeldFolder &folder, EntryKind kind,
                                   const NamePattern &filter) {
        return ReadFolder(folder, kind, filter);
    };
    return reader;
}

// The folder is opened here too, not on the window's thread: on a mount
// that has stopped answering, opening it hangs as reading it does.
FolderListing readListing(const EntryReader &reader, const std::string &path, EntryKind kind,
                          const std::string &pattern)
{
    FolderListing listing;
    try {
        HeldFolder folder(path);
        listing.names = reader(folder, kind, NamePattern(pattern));
        std::ranges::sort(listing.names, NaturalLess);
        listing.folder = std::move(folder);
    } catch (const FolderError &failure) {
        listing.failure = failure;
    } catch (const std::exception &error) {
        listing.names.clear();
        listing.failure = FolderError(path, SystemError{SystemFailure::Other, error.what()});
    }
    return listing;
}

} // namespace

EntryReader SetEntryReader(EntryReader reader)
{
    return std::exchange(currentReader(), std::move(reader));
}

std::unique_ptr<BesideCall> ListBeside(const std::string &path, EntryKind kind,
                                       const std::string &pattern,
                                       std::function<void(FolderListing)> done)
{
    return CallBeside<FolderListing>(
        [reader = currentReader(), path, kind, pattern] {
            return readListing(reader, path, kind, pattern);
        },
        std::move(done));
}

} // namespace quillet
