#pragma once

#include <QByteArray>
#include <QString>

namespace quillotap {

// Creates `path` and any missing parent folders with mode 0700 (folders that
// already exist keep their mode). Returns false and fills `error` on failure.
bool makePrivateFolderPath(const QString& path, QString* error = nullptr);

// Replaces the file at `path` with `data` so that a crash or a full disk
// leaves either the old or the new content, never a mix: the data goes to a
// temporary file beside the target, is flushed to the disk and then renamed
// over the target. The new file gets `mode`. The parent folder must exist.
bool writeFileAtomically(const QString& path, const QByteArray& data, unsigned mode,
                         QString* error = nullptr);

} // namespace quillotap
