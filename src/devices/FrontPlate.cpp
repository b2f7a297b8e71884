#include "devices/FrontPlate.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <map>

#include "devices/Display.h"

namespace tarvo {

namespace {

const QColor kRed = BgrColor(0x000080);    // ground of the red read-outs
const QColor kGreen = BgrColor(0x008000);  // ground of the green read-outs

const QColor kGround(64, 66, 68);
const QColor kGroundEdge(30, 31, 32);
const QColor kStrip(214, 214, 206);
const QColor kStripText(34, 34, 34);
const QColor kPrint(214, 214, 214);
const QColor kBezel(14, 14, 14);
const QColor kSocket(28, 28, 28);

// Layout pieces shared by the plates.

PlateLamp CommLamp(int x, int y, LabelSide side = LabelSide::Left)
{
    return {{x, y}, 8, "COM", side};
}

// A row of output lamps numbered 1, 2, ... with "OUT" printed before the first.
void AddOutputRow(PlateLayout& l, std::initializer_list<int> lefts, int top)
{
    int n = 1;
    for (int x : lefts)
        l.lamps.push_back({{x, top}, 10, std::to_string(n++), LabelSide::Right});
    l.texts.push_back({{*lefts.begin() - 24, top + 8}, "OUT"});
}

void AddDisplay(PlateLayout& l, QRect r, int digits, bool green, std::string sample,
                bool dotMatrix = false)
{
    l.displays.push_back({r, digits, green, dotMatrix, std::move(sample)});
}

// A full-height plate with the strip on top and the keys near the bottom.
PlateLayout TallPlate(const std::string& model, int picture)
{
    PlateLayout l;
    l.model = model;
    l.picture = picture;
    l.strip = {8, 8, 220, 30};
    l.nameRect = {8, 21, 220, 17};
    l.keys = {40, 172, 156, 22};
    return l;
}

// KV710, KV720, GR220, GR310 family and CQ50: two red read-outs with a lamp row between.
PlateLayout TwoDisplayPlate(const std::string& model, int picture, const char* sample1,
                            const char* sample2, const char* name1, const char* name2)
{
    PlateLayout l = TallPlate(model, picture);
    const QRect upper(56, 55, 129, 41), lower(56, 110, 129, 41);
    l.windows = {{upper, kRed, 3, ""}, {lower, kRed, 3, ""}};
    AddDisplay(l, upper, 4, false, sample1);
    AddDisplay(l, lower, 4, false, sample2);
    l.lamps.push_back(CommLamp(46, 45));
    l.texts = {{{190, 80}, name1}, {{190, 135}, name2}};
    return l;
}

// Compact plates (HW600, RMV_Disp, SVB, SVB16) carry small keys in the strip.
PlateLayout CompactPlate(const std::string& model, int picture, QSize panel, int stripHeight)
{
    PlateLayout l;
    l.model = model;
    l.picture = picture;
    l.panel = panel;
    const int w = panel.width() - 2 * kPlateOffset;
    l.strip = {8, 8, w, stripHeight};
    l.keys = {8 + w - 62, 23, 56, 12};
    l.nameRect = {8, 21, w - 66, stripHeight - 13};
    return l;
}

void AddChannels(PlateLayout& l, int count, int pitchY, int top, QSize size, QRect display,
                 int bezel)
{
    static const char* const samples[] = {"23.4", "24.1", "5nbr", "22.9", "init", "118.5",
                                          "-3.2", "25.0"};
    for (int c = 0; c < count; ++c) {
        const QPoint at((c / 4) * 102 + 16, (c % 4) * pitchY + top);
        l.windows.push_back({QRect(at, size), kRed, bezel, std::to_string(c + 1)});
        AddDisplay(l, display.translated(at), 4, false, samples[c % 8]);
    }
}

std::vector<PlateLayout> BuildLayouts()
{
    std::vector<PlateLayout> all;

    {  // GR220: two inputs, three outputs, two status lamps
        PlateLayout l = TwoDisplayPlate("GR220", 0, "23.4", "Hb1 ", "IN1", "IN2");
        l.lamps.push_back({{76, 47}, 8, "B", LabelSide::Right});
        l.lamps.push_back({{140, 47}, 8, "A", LabelSide::Right});
        AddOutputRow(l, {86, 118, 150}, 98);
        all.push_back(l);
    }
    {  // FP320: green read-outs, program number, program profile
        PlateLayout l = TallPlate("FP320", 1);
        l.keys = {40, 184, 156, 20};
        l.windows = {{{52, 52, 94, 32}, kGreen, 3, ""}, {{74, 88, 72, 32}, kGreen, 3, ""}};
        AddDisplay(l, {52, 52, 20, 32}, 1, true, "3");
        AddDisplay(l, {74, 52, 72, 32}, 4, true, "23.4");
        AddDisplay(l, {74, 88, 72, 32}, 4, true, "idLE");
        l.lamps.push_back(CommLamp(46, 45, LabelSide::None));
        for (int i = 0; i < 3; ++i)
            l.lamps.push_back({{171, 52 + 13 * i}, 10, "OUT" + std::to_string(i + 1),
                               LabelSide::Right});
        const QPoint prof[] = {{47, 158}, {71, 143}, {108, 135}, {147, 127}, {175, 119}};
        for (int i = 0; i < 5; ++i)
            l.lamps.push_back({prof[i], 10, i == 0 ? "PAUSE" : "", LabelSide::Below});
        l.profile = {{20, 168}, {52, 163}, {76, 148}, {113, 140}, {152, 132}, {180, 124},
                     {218, 124}};
        l.texts = {{{20, 68}, "PRG"}, {{150, 112}, "TIME"}, {{20, 128}, "PROGRAM"}};
        all.push_back(l);
    }
    {  // KV710: temperature and humidity, three outputs
        PlateLayout l = TwoDisplayPlate("KV710", 2, "23.4", "65.2", "\u00B0C", "%rh");
        AddOutputRow(l, {86, 118, 150}, 98);
        all.push_back(l);
    }
    {  // CQ50: channel label above, channel value below, four alarm outputs
        PlateLayout l = TwoDisplayPlate("CQ50", 3, "ch 1", "23.4", "CH", "PV");
        AddOutputRow(l, {54, 86, 118, 150}, 98);
        all.push_back(l);
    }
    for (const char* model : {"GR310", "GR310S", "GR210"}) {  // one plate, three names
        PlateLayout l = TwoDisplayPlate(model, 4, "118.5", "HiAL", "PV", "SP");
        l.lamps.push_back({{78, 45}, 8, "ST", LabelSide::Right});
        l.lamps.push_back({{138, 45}, 8, "MAN", LabelSide::Right});
        AddOutputRow(l, {86, 118, 150}, 98);
        all.push_back(l);
    }
    {  // HW600: half height, one window with temperature and humidity
        PlateLayout l = CompactPlate("HW600", 5, {236, 136}, 30);
        l.windows = {{{36, 62, 160, 45}, kRed, 3, ""}};
        AddDisplay(l, {36, 62, 100, 45}, 4, false, "23.4");
        AddDisplay(l, {136, 62, 60, 36}, 3, false, "65.2");
        l.lamps.push_back(CommLamp(26, 64, LabelSide::None));
        l.texts = {{{78, 122}, "\u00B0C"}, {{156, 122}, "%rh"}};
        all.push_back(l);
    }
    {  // LX410i: half height, one read-out and the alarm relay lamp
        PlateLayout l;
        l.model = "LX410i";
        l.picture = 6;
        l.panel = {236, 116};
        l.strip = {8, 8, 220, 10};
        l.nameRect = {16, 80, 84, 22};
        l.keys = {114, 82, 104, 20};
        l.windows = {{{68, 21, 130, 41}, kRed, 3, ""}};
        AddDisplay(l, {68, 21, 130, 41}, 4, false, "23.4");
        l.lamps.push_back(CommLamp(54, 20));
        l.lamps.push_back({{158, 70}, 8, "AL", LabelSide::Right});
        all.push_back(l);
    }
    {  // SVB: eight channel windows
        PlateLayout l = CompactPlate("SVB", 8, {236, 236}, 29);
        l.nameRect.adjust(12, 0, 0, 0);
        l.lamps.push_back(CommLamp(10, 30, LabelSide::None));
        AddChannels(l, 8, 46, 40, {100, 44}, {25, 2, 73, 40}, 1);
        all.push_back(l);
    }
    {  // RMV_Disp: half height, one eight-character dot-matrix line
        PlateLayout l = CompactPlate("RMV_Disp", 9, {236, 136}, 30);
        l.windows = {{{28, 62, 182, 45}, kRed, 3, ""}};
        AddDisplay(l, {28, 62, 182, 45}, 8, false, "12:45:30", true);
        l.lamps.push_back(CommLamp(20, 60, LabelSide::None));
        all.push_back(l);
    }
    {  // KV720: temperature and humidity, four outputs
        PlateLayout l = TwoDisplayPlate("KV720", 12, "23.4", "65.2", "\u00B0C", "%rh");
        AddOutputRow(l, {56, 87, 118, 149}, 98);
        all.push_back(l);
    }
    {  // SVB16: double width, sixteen channel windows
        PlateLayout l = CompactPlate("SVB16", -1, {440, 236}, 32);
        l.nameRect.adjust(24, 0, 0, 0);
        l.lamps.push_back(CommLamp(20, 32, LabelSide::None));
        AddChannels(l, 16, 44, 48, {100, 40}, {30, 3, 68, 32}, 2);
        all.push_back(l);
    }
    return all;
}

PlateLayout PlainLayout(const std::string& name)
{
    PlateLayout l = TallPlate(name, -1);
    l.windows = {{{56, 55, 129, 41}, kRed, 3, ""}};
    return l;
}

// Drawing.

QFont PrintFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QRectF ToPlate(const QRect& r)
{
    return QRectF(r.translated(-kPlateOffset, -kPlateOffset));
}

QPointF ToPlate(const QPoint& p)
{
    return QPointF(p - QPoint(kPlateOffset, kPlateOffset));
}

void DrawGround(QPainter& p, const QSize& size)
{
    const QRectF r(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
    p.setPen(QPen(kGroundEdge, 1.0));
    p.setBrush(kGround);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(kGround.lighter(130), 1.0));
    p.drawLine(QPointF(4, 1.5), QPointF(size.width() - 4, 1.5));
}

void DrawStrip(QPainter& p, const PlateLayout& l)
{
    if (l.strip.isEmpty())
        return;
    p.setPen(Qt::NoPen);
    p.setBrush(kStrip);
    p.drawRect(ToPlate(l.strip));
    if (l.nameRect.isEmpty())
        return;
    if (!l.nameRect.intersects(l.strip)) {
        p.drawRoundedRect(ToPlate(l.nameRect), 2, 2);
    }
    p.setPen(kStripText);
    p.setFont(PrintFont(12, true));
    p.drawText(ToPlate(l.nameRect), Qt::AlignCenter, QString::fromStdString(l.model));
}

void DrawWindows(QPainter& p, const PlateLayout& l)
{
    p.setFont(PrintFont(8, true));
    for (const PlateWindow& w : l.windows) {
        const QRectF r = ToPlate(w.rect);
        p.setPen(Qt::NoPen);
        p.setBrush(kBezel);
        p.drawRoundedRect(r.adjusted(-w.bezel, -w.bezel, w.bezel, w.bezel), 2, 2);
        p.setBrush(w.fill);
        p.drawRect(r);
        if (!w.label.empty()) {
            p.setPen(kPrint);
            p.drawText(r.adjusted(4, 0, 0, -3), Qt::AlignLeft | Qt::AlignBottom,
                       QString::fromStdString(w.label));
        }
    }
}

void DrawProfile(QPainter& p, const PlateLayout& l)
{
    if (l.profile.empty())
        return;
    QPolygonF line;
    for (const QPoint& pt : l.profile)
        line << ToPlate(pt);
    p.setPen(QPen(kPrint, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
}

void DrawLamps(QPainter& p, const PlateLayout& l)
{
    p.setFont(PrintFont(8, false));
    for (const PlateLamp& lamp : l.lamps) {
        const QRectF r(ToPlate(lamp.pos), QSizeF(lamp.size, lamp.size));
        p.setPen(Qt::NoPen);
        p.setBrush(kSocket);
        p.drawEllipse(r.adjusted(-2, -2, 2, 2));
        p.setBrush(kRed);
        p.drawEllipse(r);
        if (lamp.side == LabelSide::None || lamp.label.empty())
            continue;
        const QString text = QString::fromStdString(lamp.label);
        p.setPen(kPrint);
        switch (lamp.side) {
        case LabelSide::Right:
            p.drawText(QRectF(r.right() + 3, r.top() - 4, 40, r.height() + 8),
                       Qt::AlignLeft | Qt::AlignVCenter, text);
            break;
        case LabelSide::Left:
            p.drawText(QRectF(r.left() - 43, r.top() - 4, 40, r.height() + 8),
                       Qt::AlignRight | Qt::AlignVCenter, text);
            break;
        case LabelSide::Below:
            p.drawText(QRectF(r.center().x() - 20, r.bottom() + 2, 40, 10),
                       Qt::AlignHCenter | Qt::AlignTop, text);
            break;
        case LabelSide::None:
            break;
        }
    }
}

void DrawTexts(QPainter& p, const PlateLayout& l)
{
    p.setFont(PrintFont(9, true));
    p.setPen(kPrint);
    for (const PlateText& t : l.texts)
        p.drawText(ToPlate(t.pos), QString::fromStdString(t.text));
}

// Down and up arrow keys, a yellow and a red key.
void DrawKeys(QPainter& p, const QRect& keys)
{
    if (keys.isEmpty())
        return;
    const QRectF area = ToPlate(keys);
    const double gap = area.width() * 0.08;
    const double w = (area.width() - 3 * gap) / 4;
    const QColor faces[] = {QColor(150, 152, 156), QColor(150, 152, 156), QColor(232, 196, 40),
                            QColor(204, 40, 36)};
    for (int i = 0; i < 4; ++i) {
        const QRectF key(area.left() + i * (w + gap), area.top(), w, area.height());
        p.setPen(QPen(QColor(20, 20, 20), 1.0));
        p.setBrush(faces[i]);
        p.drawRoundedRect(key, 2.5, 2.5);
        p.setPen(QPen(faces[i].lighter(135), 1.0));
        p.drawLine(key.topLeft() + QPointF(2, 1.5), key.topRight() + QPointF(-2, 1.5));
        if (i >= 2)
            continue;
        const double s = std::min(key.width(), key.height()) * 0.28;
        const QPointF c = key.center();
        QPolygonF arrow;
        if (i == 0)
            arrow << QPointF(c.x() - s, c.y() - s * 0.6) << QPointF(c.x() + s, c.y() - s * 0.6)
                  << QPointF(c.x(), c.y() + s * 0.8);
        else
            arrow << QPointF(c.x() - s, c.y() + s * 0.6) << QPointF(c.x() + s, c.y() + s * 0.6)
                  << QPointF(c.x(), c.y() - s * 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 30));
        p.drawPolygon(arrow);
    }
}

// Built plates by lower-case model name.
std::map<std::string, QPixmap>& Cache()
{
    static std::map<std::string, QPixmap> cache;
    return cache;
}

void ClearCache()
{
    Cache().clear();
}

std::string Lower(const std::string& s)
{
    return QString::fromStdString(s).toLower().toStdString();
}

}  // namespace

const std::vector<PlateLayout>& PlateLayouts()
{
    static const std::vector<PlateLayout> layouts = BuildLayouts();
    return layouts;
}

const PlateLayout* FindPlateLayout(const std::string& model)
{
    const std::string key = Lower(model);
    for (const PlateLayout& l : PlateLayouts())
        if (Lower(l.model) == key)
            return &l;
    return nullptr;
}

QImage DrawFrontPlate(const PlateLayout& l)
{
    QImage image(l.PlateSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    DrawGround(p, l.PlateSize());
    DrawStrip(p, l);
    DrawProfile(p, l);
    DrawWindows(p, l);
    DrawLamps(p, l);
    DrawTexts(p, l);
    DrawKeys(p, l.keys);
    return image;
}

QPixmap FrontPlatePicture(const std::string& model)
{
    const std::string key = Lower(model);
    auto& cache = Cache();
    auto it = cache.find(key);
    if (it == cache.end()) {
        // Pixmaps must not outlive the application: empty the cache when it goes.
        if (cache.empty())
            qAddPostRoutine(ClearCache);
        const PlateLayout* layout = FindPlateLayout(model);
        const QImage image = layout ? DrawFrontPlate(*layout) : DrawFrontPlate(PlainLayout(model));
        it = cache.emplace(key, QPixmap::fromImage(image)).first;
    }
    return it->second;
}

QPixmap FrontPlatePictureByIndex(int picture)
{
    for (const PlateLayout& l : PlateLayouts())
        if (l.picture == picture && picture >= 0)
            return FrontPlatePicture(l.model);
    return FrontPlatePicture(std::string());
}

}  // namespace tarvo
