// The configuration grids on the demo database: locking, columns and lookup texts, the value
// grid following the selected device, drop-down choices, the checks before a row is written,
// rows the database refuses, adding, deleting and leaving rows.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

#include "app/ConfigTab.h"
#include "db/DataModule.h"
#include "dialogs/Strings.h"
#include "support/ScriptedOperator.h"
#include "support/TempDatabase.h"

using namespace tarvo;
using tarvo::test::ScriptedOperator;
using tarvo::test::TempDatabase;

namespace {

class ConfigGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedOperator::Instance().Clear();
        dm.Connect(db.Path());
        tab = std::make_unique<TConfigTab>(dm);
        tab->resize(900, 700);
        ASSERT_TRUE(tab->Open());
    }
    void TearDown() override
    {
        tab.reset();
        StringTable::ResetDefaults();
    }

    static void Set(TGridFrame* f, int row, const QString& field, const QVariant& value)
    {
        ASSERT_TRUE(f->Model()->setData(f->Model()->index(row, f->Model()->Column(field)), value)) << field.toStdString();
    }
    static QString Shown(TGridFrame* f, int row, int column)
    {
        return f->Model()->index(row, column).data().toString();
    }
    static QString Shown(TGridFrame* f, int row, const QString& field)
    {
        return Shown(f, row, f->Model()->Column(field));
    }
    // Texts of the visible columns, left to right, of one row (or the titles for row -1).
    static QStringList Visible(TGridFrame* f, int row)
    {
        QStringList texts;
        const QHeaderView* h = f->Grid()->horizontalHeader();
        for (int v = 0; v < h->count(); ++v) {
            const int c = h->logicalIndex(v);
            if (f->Grid()->isColumnHidden(c))
                continue;
            texts << (row < 0 ? f->Model()->headerData(c, Qt::Horizontal).toString() : Shown(f, row, c));
        }
        return texts;
    }
    static int Width(TGridFrame* f, const QString& field) { return f->Grid()->columnWidth(f->Model()->Column(field)); }
    bool SelectDevice(const QString& name)
    {
        for (int row = 0; row < tab->Devices->Model()->rowCount(); ++row)
            if (Shown(tab->Devices, row, "Naziv") == name) {
                tab->Devices->SetCurrentRow(row);
                return true;
            }
        return false;
    }
    QVariant Scalar(const QString& sql) const { return db.Scalar(sql); }
    std::vector<std::string> Texts() const { return ScriptedOperator::Instance().Texts(); }

    TempDatabase db;
    TDModule dm;
    std::unique_ptr<TConfigTab> tab;
};

TEST_F(ConfigGridTest, LockedUntilUnlockedThenEditable)
{
    TGridFrame* frames[] = {tab->Groups, tab->Devices, tab->Values};
    for (TGridFrame* f : frames) {
        EXPECT_FALSE(f->Navigator()->isEnabled());
        EXPECT_FALSE(f->Model()->flags(f->Model()->index(0, 1)) & Qt::ItemIsEditable);
        EXPECT_FALSE(f->Model()->setData(f->Model()->index(0, f->Model()->Column("Naziv")), "x"));
        f->Navigator()->Click(TDBNavigator::Insert);
        EXPECT_FALSE(f->IsEditing());
    }
    tab->SetEditable(true);
    for (TGridFrame* f : frames) {
        EXPECT_TRUE(f->Navigator()->isEnabled());
        EXPECT_TRUE(f->Model()->flags(f->Model()->index(0, f->Model()->Column("Naziv"))) & Qt::ItemIsEditable);
    }
    // Opening again reads the tables again and keeps everything else.
    TEditModel* model = tab->Devices->Model();
    db.Exec("UPDATE Mreza SET Naziv = 'Drugi' WHERE ID_Uredjaja = 1");
    ASSERT_TRUE(tab->Open());
    EXPECT_EQ(tab->Devices->Model(), model);
    EXPECT_EQ(Shown(tab->Devices, 0, "Naziv"), "Drugi");
    EXPECT_TRUE(tab->Devices->Editable());
}

