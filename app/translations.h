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
/// there, from the system's Qt. English needs none, so
/// nothing is installed for it or for a language without a translation.
/// Returns whether Quillet's translation was found.
bool InstallTranslations(const QLocale &locale, const QStringList &folders);

} // namespace quillet
