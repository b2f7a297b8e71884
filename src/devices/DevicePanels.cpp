// The panel class of each device-table type number.
#include "devices/CQ50.h"
#include "devices/DeviceType.h"
#include "devices/FP320.h"
#include "devices/GR220.h"
#include "devices/GR310.h"
#include "devices/HW600.h"
#include "devices/KV.h"
#include "devices/LX410i.h"
#include "devices/RMV_Disp.h"
#include "devices/SVB.h"

namespace tarvo {

TDeviceType* CreateDevicePanel(int idTip, QWidget* owner, uint8_t group, uint8_t unit)
{
    const DeviceTypeInfo* info = TypeByIdTip(idTip);
    if (!info)
        return nullptr;
    switch (idTip) {
    case 0:
        return new TLX410i(owner, group, unit);
    case 1:
        return new TKV710(owner, group, unit);
    case 2:
        return new TGR220(owner, group, unit);
    case 3:
        return new TFP320(owner, group, unit);
    case 4:
        return new TCQ50(owner, group, unit);
    case 5:
        return new TGR310(owner, group, unit);
    case 6:
        return new TGR210(owner, group, unit);
    case 7:
        return new TSVB(owner, group, unit);
    case 8:
        return new TSVB16(owner, group, unit);
    case 9:
        return new THW600(owner, group, unit);
    case 10:
        return new TRMV_Disp(owner, group, unit);
    case 11:
        return new TGR310S(owner, group, unit);
    case 12:
        return new TKV720(owner, group, unit);
    default:
        return new TDeviceType(owner, group, unit, *info);
    }
}

}  // namespace tarvo
