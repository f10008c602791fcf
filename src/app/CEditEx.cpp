// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/CEditEx.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPalette>
#include <QTimer>

#include "app/EditRules.h"

namespace vorenx {
namespace {

// Editing shortcuts keep their ordinary effect; what they bring in is
// validated when the field is left.
bool IsEditingShortcut(const QKeyEvent& event) {
  static constexpr QKeySequence::StandardKey kKeys[] = {
      QKeySequence::Copy, QKeySequence::Cut,  QKeySequence::Paste,
      QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll};
  for (QKeySequence::StandardKey key : kKeys) {
    if (event.matches(key)) return true;
  }
  return false;
}

}  // namespace

CEditEx::CEditEx(QWidget* parent) : QLineEdit(parent) {
  // Typed text goes through the character filter only; an input method would
  // bypass it.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  ApplyFont();
  ApplyColours();
}

CEditEx::~CEditEx() = default;

void CEditEx::ApplyFont() {
  m_fontSize = 100;
  m_fontFace = QStringLiteral("Arial");
  m_font = QFont(m_fontFace);
  m_font.setPointSizeF(m_fontSize / 10.0);
  setFont(m_font);
}

void CEditEx::ApplyColours() {
  // A disabled field keeps the style's disabled colours: orange on dark grey
  // would look as if it took input.
  QPalette colours = palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    colours.setColor(group, QPalette::Text, m_textColour);
    colours.setBrush(group, QPalette::Base, m_backBrush);
  }
  setPalette(colours);
}

void CEditEx::SetValue(double value) {
  m_text = editrules::FormatFixed(value, m_decimals);
  setText(m_text);
  ValidateText();
}

float CEditEx::GetValue() const { return editrules::LeadingNumber(text()); }

editrules::NumberFormat CEditEx::Format() const {
  return {m_minValue, m_maxValue, m_decimals, m_allowNegative};
}

float CEditEx::ClampedValue() const { return editrules::ClampNumber(GetValue(), Format()); }

QString CEditEx::ValidateText() {
  QString shown = editrules::ValidatedText(text(), Format());
  if (shown != text()) setText(shown);
  return shown;
}

std::uint16_t CEditEx::SetLimits(float lower, float upper) {
  const std::uint16_t mask = editrules::LimitsChangeMask(m_minValue, m_maxValue, lower, upper);
  if (mask & 1U) m_minValue = lower;
  if (mask & 2U) m_maxValue = upper;
  return mask;
}

int CEditEx::TypedChar(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Backspace) return static_cast<int>(editrules::kBackspace);
  if (event.key() == Qt::Key_Delete || IsEditingShortcut(event)) return -1;
  const QString text = event.text();
  if (text.isEmpty()) return -1;
  // One typed character; a surrogate pair or several characters in one event
  // are beyond the accepted set anyway.
  return text.size() == 1 ? text.front().unicode() : 0x10000;
}

bool CEditEx::Accepts(char32_t c) const {
  qsizetype start = cursorPosition();
  qsizetype end = start;
  if (hasSelectedText()) {
    start = selectionStart();
    end = selectionEnd();
  }
  return editrules::AcceptsChar(text(), start, end, c, m_allowNegative);
}

void CEditEx::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    CommitInPlace();
    event->accept();  // stops here: the dialog's default button is not pressed
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    event->ignore();  // the window's: it closes as everywhere else
    return;
  }
  const int c = TypedChar(*event);
  if (c == ',' && Accepts(U'.')) {
    insert(QStringLiteral("."));
    event->accept();
    return;
  }
  if (c >= 0 && !Accepts(static_cast<char32_t>(c))) {
    event->accept();  // refused: dropped
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CEditEx::mousePressEvent(QMouseEvent* event) {
  const bool focusFromThisPress = m_focusFromPress;
  m_focusFromPress = false;
  if (event->button() != Qt::RightButton) {
    QLineEdit::mousePressEvent(event);
    return;
  }
  // Select everything, then take the focus; the press goes no further. When
  // this press gave the focus, the focus arrives after the selection, which
  // puts the caret at the end and clears it.
  selectAll();
  if (!hasFocus()) {
    setFocus(Qt::MouseFocusReason);
  } else if (focusFromThisPress) {
    CaretToEnd();
  }
  event->accept();
}

void CEditEx::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() == Qt::PopupFocusReason) return;  // back from a popup: never left
  if (event->reason() == Qt::MouseFocusReason) {
    // The press that gave the focus is delivered right after this, within the
    // same event; the flag ends with it.
    m_focusFromPress = true;
    QTimer::singleShot(0, this, [this] { m_focusFromPress = false; });
  }
  CaretToEnd();
}

void CEditEx::focusOutEvent(QFocusEvent* event) {
  if (event->reason() == Qt::PopupFocusReason) {  // a popup (the context menu) opened
    QLineEdit::focusOutEvent(event);
    return;
  }
  m_focusFromPress = false;
  if (m_validateOnKillFocus) ValidateText();
  QLineEdit::focusOutEvent(event);
  // A window that is closing (or being destroyed: ~QDialog hides it first) is
  // not told: its handlers may belong to an owner that is half torn down.
  if (!window()->isHidden()) emit editingCommitted();
  m_text = text();
}

void CEditEx::CommitInPlace() {
  if (m_validateOnKillFocus) ValidateText();
  emit editingCommitted();
  m_text = text();
  CaretToEnd();
}

void CEditEx::CaretToEnd() {
  deselect();
  end(false);  // moves the caret to the end and scrolls it into view
}

}  // namespace vorenx