TEST_F(ConfigGridTest, ColumnsTitlesWidthsAndLookupTexts)
{
    EXPECT_EQ(tab->Groups->title(), "TABELA GRUPA");
    EXPECT_EQ(tab->Devices->title(), "TABELA UREDJAJA");
    EXPECT_EQ(tab->Values->title(), "TABELA PARAMETARA");

    EXPECT_EQ(Visible(tab->Groups, -1), QStringList({"Naziv", "Adresa grupe"}));
    EXPECT_EQ(Visible(tab->Groups, 0), QStringList({"Susara 1", "1"}));
    EXPECT_EQ(Width(tab->Groups, "Naziv"), 496);
    EXPECT_GE(Width(tab->Groups, "Adresa"), 91);  // wider where the title needs it

    EXPECT_EQ(Visible(tab->Devices, -1), QStringList({"Grupa", "Tip", "Naziv", "Adresa"}));
    QStringList devices;
    for (int row = 0; row < tab->Devices->Model()->rowCount(); ++row)
        devices << Visible(tab->Devices, row).join('|');
    EXPECT_EQ(devices, QStringList({"Susara 1|FP320|Programator|1", "Susara 1|KV710|Klima komora|2",
                                    "Susara 1|LX410i|Indikator|3", "Komora 2|KV720|Regulator vlage|1",
                                    "Komora 2|GR310|Regulator pec|2", "Komora 2|HW600|Merac vlage|3"}));
    EXPECT_EQ(Width(tab->Devices, "ID_Tip"), 100);
    EXPECT_EQ(Width(tab->Devices, "Naziv"), 274);
    EXPECT_EQ(Width(tab->Devices, "Adresa"), 88);
    EXPECT_EQ(Width(tab->Devices, "ID_Grupe"), tab->Devices->Grid()->horizontalHeader()->defaultSectionSize());

    // The first device is selected: the programmer's three recorded values.
    EXPECT_EQ(Visible(tab->Values, -1), QStringList({"Mnemonik", "Opis parametra", "Naziv parametra", "Boja na dijagramu"}));
    ASSERT_EQ(tab->Values->Model()->rowCount(), 3);
    EXPECT_EQ(Visible(tab->Values, 0), QStringList({"PV", "Izmerena vrednost 1", "Programator PV", "Crvena"}));
    EXPECT_EQ(Visible(tab->Values, 1), QStringList({"SP", "Trenutno zadata", "Programator SP", "Plava"}));
    EXPECT_EQ(Visible(tab->Values, 2), QStringList({"2PV", "Izmerena vrednost 2", "Programator 2PV", "Zelena"}));
    const QHeaderView* h = tab->Values->Grid()->horizontalHeader();
    EXPECT_GE(h->sectionSize(h->logicalIndex(0)), 78);
    EXPECT_EQ(h->sectionSize(h->logicalIndex(1)), 209);
    EXPECT_EQ(h->sectionSize(h->logicalIndex(2)), 210);
    EXPECT_GE(h->sectionSize(h->logicalIndex(3)), 97);
    // Every title fits its column.
    for (TGridFrame* f : {static_cast<TGridFrame*>(tab->Groups), static_cast<TGridFrame*>(tab->Devices),
                          static_cast<TGridFrame*>(tab->Values)}) {
        QFont bold = f->Grid()->horizontalHeader()->font();
        bold.setBold(true);
        const QHeaderView* header = f->Grid()->horizontalHeader();
        for (int v = 0; v < header->count(); ++v) {
            const int c = header->logicalIndex(v);
            if (!header->isSectionHidden(c)) {
                EXPECT_GT(header->sectionSize(c),
                          QFontMetrics(bold).horizontalAdvance(f->Model()->headerData(c, Qt::Horizontal).toString()));
            }
        }
    }
}

TEST_F(ConfigGridTest, TextsFollowTheStringTable)
{
    EXPECT_EQ(tab->Groups->Navigator()->ButtonAt(TDBNavigator::First)->toolTip(), "Prva grupa");
    EXPECT_EQ(tab->Devices->Navigator()->ButtonAt(TDBNavigator::Delete)->toolTip(), "Obrisi uredjaj");
    EXPECT_EQ(tab->Values->Navigator()->ButtonAt(TDBNavigator::Refresh)->toolTip(), "Osvezi prikaz");
    EXPECT_EQ(tab->Values->Navigator()->ButtonAt(TDBNavigator::Cancel)->toolTip(), "Ignorisi promenu");

    // One key names the name column of all three grids.
    StringTable::SetKeyText("StrKolNaziv", "Name");
    StringTable::SetKeyText("StrTabUredjaja", "DEVICES");
    StringTable::SetKeyText("StrHPrviVre", "First value");
    tab->ApplyTexts();
    EXPECT_EQ(Visible(tab->Groups, -1)[0], "Name");
    EXPECT_EQ(Visible(tab->Devices, -1)[2], "Name");
    EXPECT_EQ(Visible(tab->Values, -1)[2], "Name");
    EXPECT_EQ(tab->Devices->title(), "DEVICES");
    EXPECT_EQ(tab->Values->Navigator()->ButtonAt(TDBNavigator::First)->toolTip(), "First value");
}

