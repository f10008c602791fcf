// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// Binds the program's QelHardDll interface to this library's exports.
#include "QelHard.h"
#include "link/QelHardDll.h"

namespace vorenx {
namespace {

class QelHardBinding final : public QelHardDll {
 public:
  std::uint16_t QelIsDevConnect(std::int32_t port) override { return ::QelIsDevConnect(port); }
  std::uint16_t QelOpenCOM(std::int32_t port) override { return ::QelOpenCOM(port); }
  std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) override {
    return ::QelGetData(port, buffer, size);
  }
  std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) override {
    return ::QelSetUpper(port, function);
  }
  std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode,
                            float value) override {
    return ::QelSetLower(port, function, mode, value);
  }
  std::uint16_t QelCloseCOM(std::int32_t port) override { return ::QelCloseCOM(port); }
  QString PortPath(std::int32_t port) override { return ::QelPortPath(port); }
};

}  // namespace

QelHardDll& DefaultQelHardDll() {
  static QelHardBinding binding;
  return binding;
}

}  // namespace vorenx
