// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The system's platform, except that the script is replaced on disk just before the start, as
// another user or program that could write the script folder might do, and whatever
// beforeStart does then happens too.

#include "fake_platform.h"
#include "folder_files.h"

#include <functional>

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
    std::optional<QByteArray> folderIdentity(const QString& path) const override
    {
        return real->folderIdentity(path);
    }
    std::unique_ptr<ScriptRun> startScript(const QString& scriptPath, const QByteArray& bytes,
                                           const QByteArray& folderIdentity,
                                           QString* error) override
    {
        WriteFile(scriptPath, decoyScript);
        if (beforeStart)
            beforeStart();
        return real->startScript(scriptPath, bytes, folderIdentity, error);
    }
    RenameResult renameInFolder(const QString& folder, const QString& from,
                                const QString& to) override
    {
        return real->renameInFolder(folder, from, to);
    }
    std::unique_ptr<Platform> real = CreatePlatform();
    QByteArray decoyScript;
    std::function<void()> beforeStart; // what else happens just before the start
};

} // namespace quillet::test
