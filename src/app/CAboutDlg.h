// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The About box (template 100): the application icon, the program's name and
// version, and an OK button that closes it. 170 x 62 dialog units.

#include <QDialog>

class QIcon;
class QLabel;
class QPushButton;

namespace vorenx {

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  QLabel* IconLabel() const { return m_icon; }
  QLabel* TextLabel() const { return m_text; }
  QPushButton* OkButton() const { return m_ok; }

 protected:
  // Kept within the screen it opens on.
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* m_icon = nullptr;
  QLabel* m_text = nullptr;
  QPushButton* m_ok = nullptr;
};

// The sizes the application icon comes in (data/icons/hicolor/<N>x<N>/apps).
inline constexpr int kApplicationIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The application icon (resource 128): the embedded PNGs of data/icons/vorenx.svg.
QIcon ApplicationIcon();

}  // namespace vorenx
