// The panel class of each device-table type number.
#include "devices/DeviceType.h"

namespace tarvo {

TDeviceType* CreateDevicePanel(int idTip, QWidget* owner, uint8_t group, uint8_t unit)
{
    const DeviceTypeInfo* info = TypeByIdTip(idTip);
    if (!info)
        return nullptr;
    return new TDeviceType(owner, group, unit, *info);
}

}  // namespace tarvo
