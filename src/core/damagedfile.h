#pragma once

#include <QString>

namespace DamagedFile {

// Moves a file that cannot be used out of the way, never deleting it: it is
// renamed to "<name>.damaged-<yyyyMMdd-hhmmss>" in the same folder. Returns
// the new path, or an empty string when the rename failed.
QString moveAside(const QString &path);

} // namespace DamagedFile
