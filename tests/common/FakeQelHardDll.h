// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A recording stand-in for the communication library: every call is logged
// with its arguments, and the answers come from fields a test sets.

#include <QMutex>
#include <QMutexLocker>
#include <QString>
#include <QStringList>
#include <array>
#include <cstring>
#include <functional>
#include <set>

#include "CallRecorder.h"
#include "link/QelHardDll.h"

namespace vorenx::testing {

class FakeQelHardDll : public QelHardDll, public CallRecorder {
 public:
  std::uint16_t QelIsDevConnect(std::int32_t port) override {
    Record(QStringLiteral("IsDevConnect(%1)").arg(port));
    QMutexLocker lock(&m_mutex);
    return answeringPorts.count(port) != 0 ? 1 : 0;
  }
  std::uint16_t QelOpenCOM(std::int32_t port) override {
    Record(QStringLiteral("OpenCOM(%1)").arg(port));
    QMutexLocker lock(&m_mutex);
    return answeringPorts.count(port) != 0 ? 1 : 0;
  }
  std::uint16_t QelGetData(std::int32_t port, unsigned char* buffer, std::int32_t size) override {
    Record(QStringLiteral("GetData(%1,%2)").arg(port).arg(size));
    QMutexLocker lock(&m_mutex);
    if (getDataResult == 1) std::memcpy(buffer, frame.data(), std::min<std::size_t>(size, frame.size()));
    return getDataResult;
  }
  std::uint16_t QelSetUpper(std::int32_t port, std::int32_t function) override {
    Record(QStringLiteral("SetUpper(%1,%2)").arg(port).arg(function));
    return 1;
  }
  std::uint16_t QelSetLower(std::int32_t port, std::int32_t function, std::int32_t mode,
                            float value) override {
    Record(QStringLiteral("SetLower(%1,%2,0x%3,%4)")
               .arg(port)
               .arg(function)
               .arg(mode, 2, 16, QLatin1Char('0'))
               .arg(static_cast<double>(value)));
    return 1;
  }
  std::uint16_t QelCloseCOM(std::int32_t port) override {
    Record(QStringLiteral("CloseCOM(%1)").arg(port));
    return 1;
  }

  // Thread-safe setters for tests that run a worker.
  void SetAnswering(std::set<int> ports) {
    QMutexLocker lock(&m_mutex);
    answeringPorts = std::move(ports);
  }
  void SetFrame(const std::array<unsigned char, 24>& bytes, std::uint16_t result = 1) {
    QMutexLocker lock(&m_mutex);
    frame = bytes;
    getDataResult = result;
  }
  // Called after each call is recorded (outside the lock), e.g. to pace a test.
  std::function<void(const QString&)> onCall;

  std::set<int> answeringPorts;
  std::array<unsigned char, 24> frame{};
  std::uint16_t getDataResult = 1;

 private:
  void Record(const QString& call) {
    CallRecorder::Record(call);
    if (onCall) onCall(call);
  }
};

}  // namespace vorenx::testing
