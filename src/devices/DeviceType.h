// The pattern every controller type follows: its picture, parameter menus with captions that
// show the current values, the parameter editor with the type's editing ranges, special
// commands, status-word commands and the alternation of alarm labels with normal content.
// A type with no panel of its own yet is shown through this class alone.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

#include "device/NDev.h"
#include "devices/TypeTable.h"

class QAction;
class QMenu;

namespace tarvo {

class TDisplay;
class TOutDioda;

// Whether a descriptor is the parameter with this mnemonic.
bool Is(const ParamDesc& desc, const char* mnemonic);

// Alarm labels that take turns with a display's normal content: each tick either shows the
// next active label (when the previous tick showed normal content) or the normal content.
class AlarmAlternation {
public:
    explicit AlarmAlternation(std::vector<const char*> labels) : labels_(std::move(labels)) {}
    // The label to show this tick for the active alarm bits, or null for the normal content.
    const char* Next(unsigned activeBits);
    unsigned Bits() const { return bits_; }
    void SetBits(unsigned bits) { bits_ = bits; }

private:
    std::vector<const char*> labels_;
    bool mayShowLabel_ = false;
    size_t index_ = 0;
    unsigned bits_ = 0;
};

// Decimals and position range [lo, hi] of the up/down editor for one parameter.
struct EditRange {
    int decimals;
    long long lo;
    long long hi;
};

class TDeviceType : public TLumoDevice {
    Q_OBJECT
public:
    TDeviceType(QWidget* owner, uint8_t group, uint8_t unit, const DeviceTypeInfo& info);

    const DeviceTypeInfo& Info() const { return info_; }
    bool IsMyIdentity() const override;
    void UpdateMenus() override;
    void ShowValues() override;

    // Parameter menu: captions with the current values, and the editor of one parameter.
    void RefreshParamCaptions();
    void OpenParamEditor(int index);
    // The menu item of a parameter.
    QAction* ParamItem(int index) const { return paramItems_[static_cast<size_t>(index)]; }

    // The display and lamps of the front plate, for the type's own ShowValues.
    int Digit(int n) const { return StatusWord::Digit(StatusText(), n); }
    bool Bit(int n, int bit) const { return (Digit(n) & bit) != 0; }
    // Whether the status word can be decoded (read, complete) and the panel is Online.
    bool Decodable() const;
    // Row of the type's sensor range table for the current "SN" (clamped into the table).
    const SensorRange* SensorRow() const;
    // A toggling status-word command: a marked item is unmarked and its bit cleared, else
    // marked and set.
    void ToggleStatusBit(QAction* item, int digit, int bit);
    // Lamps that follow bits of status digit 1, in order.
    void ShowOutputLamps(const std::vector<TOutDioda*>& lamps, const std::vector<int>& bits);

protected:
    // The editor's range of a numeric parameter; the default is [Min, Max] truncated, not
    // scaled, with the descriptor's decimals (3 taken from the sensor range table when the
    // type has one).
    virtual EditRange EditRangeOf(int index) const;
    // How many choices the editor offers: all, but only "IDLE" and "RUN" for the "PC" of an
    // idle programmer.
    int ShownChoices(int index) const;
    // Front-plate widgets, placed on the plate and shown: a display (red seven-segment unless
    // one is given) with its first text and hint, and a lamp (the standard red one unless one
    // is given).
    TDisplay* PlaceDisplay(QRect at, const char* text, const char* hint = nullptr, TDisplay* display = nullptr);
    TDisplay* PlaceDisplay(QPoint at, const char* text, const char* hint = nullptr);
    TOutDioda* PlaceLamp(QPoint at, TOutDioda* lamp = nullptr);
    // The small blue status lamp several plates carry.
    TOutDioda* SmallBlueLamp();
    // Adds a special command to "Posebne funkcije".
    QAction* AddCommand(const QString& caption, const std::function<void()>& handler);
    // Decimals of a descriptor: 3 from the sensor range table where the type has one.
    int ResolvedDecimals(const ParamDesc& desc) const;
    // Whole editor counts of a scaled value (TruncCounts), kept far inside the range of long
    // long (the editor cuts positions to sixteen bits anyway); a value that is not a number
    // counts as 0.
    static long long EditCounts(double scaled);
    // Types whose "Tabela Parametara" is left to the popup (not enabled by ShowValues).
    void ParamMenuByPopupOnly() { paramMenuByPopup_ = true; }

    std::vector<QAction*> paramItems_;

private:
    void SetPicture();
    void BuildParamMenus();

    const DeviceTypeInfo& info_;
    bool paramMenuByPopup_ = false;
};

// Creates the panel of a device-table type number (ID_Tip), or null for an unknown number.
TDeviceType* CreateDevicePanel(int idTip, QWidget* owner, uint8_t group, uint8_t unit);

}  // namespace tarvo
