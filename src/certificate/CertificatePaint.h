// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The certificate's pens and fonts, shared by its painting files only.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace vorenx::certificate_paint {

inline constexpr int kBodyPixels = 10;
inline const QColor kFail(0xB0, 0x00, 0x20);
inline const QColor kPass(0x10, 0x70, 0x20);
inline const QColor kUndecided(0xA0, 0x60, 0x00);

inline QFont BodyFont(bool bold = false, int pixels = kBodyPixels) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// `text` in `r`, cut with "…" where it does not fit.
inline void Text(QPainter& p, const QRectF& r, const QString& text, int align = Qt::AlignLeft | Qt::AlignVCenter) {
  p.drawText(r, align, p.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(r.width())));
}

}  // namespace vorenx::certificate_paint
