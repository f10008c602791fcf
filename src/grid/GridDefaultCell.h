// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// One of the four cells per grid whose attributes the stored cells inherit:
// normal, header row, header column and corner. It also carries the default
// column width and row height, which follow its font.

#include "grid/GridCell.h"

namespace vorenx {

class CGridDefaultCell : public CGridCell {
 public:
  // Format 0x8824 (left, vertically centred, single line, no prefix, end
  // ellipsis), default colours, and the application's font.
  CGridDefaultCell();

  // Back to the construction values, keeping the font.
  void Reset() override;
  void SetData(std::intptr_t) override {}
  void SetState(unsigned) override {}
  unsigned GetState() const override { return CGridCell::GetState() | CellReadOnly; }
  // A null font is ignored; otherwise margin, width and height are measured anew.
  void SetFont(const LOGFONT* logFont) override;
  const LOGFONT* GetFont() const override;
  const QFont* GetCFont() const override;

  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  void SetWidth(int width) { m_width = width; }
  void SetHeight(int height) { m_height = height; }

 private:
  int m_width = 30;
  int m_height = 10;
};

}  // namespace vorenx