TEST_F(ConfigGridTest, ValueGridFollowsTheSelectedDevice)
{
    ASSERT_TRUE(SelectDevice("Regulator vlage"));
    ASSERT_EQ(tab->Values->Model()->rowCount(), 2);
    EXPECT_EQ(Visible(tab->Values, 0), QStringList({"1PV", "Izmerena temperatura (°C)", "Regulator vlage 1PV", "Tirkizna"}));
    EXPECT_EQ(Visible(tab->Values, 1)[0], "2PV");

    // The parameter lists are those of the device's type (Query1 of the selected device).
    const int kv720 = Scalar("SELECT COUNT(*) FROM DeviceParameters WHERE DeviceID = 12").toInt();
    EXPECT_EQ(int(tab->Values->Parameters().size()), kv720);

    // A device without recorded values: an empty grid, and no parameters of another device.
    tab->SetEditable(true);
    db.Exec("DELETE FROM Vrednosti_Test WHERE ID_Uredjaja = 3");
    ASSERT_TRUE(SelectDevice("Indikator"));
    EXPECT_EQ(tab->Values->Model()->rowCount(), 0);
    EXPECT_EQ(int(tab->Values->Parameters().size()), Scalar("SELECT COUNT(*) FROM DeviceParameters WHERE DeviceID = 0").toInt());
    EXPECT_TRUE(tab->Values->Navigator()->ButtonAt(TDBNavigator::Insert)->isEnabled());
    EXPECT_FALSE(tab->Values->Navigator()->ButtonAt(TDBNavigator::Delete)->isEnabled());
}

TEST_F(ConfigGridTest, DropDownsOfferTheLookupRowsAndWriteTheirKeys)
{
    tab->SetEditable(true);
    TGridDelegate* delegate = tab->Devices->Grid()->Delegate();
    TEditModel* m = tab->Devices->Model();
    const QModelIndex group = m->index(0, m->Column("ID_Grupe"));
    std::unique_ptr<QWidget> editor(delegate->createEditor(nullptr, {}, group));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "Susara 1");
    EXPECT_EQ(combo->itemText(1), "Komora 2");
    delegate->setEditorData(combo, group);
    EXPECT_EQ(combo->currentIndex(), 0);
    combo->setCurrentIndex(1);
    delegate->setModelData(combo, m, group);
    EXPECT_EQ(m->Value(0, "ID_Grupe").toInt(), 2);
    EXPECT_EQ(group.data().toString(), "Komora 2");

    const QModelIndex type = m->index(0, m->Column("ID_Tip"));
    editor.reset(delegate->createEditor(nullptr, {}, type));
    combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 13);
    EXPECT_EQ(combo->itemText(12), "KV720");

    // Addresses are single digits; names at most 50 characters.
    const QModelIndex address = m->index(0, m->Column("Adresa"));
    editor.reset(delegate->createEditor(nullptr, {}, address));
    auto* spin = qobject_cast<QSpinBox*>(editor.get());
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->maximum(), 9);
    editor.reset(delegate->createEditor(nullptr, {}, m->index(0, m->Column("Naziv"))));
    auto* line = qobject_cast<QLineEdit*>(editor.get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->maxLength(), 50);

    // Mnemonik and Opis choose among the parameters of the selected device's type; Opis
    // shows the description of the chosen parameter.
    TEditModel* v = tab->Values->Model();
    TGridDelegate* vd = tab->Values->Grid()->Delegate();
    const int mn = v->Column("ID_Parametra");
    const int opis = tab->Values->Grid()->horizontalHeader()->logicalIndex(1);
    editor.reset(vd->createEditor(nullptr, {}, v->index(0, mn)));
    combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), int(tab->Values->Parameters().size()));
    const int sp = combo->findText("SP - Trenutno zadata");
    ASSERT_GE(sp, 0);
    combo->setCurrentIndex(sp);
    vd->setModelData(combo, v, v->index(0, mn));
    EXPECT_EQ(Shown(tab->Values, 0, mn), "SP");
    EXPECT_EQ(Shown(tab->Values, 0, opis), "Trenutno zadata");
    editor.reset(vd->createEditor(nullptr, {}, v->index(0, opis)));
    combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(combo->findText("Izmerena vrednost 2"));
    vd->setModelData(combo, v, v->index(0, opis));
    EXPECT_EQ(Shown(tab->Values, 0, mn), "2PV");
    EXPECT_EQ(v->Value(0, "ID_Parametra").toInt(), 113);

    const QModelIndex colour = v->index(0, v->Column("Boja"));
    editor.reset(vd->createEditor(nullptr, {}, colour));
    combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 16);
    combo->setCurrentIndex(combo->findText("Zuta"));
    vd->setModelData(combo, v, colour);
    EXPECT_EQ(colour.data().toString(), "Zuta");
    EXPECT_EQ(v->Value(0, "Boja").toInt(), 15);
}

