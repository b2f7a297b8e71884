// The front-plate widgets: lamp switching, read-out cells and glyphs, repaint economy,
// painting, clicks, and the front-plate pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <set>
#include <string>

#include "devices/Display.h"
#include "devices/FrontPlate.h"
#include "devices/ODioda.h"

using namespace tarvo;

namespace {

const QColor kMaroon(128, 0, 0);
const QColor kRedLit(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kLime(0, 255, 0);

// Every text the device types put on a seven-segment read-out, besides numbers.
const char* const kDeviceTexts[] = {
    "5nbr", "HiAL", "init", "inic.", "idLE", "OFF ", "linE", "5CAn", "d_AL", "LoAL",
    "Hb1 ", "Hb2 ", "t.OFF", "PAU5", "5nb.1", "5nb.2", "__Al", "HOLd", "Hb  ", "ch 1",
    "5nb ", "ini", "VEr ", "-12.5", "0123456789"};

std::string Render(const std::vector<DisplayCell>& cells)
{
    std::string s;
    for (const DisplayCell& c : cells) {
        s += static_cast<char>(c.ch < 0x80 ? c.ch : '?');
        if (c.point)
            s += '.';
    }
    return s;
}

// Pixels painted in (or near) the red scheme's lit colour.
int LitPixels(QWidget& w)
{
    const QImage img = w.grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qRed(img.pixel(x, y)) > 200)
                ++n;
    return n;
}

void Flush()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void Release(QWidget& w, QPoint at)
{
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(at), w.mapToGlobal(QPointF(at)),
                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

}  // namespace

// ---------------------------------------------------------------- lamp

TEST(OutDioda, DefaultLook)
{
    TOutDioda lamp(nullptr);
    EXPECT_EQ(lamp.size(), QSize(10, 10));
    EXPECT_EQ(lamp.OffColor(), kMaroon);
    EXPECT_EQ(lamp.OnColor(), kRedLit);
    EXPECT_EQ(lamp.BrushColor(), kMaroon);
    EXPECT_EQ(lamp.PenColor(), kMaroon);
    EXPECT_FALSE(lamp.IsOn());

    TOutDioda small(nullptr, BgrColor(0x000080), BgrColor(0x0000FF), 8);
    EXPECT_EQ(small.size(), QSize(8, 8));
    EXPECT_EQ(small.OffColor(), kMaroon);
    EXPECT_EQ(small.OnColor(), kRedLit);
}

TEST(OutDioda, SwitchingKeepsOutlineAndRepaintsOnlyOnChange)
{
    TOutDioda lamp(nullptr, QColor(10, 20, 30), QColor(200, 210, 220), 8);
    lamp.SwitchOn();
    lamp.SwitchOn();
    EXPECT_TRUE(lamp.IsOn());
    EXPECT_EQ(lamp.BrushColor(), QColor(200, 210, 220));
    EXPECT_EQ(lamp.PenColor(), QColor(10, 20, 30));
    EXPECT_EQ(lamp.RepaintRequests(), 1);

    lamp.SwitchOff();
    EXPECT_FALSE(lamp.IsOn());
    EXPECT_EQ(lamp.BrushColor(), QColor(10, 20, 30));
    EXPECT_EQ(lamp.PenColor(), QColor(10, 20, 30));
    lamp.SwitchOff();
    lamp.Switch(false);
    EXPECT_EQ(lamp.RepaintRequests(), 2);
}

TEST(OutDioda, PaintsTheBrushColour)
{
    TOutDioda lamp(nullptr);
    lamp.SwitchOn();
    const QImage img = lamp.grab().toImage();
    EXPECT_EQ(QColor(img.pixel(5, 5)), kRedLit);
    lamp.SwitchOff();
    EXPECT_EQ(QColor(lamp.grab().toImage().pixel(5, 5)), kMaroon);
}

// ---------------------------------------------------------------- read-out settings

TEST(Display, LooksAndSchemes)
{
    EXPECT_EQ(BgrColor(0x000080), kMaroon);
    EXPECT_EQ(BgrColor(0x00FF00), kLime);

    TDisplay plain(nullptr);
    EXPECT_EQ(plain.size(), QSize(129, 41));
    EXPECT_EQ(plain.DigitCount(), 4);
    EXPECT_EQ(plain.Kind(), IndicatorKind::SevenSegment);
    EXPECT_EQ(plain.BackgroundColor(), kMaroon);
    EXPECT_EQ(plain.LitColor(), kRedLit);
    EXPECT_EQ(plain.UnlitColor(), kMaroon);

    TDisplay green(nullptr, true, 1);
    EXPECT_EQ(green.DigitCount(), 1);
    EXPECT_EQ(green.BackgroundColor(), kGreen);
    EXPECT_EQ(green.LitColor(), kLime);
    EXPECT_EQ(green.UnlitColor(), kGreen);

    TDisplay red(nullptr, false, 3);
    EXPECT_EQ(red.DigitCount(), 3);
    EXPECT_EQ(red.LitColor(), kRedLit);
    EXPECT_TRUE(red.Text().empty());
    EXPECT_EQ(Render(red.Cells()), "   ");
}

// ---------------------------------------------------------------- cells

TEST(DisplayCells, PointsFoldIntoTheCellBefore)
{
    struct Case {
        const char* text;
        IndicatorKind kind;
        size_t cells;
        const char* shown;
    };
    const IndicatorKind seg = IndicatorKind::SevenSegment, dot = IndicatorKind::DotMatrix;
    const Case cases[] = {
        {"23.4", seg, 3, "23.4"},
        {"t.OFF", seg, 4, "t.OFF"},
        {"5nb.1", seg, 4, "5nb.1"},
        {"inic.   ", seg, 7, "inic.   "},
        {"inic.   ", dot, 8, "inic.   "},
        {".5", seg, 2, " .5"},
        {"1..2", seg, 3, "1. .2"},
        {"-12.5", seg, 4, "-12.5"},
        {"", seg, 0, ""},
    };
    for (const Case& c : cases) {
        const auto cells = DisplayCells(c.text, c.kind);
        EXPECT_EQ(cells.size(), c.cells) << c.text;
        EXPECT_EQ(Render(cells), c.shown) << c.text;
    }
    // In the matrix kind a '.' is a character of its own.
    const auto dots = DisplayCells("inic.   ", dot);
    EXPECT_EQ(dots[4].ch, U'.');
    EXPECT_FALSE(dots[3].point);
    // "23.4": the point belongs to the 3.
    const auto num = DisplayCells("23.4");
    EXPECT_TRUE(num[1].point);
    EXPECT_FALSE(num[0].point || num[2].point);
}

TEST(DisplayCells, RightAlignedAndClippedToTheLeftmostCells)
{
    struct Case {
        const char* text;
        int count;
        const char* shown;
    };
    const Case cases[] = {
        {"5", 4, "   5"},       {"ini", 4, " ini"},    {"23.4", 4, " 23.4"},
        {"inic.", 4, "inic."},  {"12345", 4, "1234"},  {"1234.5", 4, "1234."},
        {"", 4, "    "},        {"3", 1, "3"},         {"12", 1, "1"},
    };
    for (const Case& c : cases) {
        const auto cells = LayoutCells(c.text, c.count);
        EXPECT_EQ(cells.size(), static_cast<size_t>(c.count)) << c.text;
        EXPECT_EQ(Render(cells), c.shown) << c.text;
    }
}

TEST(DisplayCells, Utf8CharactersTakeOneCell)
{
    const auto cells = DisplayCells("23.4\u00B0C");
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[3].ch, U'\u00B0');
    EXPECT_TRUE(HasSegmentGlyph(cells[3].ch));
    // A stray byte becomes one replacement cell and does not swallow what follows.
    const auto bad = DisplayCells(std::string("1\xC3" "2"));
    ASSERT_EQ(bad.size(), 3u);
    EXPECT_EQ(bad[2].ch, U'2');
}

