#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// How the program folder's stored files are opened and replaced, one way per platform. Whoever can
// write to the folder (another user, where a school shares it) may put a FIFO, a device or a link
// where a file belongs: a reader must not hang on it, and a writer must not write through it.
namespace FileAccess {
// Opens `path` for reading into `file` only when it is a regular file. The test and the open are one,
// so a FIFO or device put in its place, even in between, never blocks. False when it is missing (not
// logged), not a regular file or unreadable (both logged).
bool openRegular(QFile& file, const QString& path);

// Whether `path` itself is a regular file; a link in its place is not, and a FIFO does not block.
bool isRegularFile(const QString& path);

// Replaces the file at `path` by `bytes` atomically: the new content goes to a temporary file beside
// it that takes its name only once it is complete and on disk, so a crash, a power cut or a full disk
// leaves the old file whole. The old file's permissions are kept. Anything but a regular file in its
// place (a link, a FIFO, a folder) is refused and left as it is: a link is never written through, even
// one planted while the file is written. `stopHalfWay` writes half of the bytes and fails, as a crash
// would (a test seam). False, logged, when the file is not replaced.
bool replace(const QString& path, const QByteArray& bytes, bool stopHalfWay = false);
} // namespace FileAccess
