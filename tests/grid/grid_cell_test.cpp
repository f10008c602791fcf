// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Cells and default cells: inheritance of unset attributes, resets, copies,
// measuring, and the text-format mapping.
#include <QLineEdit>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include "grid/GridCtrl.h"
#include "grid/TextFormat.h"

using namespace vorenx;

namespace {

struct SmallGrid {
  SmallGrid() {
    grid.ResizeRows(3);
    grid.ResizeColumns(3);
    grid.SetHeaderRows(1);
    grid.SetHeaderColumns(1);
  }
  CGridCtrl grid;
};

}  // namespace

TEST(GridCell, UnsetAttributesComeFromTheDefaultCellOfItsPosition) {
  SmallGrid g;
  CGridCellBase* cell = g.grid.CellAt(2, 2);
  CGridDefaultCell* normal = g.grid.DefaultsFor(false, false);
  EXPECT_EQ(cell->GetDefaults(), normal);
  EXPECT_EQ(g.grid.CellAt(0, 2)->GetDefaults(), g.grid.DefaultsFor(true, false));
  EXPECT_EQ(g.grid.CellAt(2, 0)->GetDefaults(), g.grid.DefaultsFor(false, true));
  EXPECT_EQ(g.grid.CellAt(0, 0)->GetDefaults(), g.grid.DefaultsFor(true, true));

  EXPECT_EQ(cell->GetFormat(), normal->GetFormat());
  EXPECT_EQ(cell->GetMargin(), normal->GetMargin());
  EXPECT_TRUE(cell->UsesDefaultFont());
  EXPECT_EQ(cell->GetFont(), normal->GetFont());
  EXPECT_EQ(cell->GetCFont(), normal->GetCFont());

  cell->SetFormat(DT_RIGHT | DT_SINGLELINE);
  cell->SetMargin(9);
  LOGFONT big = *normal->GetFont();
  big.lfHeight = -30;
  cell->SetFont(&big);
  EXPECT_EQ(cell->GetFormat(), DT_RIGHT | DT_SINGLELINE);
  EXPECT_EQ(cell->GetMargin(), 9u);
  EXPECT_FALSE(cell->UsesDefaultFont());
  EXPECT_EQ(cell->GetFont()->lfHeight, -30);
  EXPECT_EQ(cell->GetCFont()->pixelSize(), 30);

  // 0xFFFFFFFF and a null font give the defaults back, and then follow them.
  cell->SetFormat(0xFFFFFFFF);
  cell->SetMargin(0xFFFFFFFF);
  cell->SetFont(nullptr);
  normal->SetFormat(DT_CENTER);
  normal->SetMargin(4);
  EXPECT_EQ(cell->GetFormat(), DT_CENTER);
  EXPECT_EQ(cell->GetMargin(), 4u);
  EXPECT_EQ(cell->GetFont(), normal->GetFont());
}

TEST(GridCell, AStrayCellWithoutGridHasNoDefaults) {
  CGridCell cell;
  EXPECT_EQ(cell.GetDefaults(), nullptr);
  EXPECT_EQ(cell.GetFormat(), 0u);
  EXPECT_EQ(cell.GetMargin(), 0u);
  EXPECT_EQ(cell.GetFont(), nullptr);
  EXPECT_EQ(cell.GetCFont(), nullptr);
  EXPECT_EQ(cell.MeasureText("abc"), QSize(0, 0));
  QImage image(20, 20, QImage::Format_RGB32);
  QPainter painter(&image);
  EXPECT_FALSE(cell.Draw(&painter, 0, 0, CRect{0, 0, 10, 10}));
  EXPECT_FALSE(cell.Print(&painter, 0, 0, CRect{0, 0, 10, 10}));
}

