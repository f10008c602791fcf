// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The cell of the Index column: its text is the number of the row it stands
// in, so inserting a row at the top renumbers every older row without
// touching it. The grid tells a cell its position whenever it hands it out.

#include "grid/GridCell.h"

namespace vorenx {

class CReadingIndexCell : public CGridCell {
 public:
  void SetPosition(int row, int) override { m_row = row; }
  QString GetText() const override { return m_row > 0 ? QString::number(m_row) : CGridCell::GetText(); }

 private:
  int m_row = 0;
};

}  // namespace vorenx
