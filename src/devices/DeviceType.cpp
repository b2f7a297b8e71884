#include "devices/DeviceType.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "device/Operator.h"
#include "devices/Display.h"
#include "devices/FrontPlate.h"
#include "devices/ODioda.h"

namespace tarvo {

const char* AlarmAlternation::Next(unsigned activeBits)
{
    bits_ = activeBits;
    if (mayShowLabel_ && activeBits != 0 && !labels_.empty()) {
        mayShowLabel_ = false;
        const size_t n = labels_.size();
        for (size_t k = 0; k < n; ++k) {
            const size_t i = (index_ + k) % n;
            if (activeBits & (1u << i)) {
                index_ = (i + 1) % n;
                return labels_[i];
            }
        }
        // Active bits beyond the label table have no label: show the normal content.
    }
    mayShowLabel_ = true;
    return nullptr;
}

TDeviceType::TDeviceType(QWidget* owner, uint8_t group, uint8_t unit, const DeviceTypeInfo& info)
    : TLumoDevice(owner, group, unit, info.Params, info.ParamCount), info_(info)
{
    TypeId = static_cast<uint8_t>(info.TypeId);
    SetPicture();
    BuildParamMenus();
    PrmTable->setEnabled(false);
}

void TDeviceType::SetPicture()
{
    if (const PlateLayout* layout = FindPlateLayout(info_.Model)) {
        SetPanelSize(layout->panel.width(), layout->panel.height());
        if (!layout->lamps.empty())
            CommLed->move(layout->lamps.front().pos);
    }
    QPixmap picture;
    if (info_.Picture < 0)  // a type whose picture comes as a file beside the program
        picture.load(QCoreApplication::applicationDirPath() + "/" + QString::fromUtf8(info_.Model).toLower() + ".bmp");
    if (picture.isNull())
        picture = FrontPlatePicture(info_.Model);
    Image1->setPixmap(picture);
}

void TDeviceType::BuildParamMenus()
{
    connect(PrmTable, &QMenu::aboutToShow, this, &TDeviceType::RefreshParamCaptions);
    PrmTable->clear();  // the design-time entry gives way to the type's groups
    PrmProces = nullptr;
    std::vector<QMenu*> groups;
    for (int g = 0; g < info_.GroupCount; ++g) {
        const QString caption = QString::fromUtf8(info_.GroupCaptions[g]);
        if (caption == QLatin1String("-")) {
            PrmTable->addSeparator();
            groups.push_back(nullptr);
        } else {
            groups.push_back(PrmTable->addMenu(caption));
        }
    }
    paramItems_.resize(static_cast<size_t>(ParamCount()), nullptr);
    for (int i = 0; i < ParamCount(); ++i) {
        const ParamDesc& desc = GetParamDesc(i);
        QMenu* menu = desc.Group >= 0 && desc.Group < info_.GroupCount ? groups[static_cast<size_t>(desc.Group)]
                                                                       : nullptr;
        if (!menu)
            continue;
        QAction* item = menu->addAction(QString());
        item->setData(i);
        item->setEnabled(desc.IsWritable());
        OnClick(item, [this, i] { OpenParamEditor(i); });
        paramItems_[static_cast<size_t>(i)] = item;
    }
}

bool TDeviceType::IsMyIdentity() const { return info_.IsIdentity(ValueTexts[0]); }

bool TDeviceType::Decodable() const { return State == StateOnline && StatusText().size() >= 5; }

const SensorRange* TDeviceType::SensorRow() const
{
    if (!info_.Sensors || info_.SensorCount <= 0)
        return nullptr;
    const int sn = std::clamp(static_cast<int>(ValueOf("SN")), 0, info_.SensorCount - 1);
    return &info_.Sensors[sn];
}

void TDeviceType::RefreshParamCaptions()
{
    for (int i = 0; i < ParamCount(); ++i) {
        QAction* item = paramItems_[static_cast<size_t>(i)];
        if (!item)
            continue;
        const ParamDesc& desc = GetParamDesc(i);
        QString value;
        if (desc.HasChoices()) {
            const int choice = static_cast<int>(Values[static_cast<size_t>(i)]);
            if (choice >= 0 && choice < desc.ChoiceCount())
                value = QString::fromUtf8(desc.Choices[choice]);
        } else {
            value = QString::fromStdString(ValueTexts[static_cast<size_t>(i)]);
        }
        const QString caption = QString::fromUtf8(desc.Caption) + QStringLiteral(": ") + value;
        if (item->text() != caption)
            item->setText(caption);
    }
}

int TDeviceType::ResolvedDecimals(const ParamDesc& desc) const
{
    if (desc.Decimals == 3 && info_.Sensors) {
        if (const SensorRange* row = SensorRow())
            return row->Decimals;
    }
    return desc.Decimals;
}

long long TDeviceType::EditCounts(double scaled)
{
    if (std::isnan(scaled))
        return 0;
    return static_cast<long long>(std::clamp(TruncCounts(scaled), -1e9, 1e9));
}

EditRange TDeviceType::EditRangeOf(int index) const
{
    const ParamDesc& desc = GetParamDesc(index);
    return {ResolvedDecimals(desc), static_cast<long long>(std::trunc(desc.MinValue)),
            static_cast<long long>(std::trunc(desc.MaxValue))};
}

bool Is(const ParamDesc& desc, const char* mnemonic) { return std::strcmp(desc.Mnemonic, mnemonic) == 0; }

int TDeviceType::ShownChoices(int index) const
{
    const ParamDesc& desc = GetParamDesc(index);
    // Only a start can be asked of an idle programmer ("PC" of the types that run programs).
    if (Is(desc, "PC") && std::trunc(ValueOf("PC")) == 0)
        return 2;
    return static_cast<int>(desc.MaxValue) + 1;
}

void TDeviceType::OpenParamEditor(int index)
{
    const ParamDesc& desc = GetParamDesc(index);
    EditIndex = index;
    EditValue = Values[static_cast<size_t>(index)];
    if (!desc.IsWritable()) {
        Op().Message(std::string("Parametar \"") + desc.Caption + "\"  se ne moze menjati");
        return;
    }
    if (desc.HasChoices()) {
        OpenChoiceEditor(index, ShownChoices(index));
        return;
    }
    const EditRange range = EditRangeOf(index);
    if (range.lo > range.hi) {
        // Limits taken from other parameters can cross: no value would be accepted.
        const double s = std::pow(10.0, range.decimals);
        Op().Message(std::string("Parametar \"") + desc.Caption + "\"  se ne moze menjati: donja granica " +
                     FormatEditValue(static_cast<double>(range.lo) / s, range.decimals).toStdString() +
                     " je iznad gornje " +
                     FormatEditValue(static_cast<double>(range.hi) / s, range.decimals).toStdString());
        return;
    }
    OpenNumberEditor(index, range.decimals, range.lo, range.hi);
}

TDisplay* TDeviceType::PlaceDisplay(QRect at, const char* text, const char* hint, TDisplay* display)
{
    if (display == nullptr)
        display = new TDisplay(Panel1);
    display->setGeometry(at.x(), at.y(), at.width() > 0 ? at.width() : display->width(),
                         at.height() > 0 ? at.height() : display->height());
    display->SetText(text);
    if (hint != nullptr)
        display->SetHint(hint);
    display->show();
    return display;
}

TDisplay* TDeviceType::PlaceDisplay(QPoint at, const char* text, const char* hint)
{
    return PlaceDisplay(QRect(at, QSize()), text, hint);
}

TOutDioda* TDeviceType::PlaceLamp(QPoint at, TOutDioda* lamp)
{
    if (lamp == nullptr)
        lamp = new TOutDioda(Panel1);
    lamp->move(at);
    lamp->show();
    return lamp;
}

TOutDioda* TDeviceType::SmallBlueLamp()
{
    return new TOutDioda(Panel1, BgrColor(0x000080), BgrColor(0x0000FF), 8);
}

QAction* TDeviceType::AddCommand(const QString& caption, const std::function<void()>& handler)
{
    QAction* item = PosebneFunkcije->addAction(caption);
    if (handler)
        OnClick(item, handler);
    return item;
}

void TDeviceType::ToggleStatusBit(QAction* item, int digit, int bit)
{
    if (item->isChecked()) {
        item->setChecked(false);
        ClearStatusBits(digit, bit);
    } else {
        item->setChecked(true);
        SetStatusBits(digit, bit);
    }
}

void TDeviceType::ShowOutputLamps(const std::vector<TOutDioda*>& lamps, const std::vector<int>& bits)
{
    for (size_t i = 0; i < lamps.size() && i < bits.size(); ++i)
        lamps[i]->Switch(Bit(1, bits[i]));
}

void TDeviceType::UpdateMenus() { ZakljucanaTastatura->setChecked(Bit(4, 4)); }

void TDeviceType::ShowValues()
{
    if (State == StateOnline && !paramMenuByPopup_)
        PrmTable->setEnabled(true);
}

}  // namespace tarvo