struct CheckCase {
    const char* what;
    std::vector<std::pair<const char*, QVariant>> fields;
    const char* message;  // null: written
};

// Adds a row to a grid, fills it and applies; returns the messages shown.
std::vector<std::string> AddRow(TGridFrame* f, const CheckCase& c)
{
    ScriptedOperator::Instance().Clear();
    EXPECT_TRUE(f->Insert());
    const int row = f->CurrentRow();
    for (const auto& [field, value] : c.fields)
        EXPECT_TRUE(f->Model()->setData(f->Model()->index(row, f->Model()->Column(field)), value)) << field;
    f->Post();
    return ScriptedOperator::Instance().Texts();
}

TEST_F(ConfigGridTest, GroupRowsAreCheckedBeforeWriting)
{
    tab->SetEditable(true);
    const CheckCase cases[] = {
        {"no name", {{"Naziv", ""}, {"Adresa", 3}}, "Unesite naziv grupe."},
        {"blank name", {{"Naziv", "   "}, {"Adresa", 3}}, "Unesite naziv grupe."},
        {"long name", {{"Naziv", QString(51, 'a')}, {"Adresa", 3}}, "Naziv moze imati najvise 50 znakova."},
        {"no address", {{"Naziv", "Nova"}}, "Adresa grupe mora biti ceo broj od 0 do 9."},
        {"address 10", {{"Naziv", "Nova"}, {"Adresa", 10}}, "Adresa grupe mora biti ceo broj od 0 do 9."},
        {"address -1", {{"Naziv", "Nova"}, {"Adresa", -1}}, "Adresa grupe mora biti ceo broj od 0 do 9."},
        {"address 2.5", {{"Naziv", "Nova"}, {"Adresa", 2.5}}, "Adresa grupe mora biti ceo broj od 0 do 9."},
        {"address text", {{"Naziv", "Nova"}, {"Adresa", "x"}}, "Adresa grupe mora biti ceo broj od 0 do 9."},
        {"address 0", {{"Naziv", "Nulta"}, {"Adresa", 0}}, nullptr},
        {"address 9, shared digit", {{"Naziv", "Deveta"}, {"Adresa", 9}}, nullptr},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = Scalar("SELECT COUNT(*) FROM Grupe").toInt();
        const auto texts = AddRow(tab->Groups, c);
        if (c.message) {
            EXPECT_EQ(texts, std::vector<std::string>{c.message});
            EXPECT_TRUE(tab->Groups->IsEditing());  // the row stays for correction
            EXPECT_TRUE(tab->Groups->Navigator()->ButtonAt(TDBNavigator::Post)->isEnabled());
            EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Grupe").toInt(), before);
            tab->Groups->Cancel();
            EXPECT_FALSE(tab->Groups->IsEditing());
        } else {
            EXPECT_TRUE(texts.empty());
            EXPECT_FALSE(tab->Groups->IsEditing());
            EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Grupe").toInt(), before + 1);
            EXPECT_FALSE(tab->Groups->CurrentKey().isNull());  // the new row has its key
        }
    }
}

