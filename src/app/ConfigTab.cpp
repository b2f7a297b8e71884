#include "app/ConfigTab.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVBoxLayout>
#include <cmath>

#include "db/DataModule.h"
#include "db/DbError.h"
#include "device/Operator.h"
#include "dialogs/Strings.h"

namespace tarvo {

namespace {

constexpr int kNameLength = 50;  // text(50) of every name column

// What the checks before writing say (fixed texts: the string table has none for them).
const char* const kGroupName = "Unesite naziv grupe.";
const char* const kGroupAddress = "Adresa grupe mora biti ceo broj od 0 do 9.";
const char* const kGroupClash = "Sa adresom grupe %1 uredjaji \"%2\" i \"%3\" bi imali istu adresu na magistrali (%1%4).";
const char* const kDeviceGroup = "Izaberite grupu uredjaja iz liste postojecih grupa.";
const char* const kDeviceType = "Izaberite tip uredjaja iz liste postojecih tipova.";
const char* const kDeviceName = "Unesite naziv uredjaja.";
const char* const kDeviceAddress = "Adresa uredjaja mora biti ceo broj od 0 do 9.";
const char* const kDeviceClash = "Adresu %1%2 na magistrali vec ima uredjaj \"%3\".";
const char* const kDeviceHasValues = "Uredjaj \"%1\" ima zapisane vrednosti. Najpre obrisite njegove vrednosti.";
const char* const kValueParameter = "Izaberite parametar (mnemonik) iz liste parametara ovog uredjaja.";
const char* const kValueName = "Unesite naziv vrednosti.";
const char* const kValueColour = "Izaberite boju iz liste boja.";
const char* const kNameTooLong = "Naziv moze imati najvise 50 znakova.";

QString Text(const char* text) { return QString::fromUtf8(text); }

// A bus address digit: a whole number from 0 to 9.
bool IsDigit(const QVariant& value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    return !value.isNull() && ok && number >= 0 && number <= 9 && std::floor(number) == number;
}

QString CheckName(const QVariant& value, const char* missing)
{
    const QString name = value.toString();
    if (name.trimmed().isEmpty())
        return Text(missing);
    if (name.size() > kNameLength)
        return Text(kNameTooLong);
    return {};
}

// Runs a query for the checks; the first row's values, or the database's message as error.
struct Lookup {
    QVariantList Row;  // empty when there is no row
    QString Error;
};

Lookup Ask(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery q(db);
    Lookup result;
    if (!q.prepare(sql)) {
        result.Error = q.lastError().databaseText();
        return result;
    }
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec()) {
        result.Error = q.lastError().databaseText();
        return result;
    }
    if (q.next()) {
        for (int i = 0; i < q.record().count(); ++i)
            result.Row << q.value(i);
    }
    return result;
}

bool Exists(const QSqlDatabase& db, const QString& table, const QString& key, const QVariant& value, QString* error)
{
    if (value.isNull())
        return false;
    const Lookup found = Ask(db, QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"%2\" = ?").arg(table, key), {value});
    *error = found.Error;
    return !found.Row.isEmpty();
}

// Texts of a data-module set by key, and its rows as the choices of a drop-down list.
TLookup DataSetLookup(TDataSet& set, const QString& key, const QString& text)
{
    TLookup lookup;
    lookup.Text = [&set, key, text](const QVariant& k) { return set.LookupValue(key, k, text).toString(); };
    lookup.List = [&set, key, text] {
        TLookup::Choices choices;
        if (!set.IsOpen())
            return choices;
        const int keep = set.RecNo();
        for (set.First(); !set.Eof(); set.Next())
            choices.emplace_back(set.AsString(text), set.Field(key));
        if (keep >= 0 && keep < set.RecordCount())
            set.MoveTo(keep);
        return choices;
    };
    return lookup;
}

