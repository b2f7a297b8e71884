// The panel class of each device-table type number.
#include "devices/DeviceType.h"
#include "devices/FP320.h"
#include "devices/SVB.h"

namespace tarvo {

TDeviceType* CreateDevicePanel(int idTip, QWidget* owner, uint8_t group, uint8_t unit)
{
    const DeviceTypeInfo* info = TypeByIdTip(idTip);
    if (!info)
        return nullptr;
    switch (idTip) {
    case 3:
        return new TFP320(owner, group, unit);
    case 7:
        return new TSVB(owner, group, unit);
    case 8:
        return new TSVB16(owner, group, unit);
    default:
        return new TDeviceType(owner, group, unit, *info);
    }
}

}  // namespace tarvo
