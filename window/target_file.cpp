#include "window/target_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstring>

namespace quillmar {

namespace {

QString ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

constexpr int kMostLinks = 40;  // as many as the system follows in one path

}  // namespace

QString ResolveTarget(const QString& path, QString& reason) {
    const QString given = QFileInfo(path).absoluteFilePath();
    QString file = given;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(QFile::encodeName(file).constData(), &st) != 0) {
            if (errno != ENOENT) {
                reason = ErrorText(errno);
                return {};
            }
            const QString folder = QFileInfo(file).absolutePath();
            if (QFileInfo(folder).isDir()) {
                return file;
            }
            reason =
                (file == given ? QString() : QStringLiteral("it links to \"%1\", and ").arg(file)) +
                QStringLiteral("the folder \"%1\" does not exist").arg(folder);
            return {};
        }
        if (S_ISLNK(st.st_mode)) {
            if (links == kMostLinks) {
                reason = ErrorText(ELOOP);
                return {};
            }
            file = QFileInfo(file).symLinkTarget();
            continue;
        }
        if (S_ISREG(st.st_mode) || S_ISCHR(st.st_mode)) {
            return file;
        }
        // Opening any of these could wait for ever, or write where no file is.
        reason = S_ISDIR(st.st_mode)    ? QStringLiteral("it is a folder")
                 : S_ISFIFO(st.st_mode) ? QStringLiteral("it is a named pipe")
                 : S_ISSOCK(st.st_mode) ? QStringLiteral("it is a socket")
                                        : QStringLiteral("it is not a file");
        return {};
    }
}

TargetFile::~TargetFile() {
    file_.close();
    if (!temporary_.isEmpty()) {
        ::unlink(QFile::encodeName(temporary_).constData());
    }
}

bool TargetFile::Open() {
    path_ = ResolveTarget(path_, reason_);
    if (path_.isEmpty()) {
        return false;
    }
    const QByteArray target = QFile::encodeName(path_);
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    int fd = -1;
    if (exists && S_ISCHR(st.st_mode)) {
        // A device cannot be replaced. Its open must not wait (a pipe put in its
        // place since, a line without carrier); its writes may.
        fd = ::open(target.constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        }
    } else {
        // The temporary file's name is the target's and a suffix, unless that
        // would pass the length limit of a name.
        const QFileInfo info(path_);
        const bool fits = QFile::encodeName(info.fileName()).size() + 7 <= NAME_MAX;
        const QString stem =
            info.absolutePath() + u'/' + (fits ? info.fileName() : QStringLiteral("quillmar"));
        for (int tries = 0; fd < 0 && tries < 100; ++tries) {
            const quint32 suffix =
                QRandomGenerator::global()->bounded(36u * 36 * 36 * 36 * 36 * 36);
            temporary_ = stem + u'.' + QString::number(suffix, 36).rightJustified(6, u'0');
            fd = ::open(QFile::encodeName(temporary_).constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST) {
                break;
            }
        }
        if (fd >= 0 && exists) {
            ::fchmod(fd, st.st_mode & 07777);  // a replaced file keeps who may read it
        }
    }
    if (fd < 0) {
        reason_ = ErrorText(errno);
        temporary_.clear();
        return false;
    }
    if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        reason_ = file_.errorString();
        return false;
    }
    return true;
}

bool TargetFile::Commit() {
    if (!file_.isOpen()) {
        return false;
    }
    // Closing forgets a failed write, so its reason is kept first. The write
    // that fills the disk stops short without a reason; the next one gives it.
    if (!(file_.flush() || file_.flush()) || file_.error() != QFileDevice::NoError) {
        reason_ = file_.errorString();
        return false;
    }
    if (!temporary_.isEmpty() && ::fsync(file_.handle()) != 0) {
        reason_ = ErrorText(errno);
        return false;
    }
    file_.close();
    if (file_.error() != QFileDevice::NoError) {
        reason_ = file_.errorString();
        return false;
    }
    if (!temporary_.isEmpty()) {
        if (::rename(QFile::encodeName(temporary_).constData(),
                     QFile::encodeName(path_).constData()) != 0) {
            reason_ = ErrorText(errno);
            return false;
        }
        temporary_.clear();
    }
    return true;
}

QString TargetFile::Reason() const {
    if (reason_.isEmpty() && file_.error() != QFileDevice::NoError) {
        return file_.errorString();
    }
    return reason_;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& reason) {
    TargetFile file(path);
    if (file.Open()) {
        // The write that fills the disk stops short without a reason; writing
        // the rest gives it.
        qint64 done = 0;
        while (done < bytes.size()) {
            const qint64 wrote =
                file.Device()->write(bytes.constData() + done, bytes.size() - done);
            if (wrote <= 0) {
                break;
            }
            done += wrote;
        }
        if (done == bytes.size() && file.Commit()) {
            return true;
        }
    }
    reason = file.Reason();
    return false;
}

}  // namespace quillmar
