// The database backup: "Dudured.ido" copied to "Backup of Dudured.ido" in the current directory.
#pragma once

namespace tarvo {

// Copies the database to its backup, replacing an existing backup only once the new copy is
// complete and on disk. The copy is read through the database, so transactions still held in
// the write-ahead log are included, also while the program has the file open. Failure shows
// the error box StrErrorBackup1 (StrErrorBaza1 for an unexpected error) and returns false;
// the previous backup is then left as it was.
bool BackupDatabase();

}  // namespace tarvo
