// The backup copy holds every committed row, also while the program has the database open
// and rows sit in the write-ahead log.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "db/Backup.h"
#include "db/DataModule.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::TempDatabase;

TEST(Backup, CopyHoldsRowsStillInTheLog)
{
    TempDatabase file;
    TDModule db;
    db.Connect(file.Path());
    {
        TWritePass pass(db);
        for (int i = 0; i < 50; ++i) {
            db.ADOStoredProc_InsertMerenje.SetParam("id_value", 1);
            db.ADOStoredProc_InsertMerenje.SetParam("value", i);
            db.ADOStoredProc_InsertMerenje.SetParam("privremen", false);
            db.ADOStoredProc_InsertMerenje.ExecSQL();
        }
        pass.Commit();
    }
    const QString backup = file.Dir() + "/Backup of Dudured.ido";
    QFile stale(backup);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("old backup");
    stale.close();

    CopyDatabase(file.Path(), backup);  // the module still has the file open

    TDModule copy;
    copy.Connect(backup);
    TStoredQuery rows(copy.ADOConnection1, "rows", "SelectMerenja");
    rows.SetParam("id_value", 1);
    rows.SetParam("start", -1e6);
    rows.SetParam("end", 1e6);
    rows.Open();
    EXPECT_EQ(rows.RecordCount(), 50);
    EXPECT_EQ(copy.ADOTableMreza.RecordCount(), 6);
    EXPECT_FALSE(QFile::exists(backup + ".part"));
}

TEST(Backup, FailureLeavesTheOldBackup)
{
    TempDatabase file;
    const QString backup = file.Dir() + "/Backup of Dudured.ido";
    CopyDatabase(file.Path(), backup);
    const qint64 size = QFileInfo(backup).size();

    EXPECT_THROW(CopyDatabase(file.Dir() + "/none.ido", backup), DbError);
    QFile garbage(file.Dir() + "/garbage.ido");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    try {
        CopyDatabase(garbage.fileName(), backup);
        ADD_FAILURE() << "a file that is not a database was copied";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.Text().contains("not a database")) << e.what();
    }
    EXPECT_EQ(QFileInfo(backup).size(), size);
    EXPECT_FALSE(QFile::exists(file.Dir() + "/none.ido"));
}
