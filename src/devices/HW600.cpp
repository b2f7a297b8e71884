#include "devices/HW600.h"

#include <QFrame>

#include "devices/Display.h"

namespace tarvo {

THW600::THW600(QWidget* owner, uint8_t group, uint8_t unit) : TDeviceType(owner, group, unit, *TypeByIdTip(9))
{
    Prozor = new QFrame(Panel1);
    Prozor->setGeometry(36, 62, 160, 45);
    Prozor->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid %1;")
                              .arg(BgrColor(0x000080).name()));
    Prozor->show();

    Display1 = PlaceDisplay(QRect(36, 62, 100, 45), "ini", "Temperatura");
    Display2 = new TDisplay(Panel1);
    Display2->SetDigitCount(3);
    PlaceDisplay(QRect(136, 62, 60, 36), "  ", "Relativna vlaznost", Display2);
}

void THW600::ShowValues()
{
    if (State != StateOnline)
        return;
    TDeviceType::ShowValues();
    if (Bit(2, 1)) {  // sensor fault
        Display1->SetText("5nb ");
        Display2->SetText("    ");
    } else {
        Display1->SetText(TextOf("1PV"));
        Display2->SetText(TextOf("2PV"));
    }
}

}  // namespace tarvo
