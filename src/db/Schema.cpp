#include "db/Schema.h"

namespace tarvo::schema {

namespace {

using T = ColType;

// The database's clock in the program's time scale.
const QString kNow = QStringLiteral("(julianday('now', 'localtime') - 2415018.5)");

QString Quote(const char* name) { return QLatin1Char('"') + QLatin1String(name) + QLatin1Char('"'); }

QString ColumnSql(const Column& c)
{
    const QString name = Quote(c.Name);
    const QString int16Check = QStringLiteral(" CHECK (%1 BETWEEN -32768 AND 32767)").arg(name);
    QString sql = name + QLatin1Char(' ');
    switch (c.Type) {
    case T::Auto: sql += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"); break;
    case T::Key16: sql += QStringLiteral("INTEGER PRIMARY KEY") + int16Check; break;
    case T::Int16: sql += QStringLiteral("INTEGER") + int16Check; break;
    case T::Int32: sql += QStringLiteral("INTEGER"); break;
    case T::Float: sql += QStringLiteral("DOUBLE"); break;
    case T::Text: sql += QStringLiteral("VARCHAR(%1)").arg(c.Length); break;
    case T::Memo: sql += QStringLiteral("TEXT"); break;
    case T::Bool: sql += QStringLiteral("BOOLEAN"); break;
    case T::DateTime: sql += QStringLiteral("REAL"); break;
    }
    if (*c.Extra)
        sql += QLatin1Char(' ') + QLatin1String(c.Extra);
    return sql;
}

std::vector<Table> MakeTables()
{
    return {
        {"Grupe",
         {{"ID_Grupe", T::Key16}, {"Naziv", T::Text, 50}, {"Adresa", T::Float},
          {"Top", T::Int16}, {"Left", T::Int16}}},
        {"Mreza",
         {{"ID_Uredjaja", T::Auto, 0, "CHECK (\"ID_Uredjaja\" <= 32767)"},
          {"ID_Tip", T::Int16}, {"ID_Grupe", T::Int16}, {"Adresa", T::Int16},
          {"Naziv", T::Text, 50}}},
        {"Uredjaji",
         {{"ID_Tip", T::Key16}, {"Naziv", T::Text, 50}, {"Identifikacija", T::Text, 50},
          {"Broj_Ulaza", T::Int16}, {"Broj_Izlaza", T::Int32}}},
        {"Vrednosti_Test",
         {{"ID_Value", T::Auto}, {"ID_Uredjaja", T::Int32}, {"ID_Parametra", T::Int32},
          {"Triger", T::Float}, {"Naziv", T::Text, 50}, {"Boja", T::Int32}}},
        {"Parametri",
         {{"ID_Parametra", T::Auto}, {"Mnemonik", T::Text, 3}, {"Tip", T::Int32},
          {"Upis", T::Bool}, {"Min", T::Int32}, {"Max", T::Int32}, {"Opis", T::Text, 50},
          {"Napomene", T::Text, 50}}},
        {"DeviceParameters",
         {{"DevicePrm_ID", T::Auto}, {"DeviceID", T::Int16}, {"ParamID", T::Int32},
          {"Napomene", T::Text, 50}}},
        {"ColorTable", {{"ColorID", T::Auto}, {"Name", T::Text, 50}, {"Value", T::Int32}}},
        {"RadniNalog",
         {{"ID", T::Auto}, {"RedniBroj", T::Int32}, {"Naziv", T::Text, 255},
          {"Opis", T::Text, 255}, {"Program", T::Int32}, {"Start", T::DateTime},
          {"End", T::DateTime}, {"Zavrsen", T::Bool, 0, "NOT NULL DEFAULT 0"}}},
        {"Izvestaji",
         {{"ID_Izvestaja", T::Auto}, {"Naziv", T::Text, 100}, {"Maximum", T::Int16},
          {"Minimum", T::Int16}}},
        {"Kanali",
         {{"ID_Kanala", T::Auto}, {"ID_Value", T::Int32}, {"ID_Izvestaja", T::Int32},
          {"Opis", T::Text, 50}}},
        {"Merenja",
         {{"ID", T::Auto}, {"ID_Value", T::Int32, 0, "NOT NULL"},
          {"Vreme", T::DateTime, 0, "NOT NULL"}, {"Vrednost", T::Float},
          {"Status", T::Int32}, {"Privremen", T::Bool, 0, "NOT NULL"}}},
        {"ArhivaMerenja",
         {{"ID_Value", T::Int32, 0, "NOT NULL"}, {"Vreme", T::DateTime, 0, "NOT NULL"},
          {"ID", T::Int32, 0, "NOT NULL"}, {"Vrednost", T::Float}, {"Status", T::Int32}},
         "PRIMARY KEY (\"ID_Value\", \"Vreme\", \"ID\")",
         "WITHOUT ROWID"},
        {"ArhivaStanje",
         {{"ID", T::Int32, 0, "PRIMARY KEY CHECK (\"ID\" = 1)"},
          {"Poslednji", T::Int32, 0, "NOT NULL"}}},
        {"StoredQueries",
         {{"Name", T::Text, 64, "NOT NULL"}, {"Step", T::Int32, 0, "NOT NULL"},
          {"Role", T::Text, 8, "NOT NULL DEFAULT 'run' CHECK (\"Role\" IN ('run', 'post'))"},
          {"Sql", T::Memo, 0, "NOT NULL"}},
         "PRIMARY KEY (\"Name\", \"Role\", \"Step\")"},
    };
}

// Columns of Query1 and Query2: the parameter, its assignment, and the device.
const QString kParamColumns = QStringLiteral(
    "p.\"ID_Parametra\", p.\"Mnemonik\", p.\"Tip\", p.\"Upis\", p.\"Min\", p.\"Max\", p.\"Opis\", "
    "p.\"Napomene\" AS \"Parametri.Napomene\", d.\"DevicePrm_ID\", d.\"DeviceID\", d.\"ParamID\", "
    "d.\"Napomene\" AS \"DeviceParameters.Napomene\", m.\"ID_Uredjaja\", m.\"ID_Tip\", "
    "m.\"ID_Grupe\", m.\"Adresa\", m.\"Naziv\" "
    "FROM \"Mreza\" m JOIN \"DeviceParameters\" d ON d.\"DeviceID\" = m.\"ID_Tip\" "
    "JOIN \"Parametri\" p ON p.\"ID_Parametra\" = d.\"ParamID\" ");

const QString kWorkOrderColumns = QStringLiteral(
    "SELECT \"RedniBroj\", \"Naziv\", \"Opis\", \"Program\", \"Start\", \"End\" FROM \"RadniNalog\" ");

// Posting an edited work order back: the row is found by the values it was read with.
const QString kWorkOrderPost = QStringLiteral(
    "UPDATE \"RadniNalog\" SET \"Naziv\" = :Naziv, \"Opis\" = :Opis "
    "WHERE \"RedniBroj\" IS :old_RedniBroj AND \"Naziv\" IS :old_Naziv AND \"Opis\" IS :old_Opis "
    "AND \"Program\" IS :old_Program AND \"Start\" IS :old_Start AND \"End\" IS :old_End");

const QString kMeasurementWindow = QStringLiteral(
    "WHERE \"ID_Value\" = :id_value AND \"Vreme\" >= :start AND \"Vreme\" <= :end "
    "ORDER BY \"Vreme\", \"ID\"");

std::vector<StoredQuery> MakeQueries()
{
    const QString watermark = QStringLiteral("(SELECT \"Poslednji\" FROM \"ArhivaStanje\" WHERE \"ID\" = 1)");
    return {
        {"Query1",
         {"SELECT " + kParamColumns + "WHERE m.\"ID_Uredjaja\" = :p_id_uredjaja ORDER BY d.\"DevicePrm_ID\""},
         {}},
        {"Query2",
         {"SELECT " + kParamColumns + "ORDER BY m.\"ID_Uredjaja\", d.\"DevicePrm_ID\""},
         {}},
        {"Query3",
         {"SELECT v.\"ID_Value\", p.\"Mnemonik\" FROM \"Vrednosti_Test\" v "
          "LEFT JOIN \"Parametri\" p ON p.\"ID_Parametra\" = v.\"ID_Parametra\" "
          "WHERE v.\"ID_Uredjaja\" = :id_uredjaja ORDER BY v.\"ID_Value\""},
         {}},
        {"InsertMerenje",
         {"INSERT INTO \"Merenja\" (\"ID_Value\", \"Vreme\", \"Vrednost\", \"Status\", \"Privremen\") "
          "VALUES (:id_value, " + kNow + ", :value, :status, :privremen)"},
         {}},
        {"DeletePrivremene", {"DELETE FROM \"Merenja\" WHERE \"Privremen\" <> 0"}, {}},
        {"Arhiviraj",
         {"INSERT OR IGNORE INTO \"ArhivaStanje\" (\"ID\", \"Poslednji\") VALUES (1, 0)",
          "INSERT OR IGNORE INTO \"ArhivaMerenja\" (\"ID_Value\", \"Vreme\", \"ID\", \"Vrednost\", \"Status\") "
          "SELECT \"ID_Value\", \"Vreme\", \"ID\", \"Vrednost\", \"Status\" FROM \"Merenja\" "
          "WHERE \"ID\" > " + watermark + " AND \"Privremen\" = 0",
          "UPDATE \"ArhivaStanje\" SET \"Poslednji\" = (SELECT MAX(\"ID\") FROM \"Merenja\") "
          "WHERE \"ID\" = 1 AND (SELECT MAX(\"ID\") FROM \"Merenja\") > \"Poslednji\"",
          "DELETE FROM \"Merenja\" INDEXED BY \"MerenjaVreme\" "
          "WHERE \"Vreme\" < " + kNow + " - " + QString::number(LiveDays) +
              " AND \"Privremen\" = 0 AND \"ID\" <= " + watermark},
         {}},
        {"SelectMerenja",
         {"SELECT \"Vreme\", \"Vrednost\" FROM \"Merenja\" " + kMeasurementWindow},
         {}},
        {"SelectArhivaMerenja",
         {"SELECT \"Vreme\", \"Vrednost\" FROM \"ArhivaMerenja\" " + kMeasurementWindow},
         {}},
        {"NezavrseniRadniNalozi", {kWorkOrderColumns + "WHERE \"Zavrsen\" = 0 ORDER BY \"ID\""}, kWorkOrderPost},
        {"ZavrseniRadniNalozi", {kWorkOrderColumns + "WHERE \"Zavrsen\" <> 0 ORDER BY \"ID\""}, {}},
        {"ZavrsiSveRadneNaloge",
         {"UPDATE \"RadniNalog\" SET \"Zavrsen\" = 1, \"End\" = " + kNow + " WHERE \"Zavrsen\" = 0"},
         {}},
        {"DodajRadniNalog",
         {"INSERT INTO \"RadniNalog\" (\"RedniBroj\", \"Naziv\", \"Opis\", \"Program\", \"Start\", \"Zavrsen\") "
          "VALUES (:redni_broj, :naziv, :opis, :program, " + kNow + ", 0)"},
         {}},
        {"QueryKanali",
         {"SELECT k.\"ID_Izvestaja\", k.\"ID_Value\", k.\"Opis\", v.\"Naziv\" AS \"Vrednosti.Naziv\", "
          "m.\"Naziv\" AS \"Mreza.Naziv\" FROM \"Kanali\" k "
          "LEFT JOIN \"Vrednosti_Test\" v ON v.\"ID_Value\" = k.\"ID_Value\" "
          "LEFT JOIN \"Mreza\" m ON m.\"ID_Uredjaja\" = v.\"ID_Uredjaja\" "
          "ORDER BY k.\"ID_Izvestaja\", k.\"ID_Kanala\""},
         {}},
    };
}

}  // namespace

const char* const QueryTable = "StoredQueries";
const char* const Driver = "QSQLITE";

const std::vector<Table>& Tables()
{
    static const std::vector<Table> tables = MakeTables();
    return tables;
}

QString CreateTableSql(const Table& table)
{
    QStringList parts;
    for (const Column& c : table.Columns)
        parts << ColumnSql(c);
    if (*table.Tail)
        parts << QLatin1String(table.Tail);
    QString sql = QStringLiteral("CREATE TABLE %1 (%2)").arg(Quote(table.Name), parts.join(QStringLiteral(", ")));
    if (*table.Options)
        sql += QLatin1Char(' ') + QLatin1String(table.Options);
    return sql;
}

QStringList CreateIndexSql()
{
    return {
        "CREATE INDEX \"MerenjaVrednost\" ON \"Merenja\" (\"ID_Value\", \"Vreme\")",
        "CREATE INDEX \"MerenjaVreme\" ON \"Merenja\" (\"Vreme\")",
        "CREATE INDEX \"MerenjaPrivremene\" ON \"Merenja\" (\"ID\") WHERE \"Privremen\" <> 0",
        "CREATE INDEX \"MrezaGrupa\" ON \"Mreza\" (\"ID_Grupe\")",
        "CREATE INDEX \"VrednostiUredjaj\" ON \"Vrednosti_Test\" (\"ID_Uredjaja\")",
        "CREATE INDEX \"DeviceParametersTip\" ON \"DeviceParameters\" (\"DeviceID\")",
        "CREATE INDEX \"KanaliIzvestaj\" ON \"Kanali\" (\"ID_Izvestaja\")",
        "CREATE INDEX \"RadniNalogZavrsen\" ON \"RadniNalog\" (\"Zavrsen\")",
    };
}

QString InsertQuerySql()
{
    return QStringLiteral("INSERT INTO \"StoredQueries\" (\"Name\", \"Step\", \"Role\", \"Sql\") "
                          "VALUES (:name, :step, :role, :sql)");
}

const std::vector<StoredQuery>& StoredQueries()
{
    static const std::vector<StoredQuery> queries = MakeQueries();
    return queries;
}

QStringList RequiredQueries()
{
    return {"Query1", "Query2", "Query3", "InsertMerenje", "DeletePrivremene", "Arhiviraj",
            "SelectMerenja", "SelectArhivaMerenja", "NezavrseniRadniNalozi",
            "ZavrseniRadniNalozi", "ZavrsiSveRadneNaloge", "DodajRadniNalog"};
}

QString ConnectOptions(int busyTimeoutMs) { return QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs); }
QString ProbeSql() { return QStringLiteral("SELECT COUNT(*) FROM sqlite_master"); }
QString BusyTimeoutSql(int ms) { return QStringLiteral("PRAGMA busy_timeout = %1").arg(ms); }
QString BeginWriteSql() { return QStringLiteral("BEGIN IMMEDIATE"); }
QStringList SessionSql() { return {QStringLiteral("PRAGMA synchronous = FULL")}; }
QString WalSql() { return QStringLiteral("PRAGMA journal_mode = WAL"); }
QString IntegrityCheckSql() { return QStringLiteral("PRAGMA integrity_check"); }
QString BackupSql() { return QStringLiteral("VACUUM INTO ?"); }

Failure Classify(const QSqlError& error)
{
    // SQLite's primary result codes.
    switch (error.nativeErrorCode().toInt() & 0xFF) {
    case 5:   // SQLITE_BUSY
    case 6:   // SQLITE_LOCKED
        return Failure::Locked;
    case 8:   // SQLITE_READONLY
        return Failure::ReadOnly;
    case 11:  // SQLITE_CORRUPT
        return Failure::Damaged;
    case 14:  // SQLITE_CANTOPEN
        return Failure::CannotOpen;
    case 26:  // SQLITE_NOTADB
        return Failure::NotADatabase;
    default:
        return Failure::Other;
    }
}

}  // namespace tarvo::schema
