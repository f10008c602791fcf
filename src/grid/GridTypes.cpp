// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridTypes.h"

#include <QFontInfo>
#include <algorithm>

namespace vorenx {

LOGFONT LogFontFromQFont(const QFont& font) {
  LOGFONT lf;
  const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  lf.lfHeight = -std::max(pixels, 1);
  lf.lfWeight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
  lf.lfItalic = font.italic() ? 1 : 0;
  lf.lfUnderline = font.underline() ? 1 : 0;
  lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
  const QString family = font.family().left(31);
  std::copy_n(reinterpret_cast<const char16_t*>(family.utf16()), family.size(), lf.lfFaceName);
  return lf;
}

QFont QFontFromLogFont(const LOGFONT& lf) {
  QFont font;
  // The face name may come from outside: stop at the terminator or the end.
  qsizetype length = 0;
  while (length < 32 && lf.lfFaceName[length] != 0) ++length;
  if (length > 0) font.setFamily(QString::fromUtf16(lf.lfFaceName, length));
  if (lf.lfHeight != 0) {
    const std::int64_t pixels = lf.lfHeight < 0 ? -static_cast<std::int64_t>(lf.lfHeight) : lf.lfHeight;
    font.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(pixels, 1, 1000)));
  }
  if (lf.lfWeight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.lfWeight, 1, 1000)));
  font.setItalic(lf.lfItalic != 0);
  font.setUnderline(lf.lfUnderline != 0);
  font.setStrikeOut(lf.lfStrikeOut != 0);
  return font;
}

bool IsVerticalFont(const LOGFONT* logFont) {
  return logFont && (logFont->lfEscapement == 900 || logFont->lfEscapement == -900);
}

}  // namespace vorenx
