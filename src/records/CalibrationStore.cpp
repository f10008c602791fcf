// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CalibrationStore.h"

#include "platform/FileText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vorenx {

namespace {

// Records are a few kB; anything far larger in the folder is not one.
constexpr qint64 kMaxRecordBytes = 16 * 1024 * 1024;
// Bytes of the tag kept in a file name (names may have 255 bytes).
constexpr qsizetype kMaxTagNameBytes = 120;

QString SystemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Writes `data` to a new file beside `path`, syncs it and gives it the name
// `path`: replacing what is there, or with `noReplace` failing with EEXIST.
// Returns 0 or the errno of the step that failed.
int WriteWhole(const QString& path, const QByteArray& data, bool noReplace) {
  static std::atomic<unsigned> s_counter{0};
  const QByteArray target = QFile::encodeName(path);
  const QByteArray temp = target + ".tmp-" + QByteArray::number(::getpid()) + '-' +
                          QByteArray::number(s_counter.fetch_add(1, std::memory_order_relaxed));
  const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return errno;
  int failure = 0;
  for (qsizetype done = 0; done < data.size() && !failure;) {
    const ssize_t n = ::write(fd, data.constData() + done, static_cast<size_t>(data.size() - done));
    if (n > 0) done += n;
    else if (n == 0) failure = EIO;
    else if (errno != EINTR) failure = errno;
  }
  if (!failure && ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && !failure) failure = errno;
  if (!failure) {
    if (!noReplace) {
      if (::rename(temp.constData(), target.constData()) != 0) failure = errno;
    } else if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) != 0) {
      failure = errno;
      // File systems without the flag: a hard link never replaces either.
      if (failure == EINVAL || failure == ENOSYS) failure = ::link(temp.constData(), target.constData()) == 0 ? 0 : errno;
    }
  }
  ::unlink(temp.constData());  // gone after a rename; after a link or a failure, the spare name
  if (!failure) {
    // The new name itself must survive a power cut too.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
      ::fsync(dirFd);
      ::close(dirFd);
    }
  }
  return failure;
}

bool MakeFolder(const QString& folder, QString* error) {
  if (QDir().mkpath(folder)) return true;
  if (error) *error = QStringLiteral("The folder %1 cannot be created.").arg(folder);
  return false;
}

std::optional<QByteArray> ReadSmallFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxRecordBytes) return std::nullopt;
  return file.read(kMaxRecordBytes + 1);
}

// When a run was done, for telling the newest: its end, else its start.
QDateTime RunTime(const RunResult& run) { return run.finished.isValid() ? run.finished : run.started; }

}  // namespace

QString DefaultCalibrationsFolder() {
  return AppDataPath(QStringLiteral("calibrations"));
}

QString DefaultSetupFile() {
  return AppConfigPath(QStringLiteral("calibration-setup.json"));
}

QString TagFileName(const QString& tag) {
  QString name;
  qsizetype bytes = 0;
  const QString trimmed = tag.trimmed();
  for (qsizetype i = 0; i < trimmed.size(); ++i) {
    QString c = trimmed.mid(i, 1);
    if (trimmed[i].isHighSurrogate() && i + 1 < trimmed.size() && trimmed[i + 1].isLowSurrogate())
      c = trimmed.mid(i++, 2);
    const char32_t code = c.size() == 2 ? QChar::surrogateToUcs4(c[0], c[1]) : char32_t(c[0].unicode());
    // Letters and digits of any script are kept; everything a file system or
    // a shell may take for something else (/ \ : * ? " < > | spaces, dots,
    // controls, symbols) becomes "_".
    const bool keep = QChar::isLetterOrNumber(code) || QChar::isMark(code) || code == '-' || code == '_' ||
                      code == '+';
    if (!keep) c = QStringLiteral("_");
    bytes += c.toUtf8().size();
    if (bytes > kMaxTagNameBytes) break;
    name += c;
  }
  return name.isEmpty() ? QStringLiteral("untagged") : name;
}

CalibrationStore::CalibrationStore(QString folder, QString setupFile)
    : m_folder(std::move(folder)), m_setupFile(std::move(setupFile)) {}

QString CalibrationStore::Save(const CalibrationRecord& record, QString* error) {
  if (!MakeFolder(m_folder, error)) return QString();
  const RunResult* first = record.asFound ? &*record.asFound : record.asLeft ? &*record.asLeft : nullptr;
  QDateTime start = first && first->started.isValid() ? first->started : QDateTime::currentDateTime();
  const QString base = TagFileName(record.setup.tag) + QLatin1Char('_') +
                       start.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
  const QByteArray json = RecordToJson(record);
  for (int sequence = 1; sequence <= 1000; ++sequence) {
    const QString name = base + (sequence > 1 ? QLatin1Char('-') + QString::number(sequence) : QString()) +
                         QStringLiteral(".json");
    const QString path = QDir(m_folder).filePath(name);
    const int failure = WriteWhole(path, json, true);
    if (failure == 0) return path;
    if (failure == EEXIST) continue;
    if (error) *error = QStringLiteral("The calibration record %1 cannot be written: %2.").arg(path, SystemError(failure));
    return QString();
  }
  if (error) *error = QStringLiteral("The calibration record cannot be written: %1 has too many records named %2.")
                          .arg(m_folder, base);
  return QString();
}

bool CalibrationStore::SaveOver(const QString& path, const CalibrationRecord& record, QString* error) {
  const int failure = WriteWhole(path, RecordToJson(record), false);
  if (failure == 0) return true;
  if (error) *error = QStringLiteral("The calibration record %1 cannot be written: %2.").arg(path, SystemError(failure));
  return false;
}

std::optional<RunResult> CalibrationStore::LastAsLeft(const QString& tag, QString* file) const {
  const QString prefix = TagFileName(tag) + QLatin1Char('_');
  const QStringList names =
      QDir(m_folder).entryList({prefix + QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Name);
  std::optional<RunResult> newest;
  for (const QString& name : names) {
    const std::optional<QByteArray> json = ReadSmallFile(QDir(m_folder).filePath(name));
    if (!json) continue;
    std::optional<CalibrationRecord> record = RecordFromJson(*json);
    // Different tags may share a file name; only the tag itself counts.
    if (!record || !record->asLeft || !record->asLeft->complete || record->setup.tag.trimmed() != tag.trimmed())
      continue;
    if (!newest || RunTime(*record->asLeft) > RunTime(*newest)) {
      newest = std::move(record->asLeft);
      if (file) *file = name;
    }
  }
  return newest;
}

bool CalibrationStore::SaveSetup(const CalibrationSetup& setup, QString* error) {
  if (!MakeFolder(QFileInfo(m_setupFile).absolutePath(), error)) return false;
  const int failure = WriteWhole(m_setupFile, SetupToJson(setup), false);
  if (failure == 0) return true;
  if (error) *error = QStringLiteral("The calibration setup %1 cannot be written: %2.").arg(m_setupFile, SystemError(failure));
  return false;
}

QString CalibrationStore::SettingsFile() const {
  return QDir(QFileInfo(m_setupFile).absolutePath()).filePath(QStringLiteral("vorenx.ini"));
}

std::optional<CalibrationSetup> CalibrationStore::LoadSetup() const {
  const std::optional<QByteArray> json = ReadSmallFile(m_setupFile);
  if (!json) return std::nullopt;
  return SetupFromJson(*json);
}

}  // namespace vorenx
