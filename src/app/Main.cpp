#include "app/Main.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/BackupDatabase.h"
#include "app/ConfigTab.h"
#include "app/GroupPages.h"
#include "app/LiveChart.h"
#include "db/DataModule.h"
#include "db/DbError.h"
#include "device/Help.h"
#include "device/Operator.h"
#include "device/TickGuard.h"
#include "devices/DeviceType.h"
#include "dialogs/Strings.h"
#include "link/Port.h"

namespace tarvo {

namespace {
const char* const kHomePage = "https://www.tarvo-divoderade.example/";
const char* const kVersion = "1.0";
}  // namespace

TForm1::TForm1(TDModule& dm, Settings& settings, QWidget* parent)
    : QMainWindow(parent), dm_(dm), settings_(settings)
{
    setObjectName(QStringLiteral("Form1"));
    resize(800, 600);
    setMinimumSize(236, 50);
    PickDatabaseFile = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QDir::currentPath(),
                                            QStringLiteral("Dudured.ido (*.ido);;*.*"));
    };
    BuildMenu();
    BuildTabs();
    BuildProcessStrip();
    BuildConfigTab();
    BuildTimers();
    BuildLanguageMenu();
    ApplyTexts();
}

TForm1::~TForm1()
{
    // Channels and panels before the window's own children; the last panel stops the thread.
    DestroyChannels();
    DestroyPanels();
}

void TForm1::BuildMenu()
{
    File1 = menuBar()->addMenu(QString());
    ReportItem = File1->addAction(QString());
    Izvestajsadiska1 = File1->addAction(QString());
    File1->addSeparator();
    Izlaz1 = File1->addAction(QString());
    connect(Izlaz1, &QAction::triggered, this, &TForm1::Izlaz1Click);

    Podesavanja1 = menuBar()->addMenu(QString());
    OpcijePrograma1 = Podesavanja1->addAction(QString());
    Konfiguracijamreze1 = Podesavanja1->addAction(QString());
    ChangePassItem = Podesavanja1->addAction(QString());
    Podesavanja1->addSeparator();
    Azurirajmrezu1 = Podesavanja1->addAction(QString());
    // The options dialog and the reports are not part of this program yet.
    OpcijePrograma1->setEnabled(false);
    ReportItem->setEnabled(false);
    connect(Konfiguracijamreze1, &QAction::triggered, this, &TForm1::Konfiguracijamreze1Click);
    connect(ChangePassItem, &QAction::triggered, this, &TForm1::ChangePassItemClick);
    connect(Azurirajmrezu1, &QAction::triggered, this, &TForm1::Azurirajmrezu1Click);

    MLang = menuBar()->addMenu(QString());

    Help1 = menuBar()->addMenu(QString());
    Contents1 = Help1->addAction(QString());
    HomePage1 = Help1->addAction(QString());
    Help1->addSeparator();
    Oprogramu1 = Help1->addAction(QString());
    connect(Contents1, &QAction::triggered, this, &TForm1::Contents1Click);
    connect(HomePage1, &QAction::triggered, this, &TForm1::HomePage1Click);
    connect(Oprogramu1, &QAction::triggered, this, &TForm1::Oprogramu1Click);
}

void TForm1::BuildTabs()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    ProcessStripHost = new QWidget(central);
    ProcessStripHost->setObjectName(QStringLiteral("ProcessStrip"));
    ProcessStripHost->hide();
    layout->addWidget(ProcessStripHost);

    PageControl = new QTabWidget(central);
    TabSheetDijagram = new QWidget;
    TabSheetDijagram->setObjectName(QStringLiteral("TabSheetDijagram"));
    TabSheetMreza = new QWidget;
    TabSheetMreza->setObjectName(QStringLiteral("TabSheetMreza"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl->addTab(TabSheetDijagram, QString());
    PageControl->addTab(TabSheetMreza, QString());
    PageControl->addTab(TabSheet1, QString());
    PageControl->setCurrentWidget(TabSheet1);
    layout->addWidget(PageControl, 1);

    auto* dijagram = new QVBoxLayout(TabSheetDijagram);
    dijagram->setContentsMargins(0, 0, 0, 0);
    LiveChart = new TLiveChart(TabSheetDijagram);
    dijagram->addWidget(LiveChart);
    connect(Izvestajsadiska1, &QAction::triggered, LiveChart, &TLiveChart::Izvestajsadiska1Click);

    auto* mreza = new QVBoxLayout(TabSheetMreza);
    mreza->setContentsMargins(0, 0, 0, 0);
    PageControlMreza = new TGroupPages(TabSheetMreza);
    mreza->addWidget(PageControlMreza);

    setCentralWidget(central);
}

void TForm1::BuildTimers()
{
    auto make = [this](const char* name, int ms, void (TForm1::*tick)()) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(ms);
        connect(timer, &QTimer::timeout, this, [this, tick] { TickGuard::RunTick([this, tick] { (this->*tick)(); }); });
        timer->start();
        return timer;
    };
    TimerObrade = make("TimerObrade", 2000, &TForm1::TimerObradeTimer);
    TimerPrikaza = make("TimerPrikaza", 1000, &TForm1::TimerPrikazaTimer);
    TimerUpisa = make("TimerUpisa", 60000, &TForm1::TimerUpisaTimer);
    TimerRefresh = make("TimerRefresh", 60000, &TForm1::TimerRefreshTimer);
}

