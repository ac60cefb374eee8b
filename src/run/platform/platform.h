#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace quillet
{

// Result of renaming one file.
struct RenameOutcome {
    bool ok = false;
    QString error; // why it failed, in words for the user; empty when ok
};

// Everything the rename subsystem needs from the operating system. One implementation per
// platform (POSIX, Win32), chosen at build time; tests substitute their own.
class Platform
{
public:
    virtual ~Platform() = default;

    // The folder separator that ends the folder text in the script and in full paths:
    // "\\" on Windows, "/" on POSIX.
    virtual QChar separator() const = 0;

    // Converts the script's text to the bytes the command interpreter reads (the OEM code
    // page on Windows, UTF-8 on POSIX). Returns nothing when a character cannot be written
    // in that encoding.
    virtual std::optional<QByteArray> encodeScriptText(const QString& text) const = 0;

    // The fixed folder the Shell method writes its script to, ending in separator()
    // ("c:\\" on Windows; a private per-user folder on POSIX). Creates it when missing;
    // returns nothing, with the reason in *error, when it cannot.
    virtual std::optional<QString> scriptFolder(QString* error) const = 0;

    // Where the Shell method writes its script when scriptFolder() refuses the file: on
    // Windows the user's own local application data folder, in its subfolder Quillet, since a
    // standard user may not create files in the root of c:. Ends in separator(); created
    // when missing. Nothing, with the reason in *error, when there is no such folder.
    virtual std::optional<QString> fallbackScriptFolder(QString* error) const
    {
        Q_UNUSED(error);
        return std::nullopt;
    }

    // Starts the script at scriptPath in the command interpreter with a hidden window,
    // without waiting. Returns false, with the reason in *error, when nothing started.
    virtual bool startScript(const QString& scriptPath, QString* error) = 0;

    // Opens the text file at filePath in the user's text editor, without waiting.
    virtual bool openInTextEditor(const QString& filePath, QString* error) = 0;

    // Renames the file `from` of `folder` to `to` in the same folder. Never replaces an
    // existing file, never moves the file out of its folder; a change of case alone works
    // on a file system that ignores case. `folder` ends in separator().
    virtual RenameOutcome renameInFolder(const QString& folder, const QString& from,
                                         const QString& to) = 0;
};

// The platform of the machine the program was built for.
std::unique_ptr<Platform> CreatePlatform();

} // namespace quillet
