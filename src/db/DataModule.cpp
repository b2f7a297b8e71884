#include "db/DataModule.h"

#include "db/DbError.h"

namespace tarvo {

namespace {

void AddNetworkLookups(TTable& mreza, TTable& uredjaji, TTable& grupe)
{
    mreza.SetOrderBy({QStringLiteral("ID_Grupe")});
    mreza.AddLookup(QStringLiteral("Tip"), QStringLiteral("ID_Tip"), uredjaji, QStringLiteral("ID_Tip"), QStringLiteral("Naziv"));
    mreza.AddLookup(QStringLiteral("Grupa"), QStringLiteral("ID_Grupe"), grupe, QStringLiteral("ID_Grupe"), QStringLiteral("Naziv"));
    mreza.AddLookup(QStringLiteral("AdresaGrupe"), QStringLiteral("ID_Grupe"), grupe, QStringLiteral("ID_Grupe"),
                    QStringLiteral("Adresa"), TDataSet::LookupAs::Integer);
}

void AddValueLookups(TTable& values, TDataSet& parameters, TTable& devices, TTable& colours)
{
    values.AddLookup(QStringLiteral("Mnemonik"), QStringLiteral("ID_Parametra"), parameters, QStringLiteral("ID_Parametra"), QStringLiteral("Mnemonik"));
    values.AddLookup(QStringLiteral("Opis"), QStringLiteral("ID_Parametra"), parameters, QStringLiteral("ID_Parametra"), QStringLiteral("Opis"));
    values.AddLookup(QStringLiteral("Uredjaj"), QStringLiteral("ID_Uredjaja"), devices, QStringLiteral("ID_Uredjaja"), QStringLiteral("Naziv"));
    values.AddLookup(QStringLiteral("ColorName"), QStringLiteral("Boja"), colours, QStringLiteral("ColorID"), QStringLiteral("Name"));
    values.AddLookup(QStringLiteral("Naziv Boje"), QStringLiteral("Boja"), colours, QStringLiteral("ColorID"), QStringLiteral("Name"));
    values.AddLookup(QStringLiteral("ColorValue"), QStringLiteral("Boja"), colours, QStringLiteral("ColorID"), QStringLiteral("Value"));
}

}  // namespace

TDModule::TDModule()
    : ADOTableGrupe(ADOConnection1, QStringLiteral("ADOTableGrupe"), QStringLiteral("Grupe")),
      ADOTableUredjaji(ADOConnection1, QStringLiteral("ADOTableUredjaji"), QStringLiteral("Uredjaji")),
      ADOColorTable(ADOConnection1, QStringLiteral("ADOColorTable"), QStringLiteral("ColorTable")),
      ADOStoredProc2(ADOConnection1, QStringLiteral("ADOStoredProc2"), QStringLiteral("Query1")),
      ADOStoredProc1(ADOConnection1, QStringLiteral("ADOStoredProc1"), QStringLiteral("Query2")),
      ADOTableMreza(ADOConnection1, QStringLiteral("ADOTableMreza"), QStringLiteral("Mreza")),
      ADOTableMreza_Test(ADOConnection1, QStringLiteral("ADOTableMreza_Test"), QStringLiteral("Mreza")),
      ADOTableValues(ADOConnection1, QStringLiteral("ADOTableValues"), QStringLiteral("Vrednosti_Test")),
      ADOTableVrednosti_Test(ADOConnection1, QStringLiteral("ADOTableVrednosti_Test"), QStringLiteral("Vrednosti_Test")),
      ADOTableReportValues(ADOConnection1, QStringLiteral("ADOTableReportValues"), QStringLiteral("Vrednosti_Test")),
      ADOTableIzvestaji(ADOConnection1, QStringLiteral("ADOTableIzvestaji"), QStringLiteral("Izvestaji")),
      ADOTableKanali(ADOConnection1, QStringLiteral("ADOTableKanali"), QStringLiteral("Kanali")),
      ADOTableRadniNalog(ADOConnection1, QStringLiteral("ADOTableRadniNalog"), QStringLiteral("RadniNalog")),
      ADOSelectValues(ADOConnection1, QStringLiteral("ADOSelectValues"), QStringLiteral("Query3")),
      ADOStoredProc_InsertMerenje(ADOConnection1, QStringLiteral("ADOStoredProc_InsertMerenje"), QStringLiteral("InsertMerenje")),
      ADODeletePrivremene(ADOConnection1, QStringLiteral("ADODeletePrivremene"), QStringLiteral("DeletePrivremene")),
      ADOArhiviraj(ADOConnection1, QStringLiteral("ADOArhiviraj"), QStringLiteral("Arhiviraj")),
      ADOStoredProcNezavrseniRN(ADOConnection1, QStringLiteral("ADOStoredProcNezavrseniRN"), QStringLiteral("NezavrseniRadniNalozi")),
      ADOStoredProcZavrseniRN(ADOConnection1, QStringLiteral("ADOStoredProcZavrseniRN"), QStringLiteral("ZavrseniRadniNalozi")),
      ADOStoredProcZavrsiSveRN(ADOConnection1, QStringLiteral("ADOStoredProcZavrsiSveRN"), QStringLiteral("ZavrsiSveRadneNaloge")),
      ADOStoredProcDodajRN(ADOConnection1, QStringLiteral("ADOStoredProcDodajRN"), QStringLiteral("DodajRadniNalog"))
{
    AddNetworkLookups(ADOTableMreza, ADOTableUredjaji, ADOTableGrupe);
    AddNetworkLookups(ADOTableMreza_Test, ADOTableUredjaji, ADOTableGrupe);

    const QString idUredjaja = QStringLiteral("ID_Uredjaja");
    ADOTableValues.SetOrderBy({idUredjaja});
    AddValueLookups(ADOTableValues, ADOStoredProc1, ADOTableMreza_Test, ADOColorTable);
    ADOTableVrednosti_Test.SetMaster(ADOTableMreza_Test, idUredjaja, idUredjaja);
    AddValueLookups(ADOTableVrednosti_Test, ADOStoredProc2, ADOTableMreza_Test, ADOColorTable);
    ADOTableReportValues.SetOrderBy({idUredjaja});
    ADOTableReportValues.AddLookup(QStringLiteral("ColorValue"), QStringLiteral("Boja"), ADOColorTable,
                                   QStringLiteral("ColorID"), QStringLiteral("Value"));

    const QString idIzvestaja = QStringLiteral("ID_Izvestaja");
    const QString idValue = QStringLiteral("ID_Value");
    ADOTableKanali.SetMaster(ADOTableIzvestaji, idIzvestaja, idIzvestaja);
    ADOTableKanali.AddLookup(QStringLiteral("Value"), idValue, ADOTableReportValues, idValue, QStringLiteral("Naziv"));
    ADOTableKanali.AddLookup(QStringLiteral("Boja"), idValue, ADOTableReportValues, idValue, QStringLiteral("Boja"));
    ADOTableKanali.AddLookup(QStringLiteral("ColorValue"), QStringLiteral("Boja"), ADOColorTable,
                             QStringLiteral("ColorID"), QStringLiteral("Value"));

    ADOTableMreza_Test.AddRowListener([this] { DeviceRowChanged(); });
}

TDModule::~TDModule() { Disconnect(); }

std::vector<TDataSet*> TDModule::OpenAtStart()
{
    // Lookup sources and masters before the sets that read them.
    return {&ADOTableGrupe, &ADOTableUredjaji, &ADOColorTable, &ADOStoredProc1, &ADOTableMreza,
            &ADOTableMreza_Test, &ADOTableVrednosti_Test, &ADOTableReportValues, &ADOTableIzvestaji,
            &ADOTableKanali, &ADOStoredProc2, &ADOSelectValues, &ADOStoredProcNezavrseniRN,
            &ADOStoredProcZavrseniRN};
}

std::vector<TDataSet*> TDModule::All()
{
    std::vector<TDataSet*> all = OpenAtStart();
    all.insert(all.end(), {&ADOTableValues, &ADOTableRadniNalog, &ADOStoredProc_InsertMerenje,
                           &ADODeletePrivremene, &ADOArhiviraj, &ADOStoredProcZavrsiSveRN,
                           &ADOStoredProcDodajRN});
    return all;
}

void TDModule::Connect(const QString& path, const ConnectOptions& options)
{
    Disconnect();
    ADOConnection1.Open(path, options);
    try {
        for (TDataSet* set : OpenAtStart())
            set->Open();
    } catch (...) {
        Disconnect();
        throw;
    }
}

void TDModule::Disconnect()
{
    for (TDataSet* set : All())
        set->Close();
    ADOConnection1.Close();
}

void TDModule::DeviceRowChanged()
{
    if (!ADOTableMreza_Test.IsOpen() || !ADOConnection1.IsOpen())
        return;
    ADOStoredProc2.Close();
    ADOStoredProc2.SetParam(QStringLiteral("p_id_uredjaja"), ADOTableMreza_Test.Field(QStringLiteral("ID_Uredjaja")));
    if (!ADOStoredProc2.IsPrepared())
        ADOStoredProc2.Prepare();
    ADOStoredProc2.Open();
    if (ADOTableVrednosti_Test.IsOpen())
        ADOTableVrednosti_Test.Refresh();
}

}  // namespace tarvo
