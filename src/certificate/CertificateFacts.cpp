// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"
#include "certificate/CertificateFacts.h"

#include <QObject>
#include <cmath>

#include "records/CalibrationTexts.h"
#include "records/CertificateTexts.h"

namespace vorenx {

namespace {

QString OrNotRecorded(const QString& text) { return text.trimmed().isEmpty() ? NotRecordedText() : text.trimmed(); }

// "2026-12-08 09:00:00 (UTC+01:00) to 2026-12-08 10:30:00 (UTC+01:00)".
QString CalibrationDatesText(const CalibrationRecord& r) {
  QDateTime from, to;
  for (const auto* run : {&r.asFound, &r.asLeft}) {
    if (!*run) continue;
    if ((*run)->started.isValid() && (!from.isValid() || (*run)->started < from)) from = (*run)->started;
    const QDateTime end = (*run)->finished.isValid() ? (*run)->finished : (*run)->started;
    if (end.isValid() && (!to.isValid() || end > to)) to = end;
  }
  if (!from.isValid()) return NotRecordedText();
  return CertificateWords::tr("%1 to %2").arg(DateTimeText(from), DateTimeText(to));
}

QString MethodText(const CalibrationRecord& r) {
  QStringList runs;
  if (r.asFound) runs << CertificateWords::tr("as-found");
  if (r.asLeft) runs << CertificateWords::tr("as-left");
  return CertificateWords::tr("%1 % of the input span, %2; %3")
      .arg(PointsFieldText(r.setup.pointsPercent), r.setup.runDown ? CertificateWords::tr("up and down") : CertificateWords::tr("up"),
           runs.join(CertificateWords::tr(" then ")));
}

QString InstrumentText(const CertificateData& d) {
  const QString description = d.instrument && !d.instrument->description.trimmed().isEmpty()
                                  ? d.instrument->description.trimmed()
                                  : d.record.setup.description.trimmed();
  return description.isEmpty() ? d.record.setup.tag : QStringLiteral("%1 \u2014 %2").arg(d.record.setup.tag, description);
}

QString IdentityText(const CertificateData& d) {
  const Instrument none;
  const Instrument& i = d.instrument ? *d.instrument : none;
  return CertificateWords::tr("manufacturer %1, model %2, serial %3")
      .arg(OrNotRecorded(i.manufacturer), OrNotRecorded(i.model), OrNotRecorded(i.serial));
}

}  // namespace

QString LabAddressLine(const LabIdentity& lab) {
  QStringList lines = lab.address.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (QString& line : lines) line = line.trimmed();
  lines.removeAll(QString());
  if (!lab.country.trimmed().isEmpty()) lines << lab.country.trimmed();
  return lines.isEmpty() ? CertificateWords::tr("Address %1").arg(NotRecordedText()) : lines.join(QStringLiteral(", "));
}

std::vector<CertificateFact> CertificateFacts(const CertificateData& d) {
  const CalibrationSetup& s = d.record.setup;
  std::vector<CertificateFact> facts{{CertificateWords::tr("Certificate"), CertificateIdText(d)}};
  if (!d.replacesNumber.isEmpty())
    facts.push_back({CertificateWords::tr("Replaces"), CertificateWords::tr("certificate %1, revision %2").arg(d.replacesNumber).arg(d.replacesRevision)});
  const std::vector<CertificateFact> rest{
      {CertificateWords::tr("Customer / owner"), OrNotRecorded(d.instrument ? d.instrument->owner : QString())},
      {CertificateWords::tr("Instrument"), InstrumentText(d)},
      {CertificateWords::tr("Identity"), IdentityText(d)},
      {CertificateWords::tr("Calibrated"), CalibrationDatesText(d.record)},
      {CertificateWords::tr("Issued"), d.issued.isValid() ? DateTimeText(d.issued) : NotRecordedText()},
      {CertificateWords::tr("Technician"), OrNotRecorded(s.technician)},
      {CertificateWords::tr("Method"), MethodText(d.record)},
      {CertificateWords::tr("Settling"), SettleRuleText(s.settle)},
      {CertificateWords::tr("Input (sourced)"), InputSpanText(s)},
      {CertificateWords::tr("Output (measured)"), OutputSpanText(s)},
      {CertificateWords::tr("Tolerance"), ToleranceText(s)},
      {CertificateWords::tr("Decision rule"), s.rule == DecisionRule::GuardBand ? CertificateWords::tr("guard band w = U")
                                                                       : CertificateWords::tr("simple acceptance")},
      {CertificateWords::tr("Reference standard"), StandardUsedText(d.record.standard)},
      {CertificateWords::tr("Calibrator"), OrNotRecorded(d.record.calibrator)},
      {CertificateWords::tr("Environment"), CertificateWords::tr("ambient %1, relative humidity %2")
                                       .arg(AmbientTemperatureText(d.record.environment), HumidityText(d.record.environment))},
  };
  facts.insert(facts.end(), rest.begin(), rest.end());
  return facts;
}

QStringList CertificateColumnTitles(const CalibrationSetup& s) {
  const QString in = FunctionUnit(s.inputFunction, s.celsius);
  const QString out = FunctionUnit(s.outputFunction, s.celsius);
  auto withUnit = [](const QString& title, const QString& unit) {
    return unit.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, unit);
  };
  return {CertificateWords::tr("Point %"), CertificateWords::tr("Dir."), withUnit(CertificateWords::tr("Applied"), in),
          withUnit(CertificateWords::tr("Expected"), out), withUnit(CertificateWords::tr("Measured"), out), CertificateWords::tr("Error % span"),
          CertificateWords::tr("U (%1, k = 2)").arg(out), CertificateWords::tr("TUR"), CertificateWords::tr("Drift % span"), CertificateWords::tr("Result")};
}

