#include "db/DbInit.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <vector>
#include <cstdio>

#include "db/DataModule.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "devices/TypeTable.h"

namespace tarvo::dbinit {

namespace {

struct Colour {
    const char* Name;
    int Value;  // 0xRRGGBB
};

const Colour kColours[] = {
    {"Crna", 0x000000},        {"Crvena", 0xFF0000},      {"Zelena", 0x008000},
    {"Plava", 0x0000FF},       {"Narandzasta", 0xFF8000}, {"Ljubicasta", 0x800080},
    {"Braon", 0x8B4513},       {"Siva", 0x808080},        {"Tirkizna", 0x00A0A0},
    {"Maslinasta", 0x808000},  {"Tamnoplava", 0x000080}, {"Tamnocrvena", 0x800000},
    {"Svetlozelena", 0x00C000}, {"Roze", 0xFF1493},       {"Zuta", 0xE0C000},
    {"Svetloplava", 0x1E90FF},
};

// Inputs and outputs of each model, as its description gives them.
struct InOut {
    const char* Model;
    int Inputs;
    int Outputs;
};

const InOut kInOut[] = {
    {"LX410i", 1, 1}, {"KV710", 2, 3}, {"GR220", 2, 3}, {"FP320", 2, 3},  {"CQ50", 8, 4},
    {"GR310", 1, 3},  {"GR210", 1, 3}, {"SVB", 8, 0},   {"SVB16", 16, 0}, {"HW600", 2, 0},
    {"RMV_Disp", 0, 0}, {"GR310S", 1, 3}, {"KV720", 2, 4},
};

struct DemoDevice {
    int Group;
    const char* Model;
    const char* Name;
    int Unit;
};

const DemoDevice kDemoDevices[] = {
    {1, "FP320", "Programator", 1},    {1, "KV710", "Klima komora", 2},
    {1, "LX410i", "Indikator", 3},     {2, "KV720", "Regulator vlage", 1},
    {2, "GR310", "Regulator pec", 2},  {2, "HW600", "Merac vlage", 3},
};

struct DemoValue {
    int Device;  // 1-based row of kDemoDevices = its ID_Uredjaja
    const char* Mnemonic;
    const char* Colour;
    bool InReport;
};

const DemoValue kDemoValues[] = {
    {1, "PV", "Crvena", true},       {1, "SP", "Plava", true},         {1, "2PV", "Zelena", true},
    {2, "1PV", "Narandzasta", true}, {2, "2PV", "Ljubicasta", true},   {3, "PV", "Braon", false},
    {4, "1PV", "Tirkizna", false},   {4, "2PV", "Maslinasta", false},  {5, "PV", "Tamnoplava", false},
    {6, "1PV", "Tamnocrvena", false}, {6, "2PV", "Siva", false},
};

// One throw-on-failure statement runner over a connection being built.
class Builder {
public:
    explicit Builder(const QSqlDatabase& db) : db_(db) {}

    void Exec(const QString& sql) { Run(sql, {}); }

