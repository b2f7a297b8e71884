// The data module on a real database file: every stored query with its parameters, result
// columns and effect, the lookups, the master/detail links, the device-row change, write
// passes and editing.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "db/DataModule.h"
#include "db/DayTime.h"
#include "db/DbError.h"
#include "devices/TypeTable.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::TempDatabase;

namespace {

const QString kId = QStringLiteral("ID_Value");

class DataModuleTest : public ::testing::Test {
protected:
    void SetUp() override { db.Connect(file.Path()); }

    // Appends one measurement through InsertMerenje.
    void Insert(int idValue, double value, bool temporary, int status = 0)
    {
        TStoredQuery& q = db.ADOStoredProc_InsertMerenje;
        q.SetParam(QStringLiteral("id_value"), idValue);
        q.SetParam(QStringLiteral("value"), value);
        q.SetParam(QStringLiteral("status"), status);
        q.SetParam(QStringLiteral("privremen"), temporary);
        q.ExecSQL();
    }

    // A measurement row with a chosen time, as if written then.
    void InsertAt(int idValue, double when, double value, bool temporary = false)
    {
        file.Exec(QStringLiteral("INSERT INTO Merenja (ID_Value, Vreme, Vrednost, Status, Privremen) "
                                 "VALUES (%1, %2, %3, 0, %4)")
                      .arg(idValue)
                      .arg(when, 0, 'g', 17)
                      .arg(value)
                      .arg(temporary ? 1 : 0));
    }

    // (Vreme, Vrednost) rows of SelectMerenja or SelectArhivaMerenja.
    std::vector<std::pair<double, double>> Select(TStoredQuery& q, int idValue, const QVariant& start,
                                                  const QVariant& end)
    {
        q.Close();
        q.SetParam(QStringLiteral("id_value"), idValue);
        q.SetParam(QStringLiteral("start"), start);
        q.SetParam(QStringLiteral("end"), end);
        q.Open();
        std::vector<std::pair<double, double>> rows;
        for (q.First(); !q.Eof(); q.Next())
            rows.emplace_back(q.AsFloat(QStringLiteral("Vreme")), q.AsFloat(QStringLiteral("Vrednost")));
        return rows;
    }

    std::vector<std::pair<double, double>> Live(int idValue, double start = -1e6, double end = 1e6)
    {
        return Select(live, idValue, start, end);
    }
    std::vector<std::pair<double, double>> Archived(int idValue, double start = -1e6, double end = 1e6)
    {
        return Select(archive, idValue, start, end);
    }

    static QStringList Column(TDataSet& set, const QString& field)
    {
        QStringList values;
        for (set.First(); !set.Eof(); set.Next())
            values << set.AsString(field);
        return values;
    }

    TempDatabase file;
    TDModule db;
    TStoredQuery live{db.ADOConnection1, QStringLiteral("live"), QStringLiteral("SelectMerenja")};
    TStoredQuery archive{db.ADOConnection1, QStringLiteral("archive"), QStringLiteral("SelectArhivaMerenja")};
};

}  // namespace

TEST_F(DataModuleTest, ObjectsOpenFromTheStart)
{
    for (TDataSet* set : {static_cast<TDataSet*>(&db.ADOTableGrupe), static_cast<TDataSet*>(&db.ADOTableMreza),
                          static_cast<TDataSet*>(&db.ADOTableUredjaji), static_cast<TDataSet*>(&db.ADOTableVrednosti_Test),
                          static_cast<TDataSet*>(&db.ADOTableMreza_Test), static_cast<TDataSet*>(&db.ADOTableReportValues),
                          static_cast<TDataSet*>(&db.ADOColorTable), static_cast<TDataSet*>(&db.ADOTableIzvestaji),
                          static_cast<TDataSet*>(&db.ADOTableKanali), static_cast<TDataSet*>(&db.ADOStoredProc2),
                          static_cast<TDataSet*>(&db.ADOStoredProc1), static_cast<TDataSet*>(&db.ADOSelectValues),
                          static_cast<TDataSet*>(&db.ADOStoredProcNezavrseniRN),
                          static_cast<TDataSet*>(&db.ADOStoredProcZavrseniRN)})
        EXPECT_TRUE(set->IsOpen()) << set->objectName().toStdString();
    EXPECT_FALSE(db.ADOTableValues.IsOpen());
    EXPECT_FALSE(db.ADOTableRadniNalog.IsOpen());
    EXPECT_EQ(db.ADOTableUredjaji.RecordCount(), 13);
    EXPECT_EQ(db.ADOTableGrupe.RecordCount(), 2);
    EXPECT_EQ(db.ADOColorTable.RecordCount(), 16);
}

