#pragma once

// Files written whole or not at all, and targets that cannot make the program
// wait. A target is looked at before anything is opened: a named pipe, a socket,
// a block device or a folder is refused. A symbolic link is followed and kept:
// the file it points to is written, and made when the link dangles into a
// folder that exists. A regular file gets its bytes in a temporary file beside
// it (a short name when the target's is near the length limit), renamed over
// it only when every byte is written, so a failed write leaves whatever was
// there and no empty file. A character device (/dev/null, a printer port) is
// written directly. Every failure comes with its reason in words.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace quillmar {

// The file that writing to path writes: links followed, made absolute. Empty,
// with the reason ("it is a named pipe"), when nothing may be written there.
// Opens nothing.
QString ResolveTarget(const QString& path, QString& reason);

// A target open for writing: Open(), write into Device(), then Commit().
// Destroyed uncommitted, it throws the bytes away and leaves the target as it was.
class TargetFile {
public:
    explicit TargetFile(const QString& path) : path_(path) {}
    ~TargetFile();
    TargetFile(const TargetFile&) = delete;
    TargetFile& operator=(const TargetFile&) = delete;

    bool Open();  // false when refused or not opened
    QIODevice* Device() { return &file_; }
    bool Commit();  // false when the bytes did not all arrive
    // Why Open or Commit failed, or why a write into the device did; empty
    // while nothing failed.
    QString Reason() const;

private:
    QString path_;       // as given, then the file written
    QString temporary_;  // empty when the target is written directly
    QFile file_;
    QString reason_;
};

// Writes bytes to path as TargetFile does; false with the reason in words.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& reason);

}  // namespace quillmar