    QVariant Run(const QString& sql, const QVariantList& values)
    {
        QSqlQuery q(db_);
        if (!q.prepare(sql))
            throw DbError(sql + QStringLiteral(": ") + q.lastError().databaseText());
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        if (!q.exec())
            throw DbError(sql + QStringLiteral(": ") + q.lastError().databaseText());
        if (q.next())
            return q.value(0);
        return q.lastInsertId();
    }

private:
    QSqlDatabase db_;
};

void CreateSchema(Builder& b)
{
    for (const schema::Table& table : schema::Tables())
        b.Exec(schema::CreateTableSql(table));
    for (const QString& sql : schema::CreateIndexSql())
        b.Exec(sql);
    for (const schema::StoredQuery& query : schema::StoredQueries()) {
        for (int step = 0; step < query.Steps.size(); ++step)
            b.Run(schema::InsertQuerySql(), {query.Name, step + 1, QStringLiteral("run"), query.Steps[step]});
        if (!query.Post.isEmpty())
            b.Run(schema::InsertQuerySql(), {query.Name, 1, QStringLiteral("post"), query.Post});
    }
    b.Exec(QStringLiteral("INSERT INTO \"ArhivaStanje\" (\"ID\", \"Poslednji\") VALUES (1, 0)"));
}

void FillTypes(Builder& b)
{
    for (const DeviceTypeInfo* type : AllTypes()) {
        QString ident = QString::fromUtf8(type->IdentCodes[0]);
        if (type->IdentCodes[1])
            ident += QStringLiteral(", ") + QString::fromUtf8(type->IdentCodes[1]);
        QVariant inputs, outputs;
        for (const InOut& io : kInOut) {
            if (qstrcmp(io.Model, type->Model) == 0) {
                inputs = io.Inputs;
                outputs = io.Outputs;
            }
        }
        b.Run(QStringLiteral("INSERT INTO \"Uredjaji\" (\"ID_Tip\", \"Naziv\", \"Identifikacija\", "
                             "\"Broj_Ulaza\", \"Broj_Izlaza\") VALUES (?, ?, ?, ?, ?)"),
              {type->ID_Tip, QString::fromUtf8(type->Model), ident, inputs, outputs});

        for (int i = 0; i < type->ParamCount; ++i) {
            const ParamDesc& p = type->Param(i);
            const QString group = p.Group >= 0 && p.Group < type->GroupCount
                                      ? QString::fromUtf8(type->GroupCaptions[p.Group])
                                      : QString();
            const QVariant id = b.Run(
                QStringLiteral("INSERT INTO \"Parametri\" (\"Mnemonik\", \"Tip\", \"Upis\", \"Min\", \"Max\", "
                               "\"Opis\", \"Napomene\") VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {QString::fromUtf8(p.Mnemonic), p.ValueKind, p.IsWritable(), int(std::lround(p.MinValue)),
                 int(std::lround(p.MaxValue)), QString::fromUtf8(p.Caption).left(50), group.left(50)});
            b.Run(QStringLiteral("INSERT INTO \"DeviceParameters\" (\"DeviceID\", \"ParamID\", \"Napomene\") "
                                 "VALUES (?, ?, ?)"),
                  {type->ID_Tip, id, QStringLiteral("%1 #%2").arg(QString::fromUtf8(type->Model)).arg(i)});
        }
    }
}

void FillColours(Builder& b)
{
    for (const Colour& c : kColours)
        b.Run(QStringLiteral("INSERT INTO \"ColorTable\" (\"Name\", \"Value\") VALUES (?, ?)"),
              {QString::fromUtf8(c.Name), c.Value});
}

void FillDemo(Builder& b)
{
    b.Exec(QStringLiteral("INSERT INTO \"Grupe\" (\"ID_Grupe\", \"Naziv\", \"Adresa\", \"Top\", \"Left\") "
                          "VALUES (1, 'Susara 1', 1, 0, 0), (2, 'Komora 2', 2, 0, 0)"));
    for (const DemoDevice& d : kDemoDevices) {
        const DeviceTypeInfo* type = TypeByModel(d.Model);
        b.Run(QStringLiteral("INSERT INTO \"Mreza\" (\"ID_Tip\", \"ID_Grupe\", \"Adresa\", \"Naziv\") VALUES (?, ?, ?, ?)"),
              {type->ID_Tip, d.Group, d.Unit, QString::fromUtf8(d.Name)});
    }
    const QVariant report = b.Run(
        QStringLiteral("INSERT INTO \"Izvestaji\" (\"Naziv\", \"Maximum\", \"Minimum\") VALUES (?, ?, ?)"),
        {QStringLiteral("Susara 1 - temperature"), 150, 0});
    for (const DemoValue& v : kDemoValues) {
        const DemoDevice& device = kDemoDevices[v.Device - 1];
        const DeviceTypeInfo* type = TypeByModel(device.Model);
        const QVariant parameter = b.Run(
            QStringLiteral("SELECT p.\"ID_Parametra\" FROM \"Parametri\" p JOIN \"DeviceParameters\" d "
                           "ON d.\"ParamID\" = p.\"ID_Parametra\" WHERE d.\"DeviceID\" = ? AND p.\"Mnemonik\" = ?"),
            {type->ID_Tip, QString::fromUtf8(v.Mnemonic)});
        if (parameter.isNull())
            throw DbError(QStringLiteral("%1 has no parameter %2").arg(device.Model, v.Mnemonic));
        const QVariant colour = b.Run(QStringLiteral("SELECT \"ColorID\" FROM \"ColorTable\" WHERE \"Name\" = ?"),
                                      {QString::fromUtf8(v.Colour)});
        const QString name = QStringLiteral("%1 %2").arg(QString::fromUtf8(device.Name), v.Mnemonic);
        const QVariant value = b.Run(
            QStringLiteral("INSERT INTO \"Vrednosti_Test\" (\"ID_Uredjaja\", \"ID_Parametra\", \"Triger\", \"Naziv\", "
                           "\"Boja\") VALUES (?, ?, 0, ?, ?)"),
            {v.Device, parameter, name, colour});
        if (v.InReport)
            b.Run(QStringLiteral("INSERT INTO \"Kanali\" (\"ID_Value\", \"ID_Izvestaja\", \"Opis\") VALUES (?, ?, ?)"),
                  {value, report, name});
    }
}

void Build(const QString& path, bool demo)
{
    static QAtomicInt counter;
    const QString name = QStringLiteral("tarvo-dbinit-%1").arg(counter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(schema::Driver, name);
        db.setDatabaseName(path);
        if (!db.open())
            throw DbError(path + QStringLiteral(": ") + db.lastError().text());
        try {
            Builder b(db);
            b.Exec(schema::BeginWriteSql());
            CreateSchema(b);
            FillTypes(b);
            FillColours(b);
            if (demo)
                FillDemo(b);
            b.Exec(QStringLiteral("COMMIT"));
            QSqlQuery wal(db);
            if (!wal.exec(schema::WalSql()) || !wal.next() || wal.value(0).toString() != QLatin1String("wal"))
                throw DbError(path + QStringLiteral(": write-ahead logging cannot be turned on"));
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void RemoveWithCompanions(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
}

}  // namespace

void CreateDatabase(const QString& path, bool demo, bool force)
{
    if (QFileInfo::exists(path) && !force)
        throw DbError(path + QStringLiteral(" already exists (use --force to replace it)"));
    // Built beside the target and moved into place when complete, so a failure leaves no
    // half-made database and keeps the old one.
    const QString temp = path + QStringLiteral(".dbinit-new");
    RemoveWithCompanions(temp);
    try {
        Build(temp, demo);
    } catch (...) {
        RemoveWithCompanions(temp);
        throw;
    }
    // The old file's log belongs to it alone; the file itself is replaced in one step.
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        RemoveWithCompanions(temp);
        throw DbError(path + QStringLiteral(": the new database cannot be put in place"));
    }
}

int SeedHistory(const QString& path, int hours)
{
    TDModule module;
    module.Connect(path);
    struct Value {
        int id;
        bool humidity;
    };
    std::vector<Value> values;
    QSqlQuery list(module.Database());
    if (!list.exec(QStringLiteral("SELECT v.\"ID_Value\", p.\"Opis\" FROM \"Vrednosti_Test\" v LEFT JOIN \"Parametri\" p "
                                  "ON p.\"ID_Parametra\" = v.\"ID_Parametra\" ORDER BY v.\"ID_Value\"")))
        throw DbError(path + QStringLiteral(": ") + list.lastError().text());
    while (list.next())
        values.push_back({list.value(0).toInt(), list.value(1).toString().contains(QLatin1String("vlaz"))});

    TWritePass pass(module);
    QSqlQuery now(module.Database());
    if (!now.exec(QStringLiteral("SELECT julianday('now', 'localtime') - 2415018.5")) || !now.next())
        throw DbError(path + QStringLiteral(": ") + now.lastError().text());
    const double today = now.value(0).toDouble();
    QSqlQuery insert(module.Database());
    insert.prepare(QStringLiteral("INSERT INTO \"Merenja\" (\"ID_Value\", \"Vreme\", \"Vrednost\", \"Status\", "
                                  "\"Privremen\") VALUES (?, ?, ?, 0, 0)"));
    int rows = 0;
    const double pi = std::acos(-1.0);
    for (int k = hours * 60; k >= 1; --k) {
        for (size_t i = 0; i < values.size(); ++i) {
            // Each value keeps to its own level with a slow swing of a few hours, a faster
            // ripple and a little noise: temperatures between 20 and 70, humidities 45 to 70.
            const double phase = static_cast<double>(i) * 1.7;
            const double level = values[i].humidity ? 55.0 + 3.0 * static_cast<double>(i % 3)
                                                    : 24.0 + 9.0 * static_cast<double>(i % 5);
            const double t = static_cast<double>(k);
            const double noise = static_cast<double>((k * 7919 + values[i].id * 104729) % 21 - 10) / 50.0;
            const double v = level + 4.0 * std::sin(2 * pi * t / 400.0 + phase) +
                             0.8 * std::sin(2 * pi * t / 37.0 + phase) + noise;
            insert.addBindValue(values[i].id);
            insert.addBindValue(today - t / 1440.0);
            insert.addBindValue(std::round(v * 10.0) / 10.0);
            if (!insert.exec())
                throw DbError(path + QStringLiteral(": ") + insert.lastError().text());
            ++rows;
        }
    }
    pass.Commit();
    return rows;
}

QString SimArgs(const QString& path)
{
    TDModule module;
    module.Connect(path);
    TDataSet& mreza = module.ADOTableMreza;
    mreza.Open();
    QStringList args;
    for (mreza.First(); !mreza.Eof(); mreza.Next()) {
        const DeviceTypeInfo* type = TypeByIdTip(mreza.AsInt(QStringLiteral("ID_Tip")));
        if (!type)
            continue;
        args << QStringLiteral("%1@%2%3")
                    .arg(QString::fromUtf8(type->Model))
                    .arg(mreza.AsInt(QStringLiteral("AdresaGrupe")))
                    .arg(mreza.AsInt(QStringLiteral("Adresa")));
    }
    return args.join(QLatin1Char(' '));
}

}  // namespace tarvo::dbinit
