// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "SerialChannel.h"

#include "PortLock.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <mutex>

namespace qelhard {
namespace {

// QSerialPort asks for socket notifiers when it opens and first writes; on a
// thread without an event loop (the program's worker) Qt warns each time,
// although the blocking calls this library makes do not need them. Those
// warnings, on such threads only, are dropped; everything else passes on.
std::atomic<QtMessageHandler> g_previousHandler{nullptr};
constexpr char kNotifierWarning[] = "QSocketNotifier: Can only be used with threads started with QThread";

void FilterNotifierWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg && text.startsWith(QLatin1String(kNotifierWarning)) &&
      QThread::currentThread()->eventDispatcher() == nullptr)
    return;
  if (const QtMessageHandler previous = g_previousHandler.load())
    previous(type, context, text);
  else
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void InstallNotifierWarningFilter() {
  static std::once_flag once;
  std::call_once(once, [] { g_previousHandler.store(qInstallMessageHandler(FilterNotifierWarning)); });
}

PortDiagnosis Diagnose(const QSerialPort& port, const QString& path) {
  PortDiagnosis d;
  d.path = path;
  d.detail = port.errorString();
  const QFileInfo info(path);
  switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
      d.problem = PortProblem::NoDevice;
      break;
    case QSerialPort::PermissionError:
      // Qt reports a lock held by another program as a permission error too.
      d.problem = info.isReadable() && info.isWritable() ? PortProblem::Busy : PortProblem::NoPermission;
      break;
    default:
      d.problem = info.exists() ? PortProblem::Other : PortProblem::NoDevice;
      break;
  }
  // A lock file that names a holder is the answer, whatever Qt called it.
  if (d.problem != PortProblem::NoDevice)
    if (const std::optional<PortHolder> holder = FindPortHolder(path)) {
      d.problem = PortProblem::Busy;
      d.holder = PortHolderText(*holder);
    }
  return d;
}

// The reply's wait over the open port, up to `deadline`.
class PortLine : public ReplyLine {
 public:
  PortLine(QSerialPort& port, const QDeadlineTimer& deadline) : m_port(port), m_deadline(deadline) {}
  int RemainingMs() override { return static_cast<int>(m_deadline.remainingTime()); }
  Read Take(int ms, std::vector<std::uint8_t>& bytes) override {
    if (m_port.bytesAvailable() == 0 && !m_port.waitForReadyRead(ms))
      return m_port.error() == QSerialPort::TimeoutError || m_port.error() == QSerialPort::NoError ? Read::Nothing
                                                                                                   : Read::Error;
    const QByteArray all = m_port.readAll();
    bytes.assign(all.begin(), all.end());
    return Read::Bytes;
  }

 private:
  QSerialPort& m_port;
  const QDeadlineTimer& m_deadline;
};

}  // namespace

SerialChannel::SerialChannel() = default;
SerialChannel::~SerialChannel() { Close(); }

bool SerialChannel::Open(const QString& path, PortDiagnosis& why) {
  Close();
  why = PortDiagnosis{PortProblem::None, path, {}, {}};
  if (!QFileInfo::exists(path)) {
    why.problem = PortProblem::NoDevice;
    return false;
  }
  if (QThread::currentThread()->eventDispatcher() == nullptr) InstallNotifierWarningFilter();
  auto port = std::make_unique<QSerialPort>(path);
  port->setBaudRate(QSerialPort::Baud115200);
  port->setDataBits(QSerialPort::Data8);
  port->setParity(QSerialPort::NoParity);
  port->setStopBits(QSerialPort::OneStop);
  port->setFlowControl(QSerialPort::NoFlowControl);
  if (!port->open(QIODevice::ReadWrite)) {
    why = Diagnose(*port, path);
    return false;
  }
  port->clear();
  m_port = std::move(port);
  m_path = path;
  return true;
}

void SerialChannel::Close() {
  if (m_port) m_port->close();
  m_port.reset();
  m_path.clear();
}

bool SerialChannel::IsOpen() const { return m_port && m_port->isOpen(); }

std::uint16_t SerialChannel::Fail(std::uint16_t result) {
  if (result == kIoError) Close();
  return result;
}

std::uint16_t SerialChannel::Exchange(const Request& request, int timeoutMs, Reply& reply) {
  if (!IsOpen()) return kNotOpen;
  QDeadlineTimer deadline(timeoutMs);
  // Whatever arrived since the last exchange (a late or broken reply) is stale:
  // drop it from Qt's buffer and the terminal's input queue.
  m_port->clearError();
  m_port->clear(QSerialPort::Input);
  m_receiver.Begin(request);

  const auto written = m_port->write(reinterpret_cast<const char*>(request.data()),
                                     static_cast<qint64>(request.size()));
  if (written != static_cast<qint64>(request.size())) return Fail(kIoError);
  while (m_port->bytesToWrite() > 0) {
    if (!m_port->waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
      return Fail(m_port->error() == QSerialPort::TimeoutError ? kNoReply : kIoError);
  }

  PortLine line(*m_port, deadline);
  const std::uint16_t result = AwaitReply(m_receiver, line, std::min(kReplyGapMs, timeoutMs));
  if (result == kOk) reply = m_receiver.Accepted();
  return Fail(result);
}

}  // namespace qelhard