const std::vector<double>& CertificateColumnWidths() {
  static const std::vector<double> widths{60, 50, 110, 110, 110, 95, 120, 70, 95, 180};
  return widths;
}

QStringList CertificateCells(const PointResult& p, double drift) {
  QString u = NotRecordedText(), tur = NotRecordedText();
  if (p.uncertainty) {
    u = FormatUncertainty(p.uncertainty->expanded);
    if (p.uncertainty->outputSideOnly) u += QStringLiteral(" \u2020");
    tur = p.uncertainty->tur ? FixedText(*p.uncertainty->tur, 1) : QStringLiteral("\u2014");
    if (TurIsLow(p)) tur += QStringLiteral(" *");
  }
  return {NumberText(p.percent),
          p.down ? CertificateWords::tr("down") : CertificateWords::tr("up"),
          NumberText(p.applied),
          FixedText(p.expected, 4),
          FixedText(p.measured, 4),
          std::isfinite(p.measured) ? ErrorText(p.errorPercent) : QStringLiteral("\u2014"),
          u,
          tur,
          ErrorText(drift),
          PointConformityText(p)};
}

QStringList RunNoteLines(const CertificateData& d, const RunResult& run, const std::vector<double>& drift) {
  QStringList lines = WrapText(ConformityStatement(run, d.record.setup), kCharsPerLine);
  if (run.kind == RunKind::AsFound) {
    QString text = CertificateWords::tr("No earlier as-left of this tag to compare with.");
    if (d.previousAsLeft) {
      int worst = -1;
      for (int i = 0; i < static_cast<int>(drift.size()); ++i)
        if (std::isfinite(drift[i]) && (worst < 0 || std::abs(drift[i]) > std::abs(drift[worst]))) worst = i;
      QString basis = DriftBasisText(*d.previousAsLeft, QString());
      if (!d.previousAsLeftCertificate.isEmpty()) basis += CertificateWords::tr(", certificate %1").arg(d.previousAsLeftCertificate);
      text = worst < 0 ? CertificateWords::tr("No point in common with %1.").arg(basis)
                       : CertificateWords::tr("Largest drift %1 % of span at %2 %, against %3.")
                             .arg(ErrorText(drift[worst]), NumberText(run.points[worst].percent), basis);
    }
    lines << WrapText(text, kCharsPerLine);
  }
  if (AnyLowTur(run)) lines << LowTurNote();
  if (AnyOutputSideOnly(run)) lines << WrapText(QStringLiteral("\u2020 ") + OutputSideOnlyNote(), kCharsPerLine);
  if (const QString interrupted = InterruptionsText(run); !interrupted.isEmpty())
    lines << WrapText(interrupted, kCharsPerLine);
  return lines;
}

QStringList CertificateStatements(const CertificateData& d) {
  QStringList statements{DecisionRuleStatement(d.record.setup), UncertaintyStatement()};
  if (const QString amended = AmendmentStatement(d); !amended.isEmpty()) statements << amended;
  if (!d.auditHash.isEmpty())
    statements << CertificateWords::tr("Audit trail's newest hash (SHA-256) when issued: %1").arg(d.auditHash);
  if (!d.software.isEmpty()) statements << CertificateWords::tr("Issued with %1.").arg(d.software);
  statements << ReproductionStatement();
  return statements;
}

QString CertificateFooterText(const CertificateData& d) {
  return CertificateWords::tr("Certificate %1 \u2014 %2").arg(CertificateIdText(d), LabNameText(d.lab));
}

QString PageNumberText(int page, int count) { return CertificateWords::tr("Page %1 of %2").arg(page).arg(count); }

QStringList WrapText(const QString& text, int maxChars) {
  const int limit = std::max(maxChars, 1);
  QStringList lines;
  QString line;
  for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (!line.isEmpty() && line.size() + 1 + word.size() > limit) {
      lines << line;
      line.clear();
    }
    while (word.size() > limit) {  // a word longer than a line: cut it
      lines << word.left(limit);
      word = word.mid(limit);
    }
    if (!word.isEmpty()) line += line.isEmpty() ? word : QLatin1Char(' ') + word;
  }
  if (!line.isEmpty() || lines.isEmpty()) lines << line;
  return lines;
}

}  // namespace vorenx
