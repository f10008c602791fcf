// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A paint device that keeps the texts drawn on it, in order, so tests can read
// what the drawing library writes (labels, scales) instead of its pixels.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QTextItem>

namespace vorenx::testing {

class TextRecorder : public QPaintDevice {
 public:
  TextRecorder(int width, int height) : m_width(width), m_height(height) {}
  QPaintEngine* paintEngine() const override { return &m_engine; }
  const QStringList& Texts() const { return m_engine.texts; }
  void Clear() { m_engine.texts.clear(); }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return m_width;
      case PdmHeight: return m_height;
      case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 96;
      case PdmDepth: return 32;
      case PdmNumColors: return 1 << 24;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    Type type() const override { return QPaintEngine::User; }
    QStringList texts;
  };
  mutable Engine m_engine;
  int m_width;
  int m_height;
};

}  // namespace vorenx::testing
