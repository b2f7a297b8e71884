// The data module: the one way into the measurement database "Dudured.ido". It owns the
// connection and one object per table and stored query, under the names the rest of the
// program uses, with their orderings, master/detail links and lookup fields:
//
//   ADOTableGrupe           Grupe
//   ADOTableMreza           Mreza by ID_Grupe; lookups Tip, Grupa, AdresaGrupe (read as integer)
//   ADOTableUredjaji        Uredjaji
//   ADOTableValues          Vrednosti_Test by ID_Uredjaja; Mnemonik, Opis from Query2; colours
//   ADOTableVrednosti_Test  Vrednosti_Test, detail of ADOTableMreza_Test by ID_Uredjaja;
//                           Mnemonik, Opis from Query1; Uredjaj; ColorName, Naziv Boje, ColorValue
//   ADOTableMreza_Test      Mreza by ID_Grupe; lookups as ADOTableMreza
//   ADOTableReportValues    Vrednosti_Test by ID_Uredjaja (source of the Kanali lookups)
//   ADOColorTable           ColorTable
//   ADOTableIzvestaji       Izvestaji
//   ADOTableKanali          Kanali, detail of ADOTableIzvestaji; lookups Value, Boja, ColorValue
//   ADOTableRadniNalog      RadniNalog (not opened)
//   ADOStoredProc2 = Query1, ADOStoredProc1 = Query2, ADOSelectValues = Query3,
//   ADOStoredProc_InsertMerenje, ADODeletePrivremene, ADOArhiviraj,
//   ADOStoredProcNezavrseniRN, ADOStoredProcZavrseniRN, ADOStoredProcZavrsiSveRN,
//   ADOStoredProcDodajRN
//
// Connect opens the file and every object that is open from the start (all but
// ADOTableValues, ADOTableRadniNalog and the queries run on demand). When the current row of
// ADOTableMreza_Test changes, Query1 is reopened for that device and ADOTableVrednosti_Test
// refreshed, so the value grid shows the selected device's values with their parameters.
//
// Lookup fields read the current snapshot of their source: after the grids change Grupe,
// Mreza or Vrednosti_Test through their own SQL models, refresh the source before reading.
//
// A write pass (the measurement writer's rows of one tick) runs in one transaction: use
// TWritePass, or BeginPass/CommitPass/RollbackPass. All of it runs on the main thread.
#pragma once

#include "db/Connection.h"
#include "db/StoredQuery.h"
#include "db/Table.h"

namespace tarvo {

class TDModule {
public:
    TDModule();
    ~TDModule();
    TDModule(const TDModule&) = delete;
    TDModule& operator=(const TDModule&) = delete;

    // Opens the database file and the objects that are open from the start. Throws DbError
    // naming the file and the problem; the module is then left closed.
    void Connect(const QString& path = QStringLiteral("Dudured.ido"), const ConnectOptions& options = {});
    void Disconnect();
    bool IsConnected() const { return ADOConnection1.IsOpen(); }
    // The Qt connection, for SQL models over the configuration tables.
    QSqlDatabase Database() const { return ADOConnection1.Database(); }

    void BeginPass() { ADOConnection1.Begin(); }
    void CommitPass() { ADOConnection1.Commit(); }
    void RollbackPass() { ADOConnection1.Rollback(); }

    TConnection ADOConnection1;

    // Declared so that every master and lookup source outlives the sets that read it.
    TTable ADOTableGrupe;
    TTable ADOTableUredjaji;
    TTable ADOColorTable;
    TStoredQuery ADOStoredProc2;  // Query1
    TStoredQuery ADOStoredProc1;  // Query2
    TTable ADOTableMreza;
    TTable ADOTableMreza_Test;
    TTable ADOTableValues;
    TTable ADOTableVrednosti_Test;
    TTable ADOTableReportValues;
    TTable ADOTableIzvestaji;
    TTable ADOTableKanali;
    TTable ADOTableRadniNalog;
    TStoredQuery ADOSelectValues;  // Query3
    TStoredQuery ADOStoredProc_InsertMerenje;
    TStoredQuery ADODeletePrivremene;
    TStoredQuery ADOArhiviraj;
    TStoredQuery ADOStoredProcNezavrseniRN;
    TStoredQuery ADOStoredProcZavrseniRN;
    TStoredQuery ADOStoredProcZavrsiSveRN;
    TStoredQuery ADOStoredProcDodajRN;

private:
    void DeviceRowChanged();
    std::vector<TDataSet*> OpenAtStart();
    std::vector<TDataSet*> All();
};

// One write pass: begun on construction, rolled back on destruction unless committed.
class TWritePass {
public:
    explicit TWritePass(TDModule& module) : module_(module) { module_.BeginPass(); }
    ~TWritePass()
    {
        if (!done_) {
            try {
                module_.RollbackPass();
            } catch (...) {
            }
        }
    }
    TWritePass(const TWritePass&) = delete;
    TWritePass& operator=(const TWritePass&) = delete;
    void Commit()
    {
        done_ = true;
        module_.CommitPass();
    }

private:
    TDModule& module_;
    bool done_ = false;
};

}  // namespace tarvo