// ---------------------------------------------------------------- glyphs

TEST(DisplayGlyphs, EveryDeviceTextHasItsGlyphs)
{
    for (const char* text : kDeviceTexts) {
        for (const DisplayCell& c : DisplayCells(text)) {
            EXPECT_TRUE(HasSegmentGlyph(c.ch)) << text << " '" << static_cast<char>(c.ch) << "'";
            if (c.ch != U' ') {
                EXPECT_NE(SegmentPattern(c.ch), 0) << text << " '" << static_cast<char>(c.ch) << "'";
            }
        }
    }
}

TEST(DisplayGlyphs, LettersAndDigitsAreTellApart)
{
    // S is spelled 5; every other character here must have a glyph of its own.
    const std::string chars = "0123456789AbCcdEFGHhiJLnoPqrtUuy-_";
    std::set<uint8_t> seen;
    for (char ch : chars) {
        ASSERT_TRUE(HasSegmentGlyph(static_cast<char32_t>(ch))) << ch;
        EXPECT_TRUE(seen.insert(SegmentPattern(static_cast<char32_t>(ch))).second)
            << "'" << ch << "' looks like another character";
    }
    EXPECT_EQ(SegmentPattern(U'S'), SegmentPattern(U'5'));
}

TEST(DisplayGlyphs, MatrixFontCoversPrintableAscii)
{
    std::set<std::string> shapes;
    for (char32_t ch = 0x20; ch <= 0x7E; ++ch) {
        ASSERT_TRUE(HasMatrixGlyph(ch));
        const uint8_t* g = MatrixGlyph(ch);
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(g[col] & 0x80, 0) << "glyph of " << static_cast<char>(ch) << " has an 8th row";
        shapes.insert(std::string(reinterpret_cast<const char*>(g), 5));
    }
    // No two printable characters share a shape.
    EXPECT_EQ(shapes.size(), 95u);
    EXPECT_FALSE(HasMatrixGlyph(U'\u0161'));
    EXPECT_NE(MatrixGlyph(U'\u0161')[0], 0);  // shown as a box, not left blank
}

