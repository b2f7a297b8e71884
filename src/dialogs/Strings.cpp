#include "dialogs/Strings.h"

#include <QHash>

namespace tarvo {

namespace {

struct Row {
    const char* key;
    const char* text;  // built-in default, UTF-8
};

// One row per entry, in the order of StrEntry.
const Row kRows[] = {
    // Main window (applied with the main window's texts)
    {"StrMasterCaption", "TARVO menadzer"},
    {"StrMenuFile", "&File"},
    {"StrMenuIzvestaj", "&Izvestaj"},
    {"StrMenuPrint", "S&tampaj"},
    {"StrMenuExit", "I&zlaz"},
    {"StrMenuSetings", "Podesavanje"},
    {"StrMenuOpcije", "Opcije programa..."},
    {"StrMenuKonfig", "Konfiguracija mreze..."},
    {"StrMenuSifra", "Sifra"},
    {"StrMenuAzuriraj", "Azuriraj mrezu"},
    {"StrMenuJezik", "Jezik"},
    {"StrMenuPomoc", "Pomoc"},
    {"StrMenuSadrzaj", "Sadrzaj"},
    {"StrMenuWeb", "Internet stranica"},
    {"StrMenuAbout", "O programu"},
    {"StrUprProcesom", "Upravljanje procesom"},
    {"StrStartProg", "Start programa"},
    {"StrStopProg", "Stop programa"},
    {"StrSetProg", "Postavi program"},
    {"StrOpisProc", "Opis procesa"},
    {"StrLRNalog", "Radni nalog:"},
    {"StrLOpis", "Opis:"},
    {"StrLStart", "Start:"},
    {"StrLID", "ID:"},
    {"StrBPodesiOpis", "Podesi opis"},
    {"StrBAzurirajOpis", "Azuriraj opis"},
    {"StrTSDijag", "Dijagram"},
    {"StrTSUredjaji", "Uredjaji"},
    {"StrTSKonfig", "Konfiguracija"},
    {"StrDTemp", "Temperatura(°C)"},
    {"StrTabGrupa", "TABELA GRUPA"},
    {"StrHPrviGru", "Prva grupa"},
    {"StrHPretGru", "Prethodna grupa"},
    {"StrHSledGru", "Sledeca grupa"},
    {"StrHZadnGru", "Zadnja grupa"},
    {"StrHDodaGru", "Dodaj novu grupu"},
    {"StrHObrsGru", "Obrisi grupu"},
    {"StrHPromGru", "Promeni grupu"},
    {"StrHUpisGru", "Primeni promenu"},
    {"StrHOdusGru", "Ignorisi promenu"},
    {"StrHOsveGru", "Osvezi prikaz"},
    {"StrTabUredjaja", "TABELA UREDJAJA"},
    {"StrHPrviUre", "Prvi uredjaj"},
    {"StrHPretUre", "Prethodni uredjaj"},
    {"StrHSledUre", "Sledeci uredjaj"},
    {"StrHZadnUre", "Zadnji uredjaj"},
    {"StrHDodaUre", "Dodaj novi uredjaj"},
    {"StrHObrsUre", "Obrisi uredjaj"},
    {"StrHPromUre", "Promeni uredjaj"},
    {"StrHUpisUre", "Primeni promenu"},
    {"StrHOdusUre", "Ignorisi promenu"},
    {"StrHOsveUre", "Osvezi prikaz"},
    {"StrTabParam", "TABELA PARAMETARA"},
    {"StrHPrviVre", "Prva vrednost"},
    {"StrHPretVre", "Prethodna vrednost"},
    {"StrHSledVre", "Sledeca vrednost"},
    {"StrHZadnVre", "Zadnja vrednost"},
    {"StrHDodaVre", "Dodaj novu vrednost"},
    {"StrHObrsVre", "Obrisi vrednost"},
    {"StrHPromVre", "Promeni vrednost"},
    {"StrHUpisVre", "Primeni promenu"},
    {"StrHOdusVre", "Ignorisi promenu"},
    {"StrHOsveVre", "Osvezi prikaz"},
    {"StrKolNaziv", "Naziv"},
    {"StrKolAdrG", "Adresa grupe"},
    {"StrKolGrupa", "Grupa"},
    {"StrKolTip", "Tip"},
    {"StrKolNaziv", "Naziv"},
    {"StrKolAdresa", "Adresa"},
    {"StrKolMn", "Mnemonik"},
    {"StrKolOpis", "Opis parametra"},
    {"StrKolNaziv", "Naziv parametra"},
    {"StrKolNBoje", "Boja na dijagramu"},
    // Messages and prompts of the main window
    {"StrException", "Izuzetak"},
    {"StrComError1", "Serijski port u kvaru, ili ga koristi druga aplikacija. Zelite li da izaberete drugi kom port?"},
    {"StrOznakaRadnogNaloga", "Unesite oznaku radnog naloga ..."},
    {"StrOpisProcesa", "Unesite opis procesa ..."},
    {"StrStartovanoNovo1", "Startovano snimanje novog procesa, azurirajte opis procesa!! Programator je startovan"},
    {"StrDetektovanoNovo1", "Startovano snimanje novog procesa, azurirajte opis procesa!! Detektovan novi proces"},
    {"StrZavrsenProces1", "Programator je zavrsio proces. Prekidamo snimanje procesa!!!"},
    {"StrGreskaUpisaUBazu", "Greska pri upisu u arhivu"},
    {"StrGreskaOsvezBaze", "Greska osvezavanja prikaza"},
    {"StrGreskaGrupe", "GRESKA GRUPE:"},
    {"StrGreskaUredjaja", "GRESKA UREDJAJA:"},
    {"StrGreskaParametra", "GRESKA PARAMETRA:"},
    {"StrGreskaRadniNalozi", "GRESKA - RADNI NALOZI:"},
    {"StrKonfigOtklj", R"(Sada mozete menjati sadrzaj konfiguracionih tabela.\r\nNakon izvrsenih promena izaberite u meniju:\r\n\"Podesavanje\\Azuriraj mrezu\" ili restartujte aplikaciju.)"},
    {"StrParametar", "Parametar"},
    {"StrTacka", "Tacka"},
    {"StrSpisSvihPar", "Spisak svih parametara: "},
    {"StrStartProg", "Startujete izvrsenje programa. Da li ste sigurni?"},
    {"StrStopProg", "Prekidate izvrsenje programa. Da li ste sigurni?"},
    {"StrSetProg", "Postavljate program:"},
    {"StrSigurni", "Da li ste sigurni?"},
    {"StrErrorBackup1", "Neuspesno kreiranje rezervne kopije"},
    {"StrErrorBaza1", "Ne moze da se izvrsi kopiranje baze"},
    {"StrErrorBaza2", R"(Baza podataka nije dostupna!!!\nUkoliko zelite da pronadjete bazu izaberite: OK)"},
    // Field labels of the data module (applied together with the main window)
    {"StrIDGrupe", "ID_Grupe"},
    {"StrNaziv", "Naziv"},
    {"StrAdresa", "Adresa"},
    {"StrGore", "Gore"},
    {"StrLevo", "Levo"},
    // Change-password dialog
    {"StrPromSifre", "Promena sifre"},
    {"StrNovaSifra", "Nova sifra:"},
    {"StrPotvrdiSifru", "Potvrdi novu sifru:"},
    {"StrButtonOK", "Potvrdi"},
    {"StrButtonCancel", "Otkazi"},
    // Report generation dialog
    {"StrCaptionGI", "Opcije izvestaja"},
    {"StrIzborIzvestaja", "IZBOR IZVESTAJA:"},
    {"StrHNavIzborIzv", "Navigator liste izveštaja"},
    {"StrHPrviIzv", "Prvi izvestaj"},
    {"StrHPretIzv", "Prethodni izvestaj"},
    {"StrHSledIzv", "Sledeæi izvestaj"},
    {"StrHZadnIzv", "Zadnji izvestaj"},
    {"StrHDodaIzv", "Dodaj izvestaj"},
    {"StrHObrsIzv", "Obriši izvestaj"},
    {"StrHPromIzv", "Promeni izvestaj"},
    {"StrHUpisIzv", "Upisi promenu"},
    {"StrHOdusIzv", "Odustani od promene"},
    {"StrHOsveIzv", "Osvezi podatke"},
    {"StrIzborIzvestaja", "NAZIV IZVESTAJA:"},
    {"StrMaxV", "MAX. VREDNOST:"},
    {"StrMinV", "MIN. VREDNOST:"},
    {"StrIzborParametra", "IZBOR PARAMETARA:"},
    {"StrHNavIzborPar", "Navigator liste parametara"},
    {"StrHPrviPar", "Prvi parametar"},
    {"StrHPretPar", "Prethodni parametar"},
    {"StrHSledPar", "Sledeci parametar"},
    {"StrHZadnPar", "Zadnji parametar"},
    {"StrHDodaPar", "Dodaj parametar"},
    {"StrHObriPar", "Obrisi parametar"},
    {"StrHPromPar", "Promeni parametar"},
    {"StrHUpisPar", "Upisi promenu"},
    {"StrHOdusPar", "Odustani od promene"},
    {"StrHOsvePar", "Osvezi podatke"},
    {"StrOdG", "Od:"},
    {"StrDo", "Do:"},
    {"StrKOpisPar", "OPIS PARAMETRA"},
    {"StrKPar", "PARAMETAR"},
    {"StrIzvestajVreme", "Izvestaj po vremenu"},
    {"StrKRB", "Redni broj"},
    {"StrKNaziv", "Naziv"},
    {"StrKVremeZavrsetka", "Vreme zavrsetka"},
    {"StrIzaberiProces", "IZABERI PROCES"},
    {"StrIzaberiVremPer", "IZABERI VREMENSKI PERIOD"},
    {"StrGOd", "Od:"},
    {"StrGDo", "Do:"},
    {"StrBGenerisi", "Generisi izvestaj"},
    {"StrBOtkazi", "Otkazi"},
    // Keys without a target
    {"StrCaptionGroup", "Grupe"},
    {"StrPromenaNaziva", "Promena naziva prozora"},
    // Options dialog
    {"StrCaptionOpcije", "Opcije"},
    {"StrOnlineOpcije", "Online opcije"},
    {"StrLabComPort", "CommPort:"},
    {"StrLabBaud", "BaudRate:"},
    {"StrLabTimeOut", "Period upisa u bazu (min):"},
    {"StrBOK", "OK"},
    {"StrBCancel", "Otkazi"},
    // Password dialog
    {"StrCaptionPas", "Provera korisnika"},
    {"StrLabUnesiSifru", "Unesi sifru:"},
    {"StrBOKPas", "OK"},
    {"StrBCancPas", "Otkazi"},
    {"StrPogresnaSifra", "Pogresna sifra"},
    // Report window and report output
    {"StrCaptionReport", "Izvestaj"},
    {"StrMZatvori", "Zatvoti"},
    {"StrMHZatvori", "Zatvori izvestaj"},
    {"StrMStampaj", "Stampaj"},
    {"StrMHStampaj", "Ostampaj izvestaj"},
    {"StrMTabela", "Tabela"},
    {"StrMHTabela", "Prikaz podataka u formi tabele"},
    {"StrMUpisiUFajl", "Upisi u fajl..."},
    {"StrMHUpisiUFajl", "Upisi podatke u fajl u formatu .csv"},
    {"StrMOpcije", "Opcije"},
    {"StrMPrikaziGrid", "Prikaži grid"},
    {"StrMCrnoBelo", "Crno-belo"},
    {"StrSerieVreme", "Vreme"},
    // Table report window
    {"StrCaptionTR", "Tabelarni izvestaj"},
    {"StrMZatvoriTR", "Zatvori"},
    {"StrMStampajTR", "Stampaj"},
};

static_assert(sizeof(kRows) / sizeof(kRows[0]) == StrEntryCount, "one row per entry");

std::vector<QString>& Texts()
{
    static std::vector<QString> texts = [] {
        std::vector<QString> t;
        t.reserve(StrEntryCount);
        for (const Row& r : kRows)
            t.push_back(QString::fromUtf8(r.text));
        return t;
    }();
    return texts;
}

// Key -> entries it feeds, and the keys in order of first appearance.
struct KeyIndex {
    QStringList keys;
    QHash<QString, std::vector<StrEntry>> entries;
};

const KeyIndex& Index()
{
    static const KeyIndex index = [] {
        KeyIndex ix;
        for (int i = 0; i < StrEntryCount; ++i) {
            const QString key = QString::fromLatin1(kRows[i].key);
            auto& list = ix.entries[key];
            if (list.empty())
                ix.keys << key;
            list.push_back(static_cast<StrEntry>(i));
        }
        return ix;
    }();
    return index;
}

bool Valid(StrEntry entry) { return entry >= 0 && entry < StrEntryCount; }

}  // namespace

QString Str(StrEntry entry) { return Valid(entry) ? Texts()[entry] : QString(); }

std::string StrMsg(StrEntry entry) { return DisplayText(Str(entry)).toStdString(); }

QString DisplayText(const QString& stored)
{
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QChar c = stored[i];
        if (c != u'\\' || i + 1 >= stored.size()) {
            out += c;
            continue;
        }
        const QChar next = stored[i + 1];
        if (next == u'r' && stored.mid(i + 2, 2) == QLatin1String("\\n")) {
            out += u'\n';  // \r\n is one line break
            i += 3;
            continue;
        }
        switch (next.unicode()) {
        case 'n':
        case 'r': out += u'\n'; break;
        case '"': out += u'"'; break;
        case '\\': out += u'\\'; break;
        default: out += c; continue;  // not a sequence: keep the backslash, read on
        }
        ++i;
    }
    return out;
}

const QStringList& StringTable::Keys() { return Index().keys; }

bool StringTable::IsKey(const QString& key) { return Index().entries.contains(key); }

QStringList StringTable::KeysWithoutTarget()
{
    return {QStringLiteral("StrException"), QStringLiteral("StrCaptionGroup"),
            QStringLiteral("StrPromenaNaziva")};
}

QString StringTable::KeyOfEntry(StrEntry entry)
{
    return Valid(entry) ? QString::fromLatin1(kRows[entry].key) : QString();
}

std::vector<StrEntry> StringTable::EntriesOfKey(const QString& key)
{
    return Index().entries.value(key);
}

QString StringTable::Default(StrEntry entry)
{
    return Valid(entry) ? QString::fromUtf8(kRows[entry].text) : QString();
}

bool StringTable::SetKeyText(const QString& key, const QString& text)
{
    const auto it = Index().entries.constFind(key);
    if (it == Index().entries.constEnd())
        return false;
    for (StrEntry e : *it)
        Texts()[e] = text;
    return true;
}

void StringTable::ResetDefaults()
{
    for (int i = 0; i < StrEntryCount; ++i)
        Texts()[i] = QString::fromUtf8(kRows[i].text);
}

}  // namespace tarvo
