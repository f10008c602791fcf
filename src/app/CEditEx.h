// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// CEditEx: the single-line number field of the settings panel (source value)
// and of the wave settings (length). It filters typed characters down to
// digits, a sign at the front and a decimal point, keeps a lower and an upper
// limit and a number of decimals, and when the field is left (or Enter is
// pressed in it) rewrites its text as the clamped number with exactly that many
// decimals. Orange text on dark grey, 10-point Arial.
//
// Signals for the owner:
//   editingCommitted() - the field was left (it lost the focus), or Enter was
//                        pressed in it. Emitted after the text was validated
//                        (when validation on leaving is on), so the owner reads
//                        the validated text. Not emitted when the focus goes
//                        because the window is closing. Enter keeps the focus in the field
//                        and goes no further: a dialog's default button is not
//                        pressed. The owner takes the value over on this signal.
//
// A "," typed where a "." would be accepted is taken as the decimal point
// (the decimal key of a comma locale's keypad types one). Escape is not the
// field's: it goes on to the window.
//
// Text that does not come from typed characters (paste, the context menu,
// setText) is not filtered; validation reads it as its longest leading number.
// The focus moving to the field's own context menu and back is not leaving it.
//
// Threads: window's thread only. Owners on other threads hand their calls to
// it (the worker's source-field fitting is a blocking hand-off).

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QString>
#include <cstdint>

#include "app/EditRules.h"

namespace vorenx {

class CEditEx : public QLineEdit {
  Q_OBJECT

 public:
  explicit CEditEx(QWidget* parent = nullptr);
  ~CEditEx() override;

  // Shows `value` with the set decimals, remembers that text, then validates.
  void SetValue(double value);
  // The shown text's longest leading number; 0 when there is none. No clamping.
  float GetValue() const;
  // The number validation would show, before rounding to the decimals: the
  // leading number, made positive when negatives are not allowed, clamped.
  float ClampedValue() const;
  // Rewrites the shown text as its number, made positive when negatives are not
  // allowed, clamped into the limits, with the set decimals. Returns that text.
  QString ValidateText();
  // Stores each limit that differs from the current one. Bit 0 of the result:
  // the lower limit changed; bit 1: the upper one. Leaves the text alone;
  // callers validate afterwards.
  std::uint16_t SetLimits(float lower, float upper);

  // When false, "-" cannot be typed and validation makes a negative number positive.
  void SetAllowNegative(bool allow) { m_allowNegative = allow; }
  bool AllowNegative() const { return m_allowNegative; }
  // Decimals written by validation and SetValue (default 3).
  void SetDecimals(std::uint16_t decimals) { m_decimals = decimals; }
  std::uint16_t Decimals() const { return m_decimals; }
  // Whether leaving the field (or Enter) validates the text (default true).
  void SetValidateOnKillFocus(bool validate) { m_validateOnKillFocus = validate; }
  bool ValidateOnKillFocus() const { return m_validateOnKillFocus; }
  float MinValue() const { return m_minValue; }
  float MaxValue() const { return m_maxValue; }
  // The text last written by SetValue or read back after the field was left.
  const QString& LastText() const { return m_text; }

 signals:
  void editingCommitted();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Font and colours, set up once by the constructor.
  void ApplyFont();
  void ApplyColours();
  // The typed character that the filter decides on, or -1 for a key that
  // types none and keeps its ordinary effect (arrows, Delete, shortcuts).
  static int TypedChar(const QKeyEvent& event);
  bool Accepts(char32_t c) const;
  editrules::NumberFormat Format() const;
  // Enter: what leaving and re-entering the field does, without moving the focus.
  void CommitInPlace();
  void CaretToEnd();

  QString m_text;
  float m_maxValue = 0.0F;
  float m_minValue = 0.0F;
  bool m_allowNegative = true;
  QColor m_textColour{255, 128, 0};
  QColor m_backColour{50, 50, 50};
  QBrush m_backBrush{m_backColour};
  QFont m_font;
  std::uint16_t m_fontSize = 0;  // tenths of a point
  QString m_fontFace;
  std::uint16_t m_decimals = 3;
  bool m_validateOnKillFocus = true;
  // Set while a mouse press is giving this field the focus: Qt gives the focus
  // before it delivers the press, so the press handler can tell the two apart.
  bool m_focusFromPress = false;
};

}  // namespace vorenx