TEST_F(ConfigGridTest, DeviceRowsAreCheckedBeforeWriting)
{
    tab->SetEditable(true);
    const CheckCase cases[] = {
        {"no group", {{"ID_Tip", 1}, {"Naziv", "Novi"}, {"Adresa", 5}}, "Izaberite grupu uredjaja iz liste postojecih grupa."},
        {"unknown group", {{"ID_Grupe", 7}, {"ID_Tip", 1}, {"Naziv", "Novi"}, {"Adresa", 5}},
         "Izaberite grupu uredjaja iz liste postojecih grupa."},
        {"no type", {{"ID_Grupe", 1}, {"Naziv", "Novi"}, {"Adresa", 5}}, "Izaberite tip uredjaja iz liste postojecih tipova."},
        {"unknown type", {{"ID_Grupe", 1}, {"ID_Tip", 13}, {"Naziv", "Novi"}, {"Adresa", 5}},
         "Izaberite tip uredjaja iz liste postojecih tipova."},
        {"no name", {{"ID_Grupe", 1}, {"ID_Tip", 1}, {"Adresa", 5}}, "Unesite naziv uredjaja."},
        {"no address", {{"ID_Grupe", 1}, {"ID_Tip", 1}, {"Naziv", "Novi"}}, "Adresa uredjaja mora biti ceo broj od 0 do 9."},
        {"address 12", {{"ID_Grupe", 1}, {"ID_Tip", 1}, {"Naziv", "Novi"}, {"Adresa", 12}},
         "Adresa uredjaja mora biti ceo broj od 0 do 9."},
        {"bus address taken", {{"ID_Grupe", 1}, {"ID_Tip", 1}, {"Naziv", "Novi"}, {"Adresa", 2}},
         "Adresu 12 na magistrali vec ima uredjaj \"Klima komora\"."},
        {"free address", {{"ID_Grupe", 1}, {"ID_Tip", 1}, {"Naziv", "Novi"}, {"Adresa", 4}}, nullptr},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = Scalar("SELECT COUNT(*) FROM Mreza").toInt();
        const auto texts = AddRow(tab->Devices, c);
        if (c.message) {
            EXPECT_EQ(texts, std::vector<std::string>{c.message});
            EXPECT_TRUE(tab->Devices->IsEditing());
            EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Mreza").toInt(), before);
            tab->Devices->Cancel();
        } else {
            EXPECT_TRUE(texts.empty());
            EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Mreza WHERE Naziv = 'Novi' AND ID_Grupe = 1 AND Adresa = 4").toInt(), 1);
            EXPECT_EQ(Shown(tab->Devices, tab->Devices->CurrentRow(), "ID_Tip"), "KV710");
        }
    }

    // Changing an existing device: its own address is no clash; another device's is.
    ASSERT_TRUE(SelectDevice("Indikator"));
    const int row = tab->Devices->CurrentRow();
    ScriptedOperator::Instance().Clear();
    Set(tab->Devices, row, "Naziv", "Indikator 2");
    EXPECT_TRUE(tab->Devices->Post());
    Set(tab->Devices, row, "Adresa", 1);
    EXPECT_FALSE(tab->Devices->Post());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Adresu 11 na magistrali vec ima uredjaj \"Programator\"."});
    tab->Devices->Cancel();
    EXPECT_EQ(Scalar("SELECT Adresa FROM Mreza WHERE Naziv = 'Indikator 2'").toInt(), 3);

    // A group digit that would put two devices on one bus address.
    ScriptedOperator::Instance().Clear();
    Set(tab->Groups, 1, "Adresa", 1);
    EXPECT_FALSE(tab->Groups->Post());
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0], "Sa adresom grupe 1 uredjaji \"Regulator vlage\" i \"Programator\" bi imali istu adresu na "
                          "magistrali (11).");
}

