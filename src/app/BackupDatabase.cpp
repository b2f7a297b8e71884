#include "app/BackupDatabase.h"

#include <QDir>

#include "db/Backup.h"
#include "db/DbError.h"
#include "device/Operator.h"
#include "dialogs/Strings.h"

namespace tarvo {

bool BackupDatabase()
{
    const QDir dir = QDir::current();
    try {
        CopyDatabase(dir.absoluteFilePath(QStringLiteral("Dudured.ido")),
                     dir.absoluteFilePath(QStringLiteral("Backup of Dudured.ido")));
        return true;
    } catch (const DbError&) {
        Op().Message(StrMsg(StrErrorBackup1), {}, BoxIcon::Error);
    } catch (...) {
        Op().Message(StrMsg(StrErrorBaza1), {}, BoxIcon::Error);
    }
    return false;
}

}  // namespace tarvo