TEST_F(DataModuleTest, NetworkRowsComeByGroupWithTheirLookups)
{
    // A device of group 2 added first in key order, and one whose group does not exist.
    file.Exec("UPDATE Grupe SET Adresa = 2.0 WHERE ID_Grupe = 2");
    file.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (9, 7, 4, 'Bez grupe')");
    db.ADOTableGrupe.Refresh();
    db.ADOTableMreza.Refresh();
    TTable& m = db.ADOTableMreza;
    QStringList rows;
    for (m.First(); !m.Eof(); m.Next())
        rows << QStringLiteral("%1|%2|%3|%4|%5")
                    .arg(m.AsString("Naziv"), m.AsString("Tip"), m.AsString("Grupa"))
                    .arg(m.AsInt("AdresaGrupe"))
                    .arg(m.AsInt("Adresa"));
    EXPECT_EQ(rows, QStringList({"Programator|FP320|Susara 1|1|1", "Klima komora|KV710|Susara 1|1|2",
                                 "Indikator|LX410i|Susara 1|1|3", "Regulator vlage|KV720|Komora 2|2|1",
                                 "Regulator pec|GR310|Komora 2|2|2", "Merac vlage|HW600|Komora 2|2|3",
                                 "Bez grupe|HW600||0|4"}));
    m.Last();
    EXPECT_TRUE(m.Field("AdresaGrupe").isNull());
    m.First();
    EXPECT_EQ(m.Field("AdresaGrupe").typeId(), QMetaType::Int);
}

TEST_F(DataModuleTest, RecordedValuesResolveMnemonicAndColour)
{
    file.Exec("INSERT INTO Vrednosti_Test (ID_Uredjaja, ID_Parametra, Naziv, Boja) VALUES (1, 99999, 'Bez boje', 999)");
    db.ADOStoredProc1.Refresh();
    TTable& v = db.ADOTableValues;
    v.Open();
    EXPECT_EQ(v.RecordCount(), 12);
    ASSERT_TRUE(v.Locate("Naziv", "Programator PV"));
    EXPECT_EQ(v.AsString("Mnemonik"), "PV");
    EXPECT_EQ(v.AsString("Opis"), "Izmerena vrednost 1");
    EXPECT_EQ(v.AsInt("ColorValue"), 0xFF0000);
    EXPECT_EQ(v.AsString("ColorName"), "Crvena");
    EXPECT_EQ(v.AsString("Naziv Boje"), "Crvena");
    EXPECT_EQ(v.AsString("Uredjaj"), "Programator");

    ASSERT_TRUE(v.Locate("Naziv", "Bez boje"));
    EXPECT_EQ(v.AsInt("ColorValue"), 0);
    EXPECT_EQ(v.AsString("ColorName"), "");
    EXPECT_EQ(v.AsString("Mnemonik"), "");

    // Ordered by device.
    QStringList devices = Column(v, "ID_Uredjaja");
    QStringList sorted = devices;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(devices, sorted);
}

