// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The push button of the calibration dialogs: named for the tests, and never
// a default button, so that Enter in a field never starts or ends anything.

#include <QPushButton>

namespace vorenx {

inline QPushButton* DialogButton(const QString& text, const QString& name) {
  auto* button = new QPushButton(text);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

}  // namespace vorenx
