// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A shown grid with a header row, a header column and cells of 50 x 20
// pixels, an owner that records every notification, and helpers that press
// and release the mouse on the viewport at a cell's centre.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "grid/GridCtrl.h"

namespace vorenx::testing {

struct Note {
  int code;
  int row;
  int col;
};

class RecordingOwner : public GridOwner {
 public:
  long OnGridNotify(NMHDR* header) override {
    const auto* note = static_cast<GridNotification*>(header);
    if (header->code != NotifyCacheHint && header->code != NotifyGetCellInfo)
      notes.push_back({header->code, note->row, note->col});
    const auto reply = replies.find(header->code);
    return reply == replies.end() ? 0 : reply->second;
  }
  void OnGridCommand(CGridCtrl*, int controlId, int code) override { commands.push_back({controlId, code}); }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const Note& n : notes) codes.push_back(n.code);
    return codes;
  }
  std::vector<Note> notes;
  std::vector<std::pair<int, int>> commands;
  std::map<int, long> replies;  // the answer to a code; 0 for the others
};

// A grid that records the edits it is asked to start.
class RecordingGrid : public CGridCtrl {
 public:
  void StartEditing(int row, int col, QPoint, int firstChar) override { edits.push_back({row, col, firstChar}); }
  struct Edit {
    int row;
    int col;
    int firstChar;
  };
  std::vector<Edit> edits;
};

// One header row and one header column; every cell 50 x 20 pixels.
inline void LayOutCells(CGridCtrl& grid, int rows, int cols) {
  grid.ResizeRows(rows);
  grid.ResizeColumns(cols);
  grid.SetHeaderRows(1);
  grid.SetHeaderColumns(1);
  for (int c = 0; c < cols; ++c) grid.ChangeColumnWidth(c, 50);
  for (int r = 0; r < rows; ++r) grid.ChangeRowHeight(r, 20);
}

template <class Grid>
class GridWidgetTestOf : public ::testing::Test {
 protected:
  void Layout(int rows, int cols, QSize size = QSize(400, 200)) {
    grid.setFrameShape(QFrame::NoFrame);  // the viewport is the whole widget
    grid.resize(size);
    grid.SetOwner(&owner);
    grid.SetDlgCtrlID(77);
    LayOutCells(grid, rows, cols);
    grid.show();
    QApplication::processEvents();
  }
  QWidget* View() { return grid.viewport(); }
  // The centre of a cell as it stands now.
  QPoint Centre(int row, int col) {
    CRect rect;
    EXPECT_TRUE(grid.CellRect(row, col, rect));
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
  void Click(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(View(), Qt::LeftButton, modifiers, Centre(row, col));
  }
  // A move without a button (QTest moves the system cursor for that).
  void Hover(QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, View()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(View(), &move);
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&grid, static_cast<Qt::Key>(key), modifiers); }
  bool Selected(int row, int col) const { return grid.IsCellSelected(row, col); }

  Grid grid;
  RecordingOwner owner;
};

using GridWidgetTest = GridWidgetTestOf<RecordingGrid>;

}  // namespace vorenx::testing
