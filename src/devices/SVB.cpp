#include "devices/SVB.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "device/Operator.h"
#include "devices/Display.h"

namespace tarvo {

namespace {

const ChannelGrid kSVBGrid{8, 46, 40, {100, 44}, {25, 2, 73, 40}, false, 1};
const ChannelGrid kSVB16Grid{16, 44, 48, {100, 40}, {30, 3, 68, 32}, true, 2};

// SVB16's calibrations: the input to feed, the calibration point and the status bit (digit 1).
struct Calibration {
    const char* caption;
    const char* input;
    const char* point;
    int bit;
};
const Calibration kCalibrations[] = {
    {"Kalibracija 1L", "ULAZ1", "S0", 8},
    {"Kalibracija 1H", "ULAZ1", "S1", 4},
    {"Kalibracija 2L", "ULAZ4", "S0", 2},
    {"Kalibracija 2H", "ULAZ4", "S1", 1},
};

bool IsComplete(const std::string& hexWord) { return hexWord.size() >= 5; }

}  // namespace

std::string CalibrationQuestion(const std::string& input, const std::string& point)
{
    // A plain LF per line break: a CR after it would show in a Qt message box as a blank
    // at the start of the next line.
    const std::string br = "\n";
    return "Da li ste sigurni da zelite da vrsite kalibraciju?" + br + br + " NAPOMENA: Na " + input +
           " dovedite signal koji odgovara signalu sa sonde," + br + " za temperaturu zadatu parametrom " + point +
           ".";
}

TChannelScanner::TChannelScanner(QWidget* owner, uint8_t group, uint8_t unit, int idTip, const ChannelGrid& grid)
    : TDeviceType(owner, group, unit, *TypeByIdTip(idTip)), grid_(grid), ss_(IndexOf("SS"))
{
    for (int c = 0; c < grid_.channels; ++c)
        BuildChannel(c);
}

void TChannelScanner::BuildChannel(int c)
{
    const QString n = QString::number(c + 1);
    auto* panel = new QFrame(Panel1);
    panel->setObjectName("ChPanel" + n);
    panel->setGeometry(QRect(QPoint((c / 4) * 102 + 16, (c % 4) * grid_.pitchY + grid_.top), grid_.size));
    panel->setFrameStyle(grid_.sunken ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
    panel->setLineWidth(grid_.bevel);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, BgrColor(0x000080));
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    panel->show();

    auto* display = new TDisplay(panel);
    display->setGeometry(grid_.display);
    display->SetText("init");
    display->SetHint("Izmerena temperatura na kanalu:" + n.toStdString());
    display->show();

    auto* button = new QPushButton(panel);
    button->setObjectName("ChButton" + QString::number(c));
    button->setGeometry(3, 3, 20, 16);
    button->setToolTip(QStringLiteral("Iskljuci/Ukljuci prikaz kanala"));
    QFont small = button->font();
    small.setPixelSize(9);
    button->setFont(small);
    button->setEnabled(false);
    connect(button, &QPushButton::clicked, this, [this, c] { ToggleChannel(c); });
    button->show();

    ChannelPanels.push_back(panel);
    ChannelDisplays.push_back(display);
    ChannelButtons.push_back(button);
}

QAction* TChannelScanner::AddMenuEntry(const char* caption, const std::function<void()>& handler)
{
    if (std::string(caption) == "-")
        return PosebneFunkcije->addSeparator();
    return AddCommand(QString::fromUtf8(caption), handler);
}

void TChannelScanner::AddChannelItems()
{
    for (int c = 0; c < grid_.channels; ++c) {
        QAction* item = PosebneFunkcije->addAction(QStringLiteral("Dozvola Ulaza: %1").arg(c + 1));
        item->setData(c);
        item->setCheckable(true);
        item->setEnabled(false);
        OnClick(item, [this, c] { ToggleChannel(c); });
        ChannelItems.push_back(item);
    }
}

void TChannelScanner::ShowValues()
{
    if (State != StateOnline)
        return;
    TDeviceType::ShowValues();
    const std::string& si = TextOf("SI");
    const unsigned broken = IsComplete(si) ? StatusWord::Word16(si) : 0;
    for (int c = 0; c < grid_.channels; ++c) {
        const bool isBroken = (broken & (1u << c)) != 0;
        ChannelDisplays[static_cast<size_t>(c)]->SetText(isBroken ? "5nbr"
                                                                  : ValueTexts[static_cast<size_t>(FirstValueRow + c)]);
    }
    const std::string& ss = ValueTexts[static_cast<size_t>(ss_)];
    if (IsComplete(ss))
        ShowChannelStates(StatusWord::Word16(ss));
}

void TChannelScanner::ShowChannelStates(unsigned disabled)
{
    for (size_t c = 0; c < static_cast<size_t>(grid_.channels); ++c) {
        const bool off = (disabled & (1u << c)) != 0;
        ChannelItems[c]->setChecked(!off);
        ChannelDisplays[c]->setHidden(off);
        ChannelButtons[c]->setText(off ? QStringLiteral("on") : QStringLiteral("off"));
        ChannelItems[c]->setEnabled(!changeAwaited_);
        ChannelButtons[c]->setEnabled(!changeAwaited_);
    }
}

void TChannelScanner::ToggleChannel(int c)
{
    const std::string& word = ValueTexts[static_cast<size_t>(ss_)];
    // Without a complete word, or before the last change has been read back, the bits to
    // keep are not known.
    if (c < 0 || c >= grid_.channels || changeAwaited_ || !IsComplete(word))
        return;
    const size_t at = static_cast<size_t>(4 - c / 4);
    const int bit = 1 << (c % 4);
    const bool off = (StatusWord::DigitValue(word[at]) & bit) != 0;
    const char* question = off ? "Da li zelite da ukljucite kanal?" : "Da li zelite da iskljucite kanal?";
    if (Op().AskOkCancel(question, {}, BoxIcon::Warning) != Answer::Ok)
        return;
    // Polling goes on while the question is open: the change goes into the word as it is now.
    std::string ss = ValueTexts[static_cast<size_t>(ss_)];
    if (!IsComplete(ss))
        return;
    const int digit = StatusWord::DigitValue(ss[at]);
    ss[at] = StatusWord::HexChar(off ? digit & ~bit : digit | bit);
    // An "SS" read already queued may be answered before the write goes out.
    staleReads_ = static_cast<int>(std::count_if(PendingReads.begin(), PendingReads.end(), [this](const Bytes& e) {
        return !e.empty() && e.back() == ss_;
    }));
    WriteParam(ss_, ss, AddressOwn);
    changeAwaited_ = true;
    for (size_t i = 0; i < ChannelButtons.size(); ++i) {
        ChannelButtons[i]->setEnabled(false);
        ChannelItems[i]->setEnabled(false);
    }
}

void TChannelScanner::OnValueStored(int index)
{
    if (index != ss_ || !changeAwaited_)
        return;
    if (staleReads_ > 0)
        --staleReads_;
    else
        changeAwaited_ = false;
}

EditRange TChannelScanner::EditRangeOf(int index) const
{
    EditRange r = TDeviceType::EditRangeOf(index);
    if (DecimalsFromDP(GetParamDesc(index))) {
        const double dp = std::trunc(ValueOf("DP"));
        r.decimals = dp > 3 ? 3 : dp > 0 ? static_cast<int>(dp) : 0;
    }
    return r;
}

TSVB::TSVB(QWidget* owner, uint8_t group, uint8_t unit) : TChannelScanner(owner, group, unit, 7, kSVBGrid)
{
    KalibracijaLow = AddMenuEntry("Kalibracija Low", [this] { SetStatusBits(1, 8); });
    KalibracijaHigh = AddMenuEntry("Kalibracija High", [this] { SetStatusBits(1, 4); });
    AddMenuEntry("-");
    AddChannelItems();
}

TSVB16::TSVB16(QWidget* owner, uint8_t group, uint8_t unit) : TChannelScanner(owner, group, unit, 8, kSVB16Grid)
{
    AddMenuEntry("-");
    AddChannelItems();
    AddMenuEntry("-");
    DozvolaKalibracije = AddMenuEntry("Dozvola kalibracije", [this] { DozvolaKalibracijeClick(); });
    DozvolaKalibracije->setCheckable(true);
    for (int k = 0; k < 4; ++k) {
        QAction* item = AddMenuEntry(kCalibrations[k].caption, [this, k] { KalibracijaClick(k); });
        item->setEnabled(false);
        Kalibracija.push_back(item);
    }
    ZakljucanaTastatura->setEnabled(false);
}

void TSVB16::DozvolaKalibracijeClick()
{
    if (DozvolaKalibracije->isChecked())
        DozvolaKalibracije->setChecked(false);
    else if (Op().AskOkCancel("Da li ste sigurni da zelite da dozvolite kalibraciju?", {}, BoxIcon::Warning) ==
             Answer::Ok)
        DozvolaKalibracije->setChecked(true);
    for (QAction* item : Kalibracija)
        item->setEnabled(DozvolaKalibracije->isChecked());
}

void TSVB16::KalibracijaClick(int k)
{
    if (k < 0 || k >= 4 || !DozvolaKalibracije->isChecked())
        return;
    const Calibration& cal = kCalibrations[k];
    if (Op().AskOkCancel(CalibrationQuestion(cal.input, cal.point), {}, BoxIcon::Warning) == Answer::Ok)
        SetStatusBits(1, cal.bit);
}

}  // namespace tarvo
