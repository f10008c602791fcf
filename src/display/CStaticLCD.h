// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The meter panel: the black LCD area of the main window. Redraw composes both
// channels' label, number, unit and bar, the run indicator and the wave through
// the drawing library into a scratch image, then hands the finished image to
// the paint handler under m_imageGuard, so a paint never shows half a panel.
//
// Threads: Redraw runs on the worker and on the window's thread; whole redraws
// are serialised by m_redrawLock (taken before any other lock), because the two
// wave copy buffers are shared. A redraw on the worker asks for the repaint
// with a queued, non-waiting invocation. Everything else runs on the window's
// thread.

#include <QImage>
#include <QKeySequence>
#include <QString>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "link/QelDisplayDll.h"
#include "platform/UserDialogs.h"

class QFileDialog;
class QMenu;

namespace vorenx {

class CDeviceLink;
struct InstrumentState;

// A rectangle as the layout is written: right and bottom are exclusive.
struct PanelRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

inline constexpr ColorRef kPanelFrameColour = Rgb(151, 183, 245);  // 0xF5B797
inline constexpr ColorRef kUpperChannelColour = Rgb(0, 255, 255);  // 0xFFFF00
inline constexpr ColorRef kLowerChannelColour = Rgb(127, 255, 0);  // 0x00FF7F
// A display whose reading is in alarm (outside its limits, not yet back by the hysteresis).
inline constexpr ColorRef kAlarmColour = Rgb(255, 40, 40);
// The channel colours while the panel is not live: the same hue, dimmed.
ColorRef Dimmed(ColorRef colour);
inline constexpr int kCmdSaveImage = 32771;
// Save Image from the keyboard, anywhere in the panel's window (Ctrl+Shift+S).
QKeySequence SaveImageShortcut();
inline constexpr int kPanelFrameWidth = 5;

class CStaticLCD : public QWidget {
  Q_OBJECT

 public:
  // Shows the save-as dialog; returns the chosen full path, empty when cancelled.
  using SaveDialogRunner = std::function<QString()>;

  explicit CStaticLCD(QelDisplayDll& display, CDeviceLink* link = nullptr, QWidget* parent = nullptr);
  ~CStaticLCD() override;

  // The link must be set before the first Redraw and must outlive the panel.
  void SetLink(CDeviceLink* link) { m_pLink = link; }
  // Measures the panel once and creates the finished image (black until the
  // first Redraw). The main window calls it after placing the panel.
  void InitBuffers();
  // Composes the whole panel and schedules a repaint. Any thread. Does nothing
  // before InitBuffers or without a link. `newReading` is true when a reading
  // has just been decoded (the worker after a poll).
  //
  // The panel is live from a reading made while the link is connected until
  // the link is lost. While it is not live the last values are not presented
  // as current: numbers, units and bars are dimmed and a "NO LINK" mark shows
  // beside the run indicator; the layout stays the same.
  void Redraw(bool newReading = false);
  // Whether the last Redraw drew the values as live.
  bool Live();
  // Which displays are in alarm: their number, unit and bar are drawn in
  // kAlarmColour from the next Redraw on. Any thread.
  void SetAlarms(bool upper, bool lower) {
    m_upperAlarm.store(upper, std::memory_order_relaxed);
    m_lowerAlarm.store(lower, std::memory_order_relaxed);
  }

  // Command dispatch of the panel's menu: kCmdSaveImage runs OnSaveImage.
  void OnCommand(int id);
  // Asks for a path; on OK stores it in the link as a pending save that the
  // next paint writes.
  void OnSaveImage();
  // The popup of the right-click menu ("Save Image", command kCmdSaveImage,
  // showing its shortcut).
  std::unique_ptr<QMenu> CreateContextMenu();
  // The save-as dialog as the panel shows it (title, filter, suffix, overwrite prompt).
  static std::unique_ptr<QFileDialog> CreateSaveDialog();
  // Replaces the dialog (tests); an empty runner restores the real one.
  void SetSaveDialogRunner(SaveDialogRunner runner);

  const PanelRect& ClientRect() const { return m_clientRect; }
  const PanelRect& InnerRect() const { return m_innerRect; }
  const PanelRect& WaveRect() const { return m_waveRect; }
  // A copy of the finished image, taken under m_imageGuard.
  QImage CurrentImage();

 signals:
  // The pending bitmap could not be written (unwritable path, full disk).
  void SaveImageFailed(const QString& path);
  // Emitted by a redraw on another thread; queued to update() on the panel's thread.
  void RepaintRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // What the save-as dialog asks for: a bitmap, with a question before an
  // existing one is replaced; no proposed name.
  static SaveFileRequest SaveImageRequest();
  void OnPaint();
  void Compose(QPainter& painter);
  void DrawRangesAndRun(QPainter& painter, int x, int y, const InstrumentState& state);
  void DrawValues(QPainter& painter, int x, int y, const InstrumentState& state);
  void DrawUnits(QPainter& painter, int x, int y, const InstrumentState& state);
  void DrawBars(QPainter& painter, int x, int y, const InstrumentState& state);
  void DrawNoLinkMark(QPainter& painter, int x, int y);
  ColorRef UpperColour() const { return Shown(m_upperAlarm.load(std::memory_order_relaxed) ? kAlarmColour : kUpperChannelColour); }
  ColorRef LowerColour() const { return Shown(m_lowerAlarm.load(std::memory_order_relaxed) ? kAlarmColour : kLowerChannelColour); }
  ColorRef Shown(ColorRef colour) const { return m_live ? colour : Dimmed(colour); }
  void DrawWave(QPainter& painter, const InstrumentState& state);
  void Invalidate();

  QelDisplayDll& m_display;
  CDeviceLink* m_pLink = nullptr;
  PanelRect m_clientRect;
  PanelRect m_innerRect;
  PanelRect m_waveRect;
  std::vector<double> m_upperWave;
  std::vector<double> m_lowerWave;
  QImage m_memImage;               // the finished panel; guarded by m_imageGuard
  std::mutex m_imageGuard;
  std::mutex m_redrawLock;         // one whole Redraw at a time
  bool m_live = false;             // guarded by m_redrawLock
  std::atomic<bool> m_upperAlarm{false};
  std::atomic<bool> m_lowerAlarm{false};
  SaveDialogRunner m_saveDialog;
};

}  // namespace vorenx
