// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the readings benchmarks share: dialogs that never show, and the heap in use.
#include <malloc.h>

#include "platform/UserDialogs.h"

namespace vorenx::bench {

class NoDialogs : public UserDialogs {
 public:
  bool AskSaveFileName(QWidget*, const SaveFileRequest&, QString&) override { return false; }
  void ShowMessage(QWidget*, const QString&) override {}
};

inline std::size_t HeapInUse() { return mallinfo2().uordblks; }

}  // namespace vorenx::bench
