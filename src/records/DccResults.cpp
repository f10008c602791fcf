// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// The digital certificate's measurement results: one per run, each with its
// method, the reference standard, the ambient conditions and one result per
// test point.
#include <QObject>
#include <cmath>

#include "records/CertificateWords.h"
#include "records/CalibrationTexts.h"
#include "records/CertificateTexts.h"
#include "records/DccXmlWriter.h"

namespace vorenx::dcc {

namespace {

// A value in a function's unit as D-SI writes it. D-SI has no degree
// Fahrenheit, so a ℉ value (and its uncertainty) is given in ℃; the method
// says so.
std::optional<Real> InUnit(FunctionCode function, bool celsius, double value, std::optional<double> expanded = {}) {
  if (!std::isfinite(value)) return std::nullopt;
  if (IsTemperature(function)) {
    if (celsius) return Real{value, QStringLiteral("\\degreecelsius"), expanded};
    std::optional<double> u;
    if (expanded) u = *expanded / 1.8;
    return Real{(value - 32.0) / 1.8, QStringLiteral("\\degreecelsius"), u};
  }
  const QString unit = FunctionUnit(function, celsius);
  QString si;
  if (unit == QLatin1String("V"))
    si = QStringLiteral("\\volt");
  else if (unit == QLatin1String("mV"))
    si = QStringLiteral("\\milli\\volt");
  else if (unit == QLatin1String("mA"))
    si = QStringLiteral("\\milli\\ampere");
  else if (unit == QStringLiteral("\u03A9"))
    si = QStringLiteral("\\ohm");
  else
    return std::nullopt;
  return Real{value, si, expanded};
}

QStringList MethodLines(const CalibrationRecord& r) {
  const CalibrationSetup& s = r.setup;
  QStringList lines{
      CertificateWords::tr("The calibrator sources the input and reads the output of the instrument under test at each test "
                  "point once the readings have settled."),
      CertificateWords::tr("Input (sourced): %1.").arg(InputSpanText(s)),
      CertificateWords::tr("Output (measured): %1.").arg(OutputSpanText(s)),
      CertificateWords::tr("Tolerance: %1.").arg(ToleranceText(s)),
      CertificateWords::tr("Test points: %1 % of the input span, %2.")
          .arg(PointsFieldText(s.pointsPercent), s.runDown ? CertificateWords::tr("up and down") : CertificateWords::tr("up")),
      CertificateWords::tr("Settling: %1.").arg(SettleRuleText(s.settle)),
      CertificateWords::tr("As-found: as received, before any adjustment; as-left: after adjustment, if any."),
  };
  if (IsTemperature(s.inputFunction) && !s.celsius)
    lines << CertificateWords::tr("The input was set in \u2109; its values are given here in \u2103 (t/\u2103 = (t/\u2109 - 32) / 1.8).");
  return lines;
}

void WriteEquipment(Writer& w, const CalibrationRecord& r) {
  const std::optional<StandardUsed>& s = r.standard;
  w.Start("measuringEquipments");
  w.Start("measuringEquipment");
  w.Text("name", s && !s->description.trimmed().isEmpty() ? s->description.trimmed() : CertificateWords::tr("Reference standard"));
  QStringList description{CertificateWords::tr("Reference standard: %1.").arg(StandardUsedText(s))};
  if (!r.calibrator.isEmpty()) description << CertificateWords::tr("Calibrator: %1.").arg(r.calibrator);
  if (s)
    description << (s->defaultAccuracy ? CertificateWords::tr("Uncertainties from the calibrator's documented default accuracy table.")
                                       : CertificateWords::tr("Uncertainties from the accuracy table of the standard's own certificate."));
  w.Text("description", description);
  if (s && (!s->serial.isEmpty() || !s->certificateNumber.isEmpty())) {
    w.Start("identifications");
    if (!s->serial.isEmpty()) w.Identification("manufacturer", s->serial, CertificateWords::tr("Serial number"));
    if (!s->certificateNumber.isEmpty())
      w.Identification("other", s->certificateNumber, CertificateWords::tr("Calibration certificate of the standard"));
    w.End();
  }
  w.End();
  w.End();
}

void WriteCondition(Writer& w, const QString& name, const std::optional<Real>& value) {
  w.Start("influenceCondition");
  w.Text("name", name);
  w.Start("data");
  if (value) {
    w.Quantity(name, value, QString());
  } else {
    w.Text("text", NotRecordedText());
  }
  w.End();
  w.End();
}

void WriteConditions(Writer& w, const Environment& e) {
  w.Start("influenceConditions");
  std::optional<Real> t, h;
  if (e.temperatureC && std::isfinite(*e.temperatureC)) t = Real{*e.temperatureC, QStringLiteral("\\degreecelsius"), {}};
  if (e.humidityPercent && std::isfinite(*e.humidityPercent)) h = Real{*e.humidityPercent, QStringLiteral("\\percent"), {}};
  WriteCondition(w, CertificateWords::tr("Ambient temperature"), t);
  WriteCondition(w, CertificateWords::tr("Relative humidity"), h);
  w.End();
}

void WritePoint(Writer& w, const CalibrationSetup& s, const RunResult& run, const PointResult& p) {
  w.Start("result");
  w.Text("name", CertificateWords::tr("%1, %2 % of span, %3")
                     .arg(RunKindText(run.kind), NumberText(p.percent), p.down ? CertificateWords::tr("down") : CertificateWords::tr("up")));
  w.Start("data");
  w.Start("list");
  if (p.time.isValid()) w.Element("dateTime", p.time.toString(Qt::ISODateWithMs));
  w.Quantity(CertificateWords::tr("Test point (% of the input span)"), Real{p.percent, QStringLiteral("\\percent"), {}}, {});
  w.Quantity(CertificateWords::tr("Applied input"), InUnit(s.inputFunction, s.celsius, p.applied), NotRecordedText());
  w.Quantity(CertificateWords::tr("Expected output"), InUnit(s.outputFunction, true, p.expected), NotRecordedText());

  std::optional<double> u;
  if (p.uncertainty && std::isfinite(p.uncertainty->expanded)) u = p.uncertainty->expanded;
  w.Start("quantity");
  w.Text("name", CertificateWords::tr("Measured output"));
  if (!u && std::isfinite(p.measured)) w.Text("description", CertificateWords::tr("Expanded uncertainty: %1.").arg(NotRecordedText()));
  if (const std::optional<Real> measured = InUnit(s.outputFunction, true, p.measured, u))
    w.SiReal(*measured);
  else
    w.Text("noQuantity", CertificateWords::tr("No reading came at this point."));
  w.End();

  std::optional<Real> error;
  if (std::isfinite(p.measured) && std::isfinite(p.errorPercent)) error = Real{p.errorPercent, QStringLiteral("\\percent"), {}};
  w.Quantity(CertificateWords::tr("Error (% of the output span)"), error, CertificateWords::tr("No reading came at this point."));
  if (p.uncertainty && p.uncertainty->tur)
    w.Quantity(CertificateWords::tr("Test uncertainty ratio (tolerance over U)"),
               Real{std::round(*p.uncertainty->tur * 10.0) / 10.0, QStringLiteral("\\one"), {}}, {});

  QStringList declaration{PointConformityText(p)};
  if (StatedVerdict(p) == PointVerdict::Indeterminate)
    declaration << CertificateWords::tr("Conformity could not be decided: the error lies within U of the tolerance limit.");
  if (TurIsLow(p))
    declaration << CertificateWords::tr("The test uncertainty ratio of this point is below %1:1.").arg(NumberText(kMinimumTur));
  if (p.uncertainty && p.uncertainty->outputSideOnly) declaration << OutputSideOnlyNote();
  w.Start("measurementMetaData");
  w.Start("metaData");
  w.Text("declaration", declaration);
  if (const std::optional<QString> word = ConformityWord(StatedVerdict(p))) w.Element("conformity", *word);
  w.End();
  w.End();

  w.End();  // list
  w.End();  // data
  w.End();  // result
}

void WriteRun(Writer& w, const CalibrationRecord& r, const RunResult& run) {
  w.Start("measurementResult");
  w.Text("name", RunKindText(run.kind));
  QStringList description{RunSummaryText(run)};
  if (const QString interrupted = InterruptionsText(run); !interrupted.isEmpty()) description << interrupted;
  w.Text("description", description);
  w.Start("usedMethods");
  w.Start("usedMethod");
  w.Text("name", CertificateWords::tr("Calibration of the transfer function"));
  w.Text("description", MethodLines(r));
  w.End();
  w.Start("usedMethod");
  w.Text("name", CertificateWords::tr("Decision rule"));
  w.Text("description", DecisionRuleStatement(r.setup));
  w.End();
  w.Start("usedMethod");
  w.Text("name", CertificateWords::tr("Measurement uncertainty"));
  w.Text("description", QStringList{UncertaintyStatement(),
                                    CertificateWords::tr("Budget of each point: the calibrator's source and measure accuracy, "
                                                "the resolution of the instrument under test and the repeatability of "
                                                "the settled readings.")});
  w.End();
  w.End();
  WriteEquipment(w, r);
  WriteConditions(w, r.environment);
  w.Start("results");
  if (run.points.empty()) {
    w.Start("result");
    w.Text("name", RunKindText(run.kind));
    w.Start("data");
    w.Text("text", CertificateWords::tr("No point was recorded."));
    w.End();
    w.End();
  }
  for (const PointResult& p : run.points) WritePoint(w, r.setup, run, p);
  w.End();
  w.End();
}

}  // namespace

void WriteMeasurementResults(Writer& w, const CertificateData& data) {
  w.Start("measurementResults");
  for (const std::optional<RunResult>* run : {&data.record.asFound, &data.record.asLeft})
    if (*run) WriteRun(w, data.record, **run);
  w.End();
}

}  // namespace vorenx::dcc
