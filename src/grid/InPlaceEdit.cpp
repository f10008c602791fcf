// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/InPlaceEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "grid/GridConstants.h"
#include "grid/GridCtrl.h"

namespace vorenx {

namespace {
// One end at a time across all boxes: ending one moves the focus, which
// would end it (or the next one) again.
bool g_ending = false;
}  // namespace

int QtKeyForVirtualKey(int vk) {
  switch (vk) {
    case VK_TAB: return Qt::Key_Tab;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    default: return 0;
  }
}

CInPlaceEdit::CInPlaceEdit(CGridCtrl* grid, const CRect& rect, Qt::Alignment alignment, int id, int row, int col,
                           const QString& text, int firstChar)
    : QLineEdit(grid->viewport()),
      m_grid(grid),
      m_row(row),
      m_col(col),
      m_initialText(text),
      m_arrowsEndEdit(firstChar != kEditByMouse),
      m_rect(rect),
      m_id(id) {
  setObjectName(QStringLiteral("CInPlaceEdit"));
  setAlignment(alignment | Qt::AlignVCenter);
  setFont(grid->GridFont());
  setGeometry(rect.ToQRect());
  setText(text);
  show();
  setFocus(Qt::OtherFocusReason);

  switch (firstChar) {
    case kEditByMouse:
    case VK_RETURN: end(false); break;
    case VK_BACK:
      end(false);
      backspace();
      break;
    case VK_TAB:
    case 32: case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
      selectAll();
      break;
    default:
      selectAll();
      if (firstChar > 0) {
        insert(QString(QChar(static_cast<char16_t>(firstChar))));
        GrowToText();
      }
      break;
  }
}

CInPlaceEdit::~CInPlaceEdit() = default;

bool CInPlaceEdit::event(QEvent* event) {
  // Tab and Shift+Tab end the edit instead of moving the focus on.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      FinishWithKey(VK_TAB);
      return true;
    }
  }
  // Alt+key would reach menus and mnemonics from here: swallowed.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & Qt::AltModifier) {
      event->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
  int vk = 0;
  switch (event->key()) {
    case Qt::Key_PageUp: vk = VK_PRIOR; break;
    case Qt::Key_PageDown: vk = VK_NEXT; break;
    case Qt::Key_Left: vk = VK_LEFT; break;
    case Qt::Key_Up: vk = VK_UP; break;
    case Qt::Key_Right: vk = VK_RIGHT; break;
    case Qt::Key_Down: vk = VK_DOWN; break;
    case Qt::Key_Escape:
      setText(m_initialText);
      FinishWithKey(VK_ESCAPE);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter: FinishWithKey(VK_RETURN); return;
    default: break;
  }
  if (vk != 0 && (m_arrowsEndEdit || (event->modifiers() & Qt::ControlModifier))) {
    FinishWithKey(vk);
    return;
  }
  QLineEdit::keyPressEvent(event);
  if (vk == 0 && !event->text().isEmpty()) GrowToText();
  // The box wants every key: one it has no use for (Up, Down, PageUp,
  // PageDown here) must not go on to the grid, which would move its focus
  // cell under the open box.
  event->accept();
}

void CInPlaceEdit::FinishWithKey(int vk) {
  m_lastKey = vk;
  m_grid->setFocus(Qt::OtherFocusReason);
  // Without a focus change (the grid cannot take it) the edit ends here.
  EndEdit();
}

void CInPlaceEdit::GrowToText() {
  const int width = fontMetrics().horizontalAdvance(text() + QStringLiteral("  "));
  if (width <= m_rect.Width()) return;
  m_rect.right = std::min(m_rect.left + width, m_grid->viewport()->width());
  setGeometry(m_rect.ToQRect());
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  EndEdit();
}

void CInPlaceEdit::hideEvent(QHideEvent* event) {
  // Closed from outside (the cell's EndEdit, the grid scrolling): the edit
  // ends as on a loss of focus.
  QLineEdit::hideEvent(event);
  EndEdit();
}

void CInPlaceEdit::EndEdit() {
  if (g_ending || m_ended) return;
  m_ended = true;
  GridDispInfo info;
  info.window = m_grid;
  info.id = m_id;
  info.code = NotifyEndEdit;
  info.item.row = m_row;
  info.item.col = m_col;
  info.item.mask = CellInfoMask::Text | CellInfoMask::Data;
  info.item.data = m_lastKey;
  info.item.text = text();
  g_ending = true;
  hide();
  g_ending = false;
  m_grid->OnEndInPlaceEdit(&info);
  deleteLater();
}

}  // namespace vorenx
