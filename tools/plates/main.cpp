// Renders every front plate with sample read-outs and lamps laid on it, one sheet of all the
// plates, and a large sheet of every text the read-outs must show, as PNG files.
//   tarvo-plates OUTPUT_FOLDER
// Run headless with QT_QPA_PLATFORM=offscreen (the default here) or under xvfb-run.
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "devices/Display.h"
#include "devices/FrontPlate.h"
#include "devices/ODioda.h"

using namespace tarvo;

namespace {

// A panel as a device type builds it: plate picture, read-outs, lamps, address label.
std::unique_ptr<QFrame> BuildPanel(const PlateLayout& l)
{
    auto panel = std::make_unique<QFrame>();
    panel->setAttribute(Qt::WA_DontShowOnScreen);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->resize(l.panel);

    auto* image = new QLabel(panel.get());
    image->setPixmap(FrontPlatePicture(l.model));
    image->setGeometry(QRect(QPoint(kPlateOffset, kPlateOffset), l.PlateSize()));

    for (const PlateDisplay& d : l.displays) {
        auto* display = new TDisplay(panel.get(), d.green, d.digits);
        if (d.dotMatrix)
            display->SetKind(IndicatorKind::DotMatrix);
        display->setGeometry(d.rect);
        display->SetText(d.sample);
    }
    if (l.model == "SVB" || l.model == "SVB16") {
        for (const PlateWindow& w : l.windows) {
            auto* button = new QPushButton(QStringLiteral("off"), panel.get());
            button->setGeometry(QRect(w.rect.topLeft() + QPoint(3, 3), QSize(20, 16)));
            QFont f = button->font();
            f.setPixelSize(9);
            button->setFont(f);
        }
    }
    int n = 0;
    for (const PlateLamp& p : l.lamps) {
        auto* lamp = p.size == 10 ? new TOutDioda(panel.get())
                                  : new TOutDioda(panel.get(), BgrColor(0x000080),
                                                  BgrColor(0x0000FF), p.size);
        lamp->move(p.pos);
        lamp->Switch(n == 0 || n % 2 == 1);  // the communication lamp and every other one lit
        ++n;
    }

    auto* address = new QLabel(QStringLiteral("adr:12"), panel.get());
    address->setGeometry(189, 8, 34, 13);
    address->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont small = address->font();
    small.setPixelSize(10);
    address->setFont(small);
    if (l.model == "SVB16")
        address->move(l.panel.width() - 47, 8);
    panel->show();
    return panel;
}

bool Save(const QPixmap& pixmap, const QString& path)
{
    if (pixmap.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// Panels in rows, left to right, each with its name above it.
QPixmap AllPlatesSheet(const std::vector<QPixmap>& shots, const std::vector<std::string>& names)
{
    const int margin = 12, caption = 22, maxRow = 1000;
    std::vector<QPoint> at;
    int x = margin, y = margin, rowHeight = 0, width = 0;
    for (const QPixmap& shot : shots) {
        if (x > margin && x + shot.width() > maxRow) {
            x = margin;
            y += rowHeight + margin;
            rowHeight = 0;
        }
        at.push_back({x, y});
        x += shot.width() + margin;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, shot.height() + caption);
    }
    QPixmap sheet(width, y + rowHeight + margin);
    sheet.fill(QColor(236, 236, 236));
    QPainter p(&sheet);
    QFont f = p.font();
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    for (size_t i = 0; i < shots.size(); ++i) {
        p.drawText(at[i] + QPoint(2, 15), QString::fromStdString(names[i]));
        p.drawPixmap(at[i] + QPoint(0, caption), shots[i]);
    }
    return sheet;
}

struct Sample {
    const char* text;
    int digits;
    bool green;
    bool dotMatrix;
};

QPixmap TextsSheet()
{
    static const Sample samples[] = {
        {"5nbr", 4, false, false},  {"HiAL", 4, false, false},  {"LoAL", 4, false, false},
        {"init", 4, false, false},  {"inic.", 4, false, false}, {"ini", 4, false, false},
        {"idLE", 4, false, false},  {"OFF ", 4, false, false},  {"linE", 4, false, false},
        {"5CAn", 4, false, false},  {"d_AL", 4, false, false},  {"__Al", 4, false, false},
        {"Hb1 ", 4, false, false},  {"Hb2 ", 4, false, false},  {"t.OFF", 4, false, false},
        {"HOLd", 4, false, false},  {"Hb  ", 4, false, false},  {"PAU5", 4, false, false},
        {"5nb.1", 4, false, false}, {"5nb.2", 4, false, false}, {"5nb ", 4, false, false},
        {"ch 1", 4, false, false},  {"23.4", 4, false, false},  {"-12.5", 4, false, false},
        {"1234", 4, false, false},  {"5678", 4, false, false},  {"90-_", 4, false, false},
        {"AbCd", 4, false, false},  {"EFGH", 4, false, false},  {"hIiJ", 4, false, false},
        {"LnoP", 4, false, false},  {"qrSt", 4, false, false},  {"Uuy-", 4, false, false},
        {"5", 4, false, false},     {"idLE", 4, true, false},   {"23.4", 4, true, false},
        {"PAU5", 4, true, false},   {"3", 1, true, false},      {"inic.   ", 8, false, true},
        {"12:45:30", 8, false, true}, {"Dobar dan", 8, false, true}, {"T=23.4C", 8, false, true},
    };
    const int cellW = 300, cellH = 130, cols = 4;
    const int count = static_cast<int>(std::size(samples));
    const int rows = (count + cols - 1) / cols;
    QWidget sheet;
    sheet.setAttribute(Qt::WA_DontShowOnScreen);
    sheet.resize(cols * cellW, rows * cellH);
    sheet.setAutoFillBackground(true);
    QPalette pal = sheet.palette();
    pal.setColor(QPalette::Window, QColor(236, 236, 236));
    sheet.setPalette(pal);
    for (int i = 0; i < count; ++i) {
        const Sample& s = samples[i];
        const int x = (i % cols) * cellW + 20, y = (i / cols) * cellH + 10;
        auto* display = new TDisplay(&sheet, s.green, s.digits);
        if (s.dotMatrix)
            display->SetKind(IndicatorKind::DotMatrix);
        const int width = s.digits == 1 ? 64 : 258;
        display->setGeometry(x, y, width, 82);
        display->SetText(s.text);
        auto* caption = new QLabel(QStringLiteral("\"%1\"").arg(QString::fromUtf8(s.text)), &sheet);
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setPixelSize(15);
        caption->setFont(f);
        caption->setGeometry(x, y + 88, 258, 22);
    }
    sheet.show();
    return sheet.grab();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvo-plates OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = true;
    std::vector<QPixmap> shots;
    std::vector<std::string> names;
    for (const PlateLayout& l : PlateLayouts()) {
        auto panel = BuildPanel(l);
        const QPixmap shot = panel->grab();
        ok = Save(shot, out.filePath(QString::fromStdString(l.model) + ".png")) && ok;
        shots.push_back(shot);
        names.push_back(l.model + (l.picture >= 0 ? "  (picture " + std::to_string(l.picture) + ")"
                                                  : std::string("  (own file)")));
    }
    ok = Save(FrontPlatePictureByIndex(-1), out.filePath("plain.png")) && ok;  // unknown types
    ok = Save(AllPlatesSheet(shots, names), out.filePath("front-plates.png")) && ok;
    ok = Save(TextsSheet(), out.filePath("display-texts.png")) && ok;
    return ok ? 0 : 1;
}
