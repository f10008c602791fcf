// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "grid/GridMemDC.h"

#include <QPagedPaintDevice>
#include <QPaintDevice>

namespace vorenx {

bool CMemDCGrid::IsPagedDevice(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  if (!device) return false;
  return device->devType() == QInternal::Printer || dynamic_cast<const QPagedPaintDevice*>(device) != nullptr;
}

CMemDCGrid::CMemDCGrid(QPainter& target, const QRect& rect, const QColor& background)
    : m_target(target), m_rect(rect) {
  m_buffered = !IsPagedDevice(target) && !rect.isEmpty() && target.device();
  if (!m_buffered) return;
  const qreal ratio = target.device()->devicePixelRatioF();
  m_image = QImage(rect.size() * ratio, QImage::Format_RGB32);
  if (m_image.isNull()) {
    // No memory for the image: paint straight to the target instead.
    m_buffered = false;
    return;
  }
  m_image.setDevicePixelRatio(ratio);
  m_image.fill(background);
  m_painter = std::make_unique<QPainter>(&m_image);
  m_painter->translate(-rect.topLeft());
  m_painter->setFont(target.font());
}

CMemDCGrid::~CMemDCGrid() {
  if (!m_buffered) return;
  m_painter->end();
  m_target.drawImage(m_rect.topLeft(), m_image);
}

}  // namespace vorenx
