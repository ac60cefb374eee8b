#include "detached_start.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace quillet::posix
{

namespace
{

// Writes the error code of a failed step to the pipe and ends the child; async-signal-safe.
[[noreturn]] void ChildFailed(int pipeFd)
{
    const int code = errno;
    (void)!::write(pipeFd, &code, sizeof code);
    ::_exit(127);
}

} // namespace

bool StartDetachedWithOutput(const QString& program, const QStringList& args,
                             const QString& workingFolder, int outputFd, QString* error)
{
    // Everything the child needs is prepared before fork: after it only async-signal-safe
    // calls are made.
    const QByteArray path = QFile::encodeName(program);
    const QByteArray folder = QFile::encodeName(workingFolder);
    std::vector<QByteArray> encoded;
    encoded.push_back(path);
    for (const QString& arg : args)
        encoded.push_back(QFile::encodeName(arg));
    std::vector<char*> argv;
    for (QByteArray& arg : encoded)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        if (::setsid() < 0)
            ChildFailed(report[1]);
        const pid_t grandchild = ::fork();
        if (grandchild < 0)
            ChildFailed(report[1]);
        if (grandchild > 0)
            ::_exit(0);
        const int null = ::open("/dev/null", O_RDONLY);
        if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(outputFd, 1) < 0 || ::dup2(outputFd, 2) < 0 ||
            ::chdir(folder.constData()) != 0)
            ChildFailed(report[1]);
        ::execv(path.constData(), argv.data());
        ChildFailed(report[1]);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without a word when exec succeeded (close-on-exec).
    int code = 0;
    ssize_t got;
    while ((got = ::read(report[0], &code, sizeof code)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (got == ssize_t(sizeof code)) {
        *error = QString::fromLocal8Bit(std::strerror(code));
        return false;
    }
    return true;
}

} // namespace quillet::posix
