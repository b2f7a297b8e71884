// Front-plate pictures of the controller types: a flat drawing per type, made in code, with the
// display windows and lamp sockets at the places where each type lays its widgets.
//
// All positions here are panel coordinates (the frame the device type places its widgets on);
// the picture itself sits at kPlateOffset, kPlateOffset in that frame and is the panel size
// less 2 x kPlateOffset in each direction (220 x 220 for a 236 x 236 panel).
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <string>
#include <vector>

namespace tarvo {

constexpr int kPlateOffset = 8;

enum class LabelSide { None, Left, Right, Below };

// A read-out the device type lays on the plate; `sample` is a typical text for previews.
struct PlateDisplay {
    QRect rect;
    int digits;
    bool green;
    bool dotMatrix;
    std::string sample;
};

// A lamp socket: top-left corner and diameter as the lamp widget is placed.
struct PlateLamp {
    QPoint pos;
    int size;
    std::string label;
    LabelSide side;
};

// A dark-framed window behind one or more displays, filled with the displays' ground colour.
struct PlateWindow {
    QRect rect;
    QColor fill;
    int bezel;
    std::string label;  // printed in its lower-left corner (channel numbers)
};

// Printed text on the plate (units, value names), left edge and baseline.
struct PlateText {
    QPoint pos;
    std::string text;
};

struct PlateLayout {
    std::string model;
    int picture = -1;  // index in the type table's picture column; -1 when the type has none
    QSize panel{236, 236};
    QRect strip;     // the light strip at the top
    QRect nameRect;  // where the model name is printed
    QRect keys;      // the four front keys
    std::vector<PlateWindow> windows;
    std::vector<PlateDisplay> displays;
    std::vector<PlateLamp> lamps;  // the communication lamp first
    std::vector<PlateText> texts;
    std::vector<QPoint> profile;   // a program-profile line drawn under the lamps (FP320)

    QSize PlateSize() const { return panel - QSize(2 * kPlateOffset, 2 * kPlateOffset); }
};

// The layouts of every type that has a front plate, in picture order.
const std::vector<PlateLayout>& PlateLayouts();
// The layout of a model ("FP320", case-insensitive), or null.
const PlateLayout* FindPlateLayout(const std::string& model);

// The picture of a model, built once and shared. An unknown model gets a plain 220 x 220
// plate carrying its name, so a panel is never blank.
QPixmap FrontPlatePicture(const std::string& model);
// The picture by type-table picture index (index 4 is the plate the GR310, GR310S and GR210
// share, named GR310); an index no type uses gets the plain plate.
QPixmap FrontPlatePictureByIndex(int picture);
// Draws a plate afresh (no cache); usable wherever a QGuiApplication exists.
QImage DrawFrontPlate(const PlateLayout& layout);

}  // namespace tarvo
