// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

class QCoreApplication;

namespace quillet
{

// Installs on app the catalogue of Quillet's own texts for the locale's languages and, when
// there is one, Qt's catalogue for the texts of its own dialogs. Returns whether one of
// Quillet's catalogues matched; without one every text stays English.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

} // namespace quillet