TEST(GridCell, DefaultCellIsAlwaysReadOnlyAndRefusesData) {
  SmallGrid g;
  CGridDefaultCell* header = g.grid.DefaultsFor(true, false);
  header->SetState(0);
  EXPECT_TRUE(header->GetState() & CellReadOnly);
  header->SetData(42);
  EXPECT_EQ(header->GetData(), 0);
  EXPECT_EQ(header->GetFormat(), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  EXPECT_EQ(header->GetFormat(), 0x8824u);
  // A null font leaves the font and the sizes alone.
  const int width = header->GetWidth();
  header->SetFont(nullptr);
  ASSERT_NE(header->GetFont(), nullptr);
  EXPECT_EQ(header->GetWidth(), width);
  header->Reset();
  ASSERT_NE(header->GetFont(), nullptr);
  EXPECT_EQ(header->GetGrid(), &g.grid);
}

TEST(GridCell, DefaultCellSizesFollowItsFont) {
  SmallGrid g;
  CGridDefaultCell* cell = g.grid.DefaultsFor(false, false);
  LOGFONT font = *cell->GetFont();
  font.lfHeight = -40;
  cell->SetFont(&font);
  const QFontMetrics metrics(*cell->GetCFont());
  EXPECT_EQ(cell->GetHeight(), metrics.height() * 3 / 2);
  EXPECT_EQ(cell->GetWidth(), metrics.horizontalAdvance(" XXXXXXXXXXXX "));
  EXPECT_EQ(static_cast<int>(cell->GetMargin()), metrics.horizontalAdvance(" "));

  // The grid's font goes to all four default cells.
  QFont small = g.grid.font();
  small.setPixelSize(9);
  g.grid.setFont(small);
  for (bool r : {false, true})
    for (bool c : {false, true}) EXPECT_EQ(g.grid.DefaultsFor(r, c)->GetFont()->lfHeight, -9);
  EXPECT_EQ(g.grid.GridFont().pixelSize(), 9);
}

TEST(GridCell, ResetAndCopyFrom) {
  SmallGrid g;
  CGridCellBase* source = g.grid.CellAt(1, 1);
  source->SetText("t");
  source->SetImage(2);
  source->SetData(5);
  source->SetFormat(0xFFFFFFFF);
  source->SetTextColour(MakeColourRef(1, 2, 3));
  source->SetMargin(0xFFFFFFFF);

  CGridCell copy;
  copy.CopyFrom(*source);
  EXPECT_EQ(copy.GetText(), "t");
  EXPECT_EQ(copy.GetImage(), 2);
  EXPECT_EQ(copy.GetData(), 5);
  EXPECT_EQ(copy.GetGrid(), &g.grid);
  // Defaults are resolved into the copy.
  EXPECT_EQ(copy.GetFormat(), g.grid.DefaultsFor(false, false)->GetFormat());
  EXPECT_EQ(copy.GetMargin(), g.grid.DefaultsFor(false, false)->GetMargin());
  EXPECT_EQ(copy.GetTextColour(), MakeColourRef(1, 2, 3));
  EXPECT_TRUE(copy.UsesDefaultFont());

  copy.Reset();
  EXPECT_EQ(copy.GetText(), "");
  EXPECT_EQ(copy.GetImage(), -1);
  EXPECT_EQ(copy.GetData(), 0);
  EXPECT_EQ(copy.GetState(), 0u);
  EXPECT_EQ(copy.GetTextColour(), CLR_DEFAULT);
  EXPECT_EQ(copy.GetGrid(), nullptr);
}

TEST(GridCell, MeasureTextAddsMarginsAndTakesTheWidestLine) {
  SmallGrid g;
  CGridCellBase* cell = g.grid.CellAt(1, 1);
  cell->SetMargin(3);
  const QFontMetrics metrics(*cell->GetCFont(), g.grid.viewport());
  EXPECT_EQ(cell->MeasureText("abc"), QSize(metrics.horizontalAdvance("abc") + 6, metrics.height() + 6));

  cell->SetFormat(DT_WORDBREAK);
  const QString text = "short\na much longer line\nmid";
  const QSize size = cell->MeasureText(text);
  EXPECT_EQ(size.width(), metrics.horizontalAdvance("a much longer line") + 6);
  EXPECT_GE(size.height(), 3 * metrics.height());

  // No text: the default cell's size.
  const CGridDefaultCell* normal = g.grid.DefaultsFor(false, false);
  EXPECT_EQ(cell->MeasureText(""), QSize(normal->GetWidth(), normal->GetHeight()));

  // A header cell needs one pixel more each way than the same text in a plain cell.
  CGridCellBase* header = g.grid.CellAt(0, 1);
  header->SetText("abc");
  header->SetMargin(3);
  header->SetFont(nullptr);
  cell->SetFormat(0xFFFFFFFF);
  cell->SetText("abc");
  g.grid.DefaultsFor(true, false)->SetFont(g.grid.DefaultsFor(false, false)->GetFont());
  EXPECT_EQ(header->MeasureCell(), cell->MeasureCell() + QSize(1, 1));
}

TEST(GridCell, BeginEditOpensOneEditorUntilItCloses) {
  SmallGrid g;
  CGridCellBase* cell = g.grid.CellAt(1, 1);
  cell->SetFormat(DT_RIGHT);
  EXPECT_TRUE(cell->BeginEdit(1, 1, CRect{0, 0, 40, 18}, QPoint(), 8, 1));
  EXPECT_TRUE(cell->IsEditing());
  auto* editor = qobject_cast<QLineEdit*>(cell->GetEditor());
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->alignment() & Qt::AlignRight);
  EXPECT_FALSE(cell->BeginEdit(1, 1, CRect{0, 0, 40, 18}, QPoint(), 8, 1));  // one at a time
  cell->EndEdit();  // closing the box ends the edit through the grid
  EXPECT_FALSE(cell->IsEditing());
  EXPECT_EQ(cell->GetEditor(), nullptr);
}

