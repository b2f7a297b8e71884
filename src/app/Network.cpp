// The network model of the main window: group pages, device panels and live chart channels
// built from the configuration tables, and their teardown.
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "app/GroupPages.h"
#include "app/Kanal.h"
#include "app/LiveChart.h"
#include "app/Main.h"
#include "app/PanelDock.h"
#include "app/PanelLayout.h"
#include "app/ProcessStrip.h"
#include "db/DataModule.h"
#include "device/Operator.h"
#include "devices/DeviceType.h"
#include "devices/FP320.h"
#include "dialogs/Strings.h"

namespace tarvo {

namespace {

// Type number of the programmer, whose panel drives the work orders.
constexpr int kProgrammerType = 3;
// Gap between panels on a page, in pixels.
constexpr int kPanelGap = 10;
const char* const kPlacementCount = "placementCount";

// Sets a flag for the life of a scope.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
};

// The wait cursor for the life of a scope (or until Restore).
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { Restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void Restore()
    {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

// A data set that may have been edited elsewhere: opened when closed, fetched again when open.
void OpenFresh(TDataSet& set)
{
    if (set.IsOpen())
        set.Refresh();
    else
        set.Open();
}

// "<prefix><error text>", with nothing between.
void Report(StrEntry prefix, const std::exception& e)
{
    Op().Message(StrMsg(prefix) + e.what());
}

}  // namespace

QString PanelName(const QString& naziv)
{
    QString name;
    for (const QChar c : naziv)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            name += c;
    return name;
}

QPoint PanelPlace(int n, const QSize& panel, int screenWidth)
{
    // A panel wider than the screen still gets a row of its own.
    const int perRow = std::max(1, screenWidth / std::max(1, panel.width()));
    return {(panel.width() + kPanelGap) * (n % perRow), (n / perRow) * (panel.height() + kPanelGap)};
}

void TForm1::BuildProcessStrip()
{
    auto* layout = new QVBoxLayout(ProcessStripHost);
    layout->setContentsMargins(0, 0, 0, 0);
    ProcessStrip = new TProcessStrip(ProcessStripHost);
    ProcessStrip->Bind(&dm_.ADOStoredProcNezavrseniRN);
    layout->addWidget(ProcessStrip);
    connect(ProcessStrip->StartProgramaBtn, &QPushButton::clicked, this, [this] { StartProgramaBtnClick(); });
    connect(ProcessStrip->StopProgramaBtn, &QPushButton::clicked, this, [this] { StopProgramaBtnClick(); });
    connect(ProcessStrip->PostaviProgramBtn, &QPushButton::clicked, this, [this] { PostaviProgramBtnClick(); });
    connect(ProcessStrip->PostRecordBtn, &QPushButton::clicked, this, [this] { PostRecordBtnClick(); });
}

void TForm1::ApplyPartTexts()
{
    if (ProcessStrip)
        ProcessStrip->ApplyTexts();
}

void TForm1::BuildNetwork()
{
    if (networkBusy_)
        return;
    {
        // Timer ticks that run while a report box is open find the model half built: they
        // skip it until the build is complete.
        BusyScope busy(networkBusy_);
        WaitCursor wait;
        CollectUsedNames();
        BuildGroupsAndDevices();
        BuildChannels();
        dm_.ADOTableValues.Close();
        dm_.ADOTableMreza.Close();
    }
    ProcessStripHost->setVisible(Programmer != nullptr);
    if (Programmer && !workOrderTakenUp_)
        TakeUpWorkOrder();
}

void TForm1::CollectUsedNames()
{
    usedNames_.clear();
    for (const QObject* o : findChildren<QObject*>()) {
        // The panels' own controls are theirs, not the main window's.
        const QObject* up = o->parent();
        bool insidePanel = false;
        for (; up && up != this; up = up->parent())
            if (qobject_cast<const TLumoDevice*>(up)) {
                insidePanel = true;
                break;
            }
        if (!insidePanel && !o->objectName().isEmpty())
            usedNames_.insert(o->objectName().toLower());
    }
}

void TForm1::ClaimName(const QString& name)
{
    if (name.isEmpty())
        return;
    if (!name.front().isLetter())
        throw std::runtime_error("\"" + name.toStdString() + "\" nije ispravno ime komponente");
    if (usedNames_.count(name.toLower()))
        throw std::runtime_error("Komponenta sa imenom " + name.toStdString() + " vec postoji");
    usedNames_.insert(name.toLower());
}

void TForm1::BuildGroupsAndDevices()
{
    try {
        TTable& grupe = dm_.ADOTableGrupe;
        OpenFresh(grupe);
        for (grupe.First(); !grupe.Eof(); grupe.Next()) {
            try {
                AddGroupPage();
            } catch (const std::exception& e) {
                Report(StrGreskaGrupe, e);
            }
        }
        TTable& mreza = dm_.ADOTableMreza;
        OpenFresh(mreza);
        for (mreza.First(); !mreza.Eof(); mreza.Next()) {
            try {
                AddDevicePanel();
            } catch (const std::exception& e) {
                Report(StrGreskaUredjaja, e);
            }
        }
    } catch (const std::exception& e) {
        Report(StrGreskaGrupe, e);
    }
}

void TForm1::AddGroupPage()
{
    const TTable& grupe = dm_.ADOTableGrupe;
    const QString naziv = grupe.AsString(QStringLiteral("Naziv"));
    const int id = grupe.AsInt(QStringLiteral("ID_Grupe"));
    const QString name = QStringLiteral("Grupa%1").arg(id);
    ClaimName(name);
    QWidget* page = PageControlMreza->AddPage(name, naziv);
    page->setProperty(kPlacementCount, 0);
    GroupTabs[id] = page;
}

void TForm1::AddDevicePanel()
{
    const TTable& mreza = dm_.ADOTableMreza;
    const int id = mreza.AsInt(QStringLiteral("ID_Uredjaja"));
    const QString naziv = mreza.AsString(QStringLiteral("Naziv"));
    const int tip = mreza.AsInt(QStringLiteral("ID_Tip"));
    const int group = mreza.AsInt(QStringLiteral("AdresaGrupe"));
    const int unit = mreza.AsInt(QStringLiteral("Adresa"));
    const int idGrupe = mreza.AsInt(QStringLiteral("ID_Grupe"));

    // Until the row is complete the panel belongs to this function alone: a failing row
    // leaves no panel behind, and the timers never see one half built.
    std::unique_ptr<TDeviceType> panel(
        CreateDevicePanel(tip, this, static_cast<uint8_t>(group), static_cast<uint8_t>(unit)));
    if (!panel)
        throw std::runtime_error("Nepoznat tip uredjaja " + std::to_string(tip) + " (" + naziv.toStdString() + ")");
    panel->setProperty("helpContext", 1100 + tip);

    const QString name = PanelName(naziv);
    ClaimName(name);
    panel->setObjectName(name);

    const auto tab = GroupTabs.find(idGrupe);
    if (tab == GroupTabs.end()) {
        usedNames_.erase(name.toLower());
        throw std::runtime_error("Grupa " + std::to_string(idGrupe) + " uredjaja " + naziv.toStdString() +
                                 " nije ucitana");
    }
    QWidget* page = tab->second;
    panel->setParent(page);
    panel->DbDeviceId = id;

    const int n = page->property(kPlacementCount).toInt();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    panel->move(PanelPlace(n, panel->size(), screen ? screen->geometry().width() : 1920));
    page->setProperty(kPlacementCount, n + 1);
    TGroupPages::FitPage(page);

    new TPanelDock(panel.get(), page,
                   naziv + QStringLiteral(" (adr:%1%2)").arg(panel->AddrGroup).arg(panel->AddrUnit),
                   panel->PopupMenu);
    panel->show();

    TDeviceType* built = panel.release();
    DeviceList.push_back(built);
    // A later programmer row replaces an earlier one.
    if (tip == kProgrammerType)
        if (auto* fp = dynamic_cast<TFP320*>(built))
            Programmer = fp;
}

void TForm1::BuildChannels()
{
    try {
        OpenFresh(dm_.ADOStoredProc1);
        TTable& values = dm_.ADOTableValues;
        OpenFresh(values);
        for (values.First(); !values.Eof(); values.Next()) {
            const int idValue = values.AsInt(QStringLiteral("ID_Value"));
            const QString naziv = values.AsString(QStringLiteral("Naziv"));
            const auto colour = static_cast<uint32_t>(values.AsInt(QStringLiteral("ColorValue")));
            const QDateTime now = Clock();
            LiveChannels.push_back(new TKanal(this, QStringLiteral("Dnevni"), ChartColor(SwapRedBlue(colour)), naziv,
                                              now.addDays(-1), now, idValue, LiveChart->Chart(),
                                              QStringLiteral("SelectMerenja"), dm_.ADOConnection1));
        }
    } catch (const std::exception& e) {
        Report(StrGreskaParametra, e);
    }
    const QDateTime now = Clock();
    LiveChart->ShowWindow(now.addDays(-1), now);
}

void TForm1::DestroyNetwork()
{
    if (networkBusy_)
        return;
    BusyScope busy(networkBusy_);
    WaitCursor wait;
    Programmer = nullptr;
    DestroyChannels();
    DestroyPanels();
    for (const auto& [id, page] : GroupTabs)
        PageControlMreza->RemovePage(page);
    GroupTabs.clear();
}

void TForm1::DestroyChannels()
{
    for (TKanal* channel : LiveChannels)
        delete channel;
    LiveChannels.clear();
}

void TForm1::DestroyPanels()
{
    Programmer = nullptr;
    const std::vector<TDeviceType*> panels = std::move(DeviceList);
    DeviceList.clear();
    for (TDeviceType* panel : panels)
        delete panel;
}

}  // namespace tarvo
