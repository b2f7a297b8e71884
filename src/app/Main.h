// TForm1: the main window. Its menu, the process strip at the top (shown only while the
// network has a programmer), and three tabs: "Dijagram" (live chart), "Uredjaji" (one page per
// device group with the device panels) and "Konfiguracija" (the configuration grids).
// Construction builds the window; Initialize runs the start-up steps that may ask the
// operator (database, settings, serial port) and says whether the program goes on.
#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Settings.h"

class QAction;
class QMenu;
class QTabWidget;
class QTimer;

namespace tarvo {

class TConfigTab;
class TDModule;
class TDeviceType;
class TFP320;
class TGroupPages;
class TKanal;
class TLiveChart;
class TProcessStrip;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(TDModule& dm, Settings& settings, QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up steps after the window is built: backup, settings, database, serial port.
    // False when the operator chose to end the program (or start-up cannot go on).
    bool Initialize();
    // The text of every element from the string table.
    void ApplyTexts();

    // Asks for a database file when the database cannot be opened (replaceable in tests);
    // returns the chosen path or an empty text when cancelled.
    std::function<QString()> PickDatabaseFile;

    bool Online() const { return settings_.online; }
    TDModule& Data() { return dm_; }
    Settings& Config() { return settings_; }

    // Menu commands.
    void OpcijePrograma1Click();
    void ChangePassItemClick();
    void Konfiguracijamreze1Click();
    void Azurirajmrezu1Click();
    void Izlaz1Click();
    void Contents1Click();
    void HomePage1Click();
    void Oprogramu1Click();

    // Main window controls, named as the window's elements.
    QMenu* File1;
    QAction* ReportItem;
    QAction* Izvestajsadiska1;
    QAction* Izlaz1;
    QMenu* Podesavanja1;
    QAction* OpcijePrograma1;
    QAction* Konfiguracijamreze1;
    QAction* ChangePassItem;
    QAction* Azurirajmrezu1;
    QMenu* MLang;
    QMenu* Help1;
    QAction* Contents1;
    QAction* HomePage1;
    QAction* Oprogramu1;

    QWidget* ProcessStripHost;  // the process strip (hidden until a programmer is built)
    QTabWidget* PageControl;
    QWidget* TabSheetDijagram;
    TLiveChart* LiveChart;  // the live chart on TabSheetDijagram
    QWidget* TabSheetMreza;
    QWidget* TabSheet1;
    TGroupPages* PageControlMreza;
    TConfigTab* ConfigTab;  // the grids of the "Konfiguracija" tab

    QTimer* TimerObrade;
    QTimer* TimerPrikaza;
    QTimer* TimerUpisa;
    QTimer* TimerRefresh;

    // The network model.
    std::vector<TDeviceType*> DeviceList;
    std::map<int, QWidget*> GroupTabs;
    std::vector<TKanal*> LiveChannels;
    TFP320* Programmer = nullptr;

    // The network: groups become pages, devices panels, recorded values live channels (on-line
    // mode only). Safe to run again after DestroyNetwork (the sources are re-read): that pair is
    // the network update. Only the first build takes up the unfinished work order; later ones
    // leave the work-order state alone.
    void BuildNetwork();
    // Destroys every live channel, panel and group page and clears Programmer.
    void DestroyNetwork();
    // True while the network is being built or destroyed: the ticks then leave it alone.
    bool NetworkBusy() const { return networkBusy_; }

    // The moment the live chart's window ends at (replaceable in tests).
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    // Measurement logging.
    int WriteTicks = 0;
    bool WriteTemporary = false;
    void WriteDeviceValues(TDeviceType& device);

    // Work orders and the process strip.
    TProcessStrip* ProcessStrip = nullptr;
    bool ProcessRecording = false;
    int RecordedProcessNumber = 0;
    int ProcessDebounce = 0;
    void OpenWorkOrder();
    void CloseWorkOrders();
    void StartProgramaBtnClick();
    void StopProgramaBtnClick();
    void PostaviProgramBtnClick();
    void PostRecordBtnClick();
    void EditRecordButtonClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    // Runs when the window is first shown.
    virtual void FormShow();
    // Runs when the window closes.
    virtual void FormClose();

    // Destroys every live channel and empties LiveChannels.
    void DestroyChannels();
    // Destroys every panel (the last one stops the communication thread); empties DeviceList.
    void DestroyPanels();

    // The four timers' ticks (each runs through the tick guard).
    void TimerObradeTimer();
    void TimerPrikazaTimer();
    void TimerUpisaTimer();
    void TimerRefreshTimer();
    // Work orders: the detection that runs after every display tick.
    void ProcessDetection();

private:
    // Texts of the parts built by their own modules (chart, strip, configuration tab).
    void ApplyPartTexts();
    void BuildProcessStrip();
    // Network build steps.
    void BuildGroupsAndDevices();
    void AddGroupPage();
    void AddDevicePanel();
    // Names of the main window's named elements, lower case (they must stay unique).
    void CollectUsedNames();
    void ClaimName(const QString& name);
    void BuildChannels();
    void TakeUpWorkOrder();
    // Write passes: the rows of one tick in one transaction; reports after it has ended.
    struct PassOutcome;
    PassOutcome WritePass(bool permanent);
    void WriteAllDevices(std::vector<std::string>& deviceErrors);
    void ReportPass(const PassOutcome& outcome);
    void ReloadChannels();
    void BuildMenu();
    void BuildTabs();
    void BuildTimers();
    void BuildLanguageMenu();
    // The "Konfiguracija" tab and its texts.
    void BuildConfigTab();
    void ApplyConfigTexts();
    // The network update: the grids' pending rows written, the network destroyed and built again.
    void UpdateNetwork();
    bool OpenDatabase();
    bool FindDatabase(const QString& error);
    bool OpenSerialPort();

    TDModule& dm_;
    Settings& settings_;
    bool shown_ = false;
    bool networkBusy_ = false;
    bool workOrderTakenUp_ = false;
    std::set<QString> usedNames_;
};

}  // namespace tarvo