TEST_F(DataModuleTest, Query1And2ListTheParametersOfTheDeviceTypes)
{
    const QStringList columns = {"ID_Parametra", "Mnemonik", "Tip", "Upis", "Min", "Max", "Opis",
                                 "Parametri.Napomene", "DevicePrm_ID", "DeviceID", "ParamID",
                                 "DeviceParameters.Napomene", "ID_Uredjaja", "ID_Tip", "ID_Grupe",
                                 "Adresa", "Naziv"};
    TStoredQuery& q1 = db.ADOStoredProc2;
    q1.Close();
    q1.SetParam("P_ID_UREDJAJA", 1);  // names match without regard to case
    q1.Open();
    EXPECT_EQ(q1.FieldNames(), columns);
    const DeviceTypeInfo* fp320 = TypeByModel("FP320");
    ASSERT_EQ(q1.RecordCount(), fp320->ParamCount);
    QSet<int> ids;
    int i = 0;
    for (q1.First(); !q1.Eof(); q1.Next(), ++i) {
        ids.insert(q1.AsInt("ID_Parametra"));
        EXPECT_EQ(q1.AsInt("ID_Uredjaja"), 1);
        EXPECT_EQ(q1.AsInt("ID_Tip"), 3);
        EXPECT_EQ(q1.AsString("Mnemonik").toStdString(), fp320->Param(i).Mnemonic);
        EXPECT_EQ(q1.AsBool("Upis"), fp320->Param(i).IsWritable());
        EXPECT_EQ(q1.AsInt("Tip"), fp320->Param(i).ValueKind);
        EXPECT_EQ(q1.AsInt("Max"), std::lround(fp320->Param(i).MaxValue));
    }
    EXPECT_EQ(ids.size(), fp320->ParamCount);

    q1.Close();
    q1.SetParam("p_id_uredjaja", 999);
    q1.Open();
    EXPECT_TRUE(q1.IsEmpty());

    TStoredQuery& q2 = db.ADOStoredProc1;
    EXPECT_EQ(q2.FieldNames(), columns);
    int expected = 0;
    for (const char* model : {"FP320", "KV710", "LX410i", "KV720", "GR310", "HW600"})
        expected += TypeByModel(model)->ParamCount;
    EXPECT_EQ(q2.RecordCount(), expected);
}

TEST_F(DataModuleTest, Query3GivesTheRecordedValuesOfADevice)
{
    TStoredQuery& q = db.ADOSelectValues;
    q.Close();
    q.SetParam("id_uredjaja", 1);
    q.Open();
    EXPECT_EQ(q.FieldNames(), QStringList({"ID_Value", "Mnemonik"}));
    EXPECT_EQ(Column(q, "ID_Value"), QStringList({"1", "2", "3"}));
    EXPECT_EQ(Column(q, "Mnemonik"), QStringList({"PV", "SP", "2PV"}));

    file.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (0, 1, 5, 'Prazan')");
    q.Close();
    q.SetParam("id_uredjaja", 7);
    q.Open();
    EXPECT_TRUE(q.IsEmpty());
}

TEST_F(DataModuleTest, InsertMerenjeStampsRowsThatSelectMerenjaReturns)
{
    const double before = DaysNow();
    Insert(1, 21.5, false);
    Insert(1, double(-199.9f), true, 1);
    Insert(2, 7.0, false);
    const double after = DaysNow();

    live.Close();
    live.SetParam("id_value", 1);
    live.SetParam("start", DateTimeFromDays(before - 1));
    live.SetParam("end", QDateTime::currentDateTime().addSecs(60));
    live.Open();
    EXPECT_EQ(live.FieldNames(), QStringList({"Vreme", "Vrednost"}));
    ASSERT_EQ(live.RecordCount(), 2);  // the temporary row included
    live.First();
    // The database's clock and the program's agree on the scale (within the test's run).
    const double oneSecond = 1.0 / 86400;
    EXPECT_GE(live.AsFloat("Vreme"), before - oneSecond);
    EXPECT_LE(live.AsFloat("Vreme"), after + oneSecond);
    EXPECT_EQ(live.AsFloat("Vrednost"), 21.5);
    live.Next();
    EXPECT_EQ(live.AsFloat("Vrednost"), double(-199.9f));

    EXPECT_EQ(file.Scalar("SELECT Status FROM Merenja WHERE Vrednost < 0").toInt(), 1);
    EXPECT_EQ(file.Scalar("SELECT Privremen FROM Merenja WHERE Vrednost < 0").toInt(), 1);
}

