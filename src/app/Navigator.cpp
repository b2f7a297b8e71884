#include "app/Navigator.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace tarvo {

namespace {

constexpr int kGlyph = 16;

// The button pictures, drawn so that they need no image files or symbol fonts.
void DrawGlyph(QPainter& p, TDBNavigator::Button b)
{
    const QColor ink(0x20, 0x20, 0x60);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const auto triangle = [&p](QPointF a, QPointF b2, QPointF c) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(b2);
        path.lineTo(c);
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (b) {
    case TDBNavigator::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle({12, 3}, {12, 13}, {6, 8});
        break;
    case TDBNavigator::Prior: triangle({11, 3}, {11, 13}, {5, 8}); break;
    case TDBNavigator::Next: triangle({5, 3}, {5, 13}, {11, 8}); break;
    case TDBNavigator::Last:
        triangle({4, 3}, {4, 13}, {10, 8});
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case TDBNavigator::Insert:
        p.drawRect(QRectF(7, 3, 2, 10));
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case TDBNavigator::Delete: p.drawRect(QRectF(3, 7, 10, 2)); break;
    case TDBNavigator::Edit: triangle({3, 11}, {13, 11}, {8, 5}); break;
    case TDBNavigator::Post:
        p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({{3, 8}, {6.5, 12}, {13, 4}}));
        break;
    case TDBNavigator::Cancel:
        p.setPen(QPen(QColor(0xA0, 0x00, 0x00), 2.2));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case TDBNavigator::Refresh:
        p.setPen(QPen(ink, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        triangle({8, 0.5}, {8, 5.5}, {11.5, 3});
        break;
    case TDBNavigator::ButtonCount: break;
    }
}

QIcon GlyphIcon(TDBNavigator::Button b)
{
    QPixmap pixmap(kGlyph, kGlyph);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    DrawGlyph(p, b);
    return QIcon(pixmap);
}

}  // namespace

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < ButtonCount; ++i) {
        const auto b = static_cast<Button>(i);
        auto* button = new QToolButton(this);
        button->setIcon(GlyphIcon(b));
        button->setIconSize(QSize(kGlyph, kGlyph));
        button->setFixedSize(25, 25);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, b] { emit Clicked(b); });
        layout->addWidget(button);
        buttons_[b] = button;
    }
    layout->addStretch();
}

void TDBNavigator::SetHints(const std::array<QString, ButtonCount>& hints)
{
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[i]->setToolTip(hints[i]);
}

void TDBNavigator::SetButtonEnabled(Button b, bool enabled) { buttons_[b]->setEnabled(enabled); }

void TDBNavigator::Click(Button b)
{
    if (isEnabled() && buttons_[b]->isEnabled())
        buttons_[b]->click();
}

}  // namespace tarvo
