// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Guards that change the process's environment or working folder for one test and put it
// back afterwards.

#include <QDir>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace quillet::test
{

// Sets environment variables for the life of the guard.
class EnvGuard
{
public:
    void set(const char* name, const QByteArray& value)
    {
        saved_.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv(name, value);
    }
    ~EnvGuard()
    {
        for (auto it = saved_.crbegin(); it != saved_.crend(); ++it) {
            if (it->wasSet)
                qputenv(it->name, it->value);
            else
                qunsetenv(it->name);
        }
    }

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool wasSet;
    };
    QList<Saved> saved_;
};

// Makes the working directory path for the life of the guard.
class CurrentDirGuard
{
public:
    explicit CurrentDirGuard(const QString& path) : saved_(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~CurrentDirGuard() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

} // namespace quillet::test
