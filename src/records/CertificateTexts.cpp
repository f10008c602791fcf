// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"
#include "records/CertificateTexts.h"

#include <QObject>
#include <algorithm>

#include "records/CalibrationTexts.h"

namespace vorenx {

namespace {

// "25 % up, 75 % down", at most five, then "and 3 more".
QString PointList(const std::vector<const PointResult*>& points) {
  QStringList names;
  for (std::size_t i = 0; i < points.size() && i < 5; ++i)
    names << QStringLiteral("%1 % %2").arg(NumberText(points[i]->percent),
                                         points[i]->down ? CertificateWords::tr("down") : CertificateWords::tr("up"));
  QString text = names.join(QStringLiteral(", "));
  if (points.size() > 5) text += CertificateWords::tr(" and %1 more").arg(points.size() - 5);
  return text;
}

QString OfPoints(std::size_t count, std::size_t total) {
  return total == 1 ? CertificateWords::tr("the one point") : CertificateWords::tr("%1 of %2 points").arg(count).arg(total);
}

}  // namespace

QString NotRecordedText() { return CertificateWords::tr("not recorded"); }

QString LabNameText(const LabIdentity& lab) {
  const QString name = lab.name.trimmed();
  return name.isEmpty() ? CertificateWords::tr("Laboratory not set") : name;
}

QString ReproductionStatement() {
  return CertificateWords::tr("This certificate shall not be reproduced except in full without the written approval of the "
                     "laboratory.");
}

QString CertificateIdText(const CertificateData& data) {
  if (data.summary.certificateNumber.isEmpty())
    return CertificateWords::tr("not issued from the lab's records (tag %1)").arg(data.record.setup.tag);
  QString text = CertificateWords::tr("%1, revision %2").arg(data.summary.certificateNumber).arg(data.summary.revision);
  if (data.summary.state == CalibrationState::Draft) text += CertificateWords::tr(" (draft, not yet approved)");
  return text;
}

QString AmendmentStatement(const CertificateData& data) {
  if (data.replacesNumber.isEmpty()) return {};
  return CertificateWords::tr("This certificate replaces certificate %1, revision %2.")
      .arg(data.replacesNumber)
      .arg(data.replacesRevision);
}

PointVerdict StatedVerdict(const PointResult& point) {
  if (!point.settled) return PointVerdict::Fail;
  if (point.verdict) return *point.verdict;
  return point.pass ? PointVerdict::Pass : PointVerdict::Fail;
}

QString PointConformityText(const PointResult& point) {
  switch (StatedVerdict(point)) {
    case PointVerdict::Pass:
      return CertificateWords::tr("Pass");
    case PointVerdict::Indeterminate:
      return CertificateWords::tr("Indeterminate");
    case PointVerdict::Fail:
      break;
  }
  return point.settled ? CertificateWords::tr("Fail") : CertificateWords::tr("Fail (not settled)");
}

bool TurIsLow(const PointResult& point) {
  return point.uncertainty && point.uncertainty->tur && *point.uncertainty->tur < kMinimumTur;
}

QString DecisionRuleStatement(const CalibrationSetup& setup) {
  const QString tolerance = ToleranceText(setup);
  if (setup.rule == DecisionRule::GuardBand)
    return CertificateWords::tr("Decision rule: guard band w = U. A point conforms when its error is within the tolerance "
                       "(%1) less its expanded uncertainty U, does not conform when it exceeds the tolerance by more "
                       "than U, and conformity cannot be decided (indeterminate) between the two.")
        .arg(tolerance);
  return CertificateWords::tr("Decision rule: simple acceptance. A point conforms when its error is within the tolerance (%1); "
                     "its expanded uncertainty U is stated but not taken from the tolerance.")
      .arg(tolerance);
}

std::optional<PointVerdict> StatedRunVerdict(const RunResult& run) {
  if (!run.complete || run.points.empty()) return std::nullopt;
  std::vector<PointVerdict> verdicts;
  for (const PointResult& p : run.points) verdicts.push_back(StatedVerdict(p));
  return CombineVerdicts(verdicts);
}

QString StatedRunVerdictText(const RunResult& run) {
  const std::optional<PointVerdict> verdict = StatedRunVerdict(run);
  if (!verdict) return QStringLiteral("INCOMPLETE");
  return PointVerdictText(*verdict).toUpper();
}

QString RunResultLine(const RunResult& run) {
  QString text = QStringLiteral("%1: %2.").arg(RunKindWord(run.kind), StatedRunVerdictText(run));
  if (const PointResult* worst = LargestError(run))
    text += CertificateWords::tr(" Largest error %1 % of span at %2 % %3.")
                .arg(ErrorText(worst->errorPercent), NumberText(worst->percent),
                     worst->down ? CertificateWords::tr("down") : CertificateWords::tr("up"));
  if (const auto h = Hysteresis(run)) text += CertificateWords::tr(" Hysteresis %1 % of span.").arg(FixedText(*h, 3));
  return text;
}

QString ConformityStatement(const RunResult& run, const CalibrationSetup& setup) {
  const QString kind = RunKindWord(run.kind);
  if (!run.complete || run.points.empty()) {
    const QString why = run.endReason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(run.endReason);
    return CertificateWords::tr("%1: the run ended before its last point%2, so no statement of conformity is made.")
        .arg(kind, why);
  }
  std::vector<const PointResult*> failed, undecided;
  for (const PointResult& p : run.points) {
    const PointVerdict v = StatedVerdict(p);
    if (v == PointVerdict::Fail) failed.push_back(&p);
    if (v == PointVerdict::Indeterminate) undecided.push_back(&p);
  }
  const std::size_t total = run.points.size();
  if (failed.empty() && undecided.empty())
    return total == 1 ? CertificateWords::tr("%1: conforms to the tolerance (%2) at its one point.").arg(kind, ToleranceText(setup))
                      : CertificateWords::tr("%1: conforms to the tolerance (%2) at all %3 points.")
                            .arg(kind, ToleranceText(setup))
                            .arg(total);
  QString text;
  if (!failed.empty())
    text = CertificateWords::tr("%1: does not conform to the tolerance (%2): it fails at %3 (%4).")
               .arg(kind, ToleranceText(setup), OfPoints(failed.size(), total), PointList(failed));
  if (!undecided.empty()) {
    const QString sentence = CertificateWords::tr("conformity could not be decided at %1 (%2): the error lies within U of the "
                                         "tolerance limit.")
                                 .arg(OfPoints(undecided.size(), total), PointList(undecided));
    text = text.isEmpty() ? QStringLiteral("%1: %2").arg(kind, sentence)
                          : QStringLiteral("%1 %2%3").arg(text, sentence.left(1).toUpper(), sentence.mid(1));
  }
  return text;
}

QString UncertaintyStatement() {
  return CertificateWords::tr("The expanded uncertainty U is the combined standard uncertainty multiplied by the coverage "
                     "factor k = 2, which for a normal distribution corresponds to a coverage probability of about "
                     "95 %.");
}

QString LowTurNote() {
  return CertificateWords::tr("Points marked * have a test uncertainty ratio (tolerance over U) below %1:1.")
      .arg(NumberText(kMinimumTur));
}

QString OutputSideOnlyNote() {
  return CertificateWords::tr("At 0 % of a square-root output the input's sensitivity is unbounded: U there comes from "
                     "the output side alone.");
}

bool AnyLowTur(const RunResult& run) { return std::any_of(run.points.begin(), run.points.end(), TurIsLow); }

bool AnyOutputSideOnly(const RunResult& run) {
  return std::any_of(run.points.begin(), run.points.end(),
                     [](const PointResult& p) { return p.uncertainty && p.uncertainty->outputSideOnly; });
}

QString AmbientTemperatureText(const Environment& e) {
  return e.temperatureC ? QStringLiteral("%1 \u2103").arg(NumberText(*e.temperatureC)) : NotRecordedText();
}

QString HumidityText(const Environment& e) {
  return e.humidityPercent ? CertificateWords::tr("%1 % RH").arg(NumberText(*e.humidityPercent)) : NotRecordedText();
}

QString StandardUsedText(const std::optional<StandardUsed>& s) {
  if (!s) return NotRecordedText();
  QStringList parts;
  if (!s->description.trimmed().isEmpty()) parts << s->description.trimmed();
  parts << CertificateWords::tr("serial %1").arg(s->serial.isEmpty() ? NotRecordedText() : s->serial);
  parts << CertificateWords::tr("certificate %1").arg(s->certificateNumber.isEmpty() ? NotRecordedText() : s->certificateNumber);
  if (s->calibratedOn.isValid()) parts << CertificateWords::tr("calibrated %1").arg(s->calibratedOn.toString(Qt::ISODate));
  parts << CertificateWords::tr("due %1").arg(s->dueOn.isValid() ? s->dueOn.toString(Qt::ISODate) : NotRecordedText());
  QString text = parts.join(QStringLiteral(", "));
  if (!s->overdueReason.isEmpty()) text += CertificateWords::tr("; used past its due date: %1").arg(s->overdueReason);
  return text;
}

QDate FirstPerformanceDate(const CalibrationRecord& record) {
  QDate first;
  for (const auto* run : {&record.asFound, &record.asLeft})
    if (*run && (*run)->started.isValid() && (!first.isValid() || (*run)->started.date() < first))
      first = (*run)->started.date();
  return first;
}

QDate LastPerformanceDate(const CalibrationRecord& record) {
  QDate last;
  for (const auto* run : {&record.asFound, &record.asLeft}) {
    if (!*run) continue;
    const QDateTime end = (*run)->finished.isValid() ? (*run)->finished : (*run)->started;
    if (end.isValid() && (!last.isValid() || end.date() > last)) last = end.date();
  }
  return last;
}

}  // namespace vorenx
