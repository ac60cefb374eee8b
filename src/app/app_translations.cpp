// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quillet
{

namespace
{

bool Install(QCoreApplication& app, const QLocale& locale, const QString& name,
             const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

bool InstallTranslations(QCoreApplication& app, const QLocale& locale)
{
    if (!Install(app, locale, QStringLiteral("quillet"), QStringLiteral(":/i18n")))
        return false;
    // Qt's own texts only along with Quillet's, so that a window never mixes two languages.
    Install(app, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return true;
}

} // namespace quillet
