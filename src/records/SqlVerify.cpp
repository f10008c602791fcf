// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The rows against the audit trail, of SqlLabRecords: an intact chain says
// what every row must be now; a row that differs from its newest entry, that
// has no entry, or that is gone while its entry says it is there was changed
// behind the program's back.
#include <QHash>
#include <QSqlQuery>
#include <map>

#include "records/SqlLabRecords.h"

namespace vorenx {

using namespace records_sql;

namespace {

struct LastEntry {
  qint64 auditId = 0;
  QString after;
};

QString EntityName(const QString& entity) {
  if (entity == QLatin1String("standard")) return QStringLiteral("Reference standard");
  if (entity == QLatin1String("calibration")) return QStringLiteral("Calibration");
  return QStringLiteral("Instrument");
}

}  // namespace

bool SqlLabRecords::VerifyRows(ChainReport& report, QString* error) {
  // The newest entry of each row, in a map ordered by entity and id so that
  // the report names the same first problem every time.
  std::map<std::pair<QString, qint64>, LastEntry> last;
  {
    QSqlQuery q(m_connection.Database());
    q.setForwardOnly(true);
    if (!RunQuery(q, QStringLiteral("SELECT id, entity, entity_id, after_json, action FROM audit_log ORDER BY id"), {}, error,
                  QStringLiteral("Cannot read the audit trail")))
      return false;
    while (q.next()) {
      // A standard's use while overdue restates it as the bench read it, and a
      // bench that knows no accuracy tables reads it without its table: the
      // standard is what its newest addition or change made it.
      const QString entity = q.value(1).toString();
      if (entity == QLatin1String("standard") && q.value(4).toString() == QLatin1String("use-overdue")) continue;
      last[{entity, q.value(2).toLongLong()}] = {q.value(0).toLongLong(), q.value(3).toString()};
    }
  }
  // Of several problems, the one at the oldest entry is reported; a row with
  // no entry at all only when nothing else is wrong.
  auto broken = [&](qint64 auditId, const QString& problem) {
    if (!report.intact && (auditId == 0 || (report.firstBrokenId != 0 && report.firstBrokenId <= auditId))) return;
    report.intact = false;
    report.firstBrokenId = auditId;
    report.problem = problem;
  };
  // Checks one row's present JSON against its newest entry and marks the entry seen.
  auto check = [&](const QString& entity, qint64 id, const QString& label, const QString& now) {
    auto found = last.find({entity, id});
    if (found == last.end()) {
      broken(0, QStringLiteral("%1 %2 has no audit entry: it was added behind the program's back.").arg(EntityName(entity), label));
      return;
    }
    if (found->second.after != now)
      broken(found->second.auditId, QStringLiteral("%1 %2 is not what audit entry %3 says: it was changed behind the "
                                                   "program's back.").arg(EntityName(entity), label).arg(found->second.auditId));
    found->second.after.clear();  // seen
  };

  QSqlQuery q(m_connection.Database());
  q.setForwardOnly(true);
  if (!RunQuery(q, QStringLiteral("SELECT %1 FROM instruments i ORDER BY i.id").arg(kInstrumentColumns), {}, error,
                QStringLiteral("Cannot read the register")))
    return false;
  while (q.next()) {
    const Instrument i = InstrumentFrom(q);
    check(QStringLiteral("instrument"), i.id, i.tag, InstrumentJson(i));
  }
  // Each standard with its accuracy table: a row of the table changed, added
  // or removed changes the standard's JSON.
  const std::optional<std::vector<ReferenceStandard>> standards = StandardsWhere(QStringLiteral("1 = 1"), {}, error);
  if (!standards) return false;
  for (const ReferenceStandard& s : *standards) check(QStringLiteral("standard"), s.id, s.serial, StandardJson(s));
  // Accuracy rows of no standard kept (possible where foreign keys are off).
  if (m_schema >= kAccuracySchema &&
      !RunQuery(q, QStringLiteral("SELECT MIN(a.standard_id) FROM standard_accuracy a WHERE NOT EXISTS (SELECT 1 FROM "
                                  "reference_standards s WHERE s.id = a.standard_id)"), {}, error,
                QStringLiteral("Cannot read the reference standards")))
    return false;
  if (m_schema >= kAccuracySchema && q.next() && !q.value(0).isNull())
    broken(0, QStringLiteral("The accuracy table of reference standard %1, which is not kept, was added behind the "
                             "program's back.").arg(q.value(0).toLongLong()));
  // A calibration whose runs were deleted reads with empty runs: a mismatch.
  if (!RunQuery(q, QStringLiteral("SELECT %1, r.payload FROM calibrations c LEFT JOIN calibration_runs r ON r.calibration_id = c.id "
                                  "ORDER BY c.id").arg(kSummaryColumns), {}, error,
                QStringLiteral("Cannot read the calibrations")))
    return false;
  while (q.next()) {
    const CalibrationSummary s = SummaryFrom(q);
    check(QStringLiteral("calibration"), s.id, QStringLiteral("%1 revision %2").arg(s.certificateNumber).arg(s.revision),
          SummaryJson(s, q.value(13).toString().toUtf8()));
  }
  for (const auto& [key, entry] : last)
    if (!entry.after.isEmpty())
      broken(entry.auditId, QStringLiteral("%1 %2 is gone although audit entry %3 says it is there: it was deleted behind "
                                           "the program's back.").arg(EntityName(key.first)).arg(key.second).arg(entry.auditId));
  return true;
}

}  // namespace vorenx
