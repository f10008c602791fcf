// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/CUpDown.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace vorenx {

CUpDown::CUpDown(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CUpDown::SetRange32(std::uint32_t packed) {
  m_lower = static_cast<std::int16_t>(packed >> 16);
  m_upper = static_cast<std::int16_t>(packed & 0xFFFFu);
}

void CUpDown::SetBuddy(QWidget* buddy) {
  if (m_buddy) m_buddy->removeEventFilter(this);
  m_buddy = buddy;
  if (m_buddy) m_buddy->installEventFilter(this);
}

void CUpDown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int half = height() / 2;
  const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
  for (int i = 0; i < 2; ++i) {
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = halves[i];
    const bool down = (i == 0 && m_pressed < 0) || (i == 1 && m_pressed > 0);
    option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    // A small filled triangle pointing up or down.
    const QRectF r = halves[i];
    const qreal w = std::max<qreal>(2.0, std::min(r.width(), r.height()) / 3.0);
    const QPointF c = r.center();
    QPainterPath arrow;
    if (i == 0) {
      arrow.moveTo(c.x() - w, c.y() + w / 2);
      arrow.lineTo(c.x() + w, c.y() + w / 2);
      arrow.lineTo(c.x(), c.y() - w / 2);
    } else {
      arrow.moveTo(c.x() - w, c.y() - w / 2);
      arrow.lineTo(c.x() + w, c.y() - w / 2);
      arrow.lineTo(c.x(), c.y() + w / 2);
    }
    arrow.closeSubpath();
    painter.fillPath(arrow, palette().color(isEnabled() ? QPalette::ButtonText : QPalette::Mid));
  }
}

void CUpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool up = event->position().y() < height() / 2.0;
  m_pressed = up ? -1 : 1;
  update();
  if (up)
    ClickUp();
  else
    ClickDown();
}

void CUpDown::mouseReleaseEvent(QMouseEvent*) {
  m_pressed = 0;
  update();
}

bool CUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up) {
      ClickUp();
      return true;
    }
    if (key == Qt::Key_Down) {
      ClickDown();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vorenx
