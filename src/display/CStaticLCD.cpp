// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "display/CStaticLCD.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QPainter>
#include <QShortcut>
#include <QThread>

#include "link/SampleHistory.h"
#include "link/CDeviceLink.h"

namespace vorenx {

namespace {
QRect ToQRect(const PanelRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
QColor ToQColor(ColorRef c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}
}  // namespace

QKeySequence SaveImageShortcut() { return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S); }

CStaticLCD::CStaticLCD(QelDisplayDll& display, CDeviceLink* link, QWidget* parent)
    : QWidget(parent), m_display(display), m_pLink(link),
      m_upperWave(kHistoryCapacity, 0.0), m_lowerWave(kHistoryCapacity, 0.0) {
  // The panel paints every pixel itself, so the window behind it is never
  // repainted for it (the main window's paint handler redraws the panel).
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  SetSaveDialogRunner({});
  // Queued: the emitting worker never waits for the window's thread and never
  // touches the widget itself.
  connect(this, &CStaticLCD::RepaintRequested, this, qOverload<>(&QWidget::update),
          Qt::QueuedConnection);
  // The panel takes no keyboard focus: its command has a key of its own in
  // the whole window.
  auto* saveKey = new QShortcut(SaveImageShortcut(), this);
  saveKey->setContext(Qt::WindowShortcut);
  connect(saveKey, &QShortcut::activated, this, [this] { OnSaveImage(); });
}

CStaticLCD::~CStaticLCD() = default;

void CStaticLCD::InitBuffers() {
  std::lock_guard redrawLock(m_redrawLock);
  m_clientRect = {0, 0, width(), height()};
  const int f = kPanelFrameWidth;
  m_innerRect = {f, f, m_clientRect.right - f, m_clientRect.bottom - f};
  m_waveRect = {m_innerRect.left + 20, m_innerRect.top + 430, m_innerRect.right - 70,
                m_innerRect.bottom - 40};
  QImage fresh(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  fresh.fill(Qt::black);
  std::lock_guard guard(m_imageGuard);
  m_memImage = std::move(fresh);
}

ColorRef Dimmed(ColorRef c) {
  const auto dim = [](ColorRef part) { return static_cast<int>((part & 0xFF) * 35 / 100); };
  return Rgb(dim(c), dim(c >> 8), dim(c >> 16));
}

bool CStaticLCD::Live() {
  std::lock_guard redrawLock(m_redrawLock);
  return m_live;
}

void CStaticLCD::Redraw(bool newReading) {
  std::lock_guard redrawLock(m_redrawLock);
  if (!m_pLink || m_clientRect.Width() <= 0 || m_clientRect.Height() <= 0) return;
  // Live again only with a reading, not as soon as the link is back.
  if (m_pLink->m_connected.load(std::memory_order_relaxed) == 0)
    m_live = false;
  else if (newReading)
    m_live = true;
  QImage scratch(m_clientRect.Width(), m_clientRect.Height(), QImage::Format_RGB32);
  {
    QPainter painter(&scratch);
    Compose(painter);
  }
  {
    std::lock_guard guard(m_imageGuard);
    m_memImage = std::move(scratch);
  }
  Invalidate();
}

void CStaticLCD::Compose(QPainter& painter) {
  const InstrumentState state = m_pLink->State();
  painter.fillRect(ToQRect(m_clientRect), ToQColor(kPanelFrameColour));
  painter.fillRect(ToQRect(m_innerRect), Qt::black);
  const int l = m_innerRect.left, t = m_innerRect.top, r = m_innerRect.right;
  DrawRangesAndRun(painter, l + 20, t, state);
  m_display.dmmDrawGrid(&painter, m_waveRect.left, m_waveRect.top, m_waveRect.right,
                        m_waveRect.bottom, m_pLink->IntervalSeconds(), state.upperFunction,
                        state.lowerFunction, state.celsius);
  DrawValues(painter, r - 160, t + 95, state);
  DrawUnits(painter, r - 120, t + 90, state);
  DrawBars(painter, l + 20, t + 140, state);
  DrawWave(painter, state);
  if (!m_live) DrawNoLinkMark(painter, l + 380, t + 30);
}

void CStaticLCD::DrawNoLinkMark(QPainter& painter, int x, int y) {
  // Under the run indicator, in the colour it uses for "STOP".
  const QColor colour(255, 90, 70);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(12);
  font.setBold(true);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setFont(font);
  const QRectF box(x, y, 66, 18);
  painter.setPen(QPen(colour, 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(box, 3, 3);
  painter.drawText(box, Qt::AlignCenter, QStringLiteral("NO LINK"));
  painter.restore();
}

void CStaticLCD::DrawRangesAndRun(QPainter& painter, int x, int y, const InstrumentState& state) {
  m_display.dmmDrawMenuRange(&painter, x, y + 10, state.upperFunction, state.celsius);
  m_display.dmmDrawMenuRange(&painter, x, y + 205, state.lowerFunction, state.celsius);
  m_display.dmmDrawRun(&painter, x + 400, y + 5, m_pLink->m_running.load(std::memory_order_relaxed));
}

void CStaticLCD::DrawValues(QPainter& painter, int x, int y, const InstrumentState& state) {
  m_display.dmmDrawValue(&painter, x, y, 0, state.upperValue, 3, UpperColour());
  const int decimals = m_display.SFGetDecimalLen(state.lowerFunction, state.lowerValue);
  m_display.dmmDrawValue(&painter, x, y + 195, 0, state.lowerValue, decimals, LowerColour());
}

void CStaticLCD::DrawUnits(QPainter& painter, int x, int y, const InstrumentState& state) {
  m_display.dmmDrawUnits(&painter, x, y, state.upperFunction, state.celsius, state.outputOff,
                         UpperColour());
  m_display.dmmDrawUnits(&painter, x, y + 195, state.lowerFunction, state.celsius, state.outputOff,
                         LowerColour());
}

void CStaticLCD::DrawBars(QPainter& painter, int x, int y, const InstrumentState& state) {
  m_display.dmmDrawBar(&painter, x, y, state.upperFunction, state.upperValue, state.celsius,
                       UpperColour());
  m_display.dmmDrawBar(&painter, x, y + 205, state.lowerFunction, state.lowerValue, state.celsius,
                       LowerColour());
}

void CStaticLCD::DrawWave(QPainter& painter, const InstrumentState& state) {
  if (m_pLink->History().SampleCount() == 0) return;
  const int upperCount = m_pLink->CopyUpperValues(m_upperWave.data());
  const int lowerCount = m_pLink->CopyLowerValues(m_lowerWave.data());
  // The two copies are taken under separate holds of the history's guard; the
  // wave uses only the samples both of them hold, so a sample appended (or a
  // clear) in between never makes the library read a slot this copy did not fill.
  const int count = std::min(upperCount, lowerCount);
  if (count == 0) return;
  m_display.dmmDrawWave(&painter, m_waveRect.left, m_waveRect.top, m_waveRect.right,
                        m_waveRect.bottom, state.upperFunction, state.lowerFunction, state.celsius,
                        m_upperWave.data(), m_lowerWave.data(), count - 1);
}

void CStaticLCD::Invalidate() {
  if (QThread::currentThread() == thread()) {
    update();
  } else {
    emit RepaintRequested();
  }
}

QImage CStaticLCD::CurrentImage() {
  std::lock_guard guard(m_imageGuard);
  return m_memImage.copy();
}

void CStaticLCD::paintEvent(QPaintEvent*) { OnPaint(); }

void CStaticLCD::OnPaint() {
  QImage shown;
  {
    QPainter painter(this);
    std::lock_guard guard(m_imageGuard);
    if (m_memImage.isNull())
      painter.fillRect(rect(), Qt::black);
    else
      painter.drawImage(0, 0, m_memImage);
    shown = m_memImage;  // shares the pixels; nobody writes them in place
  }
  if (m_pLink && m_pLink->m_saveImagePending.exchange(false)) {
    const QString path = m_pLink->m_saveImagePath;
    if (shown.isNull() || m_display.SaveToBmp(shown, path) == 0) emit SaveImageFailed(path);
  }
}

std::unique_ptr<QMenu> CStaticLCD::CreateContextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  QAction* save = menu->addAction(tr("Save Image"));
  save->setData(kCmdSaveImage);
  save->setShortcut(SaveImageShortcut());
  save->setShortcutVisibleInContextMenu(true);
  return menu;
}

void CStaticLCD::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu = CreateContextMenu();
  if (QAction* chosen = menu->exec(event->globalPos())) OnCommand(chosen->data().toInt());
}

void CStaticLCD::OnCommand(int id) {
  if (id == kCmdSaveImage) OnSaveImage();
}

SaveFileRequest CStaticLCD::SaveImageRequest() {
  SaveFileRequest request;
  request.title = tr("Save Data As Bmp...");
  request.defaultSuffix = QStringLiteral("bmp");
  request.filter = tr("Bmp File(*.bmp)");
  return request;
}

std::unique_ptr<QFileDialog> CStaticLCD::CreateSaveDialog() {
  return QtUserDialogs::CreateFileDialog(nullptr, SaveImageRequest());
}

void CStaticLCD::SetSaveDialogRunner(SaveDialogRunner runner) {
  if (runner) {
    m_saveDialog = std::move(runner);
    return;
  }
  m_saveDialog = [] {
    QtUserDialogs dialogs(QApplication::applicationName());
    QString path;
    return dialogs.AskSaveFileName(nullptr, SaveImageRequest(), path) ? path : QString();
  };
}

void CStaticLCD::OnSaveImage() {
  if (!m_pLink) return;
  const QString path = m_saveDialog();
  if (path.isEmpty()) return;
  m_pLink->m_saveImagePath = path;
  m_pLink->m_saveImagePending.store(true);
  // The file is written by the next paint; make sure there is one even when
  // no poll redraws the panel (stopped or disconnected).
  update();
}

}  // namespace vorenx