void TForm1::BuildLanguageMenu()
{
    MLang->clear();
    auto* group = new QActionGroup(MLang);
    QAction* builtIn = MLang->addAction(QStringLiteral("default"));
    builtIn->setCheckable(true);
    builtIn->setChecked(true);
    group->addAction(builtIn);
}

void TForm1::ApplyTexts()
{
    setWindowTitle(Str(StrMasterCaption));
    File1->setTitle(Str(StrMenuFile));
    ReportItem->setText(Str(StrMenuIzvestaj));
    Izvestajsadiska1->setText(Str(StrMenuPrint));
    Izlaz1->setText(Str(StrMenuExit));
    Podesavanja1->setTitle(Str(StrMenuSetings));
    OpcijePrograma1->setText(Str(StrMenuOpcije));
    Konfiguracijamreze1->setText(Str(StrMenuKonfig));
    ChangePassItem->setText(Str(StrMenuSifra));
    Azurirajmrezu1->setText(Str(StrMenuAzuriraj));
    MLang->setTitle(Str(StrMenuJezik));
    Help1->setTitle(Str(StrMenuPomoc));
    Contents1->setText(Str(StrMenuSadrzaj));
    HomePage1->setText(Str(StrMenuWeb));
    Oprogramu1->setText(Str(StrMenuAbout));
    PageControl->setTabText(0, Str(StrTSDijag));
    PageControl->setTabText(1, Str(StrTSUredjaji));
    PageControl->setTabText(2, Str(StrTSKonfig));
    LiveChart->ApplyTexts();
    ApplyConfigTexts();
    ApplyPartTexts();
}

bool TForm1::Initialize()
{
    try {
        BackupDatabase();
        settings_.ReadOnline();
        if (!OpenDatabase())
            return false;
        ConfigTab->Open();
        settings_.ReadLink();
        settings_.ReadGeometry();
        move(settings_.leftPos, settings_.topPos);
        resize(settings_.width, settings_.height);
        if (settings_.online && !OpenSerialPort())
            return false;
    } catch (const SettingsError& e) {
        Op().Message(e.Text().toStdString(), std::string(), BoxIcon::Error);
        return false;
    }
    return true;
}

bool TForm1::OpenDatabase()
{
    for (;;) {
        try {
            dm_.Connect(QStringLiteral("Dudured.ido"));
            return true;
        } catch (const DbError& e) {
            if (!FindDatabase(e.Text()))
                return false;
        }
    }
}

bool TForm1::FindDatabase(const QString& error)
{
    Op().Message(error.toStdString(), std::string(), BoxIcon::Warning);
    if (Op().AskOkCancel(StrMsg(StrErrorBaza2), std::string(), BoxIcon::Warning) != Answer::Ok)
        return false;
    const QString path = PickDatabaseFile();
    if (path.isEmpty())
        return false;
    // Only the folder of the chosen file matters: the database is always Dudured.ido there.
    QDir::setCurrent(QFileInfo(path).absolutePath());
    settings_.databaseFile = QFileInfo(path).absoluteFilePath();
    settings_.SavePath();
    return true;
}

bool TForm1::OpenSerialPort()
{
    PortName = settings_.commPort.toStdString();
    SpeedIndex = settings_.baudRate;
    while (OpenPort() != 0) {
        if (Op().AskOkCancel(StrMsg(StrComError1), std::string(), BoxIcon::Warning) != Answer::Ok)
            return false;
        if (OpcijePrograma1->isEnabled())
            OpcijePrograma1Click();
        PortName = settings_.commPort.toStdString();
        SpeedIndex = settings_.baudRate;
    }
    return true;
}

void TForm1::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    if (settings_.online)
        BuildNetwork();
}

void TForm1::closeEvent(QCloseEvent* e)
{
    FormClose();
    QMainWindow::closeEvent(e);
}

void TForm1::FormClose()
{
    if (!settings_.online || GroupTabs.empty())
        return;
    settings_.SaveGeometry(x(), y(), height(), width());
    settings_.SaveLanguage();
    DestroyChannels();
    DestroyPanels();
}

void TForm1::OpcijePrograma1Click() {}

void TForm1::Izlaz1Click() { close(); }

void TForm1::Contents1Click() { OpenHelpTopic(0); }

void TForm1::HomePage1Click() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage))); }

void TForm1::Oprogramu1Click()
{
    Op().Message(Str(StrMasterCaption).toStdString() + "\n" + "Verzija " + kVersion, Str(StrMenuAbout).toStdString(),
                 BoxIcon::Information);
}

void TForm1::TimerObradeTimer()
{
    if (networkBusy_)
        return;
    for (TDeviceType* device : DeviceList)
        device->PollDevice();
}

void TForm1::TimerPrikazaTimer()
{
    if (networkBusy_)
        return;
    for (TDeviceType* device : DeviceList)
        device->ShowValues();
    ProcessDetection();
}

}  // namespace tarvo
