// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A small up-down control: an up and a down arrow stacked in one narrow
// widget. It proposes a change of position and leaves the rest to its owner.
// As the wave-length spin is set up (range 20 down to a negative upper end),
// the up arrow proposes a delta of -1 and the down arrow +1. The up and down
// arrow keys pressed in its buddy act like the two arrows.

#include <QWidget>
#include <functional>

namespace vorenx {

class CUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit CUpDown(QWidget* parent = nullptr);

  // The control's range packed as the template packs it: high half the lower
  // end, low half the upper end as a signed 16-bit number.
  void SetRange32(std::uint32_t packed);
  int Lower() const { return m_lower; }
  int Upper() const { return m_upper; }
  void SetPos(int pos) { m_pos = pos; }
  int Pos() const { return m_pos; }
  // The field whose arrow keys act like the arrows.
  void SetBuddy(QWidget* buddy);
  QWidget* Buddy() const { return m_buddy; }

  // The delta each arrow proposes: -1 for up and +1 for down while the upper
  // end lies below the lower end, the reverse otherwise.
  int UpDelta() const { return m_upper < m_lower ? -1 : 1; }
  void ClickUp() { emit deltaRequested(UpDelta()); }
  void ClickDown() { emit deltaRequested(-UpDelta()); }

 signals:
  // A user action proposes moving the position by `delta`.
  void deltaRequested(int delta);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int m_lower = 0;
  int m_upper = 100;
  int m_pos = 0;
  int m_pressed = 0;  // -1 up arrow held, +1 down arrow held, 0 none
  QWidget* m_buddy = nullptr;
};

}  // namespace vorenx
