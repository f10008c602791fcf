// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The reference standards of SqlLabRecords: each with its accuracy table (a
// table of its own, `standard_accuracy`, one row per function and range in
// the lab's order), checked before it is written, and every change audited
// with the table in its before and after.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <map>

#include "records/SqlLabRecords.h"

namespace vorenx {

namespace records_sql {

const QString kStandardColumns =
    QStringLiteral("s.id, s.serial, s.description, s.certificate_number, s.calibrated_on, s.due_on");

ReferenceStandard StandardFrom(const QSqlQuery& q, int f) {
  ReferenceStandard s;
  s.id = q.value(f).toLongLong();
  s.serial = q.value(f + 1).toString();
  s.description = q.value(f + 2).toString();
  s.certificateNumber = q.value(f + 3).toString();
  s.calibratedOn = QDate::fromString(q.value(f + 4).toString(), Qt::ISODate);
  s.dueOn = QDate::fromString(q.value(f + 5).toString(), Qt::ISODate);
  return s;
}

QString StandardJson(const ReferenceStandard& s) {
  QJsonObject o{{"id", s.id},
                {"serial", s.serial},
                {"description", s.description},
                {"certificateNumber", s.certificateNumber},
                {"calibratedOn", s.calibratedOn.toString(Qt::ISODate)},
                {"dueOn", s.dueOn.toString(Qt::ISODate)}};
  if (!s.accuracy.empty()) {
    QJsonArray rows;
    for (const AccuracySpec& a : s.accuracy)
      rows.append(QJsonObject{{"function", int(a.function)},
                              {"rangeLow", a.rangeLow},
                              {"rangeHigh", a.rangeHigh},
                              {"percentOfReading", a.percentOfReading},
                              {"floor", a.floor}});
    o.insert(QStringLiteral("accuracy"), rows);
  }
  return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

}  // namespace records_sql

using namespace records_sql;

std::vector<StandardProblem> StandardProblems(const ReferenceStandard& s) {
  std::vector<StandardProblem> problems;
  auto text = [&](StandardField field, const char* name, const QString& value, int maxLength, bool required) {
    if (QString p = TextProblem(QLatin1String(name), value, maxLength, required); !p.isEmpty())
      problems.push_back({field, -1, p});
  };
  text(StandardField::Serial, "Serial number", s.serial, kMaxTagLength, true);
  text(StandardField::Description, "Description", s.description, kMaxInstrumentTextLength, false);
  text(StandardField::CertificateNumber, "Certificate number", s.certificateNumber, kMaxTagLength, true);
  if (!s.calibratedOn.isValid())
    problems.push_back({StandardField::CalibratedOn, -1,
                        QStringLiteral("Calibration date: a standard without the date of its calibration is not kept.")});
  if (!s.dueOn.isValid())
    problems.push_back({StandardField::DueOn, -1,
                        QStringLiteral("Due date: a standard without a due date is not kept; enter the date its "
                                       "calibration is due.")});
  else if (s.calibratedOn.isValid() && s.dueOn < s.calibratedOn)
    problems.push_back({StandardField::DueOn, -1,
                        QStringLiteral("Due date: %1 is before the calibration date %2.")
                            .arg(s.dueOn.toString(Qt::ISODate), s.calibratedOn.toString(Qt::ISODate))});
  if (s.accuracy.size() > size_t(kMaxAccuracyRows)) {
    problems.push_back({StandardField::Accuracy, -1,
                        QStringLiteral("Accuracy: at most %1 rows (this table has %2).")
                            .arg(kMaxAccuracyRows)
                            .arg(s.accuracy.size())});
    return problems;
  }
  for (size_t row = 0; row < s.accuracy.size(); ++row)
    if (QString p = AccuracySpecProblem(s.accuracy[row]); !p.isEmpty())
      problems.push_back({StandardField::Accuracy, int(row), QStringLiteral("Accuracy, row %1: %2").arg(row + 1).arg(p)});
  return problems;
}

std::optional<std::vector<ReferenceStandard>> SqlLabRecords::StandardsWhere(const QString& where,
                                                                             const QVariantList& values, QString* error) {
  const QString doing = QStringLiteral("Cannot read the reference standards");
  QSqlQuery q(m_connection.Database());
  q.setForwardOnly(true);
  // `where` is one of this library's own conditions, never the caller's text.
  if (!RunQuery(q, QStringLiteral("SELECT %1 FROM reference_standards s WHERE %2 ORDER BY s.serial").arg(kStandardColumns, where),
                values, error, doing))
    return std::nullopt;
  std::vector<ReferenceStandard> standards;
  std::map<qint64, size_t> byId;
  while (q.next()) {
    standards.push_back(StandardFrom(q));
    byId[standards.back().id] = standards.size() - 1;
  }
  error->clear();
  if (m_schema < kAccuracySchema) return standards;
  if (!RunQuery(q, QStringLiteral("SELECT a.standard_id, a.function, a.range_low, a.range_high, a.percent_of_reading, "
                                  "a.floor FROM standard_accuracy a JOIN reference_standards s ON s.id = a.standard_id "
                                  "WHERE %1 ORDER BY a.standard_id, a.position").arg(where),
                values, error, doing))
    return std::nullopt;
  while (q.next()) {
    const auto found = byId.find(q.value(0).toLongLong());
    if (found == byId.end()) continue;
    // A code that is no function reads as one the checks name, never as a real one.
    const int code = q.value(1).toInt();
    standards[found->second].accuracy.push_back({static_cast<FunctionCode>(code >= 0 && code <= 255 ? code : 0),
                                                 q.value(2).toDouble(), q.value(3).toDouble(), q.value(4).toDouble(),
                                                 q.value(5).toDouble()});
  }
  error->clear();
  return standards;
}

bool SqlLabRecords::WriteAccuracy(qint64 id, const std::vector<AccuracySpec>& table, QString* error) {
  const QString doing = QStringLiteral("Cannot save the standard's accuracy table");
  if (m_schema < kAccuracySchema) {
    if (table.empty()) return true;
    *error = QStringLiteral("%1: this program keeps records schema %2, which has no accuracy tables.")
                 .arg(doing).arg(m_schema);
    return false;
  }
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("DELETE FROM standard_accuracy WHERE standard_id = ?"), {id}, error, doing)) return false;
  for (size_t row = 0; row < table.size(); ++row) {
    const AccuracySpec& a = table[row];
    if (!RunQuery(q, QStringLiteral("INSERT INTO standard_accuracy (standard_id, position, function, range_low, range_high, "
                                    "percent_of_reading, floor) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                  {id, int(row), int(a.function), a.rangeLow, a.rangeHigh, a.percentOfReading, a.floor}, error, doing))
      return false;
  }
  return true;
}

namespace {

// The first reason `standard`, or the technician of `who`, is refused; empty when none.
QString FirstProblem(const ReferenceStandard& standard, const Actor& who) {
  if (const std::vector<StandardProblem> problems = StandardProblems(standard); !problems.empty())
    return problems.front().message;
  return TextProblem(QStringLiteral("Technician"), who.technician, kMaxTechnicianLength, false);
}

}  // namespace

RecordsResult<ReferenceStandard> SqlLabRecords::AddStandard(const ReferenceStandard& given, const Actor& who) {
  using Result = RecordsResult<ReferenceStandard>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (QString problem = FirstProblem(given, who); !problem.isEmpty()) return Result::Fail(RecordsError::Invalid, problem);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("SELECT id FROM reference_standards WHERE serial = ?"), {given.serial}, &error))
    return Result::Fail(RecordsError::Database, error);
  if (q.next())
    return Result::Fail(RecordsError::Invalid, QStringLiteral("Serial number: the standard %1 is already kept.").arg(given.serial));
  ReferenceStandard s = given;
  if (!RunQuery(q, QStringLiteral("INSERT INTO reference_standards (serial, description, certificate_number, calibrated_on, "
                                  "due_on) VALUES (?, ?, ?, ?, ?) RETURNING id"),
                {s.serial, s.description, s.certificateNumber, s.calibratedOn.toString(Qt::ISODate), s.dueOn.toString(Qt::ISODate)},
                &error, QStringLiteral("Cannot add the standard")) || !q.next())
    return Result::Fail(RecordsError::Database, error);
  s.id = q.value(0).toLongLong();
  q.finish();  // SQLite commits only with no statement left open
  if (!WriteAccuracy(s.id, s.accuracy, &error) ||
      !Audit(who, QStringLiteral("add"), QStringLiteral("standard"), s.id, QStringLiteral("{}"), StandardJson(s), &error) ||
      !transaction.Commit(&error))
    return Result::Fail(RecordsError::Database, error);
  return Result::Ok(s);
}

RecordsResult<ReferenceStandard> SqlLabRecords::UpdateStandard(const ReferenceStandard& edited, const Actor& who) {
  using Result = RecordsResult<ReferenceStandard>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (QString problem = FirstProblem(edited, who); !problem.isEmpty()) return Result::Fail(RecordsError::Invalid, problem);
  if (who.reason.trimmed().isEmpty())
    return Result::Fail(RecordsError::Refused,
                        QStringLiteral("Reason: a reference standard's values are changed only with a reason; they are "
                                       "the evidence of every calibration made with it."));
  if (QString problem = TextProblem(QStringLiteral("Reason"), who.reason, kMaxReasonLength, true); !problem.isEmpty())
    return Result::Fail(RecordsError::Invalid, problem);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  const std::optional<std::vector<ReferenceStandard>> found = StandardsWhere(QStringLiteral("s.id = ?"), {edited.id}, &error);
  if (!found) return Result::Fail(RecordsError::Database, error);
  if (found->empty())
    return Result::Fail(RecordsError::NotFound,
                        QStringLiteral("The reference standard %1 is not kept in the records.").arg(edited.serial));
  const ReferenceStandard& current = found->front();
  if (edited.serial != current.serial)
    return Result::Fail(RecordsError::Invalid,
                        QStringLiteral("Serial number: a standard keeps its serial number (%1); add the other one as a "
                                       "new standard.").arg(current.serial),
                        current);
  if (edited == current) return Result::Ok(current);
  QSqlQuery q(m_connection.Database());
  if (!RunQuery(q, QStringLiteral("UPDATE reference_standards SET description = ?, certificate_number = ?, calibrated_on = ?, "
                                  "due_on = ? WHERE id = ?"),
                {edited.description, edited.certificateNumber, edited.calibratedOn.toString(Qt::ISODate),
                 edited.dueOn.toString(Qt::ISODate), edited.id},
                &error, QStringLiteral("Cannot change the standard")) ||
      !WriteAccuracy(edited.id, edited.accuracy, &error) ||
      !Audit(who, QStringLiteral("update"), QStringLiteral("standard"), edited.id, StandardJson(current),
             StandardJson(edited), &error) ||
      !transaction.Commit(&error))
    return Result::Fail(RecordsError::Database, error);
  return Result::Ok(edited);
}

RecordsResult<std::vector<ReferenceStandard>> SqlLabRecords::Standards() {
  using Result = RecordsResult<std::vector<ReferenceStandard>>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  QString error;
  std::optional<std::vector<ReferenceStandard>> standards = StandardsWhere(QStringLiteral("1 = 1"), {}, &error);
  if (!standards) return Result::Fail(RecordsError::Database, error);
  return Result::Ok(std::move(*standards));
}

RecordsResult<ReferenceStandard> SqlLabRecords::NoteOverdueStandard(qint64 standardId, const QString& tag, const Actor& who) {
  using Result = RecordsResult<ReferenceStandard>;
  if (QString why = Unusable(); !why.isEmpty()) return Result::Fail(RecordsError::Database, why);
  if (who.reason.trimmed().isEmpty())
    return Result::Fail(RecordsError::Refused, QStringLiteral("Reason: an overdue standard is used only with a reason."));
  if (QString problem = TextProblem(QStringLiteral("Reason"), who.reason, kMaxReasonLength, true); !problem.isEmpty())
    return Result::Fail(RecordsError::Invalid, problem);
  WriteTransaction transaction(m_connection);
  QString error;
  if (!transaction.Begin(&error)) return Result::Fail(RecordsError::Database, error);
  const std::optional<std::vector<ReferenceStandard>> found = StandardsWhere(QStringLiteral("s.id = ?"), {standardId}, &error);
  if (!found) return Result::Fail(RecordsError::Database, error);
  if (found->empty()) return Result::Fail(RecordsError::NotFound, QStringLiteral("The reference standard is not kept in the records."));
  const ReferenceStandard& standard = found->front();
  // The standard itself is unchanged: before and after are the same, the
  // reason and the instrument are what the entry keeps.
  const QString json = StandardJson(standard);
  Actor noted = who;
  noted.reason = QStringLiteral("used while overdue for %1: %2").arg(tag, who.reason);
  if (!Audit(noted, QStringLiteral("use-overdue"), QStringLiteral("standard"), standard.id, json, json, &error) ||
      !transaction.Commit(&error))
    return Result::Fail(RecordsError::Database, error);
  return Result::Ok(standard);
}

}  // namespace vorenx
