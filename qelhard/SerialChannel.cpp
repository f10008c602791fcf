#include "SerialChannel.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QThread>
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
  return d;
}

}  // namespace

SerialChannel::SerialChannel() = default;
SerialChannel::~SerialChannel() { Close(); }

bool SerialChannel::Open(const QString& path, PortDiagnosis& why) {
  Close();
  why = PortDiagnosis{PortProblem::None, path, {}};
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
  m_reader.Clear();
  return true;
}

void SerialChannel::Close() {
  if (m_port) m_port->close();
  m_port.reset();
  m_path.clear();
  m_reader.Clear();
}

bool SerialChannel::IsOpen() const { return m_port && m_port->isOpen(); }

std::uint16_t SerialChannel::Fail(std::uint16_t result) {
  m_reader.Clear();
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
  m_reader.Clear();

  const auto written = m_port->write(reinterpret_cast<const char*>(request.data()),
                                     static_cast<qint64>(request.size()));
  if (written != static_cast<qint64>(request.size())) return Fail(kIoError);
  while (m_port->bytesToWrite() > 0) {
    if (!m_port->waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
      return Fail(m_port->error() == QSerialPort::TimeoutError ? kNoReply : kIoError);
  }

  const std::uint8_t wantedKind = static_cast<std::uint8_t>(request[1] | kReplyKindBit);
  const std::uint8_t wantedSequence = RequestSequence(request);
  std::size_t received = 0;
  Reply frame{};
  while (!deadline.hasExpired()) {
    if (m_port->bytesAvailable() == 0 &&
        !m_port->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
      if (m_port->error() == QSerialPort::TimeoutError || m_port->error() == QSerialPort::NoError)
        break;
      return Fail(kIoError);
    }
    const QByteArray bytes = m_port->readAll();
    received += static_cast<std::size_t>(bytes.size());
    m_reader.Feed(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size()));
    while (m_reader.Next(frame.data())) {
      if (frame[1] == wantedKind && ReplySequence(frame) == wantedSequence) {
        reply = frame;
        m_reader.Clear();
        return kOk;
      }
      // A reply to an earlier request that came too late: skip it.
    }
  }
  if (received == 0) return Fail(kNoReply);
  return Fail(m_reader.ChecksumFailures() > 0 ? kBadChecksum : kMalformed);
}

}  // namespace qelhard