TEST_F(ConfigGridTest, ValueRowsAreCheckedBeforeWritingAndBelongToTheSelectedDevice)
{
    tab->SetEditable(true);
    ASSERT_TRUE(SelectDevice("Klima komora"));
    const QVariant kv710Param = Scalar("SELECT ParamID FROM DeviceParameters WHERE DeviceID = 1 ORDER BY DevicePrm_ID LIMIT 1");
    const QVariant foreignParam = 113;  // a programmer's parameter
    const CheckCase cases[] = {
        {"no parameter", {{"Naziv", "Nova"}, {"Boja", 3}}, "Izaberite parametar (mnemonik) iz liste parametara ovog uredjaja."},
        {"parameter of another type", {{"ID_Parametra", foreignParam}, {"Naziv", "Nova"}, {"Boja", 3}},
         "Izaberite parametar (mnemonik) iz liste parametara ovog uredjaja."},
        {"no name", {{"ID_Parametra", kv710Param}, {"Boja", 3}}, "Unesite naziv vrednosti."},
        {"no colour", {{"ID_Parametra", kv710Param}, {"Naziv", "Nova"}}, "Izaberite boju iz liste boja."},
        {"unknown colour", {{"ID_Parametra", kv710Param}, {"Naziv", "Nova"}, {"Boja", 99}}, "Izaberite boju iz liste boja."},
        {"complete", {{"ID_Parametra", kv710Param}, {"Naziv", "Nova"}, {"Boja", 3}}, nullptr},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto texts = AddRow(tab->Values, c);
        if (c.message) {
            EXPECT_EQ(texts, std::vector<std::string>{c.message});
            EXPECT_TRUE(tab->Values->IsEditing());
            tab->Values->Cancel();
        } else {
            EXPECT_TRUE(texts.empty());
        }
    }
    EXPECT_EQ(Scalar("SELECT ID_Uredjaja FROM Vrednosti_Test WHERE Naziv = 'Nova'").toInt(), 2);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Vrednosti_Test WHERE Naziv = 'Nova'").toInt(), 1);
    EXPECT_EQ(tab->Values->Model()->rowCount(), 3);

    // While a new device is not yet written, no value can be added to it.
    tab->Devices->Insert();
    EXPECT_EQ(tab->Values->Model()->rowCount(), 0);
    EXPECT_FALSE(tab->Values->Insert());
    EXPECT_FALSE(tab->Values->Navigator()->ButtonAt(TDBNavigator::Insert)->isEnabled());
}

TEST_F(ConfigGridTest, RowsTheDatabaseRefusesShowItsMessageAndStayInEditing)
{
    db.Exec("CREATE TRIGGER odbij BEFORE INSERT ON Grupe BEGIN SELECT RAISE(ABORT, 'grupa odbijena'); END");
    db.Exec("CREATE TRIGGER odbij2 BEFORE UPDATE ON Mreza BEGIN SELECT RAISE(ABORT, 'uredjaj zakljucan'); END");
    tab->SetEditable(true);

    const auto texts = AddRow(tab->Groups, {"refused", {{"Naziv", "Treca"}, {"Adresa", 3}}, nullptr});
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "grupa odbijena");
    EXPECT_EQ(ScriptedOperator::Instance().boxes[0].icon, BoxIcon::Error);
    EXPECT_TRUE(tab->Groups->IsEditing());
    EXPECT_EQ(Shown(tab->Groups, tab->Groups->CurrentRow(), "Naziv"), "Treca");

    ScriptedOperator::Instance().Clear();
    Set(tab->Devices, 0, "Naziv", "Drugo ime");
    EXPECT_FALSE(tab->Devices->Post());
    EXPECT_EQ(Texts(), std::vector<std::string>{"uredjaj zakljucan"});
    EXPECT_TRUE(tab->Devices->IsEditing());
    EXPECT_EQ(Shown(tab->Devices, 0, "Naziv"), "Drugo ime");
    // Leaving the row tries again and, refused, comes back to it.
    ScriptedOperator::Instance().Clear();
    tab->Devices->Navigator()->Click(TDBNavigator::Next);
    EXPECT_EQ(Texts(), std::vector<std::string>{"uredjaj zakljucan"});
    EXPECT_EQ(tab->Devices->CurrentRow(), 0);
    tab->Devices->Navigator()->Click(TDBNavigator::Cancel);
    EXPECT_FALSE(tab->Devices->IsEditing());
    EXPECT_EQ(Shown(tab->Devices, 0, "Naziv"), "Programator");
    EXPECT_EQ(Scalar("SELECT Naziv FROM Mreza WHERE ID_Uredjaja = 1").toString(), "Programator");
}