TEST_F(DataModuleTest, DatabaseClockIsTheProgramsLocalTime)
{
    // Away from UTC, so a stamp in another scale or zone would be hours off.
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "America/Caracas");
    tzset();
    db.Connect(file.Path());  // a new connection reads the zone afresh
    const double before = DaysNow();
    Insert(1, 1, false);
    const double after = DaysNow();
    const double stamp = file.Scalar("SELECT Vreme FROM Merenja").toDouble();
    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
    EXPECT_GE(stamp, before - 1.0 / 86400);
    EXPECT_LE(stamp, after + 1.0 / 86400);
}

TEST_F(DataModuleTest, SelectMerenjaWindow)
{
    InsertAt(4, 45000.50, 3);
    InsertAt(4, 45000.25, 1);
    InsertAt(4, 45000.75, 4, true);
    InsertAt(4, 45000.30, 2);
    InsertAt(5, 45000.40, 99);
    using Rows = std::vector<std::pair<double, double>>;
    EXPECT_EQ(Live(4, 45000.0, 45001.0), Rows({{45000.25, 1}, {45000.30, 2}, {45000.50, 3}, {45000.75, 4}}));
    EXPECT_EQ(Live(4, 45000.30, 45000.50), Rows({{45000.30, 2}, {45000.50, 3}}));  // both ends included
    EXPECT_EQ(Live(4, 45000.51, 45000.74), Rows());
    EXPECT_EQ(Live(4, 45001.0, 45000.0), Rows());  // start after end
    EXPECT_EQ(Live(6, 45000.0, 45001.0), Rows());
}

TEST_F(DataModuleTest, AnOpenResultIsASnapshot)
{
    Insert(1, 1, false);
    live.Close();
    live.SetParam("id_value", 1);
    live.SetParam("start", -1e6);
    live.SetParam("end", 1e6);
    live.Open();
    Insert(1, 2, false);
    EXPECT_EQ(live.RecordCount(), 1);
    live.Refresh();
    EXPECT_EQ(live.RecordCount(), 2);
}

TEST_F(DataModuleTest, ArhivirajTransfersPermanentRowsOnce)
{
    Insert(1, 10, false);
    Insert(1, 11, true);
    Insert(2, 20, false);
    EXPECT_TRUE(Archived(1).empty());

    db.ADOArhiviraj.ExecSQL();
    ASSERT_EQ(Archived(1).size(), 1u);
    EXPECT_EQ(Archived(1)[0].second, 10);
    EXPECT_EQ(Archived(1)[0].first, Live(1)[0].first);
    EXPECT_EQ(Archived(2).size(), 1u);

    db.ADOArhiviraj.ExecSQL();  // nothing new: nothing added
    EXPECT_EQ(Archived(1).size(), 1u);

    // Only rows written since the last run are looked at: a row removed from the archive by
    // hand is not brought back, the new one is added.
    file.Exec("DELETE FROM ArhivaMerenja WHERE ID_Value = 2");
    Insert(1, 12, false);
    db.ADOArhiviraj.ExecSQL();
    EXPECT_EQ(Archived(1).size(), 2u);
    EXPECT_TRUE(Archived(2).empty());
    // The live rows stay for the live chart.
    EXPECT_EQ(Live(1).size(), 3u);
}

TEST_F(DataModuleTest, ArhivirajNeverLosesARow)
{
    const double now = DaysNow();
    // Old rows not yet archived, and a row stamped earlier than one already archived (the
    // clock was set back).
    InsertAt(3, now - 30, 1);
    InsertAt(3, now - 20, 2, true);
    db.ADOArhiviraj.ExecSQL();
    InsertAt(3, now - 40, 3);
    db.ADOArhiviraj.ExecSQL();

    using Rows = std::vector<std::pair<double, double>>;
    const Rows archived = Archived(3);
    ASSERT_EQ(archived.size(), 2u);
    EXPECT_EQ(archived[0].second, 3);
    EXPECT_EQ(archived[1].second, 1);
    // Permanent rows older than the live span left the live store once archived; the old
    // temporary row is DeletePrivremene's.
    EXPECT_EQ(Live(3), Rows({{now - 20, 2}}));
}

