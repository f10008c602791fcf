// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Drag-and-drop: text dropped from outside lands like a paste on editable
// cells only; a dragged header cell moves its column.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "GridTestSupport.h"
#include "grid/GridClipboardText.h"

using namespace vorenx;

namespace {

class GridDragDrop : public vorenx::testing::GridWidgetTestOf<CGridCtrl> {
 protected:
  void SetUp() override {
    Layout(4, 4);
    for (int c = 0; c < 4; ++c) grid.CellAt(0, c)->SetText(QStringLiteral("H%1").arg(c));
    grid.AllowDragAndDrop(true);
  }
  // Drags `text` from outside the grid onto the cell and drops it; whether
  // the last move was accepted.
  bool DropText(const QString& text, int row, int col) {
    QMimeData data;
    data.setText(text);
    const QPointF at = Centre(row, col);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View(), &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View(), &move);
    if (!move.isAccepted()) {
      QDragLeaveEvent leave;
      QApplication::sendEvent(View(), &leave);
      return false;
    }
    EXPECT_EQ(grid.DropTargetCell(), (CCellID{row, col}));
    EXPECT_TRUE(grid.CellState(row, col) & CellDropTarget);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View(), &drop);
    return true;
  }
};

}  // namespace

TEST_F(GridDragDrop, TextFromOutsideLandsOnEditableCellsOnly) {
  EXPECT_TRUE(DropText(QStringLiteral("a\tb\nc"), 1, 2));
  EXPECT_EQ(grid.CellText(1, 2), QStringLiteral("a"));
  EXPECT_EQ(grid.CellText(1, 3), QStringLiteral("b"));
  EXPECT_EQ(grid.CellText(2, 2), QStringLiteral("c"));
  EXPECT_FALSE(grid.CellState(1, 2) & CellDropTarget);
  EXPECT_FALSE(grid.DropTargetCell().IsValid());

  EXPECT_FALSE(DropText(QStringLiteral("z"), 0, 2));  // a header cell
  grid.ChangeCellState(3, 3, CellReadOnly);
  EXPECT_FALSE(DropText(QStringLiteral("z"), 3, 3));
  EXPECT_EQ(grid.CellText(3, 3), QString());
  grid.AllowDragAndDrop(false);
  EXPECT_FALSE(DropText(QStringLiteral("z"), 2, 1));
  EXPECT_EQ(grid.CellText(2, 1), QString());
}

TEST_F(GridDragDrop, ADraggedHeaderMovesItsColumnWhereItIsDropped) {
  grid.AllowColumnDragging(true);
  grid.SetDraggedColumn(3);
  EXPECT_EQ(grid.DragOver(nullptr, Qt::NoModifier, Centre(1, 1), true), Qt::IgnoreAction);  // below the headers
  EXPECT_EQ(grid.DragOver(nullptr, Qt::NoModifier, Centre(0, 1), true), Qt::MoveAction);
  EXPECT_TRUE(grid.Drop(nullptr, Qt::MoveAction, Centre(0, 1), true));
  EXPECT_EQ(grid.ColumnOrder(), (std::vector<int>{0, 3, 1, 2}));
  EXPECT_EQ(grid.CellText(0, 1), QStringLiteral("H3"));
  EXPECT_EQ(grid.DraggedColumn(), -1);

  grid.SetDraggedColumn(2);
  EXPECT_FALSE(grid.Drop(nullptr, Qt::MoveAction, Centre(0, 2), true));  // its own place
  EXPECT_FALSE(grid.Drop(nullptr, Qt::MoveAction, Centre(2, 1), true));  // below the headers
  EXPECT_EQ(grid.ColumnOrder(), (std::vector<int>{0, 3, 1, 2}));
  grid.ResizeColumns(5);  // a new column count puts the columns back in order
  EXPECT_EQ(grid.ColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
}