// ---------------------------------------------------------------- repaint economy and painting

TEST(Display, SameTextDoesNotRepaint)
{
    QWidget host;
    host.setAttribute(Qt::WA_DontShowOnScreen);
    host.resize(200, 100);
    TDisplay d(&host);
    d.SetText("23.4");
    host.show();
    Flush();
    const int requests = d.RepaintRequests();
    const int paints = d.PaintCount();
    ASSERT_GT(paints, 0);

    for (int i = 0; i < 10; ++i)
        d.SetText("23.4");
    Flush();
    EXPECT_EQ(d.RepaintRequests(), requests);
    EXPECT_EQ(d.PaintCount(), paints);

    d.SetText("23.5");
    Flush();
    EXPECT_EQ(d.RepaintRequests(), requests + 1);
    EXPECT_GT(d.PaintCount(), paints);
    EXPECT_EQ(d.Text(), "23.5");
}

TEST(Display, PaintsLitSegments)
{
    for (IndicatorKind kind : {IndicatorKind::SevenSegment, IndicatorKind::DotMatrix}) {
        TDisplay d(nullptr);
        d.SetKind(kind);
        d.SetText("    ");
        const int blank = LitPixels(d);
        d.SetText("8888");
        const int full = LitPixels(d);
        EXPECT_EQ(blank, 0);
        EXPECT_GT(full, 200);
    }
}

TEST(Display, ShortTextLightsOnlyTheRightmostCell)
{
    TDisplay d(nullptr);
    d.SetText("5");
    const QImage img = d.grab().toImage();
    int left = 0, right = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qRed(img.pixel(x, y)) > 200)
                (x < img.width() * 3 / 4 ? left : right)++;
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 30);
}