TEST_F(DataModuleTest, DeletePrivremeneRemovesOnlyTemporaryRows)
{
    Insert(1, 1, false);
    Insert(1, 2, true);
    Insert(1, 3, true);
    Insert(2, 4, true);
    db.ADODeletePrivremene.ExecSQL();
    ASSERT_EQ(Live(1).size(), 1u);
    EXPECT_EQ(Live(1)[0].second, 1);
    EXPECT_TRUE(Live(2).empty());
}

TEST_F(DataModuleTest, WorkOrders)
{
    const QStringList columns = {"RedniBroj", "Naziv", "Opis", "Program", "Start", "End"};
    TStoredQuery& open = db.ADOStoredProcNezavrseniRN;
    TStoredQuery& done = db.ADOStoredProcZavrseniRN;
    EXPECT_EQ(open.FieldNames(), columns);
    EXPECT_EQ(done.FieldNames(), columns);
    EXPECT_TRUE(open.IsEmpty());

    // With no open order, closing changes nothing.
    db.ADOStoredProcZavrsiSveRN.ExecSQL();
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM RadniNalog").toInt(), 0);

    const double before = DaysNow();
    for (int n : {12, 13}) {
        TStoredQuery& add = db.ADOStoredProcDodajRN;
        add.SetParam("REDNI_BROJ", n);
        add.SetParam("naziv", "Unesite oznaku radnog naloga ...");
        add.SetParam("opis", "Unesite opis procesa ...");
        add.SetParam("program", n - 10);
        add.ExecSQL();
    }
    open.Close();
    open.Open();
    ASSERT_EQ(open.RecordCount(), 2);
    open.Last();
    EXPECT_EQ(open.AsInt("RedniBroj"), 13);
    EXPECT_EQ(open.AsInt("Program"), 3);
    EXPECT_EQ(open.AsString("Naziv"), "Unesite oznaku radnog naloga ...");
    EXPECT_GE(open.AsFloat("Start"), before - 1.0 / 86400);
    EXPECT_TRUE(open.Field("End").isNull());

    // The operator names the current order.
    open.Edit();
    open.SetField("Naziv", "Serija A");
    open.SetField("Opis", "Susenje bukve");
    open.Post();
    EXPECT_EQ(open.AsString("Naziv"), "Serija A");
    open.Close();
    open.Open();
    open.Last();
    EXPECT_EQ(open.AsString("Naziv"), "Serija A");
    EXPECT_EQ(open.AsString("Opis"), "Susenje bukve");
    open.First();
    EXPECT_EQ(open.AsString("Naziv"), "Unesite oznaku radnog naloga ...");

    // A row changed by someone else since it was read is not overwritten.
    open.Last();
    file.Exec("UPDATE RadniNalog SET Opis = 'drugi' WHERE RedniBroj = 13");
    open.Edit();
    open.SetField("Naziv", "Serija B");
    EXPECT_THROW(open.Post(), DbError);
    open.Cancel();

    db.ADOStoredProcZavrsiSveRN.ExecSQL();
    open.Close();
    open.Open();
    EXPECT_TRUE(open.IsEmpty());
    done.Close();
    done.Open();
    ASSERT_EQ(done.RecordCount(), 2);
    QStringList ends;
    for (done.First(); !done.Eof(); done.Next()) {
        EXPECT_FALSE(done.Field("End").isNull());
        EXPECT_GE(done.AsFloat("End"), done.AsFloat("Start"));
        ends << QString::number(done.AsFloat("End"), 'g', 17);
    }
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM RadniNalog WHERE Zavrsen <> 0").toInt(), 2);

    // Closing again with none open leaves the finished ones as they were.
    db.ADOStoredProcZavrsiSveRN.ExecSQL();
    done.Refresh();
    QStringList endsAgain;
    for (done.First(); !done.Eof(); done.Next())
        endsAgain << QString::number(done.AsFloat("End"), 'g', 17);
    EXPECT_EQ(endsAgain, ends);
}

