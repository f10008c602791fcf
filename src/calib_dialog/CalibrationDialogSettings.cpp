#include "calib_dialog/CalibrationDialogSettings.h"

#include <QSettings>

namespace vorenx {

namespace {

const QString kGroup = QStringLiteral("CalibrationDialog/");

QString FolderKey(const QString& suffix) {
  return kGroup + (suffix == QLatin1String("pdf") ? QStringLiteral("certificateFolder") : QStringLiteral("csvFolder"));
}

}  // namespace

QSize CalibrationDialogSettings::WindowSize() const {
  const QSize size = QSettings(m_file, QSettings::IniFormat).value(kGroup + QStringLiteral("size")).toSize();
  // A hand-edited file may hold anything: only a plausible size counts.
  if (size.width() < 100 || size.height() < 100 || size.width() > 20000 || size.height() > 20000) return QSize();
  return size;
}

void CalibrationDialogSettings::SetWindowSize(const QSize& size) {
  QSettings(m_file, QSettings::IniFormat).setValue(kGroup + QStringLiteral("size"), size);
}

QString CalibrationDialogSettings::LastFolder(const QString& suffix) const {
  return QSettings(m_file, QSettings::IniFormat).value(FolderKey(suffix)).toString();
}

void CalibrationDialogSettings::SetLastFolder(const QString& suffix, const QString& folder) {
  QSettings(m_file, QSettings::IniFormat).setValue(FolderKey(suffix), folder);
}

CalibrationDialogSettings::BenchStandard CalibrationDialogSettings::Standard() const {
  const QSettings settings(m_file, QSettings::IniFormat);
  return {settings.value(QStringLiteral("records/standard")).toString(),
          settings.value(QStringLiteral("records/standardId")).toLongLong(),
          QDate::fromString(settings.value(QStringLiteral("records/standardDue")).toString(), Qt::ISODate)};
}

void CalibrationDialogSettings::SetStandard(const BenchStandard& standard) {
  QSettings settings(m_file, QSettings::IniFormat);
  settings.setValue(QStringLiteral("records/standard"), standard.serial);
  settings.setValue(QStringLiteral("records/standardId"), standard.id);
  settings.setValue(QStringLiteral("records/standardDue"), standard.dueOn.toString(Qt::ISODate));
}

}  // namespace vorenx
