// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The communication library seen through one port: the station's start-up
// probe and every call reach the calibrator the command line names, and no
// other port is opened or asked (another instrument on a default device path
// must not be calibrated by mistake).

#include "link/QelHardDll.h"

namespace vorenx::calibrate_cli {

class OnePortLibrary final : public QelHardDll {
 public:
  OnePortLibrary(QelHardDll& library, std::int32_t port) : m_library(library), m_port(port) {}

  std::uint16_t QelIsDevConnect(std::int32_t port) override;
  std::uint16_t QelOpenCOM(std::int32_t port) override;
  std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) override;
  std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) override;
  std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value) override;
  std::uint16_t QelCloseCOM(std::int32_t port) override;
  QString PortPath(std::int32_t port) override { return m_library.PortPath(port); }

 private:
  QelHardDll& m_library;
  std::int32_t m_port;
};

}  // namespace vorenx::calibrate_cli
