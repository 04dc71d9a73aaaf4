#pragma once

#include "besidecall.h"
#include "folderreader.h"
#include "heldfolder.h"
#include "namematch.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

/// What reading a folder for a list gave.
struct FolderListing
{
    /// The folder read, held open; none when it could not be read.
    HeldFolder folder;
    /// Its entries of the kind asked for whose names match, in natural order.
    std::vector<std::string> names;
    /// Why the folder could not be read, when it could not.
    std::optional<FolderError> failure;
};

/// Reads the entries of a held folder as ReadFolder does. Called beside the
/// window, where it may wait as long as the file system does.
using EntryReader =
    std::function<std::vector<std::string>(const HeldFolder &, EntryKind, const NamePattern &)>;

/// Replaces how the lists read folders (ReadFolder by default); tests make
/// reads wait. Returns the reader it replaced.
EntryReader SetEntryReader(EntryReader reader);

/// Opens \a path and reads its entries of \a kind that match \a pattern on a
/// thread of their own, then hands what it read to \a done on the window's
/// thread. Dropping the returned call abandons the read: \a done is then
/// never called, and a read that hangs is let go.
std::unique_ptr<BesideCall> ListBeside(const std::string &path, EntryKind kind,
                                       const std::string &pattern,
                                       std::function<void(FolderListing)> done);

} // namespace quillet
