#pragma once
// What the readings benchmarks share: dialogs that never show, and the heap in use.
#include <malloc.h>

#include "log/ReadingsDialogs.h"

namespace vorenx::bench {

class NoDialogs : public ReadingsDialogs {
 public:
  bool AskSaveFileName(const SaveFileRequest&, QString&) override { return false; }
  void ShowMessage(const QString&) override {}
};

inline std::size_t HeapInUse() { return mallinfo2().uordblks; }

}  // namespace vorenx::bench
