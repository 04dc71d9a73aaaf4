#pragma once

#include <QLocale>
#include <QStringList>

namespace quillet {

/// The folders where Quillet looks for its translations: beside the
/// executable (a build, or the Windows folder) and, installed under a prefix,
/// in share/quillet/translations.
QStringList TranslationFolders();

/// Installs, for the application, Quillet's translation for \a locale's
/// languages from the first of \a folders that has one, and Qt's own for the
/// dialogs' standard buttons from the same folder or, where it has none
/// there, from the system's Qt. A language without a translation gets the
/// English one, which words the counts of files.
void InstallTranslations(const QLocale &locale, const QStringList &folders);

} // namespace quillet
