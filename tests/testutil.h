#pragma once

// Helpers shared by the tests: byte-exact file handling and readable
// failure messages for byte strings.

#include <QByteArray>
#include <QFile>
#include <QMetaType>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::string)

namespace QTest {
template <> inline char *toString(const std::string &bytes)
{
    return QTest::toString(QByteArray::fromStdString(bytes));
}
} // namespace QTest

namespace testutil {

/// A fresh temporary folder, removed with everything in it when the object
/// goes. QTemporaryDir alone cannot remove names that are not valid UTF-8.
class TempFolder
{
public:
    TempFolder() { m_dir.setAutoRemove(false); }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    /// The folder's path, as bytes.
    const std::string &path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    std::string m_path = QFile::encodeName(m_dir.path()).toStdString();
};

/// Every line a list control holds, in order.
template <typename ListControl>
std::vector<std::string> listed(const ListControl &list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.ListCount(); ++i)
        lines.push_back(list.List(i));
    return lines;
}

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
