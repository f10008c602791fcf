// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// CTitleTip: a frameless tool window that shows the whole text of a clipped
// cell over that cell while the mouse stays on it. Clicks on it reach the
// cell below (a quick second click as a double click); leaving the cell,
// any key or click hides it.

#include <QEvent>
#include <QFont>
#include <QWidget>

#include "grid/GridTypes.h"

namespace vorenx {

class CTitleTip : public QWidget {
  Q_OBJECT

 public:
  CTitleTip();
  ~CTitleTip() override;

  // Sets the grid whose viewport the tip lies over; once.
  virtual bool Create(CGridCtrl* parent);
  // Shows `text` at textRect's top-left when it does not fit in textRect;
  // both rectangles are in the grid viewport's coordinates. The tip stays
  // while the mouse is inside hoverRect (textRect when hoverRect is empty).
  // CLR_DEFAULT colours take the palette's tooltip colours; without a
  // font the grid's is used.
  void Show(const CRect& textRect, const QString& text, const CRect& hoverRect, const LOGFONT* font,
            COLORREF textColour = CLR_DEFAULT, COLORREF backColour = CLR_DEFAULT);
  void Hide();
  // The hover rectangle as kept, in viewport coordinates.
  QRect HoverRect() const { return m_hoverRect; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Passes a mouse event on to the grid's viewport, in its coordinates.
  void Forward(QEvent::Type type, const QMouseEvent& event);

  CGridCtrl* m_parent = nullptr;
  QRect m_hoverRect;
  qint64 m_lastClickTick = -1;
  int m_doubleClickTime;
  bool m_created = false;
  QString m_text;
  QFont m_font;
  QColor m_textColour;
  QColor m_backColour;
};

}  // namespace vorenx
