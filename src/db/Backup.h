// A copy of the database file that holds every committed transaction, including those still
// in the write-ahead log beside the file (a plain file copy would miss them, or catch the
// file halfway through a checkpoint). Works while the program has the file open.
#pragma once

#include <QString>

namespace tarvo {

// Writes a complete copy of the database `source` to `target`, replacing `target` only once
// the copy is complete. Throws DbError naming the problem; `target` is then left as it was.
void CopyDatabase(const QString& source, const QString& target);

}  // namespace tarvo
