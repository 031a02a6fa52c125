// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The clickshow developers

#include "outputfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Status Errno()
{
    return Status::Error(std::strerror(errno));
}

QByteArray Encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// A name beside FILE that nobody uses: ".FILE.XXXXXX".
QByteArray HiddenPattern(const QString &target)
{
    const QFileInfo info(target);
    return Encoded(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
}

} // namespace

OutputFile::~OutputFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!hidden_.isEmpty())
        std::remove(Encoded(hidden_).constData());
}

Status OutputFile::Open(const QString &target)
{
    target_ = target;
    fd_ = open(Encoded(QFileInfo(target).absolutePath()).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        path_ = QStringLiteral("/proc/self/fd/%1").arg(fd_);
        return Status::Ok();
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return Errno();
    QByteArray pattern = HiddenPattern(target);
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0)
        return Errno();
    hidden_ = path_ = QFile::decodeName(pattern);
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd_, 0666 & ~mask);
    return Status::Ok();
}

Status OutputFile::Commit()
{
    const QByteArray target = Encoded(target_);
    if (!hidden_.isEmpty()) {
        if (std::rename(Encoded(hidden_).constData(), target.constData()) != 0)
            return Errno();
        hidden_.clear();
        return Status::Ok();
    }
    const QByteArray self = Encoded(path_);
    if (linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
        return Status::Ok();
    if (errno != EEXIST)
        return Errno();
    // FILE is there: a name of its own first, then over FILE at once.
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = HiddenPattern(target_);
        const int fd = mkstemp(name.data());
        if (fd < 0)
            return Errno();
        close(fd);
        std::remove(name.constData());
        if (linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            return Errno();
        }
        if (std::rename(name.constData(), target.constData()) != 0) {
            const Status failed = Errno();
            std::remove(name.constData());
            return failed;
        }
        return Status::Ok();
    }
    return Status::Error("no name free beside the file");
}

qint64 OutputFile::size() const
{
    struct stat info {};
    return fd_ >= 0 && fstat(fd_, &info) == 0 ? qint64(info.st_size) : -1;
}
