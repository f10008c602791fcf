// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The whole-register lists of SqlLabRecords, for the office's tool and exports.
#include <QSqlQuery>

#include "records/SqlLabRecords.h"

namespace vorenx {

using namespace records_sql;

namespace {

// Runs `sql` with `values` and makes one T of each row with `from`.
template <typename T, typename From>
RecordsResult<std::vector<T>> ListOf(QSqlDatabase& db, const QString& sql, const QVariantList& values, const QString& doing,
                                     From from) {
  QSqlQuery q(db);
  q.setForwardOnly(true);
  QString error;
  if (!RunQuery(q, sql, values, &error, doing)) return RecordsResult<std::vector<T>>::Fail(RecordsError::Database, error);
  std::vector<T> rows;
  while (q.next()) rows.push_back(from(q));
  return RecordsResult<std::vector<T>>::Ok(std::move(rows));
}

}  // namespace

RecordsResult<std::vector<Instrument>> SqlLabRecords::Instruments() {
  if (QString why = Unusable(); !why.isEmpty()) return RecordsResult<std::vector<Instrument>>::Fail(RecordsError::Database, why);
  return ListOf<Instrument>(m_connection.Database(),
                            QStringLiteral("SELECT %1 FROM instruments i ORDER BY i.tag").arg(kInstrumentColumns), {},
                            QStringLiteral("Cannot read the register"), [](const QSqlQuery& q) { return InstrumentFrom(q); });
}

RecordsResult<std::vector<CalibrationSummary>> SqlLabRecords::FindCertificate(const QString& number) {
  using Result = RecordsResult<std::vector<CalibrationSummary>>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  Result found = ListOf<CalibrationSummary>(
      m_connection.Database(),
      QStringLiteral("SELECT %1 FROM calibrations c WHERE c.certificate_number = ? ORDER BY c.revision").arg(kSummaryColumns),
      {number.trimmed()}, QStringLiteral("Cannot read the calibration"), [](const QSqlQuery& q) { return SummaryFrom(q); });
  if (found.ok() && found.value.empty())
    return Result::Fail(RecordsError::NotFound, QStringLiteral("No certificate %1 in the records.").arg(number.trimmed()));
  return found;
}

RecordsResult<std::vector<CalibrationSummary>> SqlLabRecords::Calibrations() {
  if (QString why = Unusable(); !why.isEmpty())
    return RecordsResult<std::vector<CalibrationSummary>>::Fail(RecordsError::Database, why);
  return ListOf<CalibrationSummary>(
      m_connection.Database(),
      QStringLiteral("SELECT %1 FROM calibrations c ORDER BY c.certificate_number, c.revision").arg(kSummaryColumns), {},
      QStringLiteral("Cannot read the calibrations"), [](const QSqlQuery& q) { return SummaryFrom(q); });
}

}  // namespace vorenx