TEST_F(DataModuleTest, DeviceRowChangeShowsThatDevicesValues)
{
    file.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (0, 1, 5, 'Prazan')");
    db.ADOTableMreza_Test.Refresh();
    TTable& devices = db.ADOTableMreza_Test;
    TTable& values = db.ADOTableVrednosti_Test;

    devices.First();
    EXPECT_EQ(db.ADOStoredProc2.Param("p_id_uredjaja").toInt(), 1);
    EXPECT_EQ(Column(values, "Naziv"), QStringList({"Programator PV", "Programator SP", "Programator 2PV"}));
    EXPECT_EQ(Column(values, "Mnemonik"), QStringList({"PV", "SP", "2PV"}));
    EXPECT_EQ(Column(values, "Opis"), QStringList({"Izmerena vrednost 1", "Trenutno zadata", "Izmerena vrednost 2"}));
    EXPECT_EQ(Column(values, "Naziv Boje"), QStringList({"Crvena", "Plava", "Zelena"}));

    devices.Next();
    EXPECT_EQ(db.ADOStoredProc2.Param("p_id_uredjaja").toInt(), 2);
    EXPECT_EQ(Column(values, "Mnemonik"), QStringList({"1PV", "2PV"}));
    EXPECT_EQ(Column(values, "Uredjaj"), QStringList({"Klima komora", "Klima komora"}));

    ASSERT_TRUE(devices.Locate("Naziv", "Prazan"));
    EXPECT_EQ(db.ADOStoredProc2.Param("p_id_uredjaja").toInt(), 7);
    EXPECT_TRUE(values.IsEmpty());
    EXPECT_EQ(db.ADOStoredProc2.RecordCount(), TypeByIdTip(0)->ParamCount);
}

TEST_F(DataModuleTest, ReportChannelsFollowTheCurrentReport)
{
    TTable& reports = db.ADOTableIzvestaji;
    TTable& channels = db.ADOTableKanali;
    reports.First();
    EXPECT_EQ(reports.AsString("Naziv"), "Susara 1 - temperature");
    EXPECT_EQ(reports.AsInt("Maximum"), 150);
    EXPECT_EQ(reports.AsInt("Minimum"), 0);
    EXPECT_EQ(Column(channels, "Value"), QStringList({"Programator PV", "Programator SP", "Programator 2PV",
                                                     "Klima komora 1PV", "Klima komora 2PV"}));
    channels.First();
    EXPECT_EQ(channels.AsInt("ColorValue"), 0xFF0000);
    EXPECT_EQ(channels.AsInt("Boja"), db.ADOTableReportValues.LookupValue(kId, 1, "Boja").toInt());

    file.Exec("INSERT INTO Izvestaji (Naziv, Maximum, Minimum) VALUES ('Prazan', 100, 0)");
    reports.Refresh();
    ASSERT_TRUE(reports.Locate("Naziv", "Prazan"));
    EXPECT_TRUE(channels.IsEmpty());
    reports.First();
    EXPECT_EQ(channels.RecordCount(), 5);
}

TEST_F(DataModuleTest, WritePassIsOneTransaction)
{
    {
        TWritePass pass(db);
        for (int i = 0; i < 100; ++i)
            Insert(1 + i % 10, i, false);
    }  // not committed: rolled back
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Merenja").toInt(), 0);

    {
        TWritePass pass(db);
        Insert(1, 1, false);
        // A failing row ends that device's writing; rows already written stay.
        db.ADOStoredProc_InsertMerenje.SetParam("privremen", QVariant());
        try {
            db.ADOStoredProc_InsertMerenje.ExecSQL();
            ADD_FAILURE() << "a row without its temporary flag was written";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.Text().startsWith("InsertMerenje: ")) << e.what();
        }
        Insert(2, 2, false);
        // Archiving inside the pass is part of it.
        db.ADOArhiviraj.ExecSQL();
        pass.Commit();
    }
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM Merenja").toInt(), 2);
    EXPECT_EQ(file.Scalar("SELECT COUNT(*) FROM ArhivaMerenja").toInt(), 2);
}

