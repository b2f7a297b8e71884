// TLumoDevice: the panel that stands for one controller on the bus. It looks like the
// controller's front plate (a picture with the type's displays and lamps laid over it) and
// carries the controller's protocol life (DeviceCore). Every device type derives from it.
#pragma once

#include <QFrame>
#include <functional>

#include "device/DeviceCore.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvo {

class TOutDioda;
class TUpDown;

class TLumoDevice : public QFrame, public DeviceCore {
    Q_OBJECT
public:
    static constexpr int PanelSize = 236;
    static constexpr int EditPanelHeight = 76;

    TLumoDevice(QWidget* owner, uint8_t group, uint8_t unit, const ParamDesc* params, int count);
    ~TLumoDevice() override;

    // Enable, check or uncheck the type's own menu items (popup opening on an Online panel).
    virtual void UpdateMenus() {}
    // Redraw the front plate from State and the value stores (every display tick).
    virtual void ShowValues() {}

    // The edit panel: opens it for parameter `index` with a choice list (count entries shown)
    // or with the up/down editor over positions [lo, hi] at `decimals` decimals.
    void OpenChoiceEditor(int index, int shownChoices);
    void OpenNumberEditor(int index, int decimals, long long lo, long long hi);
    bool EditorShown() const;
    // Types with a shorter or wider front plate: the frame's size without the edit panel.
    void SetPanelSize(int width, int height);

    // Handlers, named after their controls.
    void PopupMenuPopup();
    void Scan1Click();
    void ZakljucanaTastaturaClick();
    void PostaviBtnClick();
    void CancelBtnClick();
    void VrednostComboChange(int index);
    void VrednostParametraChanging(int proposed);
    void VrednostParametraMouseDown(int globalY);
    void VrednostParametraMouseMove(int globalY);
    void VrednostParametraMouseUp();
    void Pomoc1Click();

    // Widgets and menu items (named as the panel's controls).
    QFrame* Panel1;
    QLabel* Image1;
    QLabel* GreskaLb;
    QLabel* AddressLb;
    TOutDioda* CommLed;
    QFrame* Panel2;
    QLabel* ImeParametra;
    QComboBox* VrednostCombo;
    QLineEdit* VrednostEdit;
    TUpDown* VrednostParametra;
    QCheckBox* CheckBoxGrupi;
    QCheckBox* CheckBoxMrezi;
    QPushButton* PostaviBtn;
    QPushButton* CancelBtn;

    QMenu* PopupMenu;
    QMenu* Konfiguracija;
    QAction* Zapamti;
    QAction* Ucitaj;
    QMenu* PosebneFunkcije;
    QAction* ZakljucanaTastatura;
    QMenu* PrmTable;
    QAction* PrmProces;
    QAction* Scan1Item;
    QAction* Pomoc1;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    void OnStatusLabel(const std::string& text, bool visible) override;
    void OnCommLed(bool on) override;
    void OnScanEnabled(bool enabled) override;
    // Shows the edit panel (growing the frame) if hidden, and brings the panel to the front.
    void ShowEditPanel();
    void HideEditPanel();
    // The edit box shows EditValue with EditDecimals decimals.
    void ShowEditValue();

private:
    void BuildFrame(uint8_t group, uint8_t unit);
    void BuildEditPanel();
    void BuildMenu();
};

// Connects a menu item's click to its handler; checkable items reach the handler with the
// check mark as it was before the click.
void OnClick(QAction* item, const std::function<void()>& handler);

// Whole editor counts of a scaled value: truncated, but snapped to the nearest count when the
// difference is only single-precision representation error.
double TruncCounts(double counts);

// Formats a value as the editor shows it: 0 "###0", 1 "###0.0", 2 "##0.00", 3 "#0.000".
QString FormatEditValue(double value, int decimals);

}  // namespace tarvo