TEST_F(ConfigGridTest, LeavingARowWritesIt)
{
    tab->SetEditable(true);
    Set(tab->Groups, 0, "Naziv", "Susara A");
    EXPECT_TRUE(tab->Groups->Navigator()->ButtonAt(TDBNavigator::Post)->isEnabled());
    EXPECT_FALSE(tab->Groups->Navigator()->ButtonAt(TDBNavigator::Edit)->isEnabled());
    tab->Groups->Navigator()->Click(TDBNavigator::Last);
    EXPECT_EQ(tab->Groups->CurrentRow(), 1);
    EXPECT_EQ(Scalar("SELECT Naziv FROM Grupe WHERE ID_Grupe = 1").toString(), "Susara A");
    // The device grid's group names follow at once.
    EXPECT_EQ(Shown(tab->Devices, 0, "ID_Grupe"), "Susara A");

    // A row that fails its check keeps the cursor.
    ScriptedOperator::Instance().Clear();
    Set(tab->Groups, 1, "Naziv", "");
    tab->Groups->Navigator()->Click(TDBNavigator::First);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Unesite naziv grupe."});
    EXPECT_EQ(tab->Groups->CurrentRow(), 1);
    EXPECT_TRUE(tab->Groups->IsEditing());

    // Unwritten values are written before the device grid moves on.
    tab->Groups->Cancel();
    ScriptedOperator::Instance().Clear();
    Set(tab->Values, 0, "Naziv", "PV programatora");
    ASSERT_TRUE(SelectDevice("Klima komora"));
    EXPECT_EQ(Scalar("SELECT Naziv FROM Vrednosti_Test WHERE ID_Value = 1").toString(), "PV programatora");
    Set(tab->Values, 0, "Naziv", "");
    tab->Devices->Navigator()->Click(TDBNavigator::Next);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Unesite naziv vrednosti."});
    EXPECT_EQ(Shown(tab->Devices, tab->Devices->CurrentRow(), "Naziv"), "Klima komora");

    // Both the device and one of its values changed: both are written when the device grid
    // moves on.
    Set(tab->Values, 0, "Naziv", "Klima 1PV");
    Set(tab->Devices, tab->Devices->CurrentRow(), "Naziv", "Klima");
    tab->Devices->Navigator()->Click(TDBNavigator::Next);
    EXPECT_EQ(Scalar("SELECT Naziv FROM Vrednosti_Test WHERE ID_Value = 4").toString(), "Klima 1PV");
    EXPECT_EQ(Scalar("SELECT Naziv FROM Mreza WHERE ID_Uredjaja = 2").toString(), "Klima");
    EXPECT_EQ(Shown(tab->Devices, tab->Devices->CurrentRow(), "Naziv"), "Indikator");
    EXPECT_EQ(Shown(tab->Values, 0, "Naziv"), "Indikator PV");
}

TEST_F(ConfigGridTest, DeletingAsksFirstAndKeepsValuesInSight)
{
    tab->SetEditable(true);
    auto& op = ScriptedOperator::Instance();
    // Cancelled: nothing deleted.
    EXPECT_FALSE(tab->Values->Delete());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Obrisati zapis?"});
    EXPECT_EQ(tab->Values->Model()->rowCount(), 3);

    op.Clear();
    op.Script(Answer::Ok);
    tab->Values->SetCurrentRow(1);
    EXPECT_TRUE(tab->Values->Delete());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Vrednosti_Test WHERE ID_Uredjaja = 1").toInt(), 2);
    EXPECT_EQ(tab->Values->Model()->rowCount(), 2);
    EXPECT_EQ(Shown(tab->Values, tab->Values->CurrentRow(), "ID_Parametra"), "2PV");

    // A device with recorded values is not deleted: they would be left out of sight.
    op.Clear();
    op.Script(Answer::Ok);
    EXPECT_FALSE(tab->Devices->Delete());
    EXPECT_EQ(Texts(), std::vector<std::string>{
                           "Uredjaj \"Programator\" ima zapisane vrednosti. Najpre obrisite njegove vrednosti."});
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Mreza").toInt(), 6);

    // A group may go while it still has devices.
    op.Clear();
    op.Script(Answer::Ok);
    EXPECT_TRUE(tab->Groups->Delete());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Grupe").toInt(), 1);
    EXPECT_EQ(Shown(tab->Devices, 0, "ID_Grupe"), "");  // its devices show no group

    // A new row left untouched goes away when the cursor leaves it or on apply; nothing is
    // written and nothing is asked.
    op.Clear();
    ASSERT_TRUE(tab->Groups->Insert());
    tab->Groups->Navigator()->Click(TDBNavigator::Last);
    EXPECT_EQ(tab->Groups->Model()->rowCount(), 1);
    EXPECT_FALSE(tab->Groups->IsEditing());
    ASSERT_TRUE(tab->Values->Insert());  // filled with its device, nothing else
    EXPECT_TRUE(tab->Values->Post());
    EXPECT_EQ(tab->Values->Model()->rowCount(), 2);
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM Vrednosti_Test").toInt(), 10);

    // A row not yet written is just dropped, without asking.
    op.Clear();
    tab->Groups->Insert();
    EXPECT_EQ(tab->Groups->Model()->rowCount(), 2);
    EXPECT_TRUE(tab->Groups->Delete());
    EXPECT_TRUE(op.boxes.empty()) << Texts()[0];
    EXPECT_EQ(tab->Groups->Model()->rowCount(), 1);
}

