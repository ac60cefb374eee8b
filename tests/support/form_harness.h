// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A Form1 on a temporary folder, with message boxes, drives and the platform replaced.

#include "fake_platform.h"
#include "message_recorder.h"
#include "source/drives.h"
#include "ui/form1.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace quillet::test
{

class FakeDrives : public DriveProvider
{
public:
    QList<Drive> Drives() const override { return drives; }
    bool IsReady(const Drive& drive) const override { return !notReady.contains(drive.text); }
    // The root of the temporary folders: "/" here, "C:/" on Windows.
    QList<Drive> drives{{QDir::rootPath(), QDir::rootPath()}};
    QStringList notReady;
};

// Chooses an item of the case box as the user does from its list.
inline void ChooseCase(Form1& form, int nIndex)
{
    form.Ui().cboFileNameCase->setCurrentIndex(nIndex);
    emit form.Ui().cboFileNameCase->activated(nIndex);
}

struct FormHarness {
    explicit FormHarness(const QStringList& files = {}, const QStringList& folders = {})
    {
        for (const QString& name : files) {
            QFile file(dir.filePath(name));
            file.open(QIODevice::WriteOnly);
        }
        for (const QString& name : folders)
            QDir(dir.path()).mkpath(name);
        platform.folder = scriptDir.path() + u'/';
        platform.onDisk = true;
    }
    Form1& Open()
    {
        form = std::make_unique<Form1>(Form1::Services{&messages, &drives, &platform}, dir.path());
        return *form;
    }
    QTemporaryDir dir;
    QTemporaryDir scriptDir;
    MessageRecorder messages;
    FakeDrives drives;
    FakePlatform platform;
    std::unique_ptr<Form1> form;
};

} // namespace quillet::test
