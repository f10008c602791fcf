// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A paint device that keeps the texts drawn on each page, so that a test can
// read what every page of the certificate says.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <vector>

#include "CertificateSamples.h"

namespace vorenx::testing {

// The texts drawn on each page.
struct PageTexts {
  std::vector<QStringList> pages{1};

  // Every text of page `i` (0-based) joined by newlines.
  QString Page(std::size_t i) const { return pages.at(i).join(QLatin1Char('\n')); }
  QString All() const {
    QStringList all;
    for (const QStringList& p : pages) all << p;
    return all.join(QLatin1Char('\n'));
  }
};

// Keeps the text of every drawText, page by page.
class TextRecorder : public QPaintDevice, public PageTexts {
 public:
  TextRecorder(int width, int height) : m_width(width), m_height(height), m_engine(this) {}
  ~TextRecorder() override = default;

  QPaintEngine* paintEngine() const override { return &m_engine; }
  bool NewPage() {
    pages.emplace_back();
    return true;
  }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return m_width;
      case PdmHeight: return m_height;
      case PdmWidthMM: return m_width * 254 / 3000;
      case PdmHeightMM: return m_height * 254 / 3000;
      case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 300;
      case PdmNumColors: return 1 << 24;
      case PdmDepth: return 32;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(TextRecorder* device) : m_device(device) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override { m_device->pages.back() << item.text(); }
    Type type() const override { return QPaintEngine::User; }

   private:
    TextRecorder* m_device;
  };

  int m_width, m_height;
  mutable Engine m_engine;
};

}  // namespace vorenx::testing