TEST(Display, MouseReleaseSignalsAndCallsTheHandler)
{
    TDisplay d(nullptr);
    int clicks = 0, first = 0, second = 0;
    QObject::connect(&d, &TDisplay::clicked, [&] { ++clicks; });
    d.SetOnMouseUp([&] { ++first; });
    Release(d, {10, 10});
    d.SetOnMouseUp([&] { ++second; });
    Release(d, {10, 10});
    Release(d, {500, 10});  // released outside: not a click
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

TEST(Display, HintIsTheTooltip)
{
    TDisplay d(nullptr);
    d.SetHint("Izmerena vrednost");
    EXPECT_EQ(d.toolTip(), QStringLiteral("Izmerena vrednost"));
}

// ---------------------------------------------------------------- front plates

TEST(FrontPlate, EveryModelHasItsPlate)
{
    struct Case {
        const char* model;
        int picture;
        QSize size;
    };
    const Case cases[] = {
        {"GR220", 0, {220, 220}},    {"FP320", 1, {220, 220}},  {"KV710", 2, {220, 220}},
        {"CQ50", 3, {220, 220}},     {"GR310", 4, {220, 220}},  {"GR310S", 4, {220, 220}},
        {"GR210", 4, {220, 220}},    {"HW600", 5, {220, 120}},  {"LX410i", 6, {220, 100}},
        {"SVB", 8, {220, 220}},      {"RMV_Disp", 9, {220, 120}}, {"KV720", 12, {220, 220}},
        {"SVB16", -1, {424, 220}},
    };
    for (const Case& c : cases) {
        const PlateLayout* l = FindPlateLayout(c.model);
        ASSERT_NE(l, nullptr) << c.model;
        EXPECT_EQ(l->picture, c.picture) << c.model;
        EXPECT_EQ(FrontPlatePicture(c.model).size(), c.size) << c.model;
        if (c.picture >= 0) {
            EXPECT_EQ(FrontPlatePictureByIndex(c.picture).size(), c.size) << c.model;
        }
    }
    EXPECT_EQ(FindPlateLayout("fp320"), FindPlateLayout("FP320"));
    EXPECT_EQ(PlateLayouts().size(), std::size(cases));
}

TEST(FrontPlate, WidgetsFitTheirWindows)
{
    for (const PlateLayout& l : PlateLayouts()) {
        const QImage img = FrontPlatePicture(l.model).toImage();
        const QRect plate(QPoint(kPlateOffset, kPlateOffset), l.PlateSize());
        for (const PlateDisplay& d : l.displays) {
            EXPECT_TRUE(plate.contains(d.rect)) << l.model;
            bool inWindow = false;
            for (const PlateWindow& w : l.windows)
                inWindow = inWindow || w.rect.contains(d.rect);
            EXPECT_TRUE(inWindow) << l.model << " display at " << d.rect.x() << "," << d.rect.y();
        }
        for (const PlateWindow& w : l.windows) {
            const QPoint c = w.rect.center() - QPoint(kPlateOffset, kPlateOffset);
            EXPECT_EQ(QColor(img.pixel(c)), w.fill) << l.model;
        }
        for (const PlateLamp& lamp : l.lamps) {
            const QRect r(lamp.pos, QSize(lamp.size, lamp.size));
            EXPECT_TRUE(plate.contains(r)) << l.model;
            const QPoint c = r.center() - QPoint(kPlateOffset, kPlateOffset);
            EXPECT_EQ(QColor(img.pixel(c)), kMaroon) << l.model << " lamp socket";
        }
    }
}

TEST(FrontPlate, BuiltOnceAndNeverBlank)
{
    EXPECT_EQ(FrontPlatePicture("KV710").cacheKey(), FrontPlatePicture("kv710").cacheKey());
    for (const QPixmap& p : {FrontPlatePicture("NoSuchModel"), FrontPlatePictureByIndex(7),
                             FrontPlatePictureByIndex(-1)}) {
        EXPECT_EQ(p.size(), QSize(220, 220));
        const QImage img = p.toImage();
        std::set<QRgb> colours;
        for (int y = 0; y < img.height(); y += 4)
            for (int x = 0; x < img.width(); x += 4)
                colours.insert(img.pixel(x, y));
        EXPECT_GT(colours.size(), 3u);
    }
}
