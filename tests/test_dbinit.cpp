// tarvo-dbinit: a complete new database, the catalogue from the type tables, the demo
// network, and no overwriting without --force.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "db/DataModule.h"
#include "db/Schema.h"
#include "devices/TypeTable.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::TempDatabase;

namespace {

struct ToolRun {
    int code;
    QString out;
    QString err;
};

ToolRun DbInit(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TARVO_BIN_DIR "/tarvo-dbinit"), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed(),
            QString::fromLocal8Bit(p.readAllStandardError()).trimmed()};
}

}  // namespace

TEST(DbInit, CatalogueComesFromTheTypeTables)
{
    TempDatabase file(false);
    int total = 0;
    for (const DeviceTypeInfo* type : AllTypes()) {
        SCOPED_TRACE(type->Model);
        total += type->ParamCount;
        EXPECT_EQ(file.Scalar(QStringLiteral("SELECT Naziv FROM Uredjaji WHERE ID_Tip = %1").arg(type->ID_Tip)).toString(),
                  QString::fromUtf8(type->Model));
        EXPECT_EQ(file.Scalar(QStringLiteral("SELECT COUNT(*) FROM DeviceParameters WHERE DeviceID = %1").arg(type->ID_Tip)).toInt(),
                  type->ParamCount);
        // Every mnemonic of the type, in table order.
        const QString mnemonics = file.Scalar(QStringLiteral(
            "SELECT group_concat(Mnemonik, ' ') FROM (SELECT p.Mnemonik FROM DeviceParameters d "
            "JOIN Parametri p ON p.ID_Parametra = d.ParamID WHERE d.DeviceID = %1 ORDER BY d.DevicePrm_ID)")
            .arg(type->ID_Tip)).toString();
        QStringList expected;
        for (int i = 0; i < type->ParamCount; ++i)
            expected << QString::fromUtf8(type->Param(i).Mnemonic);
        EXPECT_EQ(mnemonics, expected.join(' '));
    }
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Parametri").toInt(), total);
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Uredjaji").toInt(), 13);

    // Colours: named, distinct.
    EXPECT_GE(file.Scalar("SELECT COUNT(*) FROM ColorTable").toInt(), 10);
    EXPECT_EQ(file.Scalar("SELECT COUNT(DISTINCT Value) FROM ColorTable").toInt(),
              file.Scalar("SELECT COUNT(*) FROM ColorTable").toInt());
    EXPECT_EQ(file.Scalar("SELECT Value FROM ColorTable WHERE Name = 'Crvena'").toInt(), 0xFF0000);

    // Without --demo there is no network, and the stored queries are the program's.
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Mreza").toInt(), 0);
    EXPECT_EQ(file.Scalar("SELECT COUNT(DISTINCT Name) FROM StoredQueries").toInt(), int(schema::StoredQueries().size()));
    EXPECT_EQ(file.Scalar("PRAGMA journal_mode").toString(), "wal");
}

TEST(DbInit, DemoNetwork)
{
    TempDatabase file;
    EXPECT_EQ(file.Scalar("SELECT group_concat(Naziv, '|') FROM (SELECT Naziv FROM Grupe ORDER BY ID_Grupe)").toString(),
              "Susara 1|Komora 2");
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Vrednosti_Test").toInt(), 11);
    EXPECT_EQ(file.Scalar("SELECT COUNT(DISTINCT Boja) FROM Vrednosti_Test").toInt(), 11);
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Vrednosti_Test v JOIN ColorTable c ON c.ColorID = v.Boja").toInt(), 11);
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Kanali").toInt(), 5);
    // Every recorded value names a parameter of its own device's type.
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Vrednosti_Test v JOIN Mreza m ON m.ID_Uredjaja = v.ID_Uredjaja "
                          "JOIN DeviceParameters d ON d.DeviceID = m.ID_Tip AND d.ParamID = v.ID_Parametra").toInt(), 11);
}

TEST(DbInit, CommandLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Dudured.ido");

    ToolRun made = DbInit({path, "--demo"});
    EXPECT_EQ(made.code, 0) << made.err.toStdString();
    EXPECT_EQ(DbInit({path, "--sim-args"}).out, "FP320@11 KV710@12 LX410i@13 KV720@21 GR310@22 HW600@23");

    // An existing file is kept unless --force.
    TDModule db;
    db.Connect(path);
    db.ADOStoredProc_InsertMerenje.SetParam("id_value", 1);
    db.ADOStoredProc_InsertMerenje.SetParam("privremen", false);
    db.ADOStoredProc_InsertMerenje.ExecSQL();
    db.Disconnect();
    ToolRun refused = DbInit({path});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "tarvo-dbinit: " + path + " already exists (use --force to replace it)");
    db.Connect(path);
    EXPECT_EQ(db.ADOTableMreza.RecordCount(), 6);
    db.Disconnect();

    EXPECT_EQ(DbInit({path, "--force"}).code, 0);
    db.Connect(path);
    EXPECT_EQ(db.ADOTableMreza.RecordCount(), 0);
    db.Disconnect();
    EXPECT_EQ(DbInit({path, "--sim-args"}).out, "");
    EXPECT_FALSE(QFile::exists(path + ".dbinit-new"));

    for (const QStringList& bad : {QStringList{}, QStringList{path, "--bogus"}, QStringList{path, "--sim-args", "--demo"},
                                   QStringList{path, path}})
        EXPECT_EQ(DbInit(bad).code, 2);
    const ToolRun missing = DbInit({dir.filePath("none.ido"), "--sim-args"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains("the file does not exist")) << missing.err.toStdString();
}

TEST(DbInit, SeededHistoryIsAMinuteARowOfPlausibleValues)
{
    TempDatabase file;
    const ToolRun seeded = DbInit({file.Path(), "--seed-hours", "2"});
    ASSERT_EQ(seeded.code, 0) << seeded.err.toStdString();
    EXPECT_EQ(seeded.out, file.Path() + ": 1320 history rows");
    // 11 values x 120 minutes, permanent and good, ending a minute ago.
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Merenja WHERE Status = 0 AND Privremen = 0").toInt(), 1320);
    EXPECT_EQ(file.Scalar("SELECT COUNT(DISTINCT Vreme) FROM Merenja WHERE ID_Value = 5").toInt(), 120);
    const double now = file.Scalar("SELECT julianday('now', 'localtime') - 2415018.5").toDouble();
    EXPECT_NEAR(file.Scalar("SELECT MAX(Vreme) FROM Merenja").toDouble(), now - 1 / 1440.0, 1 / 1440.0);
    EXPECT_NEAR(file.Scalar("SELECT MIN(Vreme) FROM Merenja").toDouble(), now - 120 / 1440.0, 1 / 1440.0);
    EXPECT_GE(file.Scalar("SELECT MIN(Vrednost) FROM Merenja").toDouble(), 15.0);
    EXPECT_LE(file.Scalar("SELECT MAX(Vrednost) FROM Merenja").toDouble(), 75.0);
    // Humidities keep to their own range.
    EXPECT_GE(file.Scalar("SELECT MIN(Vrednost) FROM Merenja WHERE ID_Value IN (5, 8, 11)").toDouble(), 45.0);

    for (const QStringList& bad : {QStringList{file.Path(), "--seed-hours"}, QStringList{file.Path(), "--seed-hours", "0"},
                                   QStringList{file.Path(), "--seed-hours", "2", "--demo"}})
        EXPECT_EQ(DbInit(bad).code, 2);
}
