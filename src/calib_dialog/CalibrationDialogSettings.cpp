// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "calib_dialog/CalibrationDialogSettings.h"

#include <QSettings>
#include <algorithm>
#include <optional>

namespace vorenx {

namespace {

const QString kGroup = QStringLiteral("CalibrationDialog/");

// One accuracy entry as "function low high percent floor", numbers with ".".
QString AccuracyText(const AccuracySpec& a) {
  return QStringList{QString::number(a.function), QString::number(a.rangeLow, 'g', 17),
                     QString::number(a.rangeHigh, 'g', 17), QString::number(a.percentOfReading, 'g', 17),
                     QString::number(a.floor, 'g', 17)}
      .join(QLatin1Char(' '));
}

std::optional<AccuracySpec> AccuracyFromText(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.size() != 5) return std::nullopt;
  bool ok[5] = {};
  AccuracySpec a;
  a.function = static_cast<FunctionCode>(parts[0].toInt(&ok[0]));
  a.rangeLow = parts[1].toDouble(&ok[1]);
  a.rangeHigh = parts[2].toDouble(&ok[2]);
  a.percentOfReading = parts[3].toDouble(&ok[3]);
  a.floor = parts[4].toDouble(&ok[4]);
  if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }) || !AccuracySpecProblem(a).isEmpty())
    return std::nullopt;
  return a;
}

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

ReferenceStandard CalibrationDialogSettings::Standard() const {
  const QSettings settings(m_file, QSettings::IniFormat);
  ReferenceStandard s;
  s.serial = settings.value(QStringLiteral("records/standard")).toString();
  s.id = settings.value(QStringLiteral("records/standardId")).toLongLong();
  s.description = settings.value(QStringLiteral("records/standardDescription")).toString();
  s.certificateNumber = settings.value(QStringLiteral("records/standardCertificate")).toString();
  s.calibratedOn = QDate::fromString(settings.value(QStringLiteral("records/standardCalibrated")).toString(), Qt::ISODate);
  s.dueOn = QDate::fromString(settings.value(QStringLiteral("records/standardDue")).toString(), Qt::ISODate);
  for (const QString& line : settings.value(QStringLiteral("records/standardAccuracy")).toStringList()) {
    const std::optional<AccuracySpec> entry = AccuracyFromText(line);
    if (!entry) {
      s.accuracy.clear();
      break;
    }
    s.accuracy.push_back(*entry);
  }
  return s;
}

void CalibrationDialogSettings::SetStandard(const ReferenceStandard& standard) {
  QSettings settings(m_file, QSettings::IniFormat);
  settings.setValue(QStringLiteral("records/standard"), standard.serial);
  settings.setValue(QStringLiteral("records/standardId"), standard.id);
  settings.setValue(QStringLiteral("records/standardDescription"), standard.description);
  settings.setValue(QStringLiteral("records/standardCertificate"), standard.certificateNumber);
  settings.setValue(QStringLiteral("records/standardCalibrated"), standard.calibratedOn.toString(Qt::ISODate));
  settings.setValue(QStringLiteral("records/standardDue"), standard.dueOn.toString(Qt::ISODate));
  QStringList accuracy;
  for (const AccuracySpec& a : standard.accuracy) accuracy << AccuracyText(a);
  settings.setValue(QStringLiteral("records/standardAccuracy"), accuracy);
}

}  // namespace vorenx