TEST_F(ConfigGridTest, NewGroupIsOfferedToDevicesAndRefreshShowsOthersRows)
{
    tab->SetEditable(true);
    AddRow(tab->Groups, {"new", {{"Naziv", "Komora 3"}, {"Adresa", 3}}, nullptr});
    TEditModel* m = tab->Devices->Model();
    const QModelIndex group = m->index(0, m->Column("ID_Grupe"));
    std::unique_ptr<QWidget> editor(tab->Devices->Grid()->Delegate()->createEditor(nullptr, {}, group));
    auto* combo = qobject_cast<QComboBox*>(editor.get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), "Komora 3");

    // Rows written by someone else appear on refresh, in group order.
    db.Exec("INSERT INTO Mreza (ID_Tip, ID_Grupe, Adresa, Naziv) VALUES (9, 1, 7, 'Spolja')");
    tab->Devices->SetCurrentRow(4);
    tab->Devices->Navigator()->Click(TDBNavigator::Refresh);
    ASSERT_EQ(m->rowCount(), 7);
    EXPECT_EQ(Shown(tab->Devices, 3, "Naziv"), "Spolja");
    EXPECT_EQ(Shown(tab->Devices, tab->Devices->CurrentRow(), "Naziv"), "Regulator pec");  // the cursor stays
}

}  // namespace

namespace {

TEST_F(ConfigGridTest, EditingThroughTheGridsOwnEditors)
{
    tab->SetEditable(true);
    tab->show();
    TGridFrame* devices = tab->Devices;
    TEditModel* m = devices->Model();
    // The operator puts the cursor on a cell and starts editing it: with the navigator's edit
    // button, or (with the row already in editing, when that button is off) as a double click.
    const auto editCell = [&](int row, const char* field) -> QWidget* {
        const QModelIndex cell = m->index(row, m->Column(field));
        devices->Grid()->setCurrentIndex(cell);
        if (devices->Navigator()->ButtonAt(TDBNavigator::Edit)->isEnabled())
            devices->Navigator()->Click(TDBNavigator::Edit);
        else
            devices->Grid()->edit(cell);
        EXPECT_TRUE(devices->Navigator()->ButtonAt(TDBNavigator::Post)->isEnabled());
        EXPECT_FALSE(devices->Navigator()->ButtonAt(TDBNavigator::Edit)->isEnabled());
        return devices->Grid()->Delegate()->OpenEditor();
    };
    auto* line = qobject_cast<QLineEdit*>(editCell(2, "Naziv"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "Indikator");
    line->setText("Indikator sobe");
    // Applying takes what is in the open editor.
    devices->Navigator()->Click(TDBNavigator::Post);
    EXPECT_EQ(devices->Grid()->Delegate()->OpenEditor(), nullptr);
    EXPECT_EQ(Scalar("SELECT Naziv FROM Mreza WHERE ID_Uredjaja = 3").toString(), "Indikator sobe");

    auto* combo = qobject_cast<QComboBox*>(editCell(2, "ID_Tip"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), "LX410i");
    combo->setCurrentIndex(combo->findText("HW600"));
    auto* spin = qobject_cast<QSpinBox*>(editCell(2, "Adresa"));  // moving on keeps the type
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->value(), 3);
    spin->setValue(6);
    EXPECT_TRUE(devices->IsEditing());
    // Leaving the row writes both.
    devices->Navigator()->Click(TDBNavigator::First);
    EXPECT_EQ(Scalar("SELECT ID_Tip || '/' || Adresa FROM Mreza WHERE ID_Uredjaja = 3").toString(), "9/6");
    EXPECT_EQ(Shown(devices, 2, "ID_Tip"), "HW600");

    // Discarding drops what is typed in the open editor as well.
    line = qobject_cast<QLineEdit*>(editCell(0, "Naziv"));
    ASSERT_NE(line, nullptr);
    line->setText("Nesto");
    devices->Navigator()->Click(TDBNavigator::Cancel);
    EXPECT_EQ(Shown(devices, 0, "Naziv"), "Programator");
    EXPECT_FALSE(devices->IsEditing());
}

}  // namespace
