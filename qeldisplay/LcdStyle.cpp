#include "qeldisplay/LcdStyle.h"

#include <cmath>

namespace qeldisplay {

QColor FromColorRef(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QColor Ghost(const QColor& colour) {
  QColor c = colour;
  c.setAlpha(30);
  return c;
}

QFont LcdFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QString ScaleText(double value) {
  if (!std::isfinite(value)) return QStringLiteral("--");
  if (value == 0.0) return QStringLiteral("0");
  if (std::fabs(value) >= 100.0 || value == std::round(value))
    return QString::number(std::round(value), 'f', 0);
  return QString::number(value, 'g', 4);
}

PainterScope::PainterScope(QPainter* painter)
    : m_painter(painter && painter->isActive() ? painter : nullptr) {
  if (m_painter) {
    m_painter->save();
    m_painter->setRenderHint(QPainter::Antialiasing, true);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
  }
}

PainterScope::~PainterScope() {
  if (m_painter) m_painter->restore();
}

}  // namespace qeldisplay