std::array<QString, TDBNavigator::ButtonCount> Hints(StrEntry first)
{
    std::array<QString, TDBNavigator::ButtonCount> hints;
    for (int i = 0; i < TDBNavigator::ButtonCount; ++i)
        hints[size_t(i)] = Str(static_cast<StrEntry>(first + i));
    return hints;
}

void ShowDbError(const DbError& e) { Op().Message(e.Text().toStdString(), {}, BoxIcon::Error); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TGroupFrame

TGroupFrame::TGroupFrame(TDModule& dm, QWidget* parent) : TGridFrame(parent), dm_(dm)
{
    setObjectName(QStringLiteral("GroupBox_Groups"));
    Navigator()->setObjectName(QStringLiteral("DBNavigatorGroup"));
    Grid()->setObjectName(QStringLiteral("DBGridGroup"));
}

void TGroupFrame::Open()
{
    if (IsOpen()) {
        Reload();
        return;
    }
    auto* model = new TEditModel(dm_.Database(), QStringLiteral("Grupe"));
    model->SetOrderBy({QStringLiteral("ID_Grupe")});
    Attach(model);
    const int naziv = model->Column(QStringLiteral("Naziv"));
    const int adresa = model->Column(QStringLiteral("Adresa"));
    Grid()->Delegate()->SetMaxLength(naziv, kNameLength);
    Grid()->Delegate()->SetDigit(adresa);
    Grid()->SetColumns({{naziv, 496}, {adresa, 91}});
    Reload(false);
    ApplyTexts();
}

void TGroupFrame::ApplyTexts()
{
    setTitle(Str(StrTabGrupa));
    Navigator()->SetHints(Hints(StrHPrviGru));
    if (!IsOpen())
        return;
    Model()->SetTitle(Model()->Column(QStringLiteral("Naziv")), Str(StrKolNaziv));
    Model()->SetTitle(Model()->Column(QStringLiteral("Adresa")), Str(StrKolAdrG));
}

QString TGroupFrame::CheckRow(int row) const
{
    const TEditModel* m = Model();
    QString problem = CheckName(m->Value(row, QStringLiteral("Naziv")), kGroupName);
    if (!problem.isEmpty())
        return problem;
    const QVariant address = m->Value(row, QStringLiteral("Adresa"));
    if (!IsDigit(address))
        return Text(kGroupAddress);
    if (m->IsInserted(row))
        return {};
    // A new group digit must not give one of the group's devices the bus address of a device
    // in another group.
    const Lookup clash = Ask(m->database(),
                             QStringLiteral("SELECT a.\"Naziv\", b.\"Naziv\", a.\"Adresa\" FROM \"Mreza\" a "
                                            "JOIN \"Mreza\" b ON b.\"Adresa\" = a.\"Adresa\" "
                                            "JOIN \"Grupe\" g ON g.\"ID_Grupe\" = b.\"ID_Grupe\" "
                                            "WHERE a.\"ID_Grupe\" = ? AND b.\"ID_Grupe\" <> ? AND g.\"Adresa\" = ?"),
                             {m->Key(row), m->Key(row), address});
    if (!clash.Error.isEmpty())
        return clash.Error;
    if (!clash.Row.isEmpty())
        return Text(kGroupClash).arg(address.toInt()).arg(clash.Row[0].toString(), clash.Row[1].toString(),
                                                          clash.Row[2].toString());
    return {};
}

// ---------------------------------------------------------------------------------------------
// TDeviceFrame

TDeviceFrame::TDeviceFrame(TDModule& dm, QWidget* parent) : TGridFrame(parent), dm_(dm)
{
    setObjectName(QStringLiteral("GroupBox_Devices"));
    Navigator()->setObjectName(QStringLiteral("DBNavigatorDevices"));
    Grid()->setObjectName(QStringLiteral("DBGridDevices"));
}

void TDeviceFrame::Open()
{
    if (IsOpen()) {
        Reload();
        return;
    }
    auto* model = new TEditModel(dm_.Database(), QStringLiteral("Mreza"));
    model->SetOrderBy({QStringLiteral("ID_Grupe"), QStringLiteral("ID_Uredjaja")});
    const int grupa = model->Column(QStringLiteral("ID_Grupe"));
    const int tip = model->Column(QStringLiteral("ID_Tip"));
    const int naziv = model->Column(QStringLiteral("Naziv"));
    const int adresa = model->Column(QStringLiteral("Adresa"));
    model->SetLookup(grupa, DataSetLookup(dm_.ADOTableGrupe, QStringLiteral("ID_Grupe"), QStringLiteral("Naziv")));
    model->SetLookup(tip, DataSetLookup(dm_.ADOTableUredjaji, QStringLiteral("ID_Tip"), QStringLiteral("Naziv")));
    Attach(model);
    Grid()->Delegate()->SetMaxLength(naziv, kNameLength);
    Grid()->Delegate()->SetDigit(adresa);
    Grid()->SetColumns({{grupa, 0}, {tip, 100}, {naziv, 274}, {adresa, 88}});
    Reload(false);
    ApplyTexts();
}

void TDeviceFrame::ApplyTexts()
{
    setTitle(Str(StrTabUredjaja));
    Navigator()->SetHints(Hints(StrHPrviUre));
    if (!IsOpen())
        return;
    Model()->SetTitle(Model()->Column(QStringLiteral("ID_Grupe")), Str(StrKolGrupa));
    Model()->SetTitle(Model()->Column(QStringLiteral("ID_Tip")), Str(StrKolTip));
    Model()->SetTitle(Model()->Column(QStringLiteral("Naziv")), Str(StrKolNazivDevices));
    Model()->SetTitle(Model()->Column(QStringLiteral("Adresa")), Str(StrKolAdresa));
}

QString TDeviceFrame::CheckRow(int row) const
{
    const TEditModel* m = Model();
    const QSqlDatabase db = m->database();
    QString error;
    const QVariant group = m->Value(row, QStringLiteral("ID_Grupe"));
    if (!Exists(db, QStringLiteral("Grupe"), QStringLiteral("ID_Grupe"), group, &error))
        return error.isEmpty() ? Text(kDeviceGroup) : error;
    if (!Exists(db, QStringLiteral("Uredjaji"), QStringLiteral("ID_Tip"), m->Value(row, QStringLiteral("ID_Tip")), &error))
        return error.isEmpty() ? Text(kDeviceType) : error;
    QString problem = CheckName(m->Value(row, QStringLiteral("Naziv")), kDeviceName);
    if (!problem.isEmpty())
        return problem;
    const QVariant address = m->Value(row, QStringLiteral("Adresa"));
    if (!IsDigit(address))
        return Text(kDeviceAddress);
    // No two devices on one bus address (group digit and unit digit).
    const QVariant self = m->IsInserted(row) ? QVariant(-1) : m->Key(row);
    const Lookup clash = Ask(db,
                             QStringLiteral("SELECT m.\"Naziv\", g.\"Adresa\" FROM \"Mreza\" m "
                                            "JOIN \"Grupe\" g ON g.\"ID_Grupe\" = m.\"ID_Grupe\" "
                                            "WHERE m.\"ID_Uredjaja\" <> ? AND m.\"Adresa\" = ? AND g.\"Adresa\" = "
                                            "(SELECT \"Adresa\" FROM \"Grupe\" WHERE \"ID_Grupe\" = ?)"),
                             {self, address, group});
    if (!clash.Error.isEmpty())
        return clash.Error;
    if (!clash.Row.isEmpty())
        return Text(kDeviceClash).arg(clash.Row[1].toInt()).arg(address.toInt()).arg(clash.Row[0].toString());
    return {};
}

QString TDeviceFrame::CheckDelete(int row) const
{
    // Its recorded values would stay behind, out of sight of the value grid.
    const Lookup values = Ask(Model()->database(),
                              QStringLiteral("SELECT COUNT(*) FROM \"Vrednosti_Test\" WHERE \"ID_Uredjaja\" = ?"),
                              {Model()->Key(row)});
    if (!values.Error.isEmpty())
        return values.Error;
    if (!values.Row.isEmpty() && values.Row[0].toInt() > 0)
        return Text(kDeviceHasValues).arg(Model()->Value(row, QStringLiteral("Naziv")).toString());
    return {};
}

// ---------------------------------------------------------------------------------------------
// TValueFrame

TValueFrame::TValueFrame(TDModule& dm, QWidget* parent) : TGridFrame(parent), dm_(dm)
{
    setObjectName(QStringLiteral("GroupBox_Parametars"));
    Navigator()->setObjectName(QStringLiteral("DBNavigatorValues"));
    Grid()->setObjectName(QStringLiteral("DBGridValues"));
}

void TValueFrame::Open()
{
    if (IsOpen()) {
        Reload();
        return;
    }
    auto* model = new TEditModel(dm_.Database(), QStringLiteral("Vrednosti_Test"));
    model->SetOrderBy({QStringLiteral("ID_Value")});
    model->setFilter(QStringLiteral("1 = 0"));
    const int parametar = model->Column(QStringLiteral("ID_Parametra"));
    const int naziv = model->Column(QStringLiteral("Naziv"));
    const int boja = model->Column(QStringLiteral("Boja"));

    const auto text = [this](const QVariant& id, bool mnemonic) {
        const Parameter* p = FindParameter(id);
        return p ? (mnemonic ? p->Mnemonic : p->Description) : QString();
    };
    const auto list = [this](bool mnemonic) {
        TLookup::Choices choices;
        for (const Parameter& p : parameters_) {
            const QString shown = mnemonic ? p.Mnemonic + QStringLiteral(" - ") + p.Description : p.Description;
            choices.emplace_back(shown, p.Id);
        }
        return choices;
    };
    model->SetLookup(parametar, {[text](const QVariant& id) { return text(id, true); }, [list] { return list(true); }});
    opisColumn_ = model->AddLookupColumn(
        parametar, {[text](const QVariant& id) { return text(id, false); }, [list] { return list(false); }});
    model->SetLookup(boja, DataSetLookup(dm_.ADOColorTable, QStringLiteral("ColorID"), QStringLiteral("Name")));
    Attach(model);
    Grid()->Delegate()->SetMaxLength(naziv, kNameLength);
    Grid()->SetColumns({{parametar, 78}, {opisColumn_, 209}, {naziv, 210}, {boja, 97}});
    Reload(false);
    ApplyTexts();
}

void TValueFrame::ApplyTexts()
{
    setTitle(Str(StrTabParam));
    Navigator()->SetHints(Hints(StrHPrviVre));
    if (!IsOpen())
        return;
    Model()->SetTitle(Model()->Column(QStringLiteral("ID_Parametra")), Str(StrKolMn));
    Model()->SetTitle(opisColumn_, Str(StrKolOpis));
    Model()->SetTitle(Model()->Column(QStringLiteral("Naziv")), Str(StrKolNazivValues));
    Model()->SetTitle(Model()->Column(QStringLiteral("Boja")), Str(StrKolNBoje));
}

void TValueFrame::ShowDevice(const QVariant& deviceId)
{
    if (!IsOpen())
        return;
    const bool same = deviceId.toString() == device_.toString() && deviceId.isNull() == device_.isNull();
    device_ = deviceId;
    LoadParameters();
    if (same && IsEditing()) {  // the device was written again: its values stay as they are
        Grid()->viewport()->update();
        return;
    }
    Model()->setFilter(device_.isNull() ? QStringLiteral("1 = 0")
                                        : Model()->Qualified(QStringLiteral("ID_Uredjaja")) + QStringLiteral(" = ") +
                                              QString::number(device_.toLongLong()));
    Reload(same);
}

void TValueFrame::LoadParameters()
{
    parameters_.clear();
    if (device_.isNull())
        return;
    try {
        // Moving the data module's device cursor reopens Query1 for that device.
        TTable& devices = dm_.ADOTableMreza_Test;
        if (devices.IsOpen())
            devices.Refresh();  // the grid may have changed the device since
        else
            devices.Open();
        const QString id = QStringLiteral("ID_Uredjaja");
        if (!devices.Locate(id, device_))
            return;
        TStoredQuery& query = dm_.ADOStoredProc2;
        if (!query.IsOpen() || query.Param(QStringLiteral("p_id_uredjaja")).toString() != device_.toString())
            return;
        for (query.First(); !query.Eof(); query.Next())
            parameters_.push_back({query.Field(QStringLiteral("ID_Parametra")), query.AsString(QStringLiteral("Mnemonik")),
                                   query.AsString(QStringLiteral("Opis"))});
    } catch (const DbError& e) {
        parameters_.clear();
        ShowDbError(e);
    }
}

const TValueFrame::Parameter* TValueFrame::FindParameter(const QVariant& id) const
{
    if (id.isNull())
        return nullptr;
    for (const Parameter& p : parameters_) {
        if (p.Id.toString() == id.toString())
            return &p;
    }
    return nullptr;
}

void TValueFrame::PrimeRow(int row)
{
    Model()->setData(Model()->index(row, Model()->Column(QStringLiteral("ID_Uredjaja"))), device_);
}

QString TValueFrame::CheckRow(int row) const
{
    const TEditModel* m = Model();
    if (!FindParameter(m->Value(row, QStringLiteral("ID_Parametra"))))
        return Text(kValueParameter);
    QString problem = CheckName(m->Value(row, QStringLiteral("Naziv")), kValueName);
    if (!problem.isEmpty())
        return problem;
    const QVariant colour = m->Value(row, QStringLiteral("Boja"));
    if (colour.isNull() || dm_.ADOColorTable.LookupValue(QStringLiteral("ColorID"), colour, QStringLiteral("ColorID")).isNull())
        return Text(kValueColour);
    return {};
}

// ---------------------------------------------------------------------------------------------
// TConfigTab

TConfigTab::TConfigTab(TDModule& dm, QWidget* parent)
    : QWidget(parent), Groups(new TGroupFrame(dm, this)), Devices(new TDeviceFrame(dm, this)),
      Values(new TValueFrame(dm, this)), dm_(dm)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Groups, 2);
    layout->addWidget(Devices, 3);
    layout->addWidget(Values, 3);
    Devices->SetDetail(Values);
    connect(Devices, &TGridFrame::CurrentChanged, this, [this] { Values->ShowDevice(Devices->CurrentKey()); });
    connect(Groups, &TGridFrame::Written, this, &TConfigTab::GroupsWritten);
    ApplyTexts();
}

