// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The communication library seen through one port: a program that drives one
// named instrument (a logging process of vorenx-logger, vorenx-calibrate) lets
// the worker's start-up probe and every call reach that port only, so that no
// other port is opened or asked: an instrument another process logs is never
// disturbed, and another instrument on a default path is never calibrated.

#include "link/QelHardDll.h"

namespace vorenx {

class OnePortLibrary final : public QelHardDll {
 public:
  OnePortLibrary(QelHardDll& library, std::int32_t port) : m_library(library), m_port(port) {}

  std::int32_t Port() const { return m_port; }

  // Every other port answers as a port without a device: 0, at once.
  std::uint16_t QelIsDevConnect(std::int32_t port) override;
  std::uint16_t QelOpenCOM(std::int32_t port) override;
  std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) override;
  std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) override;
  std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value) override;
  std::uint16_t QelCloseCOM(std::int32_t port) override;
  QString PortPath(std::int32_t port) override { return m_library.PortPath(port); }

 private:
  QelHardDll& m_library;
  const std::int32_t m_port;
};

}  // namespace vorenx
