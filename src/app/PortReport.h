// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The communication library as the program uses it, with a report of what
// happens to the ports: every call goes on to `inner` unchanged; when a port
// cannot be opened, the reason (from `describe`, e.g. "COM4 (/dev/ttyUSB4):
// in use by another program") is kept for the status line's tooltip and
// written once to `report` (again only when the reason changes). With
// `verbose` the opening and closing of ports are reported too.
//
// Threads: the calls come from the worker; Problem() may be read from any thread.

#include <QString>
#include <array>
#include <functional>
#include <mutex>

#include "instrument/Ports.h"
#include "link/QelHardDll.h"

namespace vorenx {

class PortReport final : public QelHardDll {
 public:
  using Describe = std::function<QString(std::int32_t port)>;
  using Report = std::function<void(const QString& line)>;

  PortReport(QelHardDll& inner, Describe describe, Report report, bool verbose = false);

  std::uint16_t QelIsDevConnect(std::int32_t port) override { return m_inner.QelIsDevConnect(port); }
  std::uint16_t QelOpenCOM(std::int32_t port) override;
  std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) override {
    return m_inner.QelGetData(port, buffer, size);
  }
  std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) override {
    return m_inner.QelSetUpper(port, function);
  }
  std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode, float value) override {
    return m_inner.QelSetLower(port, function, mode, value);
  }
  std::uint16_t QelCloseCOM(std::int32_t port) override;
  QString PortPath(std::int32_t port) override { return m_inner.PortPath(port); }

  // Why the last open of `port` failed; empty when it opened or was never tried.
  QString Problem(std::int32_t port) const;

 private:
  static bool Valid(std::int32_t port) { return IsPortNumber(port); }

  QelHardDll& m_inner;
  Describe m_describe;
  Report m_report;
  bool m_verbose;
  mutable std::mutex m_lock;  // guards the two arrays
  std::array<QString, kPortCount> m_problems;
  std::array<QString, kPortCount> m_reported;  // the reason last written, per port
};

}  // namespace vorenx
