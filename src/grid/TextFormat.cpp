// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/TextFormat.h"

#include <QStringList>

namespace vorenx {

namespace {

bool IsSingleLine(unsigned format) { return (format & DT_SINGLELINE) != 0; }

Qt::TextElideMode ElideModeOf(unsigned format) {
  if (format & DT_PATH_ELLIPSIS) return Qt::ElideMiddle;
  if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) return Qt::ElideRight;
  return Qt::ElideNone;
}

// Elides every line of a text that is not word-wrapped so that it fits the width.
QString ElideLines(const QFontMetrics& metrics, const QString& text, unsigned format, int width) {
  const Qt::TextElideMode mode = ElideModeOf(format);
  if (mode == Qt::ElideNone || (format & DT_CALCRECT)) return text;
  if ((format & DT_WORDBREAK) && !IsSingleLine(format)) return text;
  const int flags = (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
  if (IsSingleLine(format)) return metrics.elidedText(text, mode, width, flags);
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) line = metrics.elidedText(line, mode, width, flags);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

int QtTextFlags(unsigned format) {
  int flags = 0;
  if (format & DT_RIGHT)
    flags |= Qt::AlignRight;
  else if (format & DT_CENTER)
    flags |= Qt::AlignHCenter;
  else
    flags |= Qt::AlignLeft;

  if (IsSingleLine(format)) {
    flags |= Qt::TextSingleLine;
    if (format & DT_BOTTOM)
      flags |= Qt::AlignBottom;
    else if (format & DT_VCENTER)
      flags |= Qt::AlignVCenter;
    else
      flags |= Qt::AlignTop;
  } else {
    flags |= Qt::AlignTop;
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
  }
  if (!(format & DT_NOPREFIX)) flags |= Qt::TextShowMnemonic;
  if (format & DT_EXPANDTABS) flags |= Qt::TextExpandTabs;
  if (format & DT_NOCLIP) flags |= Qt::TextDontClip;
  return flags;
}

QRect MeasureFormattedText(const QFontMetrics& metrics, const QRect& rect, const QString& text,
                           unsigned format) {
  const int flags = QtTextFlags(format & ~(DT_VCENTER | DT_BOTTOM | DT_RIGHT | DT_CENTER)) |
                    Qt::AlignLeft | Qt::AlignTop;
  // A zero width would wrap after every character; measure unwrapped then.
  const int width = rect.width() > 0 ? rect.width() : 1 << 20;
  const QRect laidOut = metrics.boundingRect(QRect(rect.left(), rect.top(), width, 1 << 20), flags, text);
  return QRect(rect.left(), rect.top(), laidOut.width(), laidOut.height());
}

QRect DrawFormattedText(QPainter& painter, const QRect& rect, const QString& text, unsigned format) {
  const QFontMetrics metrics(painter.font(), painter.device());
  if (format & DT_CALCRECT) return MeasureFormattedText(metrics, rect, text, format);
  if (rect.width() <= 0 && !(format & DT_NOCLIP)) return QRect(rect.topLeft(), QSize(0, 0));
  QRect used;
  painter.drawText(rect, QtTextFlags(format), ElideLines(metrics, text, format, rect.width()), &used);
  return used;
}

}  // namespace vorenx
