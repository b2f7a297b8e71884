// The panel class of each device-table type number.
#include "devices/DeviceType.h"
#include "devices/FP320.h"
#include "devices/GR220.h"
#include "devices/KV.h"

namespace tarvo {

TDeviceType* CreateDevicePanel(int idTip, QWidget* owner, uint8_t group, uint8_t unit)
{
    const DeviceTypeInfo* info = TypeByIdTip(idTip);
    if (!info)
        return nullptr;
    switch (idTip) {
    case 1:
        return new TKV710(owner, group, unit);
    case 2:
        return new TGR220(owner, group, unit);
    case 3:
        return new TFP320(owner, group, unit);
    case 12:
        return new TKV720(owner, group, unit);
    default:
        return new TDeviceType(owner, group, unit, *info);
    }
}

}  // namespace tarvo
