// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "names/case_mapping.h"

#include <QString>
#include <QStringList>

namespace quillet
{

class FileList;

// The text after the last "." of a name; the whole name when it holds no ".".
// "archive.tar.gz" gives "gz", "README" gives "README", ".profile" gives "profile".
QString ExtensionOf(const QString& strName);

// The extension filter's entries for a list of names: "*" first, then every distinct
// extension upper-cased by ToUpperText (one code point at a time, so an upper-cased
// extension still matches its files) in the order of its first name. Linear in the number of names.
QStringList ExtensionEntries(const QStringList& names);

// The pattern the file list gets when an entry of the filter is chosen: "*." followed
// by the entry, so "*" gives "*.*".
QString PatternForEntry(const QString& strEntry);

// Rebuilds the filter for the folder of fileList: sets its pattern back to "*.*" and
// returns the filter's new entries. The window then empties the old-name list, leaves no
// entry selected and clears the filter's edit field.
QStringList FillExtensionFilter(FileList& fileList);

} // namespace quillet
