#pragma once

// Helpers shared by the tests: byte-exact file handling and readable
// failure messages for byte strings.

#include <QByteArray>
#include <QMetaType>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::string)

namespace QTest {
template <>
inline char *toString(const std::string &bytes)
{
    return QTest::toString(QByteArray::fromStdString(bytes));
}
} // namespace QTest

namespace testutil {

/// Writes \a content to the file at \a path, named by its exact bytes.
inline void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}

/// The content of the file at \a path, or "<missing>".
inline std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The names in \a folder, sorted by bytes.
inline std::vector<std::string> folderNames(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testutil
