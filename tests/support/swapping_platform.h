// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The system's platform, except that the script is replaced on disk just before the start, as
// another user or program that could write the script folder might do.

#include "fake_platform.h"
#include "folder_files.h"

namespace quillet::test
{

class SwappingPlatform : public FakePlatform
{
public:
    QChar separator() const override { return real->separator(); }
    std::optional<QByteArray> encodeScriptText(const QString& text) const override
    {
        return real->encodeScriptText(text);
    }
    std::optional<QString> scriptFolder(QString* error) const override
    {
        return real->scriptFolder(error);
    }
    std::unique_ptr<ScriptRun> startScript(const QString& scriptPath, const QByteArray& bytes,
                                           QString* error) override
    {
        WriteFile(scriptPath, decoyScript);
        return real->startScript(scriptPath, bytes, error);
    }
    RenameResult renameInFolder(const QString& folder, const QString& from,
                                const QString& to) override
    {
        return real->renameInFolder(folder, from, to);
    }
    std::unique_ptr<Platform> real = CreatePlatform();
    QByteArray decoyScript;
};

} // namespace quillet::test
