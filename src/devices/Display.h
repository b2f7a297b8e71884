// The read-out of a controller front plate: a row of character cells painted as seven-segment
// digits (with the letters the controllers spell with them) or as 5 x 7 dot-matrix characters.
//
// Cell rules (seven-segment kind): every character other than '.' takes one cell; a '.' lights
// the decimal point of the cell before it, so "23.4" fills three cells and "t.OFF" four. A '.'
// with no cell before it, or after a cell whose point is already lit, takes a blank cell of its
// own. In the dot-matrix kind every character, '.' included, takes a cell, as on a character
// display ("inic.   " fills eight cells).
// Alignment: a text with fewer cells than the display is right-aligned, as a numeric indicator
// shows "5" in four cells as "   5"; a text with more cells is clipped to its leftmost cells.
#pragma once

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvo {

// A colour given as a 0x00BBGGRR value (red in the low byte), as colour constants are written
// throughout the device tables.
QColor BgrColor(uint32_t bgr);

enum class IndicatorKind { SevenSegment, DotMatrix };

struct DisplayCell {
    char32_t ch = U' ';
    bool point = false;
    bool operator==(const DisplayCell& o) const { return ch == o.ch && point == o.point; }
};

// The cells a text occupies (UTF-8 text; one cell per character, points folded as above).
std::vector<DisplayCell> DisplayCells(const std::string& text,
                                      IndicatorKind kind = IndicatorKind::SevenSegment);
// The same cells laid into a display of `count` cells: right-aligned, clipped on the right.
std::vector<DisplayCell> LayoutCells(const std::string& text, int count,
                                     IndicatorKind kind = IndicatorKind::SevenSegment);

// Seven-segment pattern of a character: bit 0 = a (top), 1 = b (upper right), 2 = c (lower
// right), 3 = d (bottom), 4 = e (lower left), 5 = f (upper left), 6 = g (middle).
// Characters without a glyph give 0 and HasSegmentGlyph false (a space has a glyph: no segment).
uint8_t SegmentPattern(char32_t ch);
bool HasSegmentGlyph(char32_t ch);
// 5 x 7 dot-matrix glyph: five column bytes, bit 0 = top row. Characters without a glyph give
// an outlined box and HasMatrixGlyph false.
const uint8_t* MatrixGlyph(char32_t ch);
bool HasMatrixGlyph(char32_t ch);

class TDisplay : public QWidget {
    Q_OBJECT
public:
    // Default look: 4 cells, 129 x 41, red scheme.
    explicit TDisplay(QWidget* owner);
    // Chosen look: the cell count and scheme given; the caller sizes and places it.
    TDisplay(QWidget* owner, bool greenScheme, int digitCount);

    void SetDigitCount(int count);
    int DigitCount() const { return digits_; }
    void SetKind(IndicatorKind kind);
    IndicatorKind Kind() const { return kind_; }

    // Shows the text; setting the text already shown does nothing (no repaint).
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }
    // The cells as currently laid out (DigitCount() of them).
    const std::vector<DisplayCell>& Cells() const { return cells_; }

    void SetGreenScheme(bool green);
    void SetColors(const QColor& background, const QColor& lit, const QColor& unlit);
    QColor BackgroundColor() const { return background_; }
    QColor LitColor() const { return lit_; }
    QColor UnlitColor() const { return unlit_; }

    // Sets the tooltip only when it differs (device types set it on every tick).
    void SetHint(const std::string& hint);
    // Called on a mouse release inside the display, after clicked(); replaces any earlier one.
    void SetOnMouseUp(std::function<void()> handler) { onMouseUp_ = std::move(handler); }

    // How many repaints the display has asked for, and how many paint events it has run.
    int RepaintRequests() const { return repaintRequests_; }
    int PaintCount() const { return paintCount_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Relayout();
    void Repaint();

    int digits_ = 4;
    IndicatorKind kind_ = IndicatorKind::SevenSegment;
    std::string text_;
    std::vector<DisplayCell> cells_;
    QColor background_;
    QColor lit_;
    QColor unlit_;
    std::function<void()> onMouseUp_;
    int repaintRequests_ = 0;
    int paintCount_ = 0;
};

}  // namespace tarvo
