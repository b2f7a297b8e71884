#include <gtest/gtest.h>

#include <QSet>

#include "dialogs/Strings.h"

using namespace tarvo;

namespace {

class StringTableTest : public ::testing::Test {
protected:
    void TearDown() override { StringTable::ResetDefaults(); }
};

struct DefaultCase {
    StrEntry entry;
    const char* key;
    const char* text;
};

TEST_F(StringTableTest, EntriesStartWithTheirBuiltInDefaults)
{
    const DefaultCase cases[] = {
        {StrMasterCaption, "StrMasterCaption", "TARVO menadzer"},
        {StrMenuFile, "StrMenuFile", "&File"},
        {StrMenuPrint, "StrMenuPrint", "S&tampaj"},
        {StrMenuExit, "StrMenuExit", "I&zlaz"},
        {StrDTemp, "StrDTemp", "Temperatura(°C)"},
        {StrHPrviGru, "StrHPrviGru", "Prva grupa"},
        {StrHOsveVre, "StrHOsveVre", "Osvezi prikaz"},
        {StrStartProg, "StrStartProg", "Start programa"},
        {StrStartProgConfirm, "StrStartProg", "Startujete izvrsenje programa. Da li ste sigurni?"},
        {StrStopProg, "StrStopProg", "Stop programa"},
        {StrStopProgConfirm, "StrStopProg", "Prekidate izvrsenje programa. Da li ste sigurni?"},
        {StrSetProg, "StrSetProg", "Postavi program"},
        {StrSetProgConfirm, "StrSetProg", "Postavljate program:"},
        {StrKolNaziv, "StrKolNaziv", "Naziv"},
        {StrKolNazivDevices, "StrKolNaziv", "Naziv"},
        {StrKolNazivValues, "StrKolNaziv", "Naziv parametra"},
        {StrIzborIzvestaja, "StrIzborIzvestaja", "IZBOR IZVESTAJA:"},
        {StrIzborIzvestajaNaziv, "StrIzborIzvestaja", "NAZIV IZVESTAJA:"},
        {StrComError1, "StrComError1",
         "Serijski port u kvaru, ili ga koristi druga aplikacija. Zelite li da izaberete drugi kom port?"},
        {StrSpisSvihPar, "StrSpisSvihPar", "Spisak svih parametara: "},
        {StrErrorBackup1, "StrErrorBackup1", "Neuspesno kreiranje rezervne kopije"},
        {StrErrorBaza1, "StrErrorBaza1", "Ne moze da se izvrsi kopiranje baze"},
        {StrErrorBaza2, "StrErrorBaza2",
         R"(Baza podataka nije dostupna!!!\nUkoliko zelite da pronadjete bazu izaberite: OK)"},
        {StrKonfigOtklj, "StrKonfigOtklj",
         R"(Sada mozete menjati sadrzaj konfiguracionih tabela.\r\nNakon izvrsenih promena izaberite u meniju:\r\n\"Podesavanje\\Azuriraj mrezu\" ili restartujte aplikaciju.)"},
        {StrHNavIzborIzv, "StrHNavIzborIzv", "Navigator liste izveštaja"},
        {StrHSledIzv, "StrHSledIzv", "Sledeæi izvestaj"},
        {StrHObrsIzv, "StrHObrsIzv", "Obriši izvestaj"},
        {StrMPrikaziGrid, "StrMPrikaziGrid", "Prikaži grid"},
        {StrMZatvori, "StrMZatvori", "Zatvoti"},
        {StrPogresnaSifra, "StrPogresnaSifra", "Pogresna sifra"},
        {StrMStampajTR, "StrMStampajTR", "Stampaj"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(Str(c.entry), QString::fromUtf8(c.text));
        EXPECT_EQ(StringTable::Default(c.entry), QString::fromUtf8(c.text));
        EXPECT_EQ(StringTable::KeyOfEntry(c.entry), QLatin1String(c.key));
    }
}

TEST_F(StringTableTest, KeysAreUniqueAndInTableOrder)
{
    const QStringList& keys = StringTable::Keys();
    EXPECT_EQ(keys.size(), 173);
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    EXPECT_EQ(keys.front(), "StrMasterCaption");
    EXPECT_EQ(keys.back(), "StrMStampajTR");

    // Walking the entries in order, each key appears where it is first used.
    QStringList firstSeen;
    for (int i = 0; i < StrEntryCount; ++i) {
        const QString key = StringTable::KeyOfEntry(static_cast<StrEntry>(i));
        EXPECT_FALSE(Str(static_cast<StrEntry>(i)).isEmpty()) << key.toStdString();
        if (!firstSeen.contains(key))
            firstSeen << key;
    }
    EXPECT_EQ(firstSeen, keys);

    for (const QString& key : StringTable::KeysWithoutTarget())
        EXPECT_TRUE(StringTable::IsKey(key)) << key.toStdString();
}

TEST_F(StringTableTest, KeyTextReachesEveryEntryItFeeds)
{
    const struct {
        const char* key;
        std::vector<StrEntry> entries;
    } cases[] = {
        {"StrKolNaziv", {StrKolNaziv, StrKolNazivDevices, StrKolNazivValues}},
        {"StrIzborIzvestaja", {StrIzborIzvestaja, StrIzborIzvestajaNaziv}},
        {"StrStartProg", {StrStartProg, StrStartProgConfirm}},
        {"StrStopProg", {StrStopProg, StrStopProgConfirm}},
        {"StrSetProg", {StrSetProg, StrSetProgConfirm}},
        {"StrHUpisGru", {StrHUpisGru}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(StringTable::EntriesOfKey(c.key), c.entries);
        ASSERT_TRUE(StringTable::SetKeyText(c.key, "Ime"));
        for (StrEntry e : c.entries)
            EXPECT_EQ(Str(e), "Ime");
    }
    // Same default, different key: untouched.
    EXPECT_EQ(Str(StrHUpisUre), "Primeni promenu");
    EXPECT_EQ(Str(StrNaziv), "Naziv");

    EXPECT_FALSE(StringTable::SetKeyText("StrNoSuchKey", "x"));
    EXPECT_TRUE(StringTable::EntriesOfKey("StrNoSuchKey").empty());

    StringTable::ResetDefaults();
    EXPECT_EQ(Str(StrKolNaziv), "Naziv");
    EXPECT_EQ(Str(StrKolNazivValues), "Naziv parametra");
    EXPECT_EQ(Str(StrIzborIzvestajaNaziv), "NAZIV IZVESTAJA:");
    EXPECT_EQ(Str(StrStartProgConfirm), "Startujete izvrsenje programa. Da li ste sigurni?");
}

TEST_F(StringTableTest, DisplayTextTurnsSequencesIntoCharacters)
{
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {
        {R"(a\r\nb)", "a\nb"},
        {R"(a\nb)", "a\nb"},
        {R"(a\rb)", "a\nb"},
        {R"(say \"hi\")", "say \"hi\""},
        {R"(Menu\\Entry)", "Menu\\Entry"},
        {R"(\\n)", "\\n"},           // an escaped backslash followed by a plain n
        {R"(C:\temp)", "C:\\temp"},  // not a sequence: kept
        {R"(end\)", "end\\"},
        {"Temperatura(°C)", "Temperatura(°C)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayText(QString::fromUtf8(c.stored)), QString::fromUtf8(c.shown)) << c.stored;

    EXPECT_EQ(StrMsg(StrKonfigOtklj),
              "Sada mozete menjati sadrzaj konfiguracionih tabela.\n"
              "Nakon izvrsenih promena izaberite u meniju:\n"
              "\"Podesavanje\\Azuriraj mrezu\" ili restartujte aplikaciju.");
    EXPECT_EQ(StrMsg(StrErrorBaza2),
              "Baza podataka nije dostupna!!!\nUkoliko zelite da pronadjete bazu izaberite: OK");
}

}  // namespace
