// The database backup: "Dudured.ido" copied to "Backup of Dudured.ido" in the current directory.
#pragma once

#include <QString>

namespace tarvo {

// Copies the database to its backup, replacing an existing backup only once the new copy is
// complete. The copy is read through SQLite, so transactions still held in the write-ahead log
// are included: through the connection named connectionName when it is open on that file,
// otherwise through a short-lived connection of its own. A file SQLite cannot read is copied
// byte for byte, unless a write-ahead log beside it holds data a plain copy would miss.
// Failure shows the error box StrErrorBackup1 (StrErrorBaza1 for an unexpected error) and
// returns false.
bool BackupDatabase(const QString& connectionName = QString());

}  // namespace tarvo
