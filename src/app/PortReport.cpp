// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "app/PortReport.h"

namespace vorenx {

PortReport::PortReport(QelHardDll& inner, Describe describe, Report report, bool verbose)
    : m_inner(inner), m_describe(std::move(describe)), m_report(std::move(report)), m_verbose(verbose) {}

std::uint16_t PortReport::QelOpenCOM(std::int32_t port) {
  const std::uint16_t result = m_inner.QelOpenCOM(port);
  if (!Valid(port)) return result;
  const auto i = static_cast<std::size_t>(port);
  QString why;
  if (result == 0) {
    why = m_describe ? m_describe(port) : QString();
    if (why.isEmpty()) why = QStringLiteral("COM%1 cannot be opened").arg(port);
  }
  QString line;
  {
    std::lock_guard lock(m_lock);
    if (result != 0) {
      m_problems[i].clear();
      m_reported[i].clear();  // a later failure is news again
      if (m_verbose) line = QStringLiteral("COM%1 opened").arg(port);
    } else {
      m_problems[i] = why;
      if (why != m_reported[i]) line = m_reported[i] = why;
    }
  }
  if (!line.isEmpty() && m_report) m_report(line);
  return result;
}

std::uint16_t PortReport::QelCloseCOM(std::int32_t port) {
  const std::uint16_t result = m_inner.QelCloseCOM(port);
  if (m_verbose && m_report) m_report(QStringLiteral("COM%1 closed").arg(port));
  return result;
}

QString PortReport::Problem(std::int32_t port) const {
  if (!Valid(port)) return {};
  std::lock_guard lock(m_lock);
  return m_problems[static_cast<std::size_t>(port)];
}

}  // namespace vorenx