TEST(TextFormat, FlagsMapToQtAlignment) {
  // Qt::AlignBaseline shares its bit with Qt::TextSingleLine: leave it out.
  const int kAlignMask = Qt::AlignHorizontal_Mask | Qt::AlignTop | Qt::AlignBottom | Qt::AlignVCenter;
  EXPECT_EQ(QtTextFlags(0x8025) & kAlignMask,
            Qt::AlignHCenter | Qt::AlignVCenter);
  EXPECT_EQ(QtTextFlags(0x8026) & kAlignMask,
            Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_TRUE(QtTextFlags(0x8026) & Qt::TextSingleLine);
  EXPECT_FALSE(QtTextFlags(0x8026 | DT_NOPREFIX) & Qt::TextShowMnemonic);
  EXPECT_TRUE(QtTextFlags(0) & Qt::TextShowMnemonic);
  // Vertical centring needs a single line.
  EXPECT_EQ(QtTextFlags(DT_VCENTER) & kAlignMask & ~Qt::AlignHorizontal_Mask, Qt::AlignTop);
  EXPECT_TRUE(QtTextFlags(DT_WORDBREAK) & Qt::TextWordWrap);
  EXPECT_FALSE(QtTextFlags(DT_WORDBREAK | DT_SINGLELINE) & Qt::TextWordWrap);
}

TEST(TextFormat, FontRecordRoundTrips) {
  QFont font("DejaVu Sans");
  font.setPixelSize(17);
  font.setItalic(true);
  font.setWeight(QFont::Bold);
  const LOGFONT lf = LogFontFromQFont(font);
  EXPECT_EQ(lf.lfHeight, -17);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfItalic, 1);
  const QFont back = QFontFromLogFont(lf);
  EXPECT_EQ(back.family(), font.family());
  EXPECT_EQ(back.pixelSize(), 17);
  EXPECT_TRUE(back.italic());

  // A face name without terminator and absurd sizes are taken safely.
  LOGFONT junk;
  std::fill(std::begin(junk.lfFaceName), std::end(junk.lfFaceName), u'A');
  junk.lfHeight = INT32_MIN;
  junk.lfWeight = -3;
  const QFont safe = QFontFromLogFont(junk);
  EXPECT_EQ(safe.family().size(), 32);
  EXPECT_EQ(safe.pixelSize(), 1000);
}