TEST_F(DataModuleTest, MisuseIsReportedAsAnError)
{
    EXPECT_THROW(db.ADOSelectValues.SetParam("no_such_parameter", 1), DbError);
    EXPECT_THROW(db.ADOTableGrupe.Field("NoSuchField"), DbError);
    EXPECT_THROW(db.ADOTableValues.Field("Naziv"), DbError);  // closed
    EXPECT_THROW(db.ADOTableGrupe.SetField("Naziv", "x"), DbError);  // not editing
    db.ADOTableGrupe.Edit();
    EXPECT_THROW(db.ADOTableGrupe.SetField("NoSuchField", "x"), DbError);
    db.ADOTableGrupe.Cancel();
    EXPECT_THROW(db.ADOTableValues.Edit(), DbError);                // closed
    EXPECT_THROW(db.ADOStoredProcNezavrseniRN.Edit(), DbError);     // no row
    db.ADOStoredProcZavrseniRN.Close();
    db.ADOStoredProcDodajRN.SetParam("redni_broj", 1);
    db.ADOStoredProcDodajRN.ExecSQL();
    db.ADOStoredProcZavrsiSveRN.ExecSQL();
    db.ADOStoredProcZavrseniRN.Open();
    db.ADOStoredProcZavrseniRN.Edit();
    db.ADOStoredProcZavrseniRN.SetField("Naziv", "x");
    EXPECT_THROW(db.ADOStoredProcZavrseniRN.Post(), DbError);       // finished orders are read-only
}

TEST_F(DataModuleTest, EmptySetReadsAsNullAndZero)
{
    TStoredQuery& open = db.ADOStoredProcNezavrseniRN;
    ASSERT_TRUE(open.IsEmpty());
    open.Last();
    EXPECT_TRUE(open.Eof());
    EXPECT_EQ(open.AsFloat("Start"), 0.0);
    EXPECT_EQ(open.AsString("Naziv"), "");
    EXPECT_EQ(open.AsInt("RedniBroj"), 0);
}

TEST_F(DataModuleTest, EditedTableRowIsPostedByItsKey)
{
    TTable& groups = db.ADOTableGrupe;
    ASSERT_TRUE(groups.Locate("ID_Grupe", 2));
    groups.Edit();
    groups.SetField("Naziv", "Komora 3");
    groups.Next();  // moving posts the edit
    EXPECT_EQ(file.Scalar("SELECT Naziv FROM Grupe WHERE ID_Grupe = 2").toString(), "Komora 3");
    EXPECT_EQ(file.Scalar("SELECT Naziv FROM Grupe WHERE ID_Grupe = 1").toString(), "Susara 1");
}

TEST_F(DataModuleTest, ReconnectingPreparesTheQueriesAgain)
{
    db.ADOStoredProc_InsertMerenje.Prepare();
    Insert(1, 1, false);
    db.Connect(file.Path());
    EXPECT_FALSE(db.ADOStoredProc_InsertMerenje.IsPrepared());
    Insert(1, 2, false);
    EXPECT_EQ(Live(1).size(), 2u);
}

TEST(ParsedSql, PlaceholdersOutsideQuotesAndComments)
{
    struct Case {
        QString text;
        QString sql;
        QStringList params;
    } cases[] = {
        {"SELECT :A, :b_1 FROM t WHERE x = :a", "SELECT ?, ? FROM t WHERE x = ?", {"a", "b_1", "a"}},
        {"SELECT ':no', \":no\" -- :no\n, :yes", "SELECT ':no', \":no\" -- :no\n, ?", {"yes"}},
        {"SELECT /* :no */ x::int, 'it''s :no', :p", "SELECT /* :no */ x::int, 'it''s :no', ?", {"p"}},
        {"SELECT 1 WHERE t = '12:30'", "SELECT 1 WHERE t = '12:30'", {}},
    };
    for (const Case& c : cases) {
        const ParsedSql parsed(c.text);
        EXPECT_EQ(parsed.Sql, c.sql);
        EXPECT_EQ(parsed.Params, c.params);
    }
}
