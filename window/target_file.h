#pragma once

// Files written whole or not at all: the bytes go to a temporary file beside
// the target, which takes the target's place only when every byte is written.

#include <QByteArray>
#include <QString>

namespace quillmar {

// Writes bytes to path; on failure returns false with the reason in words
// and leaves whatever was at path as it was.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString& reason);

}  // namespace quillmar
