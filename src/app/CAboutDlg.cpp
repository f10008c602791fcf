// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/CAboutDlg.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/DialogUnits.h"
#include "platform/FileText.h"
#include "platform/ScreenFit.h"

namespace vorenx {

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : kApplicationIconSizes)
    icon.addFile(QStringLiteral(":/icons/%1x%1/apps/vorenx.png").arg(size), QSize(size, size));
  return icon;
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("关于 Vorenx"));
  setModal(true);
  const QFont font = DialogFont(9);
  setFont(font);
  const DialogBaseUnits units = BaseUnitsOf(font);
  setFixedSize(MapDialogRect(units, 0, 0, 170, 62).size());

  m_icon = new QLabel(this);
  m_icon->setObjectName(QStringLiteral("icon"));
  const QRect iconRect = MapDialogRect(units, 14, 14, 21, 20);
  m_icon->setPixmap(ApplicationIcon().pixmap(32, 32));
  m_icon->setGeometry(QRect(iconRect.topLeft(), QSize(32, 32)));

  m_text = new QLabel(QStringLiteral("Vorenx，%1 版").arg(VersionMajorMinor()), this);
  m_text->setObjectName(QStringLiteral("text"));
  m_text->setGeometry(MapDialogRect(units, 42, 14, 114, 8));

  m_ok = new QPushButton(QStringLiteral("确定"), this);
  m_ok->setObjectName(QStringLiteral("ok"));
  m_ok->setGeometry(MapDialogRect(units, 113, 41, 50, 14));
  m_ok->setDefault(true);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QRect fitted = FitWindowOnScreen(geometry(), frameGeometry(), screen());
  if (fitted != geometry()) move(fitted.topLeft());
}

}  // namespace vorenx
