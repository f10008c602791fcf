// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/TitleTip.h"

#include <QApplication>
#include <QDateTime>
#include <QMouseEvent>
#include <QPainter>

#include "grid/GridCtrl.h"

namespace vorenx {

CTitleTip::CTitleTip()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      m_doubleClickTime(QApplication::doubleClickInterval()) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setObjectName(QStringLiteral("CTitleTip"));
}

CTitleTip::~CTitleTip() = default;

bool CTitleTip::Create(CGridCtrl* parent) {
  if (m_created) return true;
  if (!parent) return false;
  m_parent = parent;
  m_created = true;
  return true;
}

void CTitleTip::Show(const CRect& textRect, const QString& text, const CRect& hoverRect, const LOGFONT* font,
                     COLORREF textColour, COLORREF backColour) {
  if (!m_created || textRect.Width() <= 0 || textRect.Height() <= 0 || isVisible()) return;
  CRect hover = hoverRect.Width() > 0 && hoverRect.Height() > 0 ? hoverRect : textRect;
  hover.WidenRightBottom(1);
  m_hoverRect = hover.ToQRect();
  if (!QApplication::focusWidget()) return;

  m_font = font ? QFontFromLogFont(*font) : m_parent->font();
  m_text = QLatin1Char(' ') + text + QLatin1Char(' ');
  const QFontMetrics metrics(m_font);
  const int width = metrics.horizontalAdvance(m_text) + 2;  // the border
  if (textRect.right >= textRect.left + width) return;

  const QPalette palette = m_parent->palette();
  m_backColour = backColour == CLR_DEFAULT ? palette.color(QPalette::ToolTipBase) : ToQColor(backColour);
  m_textColour = textColour == CLR_DEFAULT ? palette.color(QPalette::ToolTipText) : ToQColor(textColour);
  setGeometry(QRect(m_parent->viewport()->mapToGlobal(QPoint(textRect.left, textRect.top)),
                    QSize(width, textRect.Height())));
  show();
  raise();
}

void CTitleTip::Hide() {
  if (m_created) hide();
}

void CTitleTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), m_backColour);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setFont(m_font);
  painter.setPen(m_textColour);
  painter.drawText(rect().adjusted(1, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

void CTitleTip::Forward(QEvent::Type type, const QMouseEvent& event) {
  if (!m_parent) return;
  QWidget* target = m_parent->viewport();
  const QPointF global = event.globalPosition();
  const QPointF local = target->mapFromGlobal(global);
  if (type != QEvent::MouseMove && !target->rect().contains(local.toPoint())) return;
  QMouseEvent forwarded(type, local, global, event.button(), event.buttons(), event.modifiers());
  QCoreApplication::sendEvent(target, &forwarded);
}

void CTitleTip::mouseMoveEvent(QMouseEvent* event) {
  if (!m_parent) return;
  const QPoint point = m_parent->viewport()->mapFromGlobal(event->globalPosition()).toPoint();
  if (m_hoverRect.contains(point)) return;
  Hide();
  Forward(QEvent::MouseMove, *event);
}

void CTitleTip::mousePressEvent(QMouseEvent* event) {
  Hide();
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  const bool quick = event->button() == Qt::LeftButton && m_lastClickTick >= 0 &&
                     now - m_lastClickTick <= m_doubleClickTime;
  if (event->button() == Qt::LeftButton) m_lastClickTick = quick ? -1 : now;
  Forward(QEvent::MouseButtonPress, *event);
  if (quick) Forward(QEvent::MouseButtonDblClick, *event);
}

void CTitleTip::mouseReleaseEvent(QMouseEvent* event) { Forward(QEvent::MouseButtonRelease, *event); }

void CTitleTip::mouseDoubleClickEvent(QMouseEvent* event) {
  // The tip was hidden by the first click; a double click on it still is one.
  Forward(QEvent::MouseButtonPress, *event);
  Forward(QEvent::MouseButtonDblClick, *event);
}

}  // namespace vorenx
