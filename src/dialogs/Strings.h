// The string table: every text the program's own windows show, by entry, with its built-in
// Serbian default. A language file addresses texts by key; a few keys feed several entries
// (a button and a confirmation, three grid columns), which then all take the key's text.
//
// Entries are named after their key. Where a key feeds several entries, the first keeps the
// key's name and the others carry a suffix: StrStartProg (button) and StrStartProgConfirm
// (question), StrKolNaziv / StrKolNazivDevices / StrKolNazivValues, StrIzborIzvestaja /
// StrIzborIzvestajaNaziv.
//
// Texts are stored exactly as given, including two-character sequences such as \r\n in two
// message defaults; DisplayText() turns those into real line breaks for message boxes.
// The table lives on the user-interface thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace tarvo {

enum StrEntry : int {
    // Main window (applied with the main window's texts)
    StrMasterCaption,  // main window caption
    StrMenuFile,  // menu File1
    StrMenuIzvestaj,  // menu entry ReportItem (opens the report flow)
    StrMenuPrint,  // menu entry Izvestajsadiska1 (prints the main chart)
    StrMenuExit,  // menu entry Izlaz1 (exit)
    StrMenuSetings,  // menu Podesavanja1
    StrMenuOpcije,  // menu entry OpcijePrograma1
    StrMenuKonfig,  // menu entry Konfiguracijamreze1
    StrMenuSifra,  // menu entry ChangePassItem
    StrMenuAzuriraj,  // menu entry Azurirajmrezu1
    StrMenuJezik,  // menu MLang (language menu)
    StrMenuPomoc,  // menu Help1
    StrMenuSadrzaj,  // menu entry Contents1 (help contents)
    StrMenuWeb,  // menu entry HomePage1 (opens the maker's home page)
    StrMenuAbout,  // menu entry Oprogramu1 (About window)
    StrUprProcesom,  // group box GroupBox2 (process control)
    StrStartProg,  // button StartProgramaBtn
    StrStopProg,  // button StopProgramaBtn
    StrSetProg,  // button PostaviProgramBtn
    StrOpisProc,  // group box GroupBox1 (process description)
    StrLRNalog,  // label Label1 (work order)
    StrLOpis,  // label Label3 (description)
    StrLStart,  // label Label4 (start)
    StrLID,  // label Label2 (identifier)
    StrBPodesiOpis,  // button EditRecordButton
    StrBAzurirajOpis,  // button PostRecordBtn
    StrTSDijag,  // tab TabSheetDijagram
    StrTSUredjaji,  // tab TabSheetMreza
    StrTSKonfig,  // tab TabSheet1
    StrDTemp,  // left-axis title of the main chart DBChart2
    StrTabGrupa,  // group box GroupBox_Groups
    StrHPrviGru,  // hint of the first button of DBNavigatorGroup
    StrHPretGru,  // hint of the previous button of DBNavigatorGroup
    StrHSledGru,  // hint of the next button of DBNavigatorGroup
    StrHZadnGru,  // hint of the last button of DBNavigatorGroup
    StrHDodaGru,  // hint of the add button of DBNavigatorGroup
    StrHObrsGru,  // hint of the delete button of DBNavigatorGroup
    StrHPromGru,  // hint of the edit button of DBNavigatorGroup
    StrHUpisGru,  // hint of the post button of DBNavigatorGroup
    StrHOdusGru,  // hint of the cancel edit button of DBNavigatorGroup
    StrHOsveGru,  // hint of the refresh button of DBNavigatorGroup
    StrTabUredjaja,  // group box GroupBox_Devices
    StrHPrviUre,  // hint of the first button of DBNavigatorDevices
    StrHPretUre,  // hint of the previous button of DBNavigatorDevices
    StrHSledUre,  // hint of the next button of DBNavigatorDevices
    StrHZadnUre,  // hint of the last button of DBNavigatorDevices
    StrHDodaUre,  // hint of the add button of DBNavigatorDevices
    StrHObrsUre,  // hint of the delete button of DBNavigatorDevices
    StrHPromUre,  // hint of the edit button of DBNavigatorDevices
    StrHUpisUre,  // hint of the post button of DBNavigatorDevices
    StrHOdusUre,  // hint of the cancel edit button of DBNavigatorDevices
    StrHOsveUre,  // hint of the refresh button of DBNavigatorDevices
    StrTabParam,  // group box GroupBox_Parametars
    StrHPrviVre,  // hint of the first button of DBNavigatorValues
    StrHPretVre,  // hint of the previous button of DBNavigatorValues
    StrHSledVre,  // hint of the next button of DBNavigatorValues
    StrHZadnVre,  // hint of the last button of DBNavigatorValues
    StrHDodaVre,  // hint of the add button of DBNavigatorValues
    StrHObrsVre,  // hint of the delete button of DBNavigatorValues
    StrHPromVre,  // hint of the edit button of DBNavigatorValues
    StrHUpisVre,  // hint of the post button of DBNavigatorValues
    StrHOdusVre,  // hint of the cancel edit button of DBNavigatorValues
    StrHOsveVre,  // hint of the refresh button of DBNavigatorValues
    StrKolNaziv,  // column 1 title of DBGridGroup
    StrKolAdrG,  // column 2 title of DBGridGroup
    StrKolGrupa,  // column 1 title of DBGridDevices
    StrKolTip,  // column 2 title of DBGridDevices
    StrKolNazivDevices,  // column 3 title of DBGridDevices
    StrKolAdresa,  // column 4 title of DBGridDevices
    StrKolMn,  // column 1 title of DBGridValues
    StrKolOpis,  // column 2 title of DBGridValues
    StrKolNazivValues,  // column 3 title of DBGridValues
    StrKolNBoje,  // column 4 title of DBGridValues
    // Messages and prompts of the main window
    StrException,  // not used by any window
    StrComError1,  // question when the serial port cannot be opened at start-up
    StrOznakaRadnogNaloga,  // prompt for the work-order label
    StrOpisProcesa,  // prompt for the process description
    StrStartovanoNovo1,  // notice: recording of a new process started, programmer started
    StrDetektovanoNovo1,  // notice: recording of a new process started, new process detected
    StrZavrsenProces1,  // notice: the programmer finished, recording stops
    StrGreskaUpisaUBazu,  // error writing measurements to the archive
    StrGreskaOsvezBaze,  // error refreshing the display from the database
    StrGreskaGrupe,  // prefix of a group error while building the network
    StrGreskaUredjaja,  // prefix of a device error while building the network
    StrGreskaParametra,  // prefix of a parameter error while building the network
    StrGreskaRadniNalozi,  // prefix of a work-order error at start-up
    StrKonfigOtklj,  // message after the configuration tables are unlocked
    StrParametar,  // word in the main chart point information
    StrTacka,  // word in the main chart point information
    StrSpisSvihPar,  // heading of the list shown on a main chart legend click
    StrStartProgConfirm,  // confirmation before starting the program
    StrStopProgConfirm,  // confirmation before stopping the program
    StrSetProgConfirm,  // first part of the confirmation before setting a program
    StrSigurni,  // second part of that confirmation
    StrErrorBackup1,  // error: backup copy of the database failed
    StrErrorBaza1,  // error: the database cannot be copied
    StrErrorBaza2,  // question when the database is not available at start-up
    // Field labels of the data module (applied together with the main window)
    StrIDGrupe,  // display label of field ID_Grupe of table Grupe
    StrNaziv,  // display label of field Naziv of table Grupe
    StrAdresa,  // display label of field Adresa of table Grupe
    StrGore,  // display label of field Top of table Grupe
    StrLevo,  // display label of field Left of table Grupe
    // Change-password dialog
    StrPromSifre,  // caption of TChangePassword
    StrNovaSifra,  // label Labela1
    StrPotvrdiSifru,  // label Label1
    StrButtonOK,  // button Button1
    StrButtonCancel,  // button Button2
    // Report generation dialog
    StrCaptionGI,  // dialog caption
    StrIzborIzvestaja,  // label Label3 (report navigator)
    StrHNavIzborIzv,  // hint of DBNavigator1
    StrHPrviIzv,  // hint of the first button of DBNavigator1
    StrHPretIzv,  // hint of the previous button of DBNavigator1
    StrHSledIzv,  // hint of the next button of DBNavigator1
    StrHZadnIzv,  // hint of the last button of DBNavigator1
    StrHDodaIzv,  // hint of the add button of DBNavigator1
    StrHObrsIzv,  // hint of the delete button of DBNavigator1
    StrHPromIzv,  // hint of the edit button of DBNavigator1
    StrHUpisIzv,  // hint of the post button of DBNavigator1
    StrHOdusIzv,  // hint of the cancel edit button of DBNavigator1
    StrHOsveIzv,  // hint of the refresh button of DBNavigator1
    StrIzborIzvestajaNaziv,  // label Label6 (report name)
    StrMaxV,  // label Label7
    StrMinV,  // label Label4
    StrIzborParametra,  // label Label5
    StrHNavIzborPar,  // hint of DBNavigator2
    StrHPrviPar,  // hint of the first button of DBNavigator2
    StrHPretPar,  // hint of the previous button of DBNavigator2
    StrHSledPar,  // hint of the next button of DBNavigator2
    StrHZadnPar,  // hint of the last button of DBNavigator2
    StrHDodaPar,  // hint of the add button of DBNavigator2
    StrHObriPar,  // hint of the delete button of DBNavigator2
    StrHPromPar,  // hint of the edit button of DBNavigator2
    StrHUpisPar,  // hint of the post button of DBNavigator2
    StrHOdusPar,  // hint of the cancel edit button of DBNavigator2
    StrHOsvePar,  // hint of the refresh button of DBNavigator2
    StrOdG,  // label Label1 (overwritten by StrGOd)
    StrDo,  // label Label2 (overwritten by StrGDo)
    StrKOpisPar,  // column 1 title of DBGrid1
    StrKPar,  // column 2 title of DBGrid1
    StrIzvestajVreme,  // check box SelectReportSourceCheckBox
    StrKRB,  // column 1 title of ZavrseniRN_DBGrid
    StrKNaziv,  // column 2 title of ZavrseniRN_DBGrid
    StrKVremeZavrsetka,  // column 3 title of ZavrseniRN_DBGrid
    StrIzaberiProces,  // group box PoIzvestajuGroupBox
    StrIzaberiVremPer,  // group box PoVremenuGroupBox
    StrGOd,  // label Label1
    StrGDo,  // label Label2
    StrBGenerisi,  // button Button1
    StrBOtkazi,  // button Button2
    // Keys without a target
    StrCaptionGroup,  // not used by any window
    StrPromenaNaziva,  // not used by any window
    // Options dialog
    StrCaptionOpcije,  // caption of TOptionForm
    StrOnlineOpcije,  // group box GroupBox1
    StrLabComPort,  // label Label4
    StrLabBaud,  // label Label5
    StrLabTimeOut,  // label Label11
    StrBOK,  // button OKBtn
    StrBCancel,  // button CancelBtn
    // Password dialog
    StrCaptionPas,  // caption of TPasswordDlg
    StrLabUnesiSifru,  // label Label1
    StrBOKPas,  // button OKBtn
    StrBCancPas,  // button CancelBtn
    StrPogresnaSifra,  // message for a wrong password
    // Report window and report output
    StrCaptionReport,  // caption of TReportForm
    StrMZatvori,  // menu entry Zatvori1
    StrMHZatvori,  // hint of Zatvori1
    StrMStampaj,  // menu entry Stampaj1
    StrMHStampaj,  // hint of Stampaj1
    StrMTabela,  // menu entry Tabelarniprikaz1
    StrMHTabela,  // hint of Tabelarniprikaz1
    StrMUpisiUFajl,  // menu entry Upisiufajl2
    StrMHUpisiUFajl,  // hint of Upisiufajl2
    StrMOpcije,  // menu Opcije1
    StrMPrikaziGrid,  // menu entry Prikazigrid1
    StrMCrnoBelo,  // menu entry Crnobelo1
    StrSerieVreme,  // first heading of the CSV file and of the table report
    // Table report window
    StrCaptionTR,  // caption of TTableReportForm
    StrMZatvoriTR,  // menu entry Zatvori1
    StrMStampajTR,  // menu entry Stampaj1

    StrEntryCount
};

// Current text of an entry, exactly as stored (built-in default or the language's text).
QString Str(StrEntry entry);
// The entry's text made fit for a message box (see DisplayText), as UTF-8 for Op().
std::string StrMsg(StrEntry entry);

// Display form of a stored text: the two-character sequences \r\n, \n and \r become a line
// break, \" a quote and \\ a backslash. Any other backslash stays as it is.
QString DisplayText(const QString& stored);

class StringTable {
public:
    // Every key once, in table order (the order a language loader walks them).
    static const QStringList& Keys();
    static bool IsKey(const QString& key);
    // Keys the table carries although no window shows them.
    static QStringList KeysWithoutTarget();

    static QString KeyOfEntry(StrEntry entry);
    static std::vector<StrEntry> EntriesOfKey(const QString& key);
    static QString Default(StrEntry entry);

    // Sets every entry the key feeds; false (and nothing changed) for an unknown key.
    static bool SetKeyText(const QString& key, const QString& text);
    // Every entry back to its built-in default.
    static void ResetDefaults();
};

}  // namespace tarvo
