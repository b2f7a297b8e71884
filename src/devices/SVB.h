// The multi-channel measuring units SVB (eight channels) and SVB16 (sixteen). Their front plate
// is a grid of small channel panels, each with its read-out and an on/off button, driven by two
// hex words: "SI" (sensor break, one bit per channel) and "SS" (channel switched off). The
// operator switches channels on and off and starts the calibration of the inputs.
#pragma once

#include <QRect>
#include <QSize>

#include <string>
#include <vector>

#include "devices/DeviceType.h"

class QPushButton;

namespace tarvo {

class TDisplay;

// Where the channel panels of a model sit and how they look.
struct ChannelGrid {
    int channels;
    int pitchY;     // vertical distance between two channel panels
    int top;        // top of the first row
    QSize size;     // one channel panel
    QRect display;  // the read-out inside a channel panel
    bool sunken;    // a lowered bevel around each channel panel
    int bevel;      // its width
};

// The confirmation asked before a calibration of `input` ("ULAZ1") at point `point` ("S0").
std::string CalibrationQuestion(const std::string& input, const std::string& point);

// What the two types share: the channel grid, its decoding and the channel toggle.
class TChannelScanner : public TDeviceType {
    Q_OBJECT
public:
    // Row of the first measured value; channel c is row FirstValueRow + c.
    static constexpr int FirstValueRow = 10;

    void ShowValues() override;
    // Switches channel c on or off (button or "Dozvola Ulaza" item): asks, then writes the
    // whole "SS" with the channel's bit changed.
    void ToggleChannel(int c);
    int ChannelCount() const { return grid_.channels; }
    // Whether a channel change is written but not yet confirmed by a fresh "SS" read; the
    // channel controls wait for it.
    bool ChannelChangeAwaited() const { return changeAwaited_; }

    std::vector<QFrame*> ChannelPanels;
    std::vector<TDisplay*> ChannelDisplays;
    std::vector<QPushButton*> ChannelButtons;
    std::vector<QAction*> ChannelItems;  // "Dozvola Ulaza: n"

protected:
    TChannelScanner(QWidget* owner, uint8_t group, uint8_t unit, int idTip, const ChannelGrid& grid);

    // Adds a "Posebne funkcije" entry; "-" is a separator line.
    QAction* AddMenuEntry(const char* caption, const std::function<void()>& handler = {});
    // Appends the "Dozvola Ulaza: n" items, one per channel.
    void AddChannelItems();
    // Whether a descriptor's decimals are taken from the display definition "DP".
    virtual bool DecimalsFromDP(const ParamDesc& desc) const = 0;
    EditRange EditRangeOf(int index) const override;
    void OnValueStored(int index) override;

private:
    void BuildChannel(int c);
    void ShowChannelStates(unsigned disabled);

    const ChannelGrid grid_;
    const int ss_;  // index of "SS"
    bool changeAwaited_ = false;
    int staleReads_ = 0;  // "SS" reads queued before the awaited change was written
};

class TSVB : public TChannelScanner {
    Q_OBJECT
public:
    TSVB(QWidget* owner, uint8_t group, uint8_t unit);

    QAction* KalibracijaLow;
    QAction* KalibracijaHigh;

protected:
    bool DecimalsFromDP(const ParamDesc& desc) const override { return desc.Decimals != 0; }
};

class TSVB16 : public TChannelScanner {
    Q_OBJECT
public:
    TSVB16(QWidget* owner, uint8_t group, uint8_t unit);

    void DozvolaKalibracijeClick();
    // Calibration k (0: 1L, 1: 1H, 2: 2L, 3: 2H).
    void KalibracijaClick(int k);

    QAction* DozvolaKalibracije;
    std::vector<QAction*> Kalibracija;  // "Kalibracija 1L", "1H", "2L", "2H"

protected:
    bool DecimalsFromDP(const ParamDesc& desc) const override { return desc.Decimals == -1; }
};

}  // namespace tarvo