bool TConfigTab::Open()
{
    Groups->Open();
    Devices->Open();
    Values->Open();
    Values->ShowDevice(Devices->CurrentKey());
    for (TGridFrame* frame : {static_cast<TGridFrame*>(Groups), static_cast<TGridFrame*>(Devices),
                              static_cast<TGridFrame*>(Values)}) {
        if (frame->Model()->lastError().isValid())
            return false;
    }
    return true;
}

void TConfigTab::ApplyTexts()
{
    Groups->ApplyTexts();
    Devices->ApplyTexts();
    Values->ApplyTexts();
}

void TConfigTab::SetEditable(bool editable)
{
    Groups->SetEditable(editable);
    Devices->SetEditable(editable);
    Values->SetEditable(editable);
}

bool TConfigTab::PostAll() { return Groups->Post() && Devices->Post() && Values->Post(); }

void TConfigTab::GroupsWritten()
{
    // The device grid names groups through the data module's snapshot of Grupe.
    try {
        if (dm_.ADOTableGrupe.IsOpen())
            dm_.ADOTableGrupe.Refresh();
        else
            dm_.ADOTableGrupe.Open();
    } catch (const DbError& e) {
        ShowDbError(e);
    }
    Devices->Grid()->viewport()->update();
}

}  // namespace tarvo
