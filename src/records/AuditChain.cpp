// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/AuditChain.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>

namespace vorenx {

namespace {

// Each field as "<bytes>:<UTF-8>\n", so that no two different entries give
// the same bytes whatever their texts hold.
void AddField(QCryptographicHash& hash, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  hash.addData(QByteArray::number(utf8.size()));
  hash.addData(QByteArrayView(":"));
  hash.addData(utf8);
  hash.addData(QByteArrayView("\n"));
}

AuditEntry EntryFrom(const QSqlQuery& q) {
  AuditEntry e;
  e.id = q.value(0).toLongLong();
  e.changedAt = q.value(1).toString();
  e.technician = q.value(2).toString();
  e.osUser = q.value(3).toString();
  e.action = q.value(4).toString();
  e.entity = q.value(5).toString();
  e.entityId = q.value(6).toLongLong();
  e.before = q.value(7).toString();
  e.after = q.value(8).toString();
  e.reason = q.value(9).toString();
  e.prevHash = q.value(10).toString();
  e.hash = q.value(11).toString();
  return e;
}

}  // namespace

QString AuditEntryHash(const AuditEntry& e) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  for (const QString& field : {QString::number(e.id), e.changedAt, e.technician, e.osUser, e.action, e.entity,
                               QString::number(e.entityId), e.before, e.after, e.reason, e.prevHash})
    AddField(hash, field);
  return QString::fromLatin1(hash.result().toHex());
}

bool AppendAudit(RecordsConnection& c, AuditEntry entry, QString* error) {
  const QString doing = QStringLiteral("Cannot write the audit trail");
  QSqlQuery q(c.Database());
  if (!RunQuery(q, QStringLiteral("SELECT id, hash FROM audit_log ORDER BY id DESC LIMIT 1"), {}, error, doing))
    return false;
  entry.id = 1;
  entry.prevHash.clear();
  if (q.next()) {
    entry.id = q.value(0).toLongLong() + 1;
    entry.prevHash = q.value(1).toString();
  }
  entry.hash = AuditEntryHash(entry);
  return RunQuery(q,
                  QStringLiteral("INSERT INTO audit_log (id, changed_at, technician, os_user, action, entity, entity_id, "
                                 "before_json, after_json, reason, prev_hash, hash) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  {entry.id, entry.changedAt, entry.technician, entry.osUser, entry.action, entry.entity, entry.entityId,
                   entry.before, entry.after, entry.reason, entry.prevHash, entry.hash},
                  error, doing);
}

RecordsResult<ChainReport> VerifyAuditChain(RecordsConnection& c) {
  QSqlQuery q(c.Database());
  q.setForwardOnly(true);
  QString error;
  if (!RunQuery(q, QStringLiteral("SELECT id, changed_at, technician, os_user, action, entity, entity_id, before_json, "
                                  "after_json, reason, prev_hash, hash FROM audit_log ORDER BY id"),
                {}, &error, QStringLiteral("Cannot read the audit trail")))
    return RecordsResult<ChainReport>::Fail(RecordsError::Database, error);
  ChainReport report;
  qint64 previousId = 0;
  QString previousHash;
  while (q.next()) {
    const AuditEntry e = EntryFrom(q);
    ++report.entries;
    if (e.prevHash != previousHash) {
      report.problem = previousId == 0
                           ? QStringLiteral("Audit entry %1 is the first one left: the entries before it were removed.").arg(e.id)
                           : QStringLiteral("Audit entry %1 does not follow entry %2: an entry between them was removed, "
                                            "or the entries were reordered.").arg(e.id).arg(previousId);
    } else if (AuditEntryHash(e) != e.hash) {
      report.problem = QStringLiteral("Audit entry %1 (%2 of %3 %4 at %5) was changed after it was written: its "
                                      "content no longer matches its hash.")
                           .arg(e.id).arg(e.action, e.entity).arg(e.entityId).arg(e.changedAt);
    }
    if (!report.problem.isEmpty()) {
      report.intact = false;
      report.firstBrokenId = e.id;
      break;
    }
    previousId = e.id;
    previousHash = e.hash;
  }
  if (q.lastError().isValid() && report.intact)
    return RecordsResult<ChainReport>::Fail(RecordsError::Database, EngineText(q.lastError()));
  report.newestHash = previousHash;
  return RecordsResult<ChainReport>::Ok(report);
}

}  // namespace vorenx
