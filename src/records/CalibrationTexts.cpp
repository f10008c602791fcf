// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CertificateWords.h"
#include "records/CalibrationTexts.h"

#include <QLocale>
#include <QObject>
#include <QStringList>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "calib/CalibrationMath.h"

namespace vorenx {

namespace {

// The C locale's number reading without its thousands separators, so that
// "1,5" never silently reads as 15.
const QLocale& NumberLocale() {
  static const QLocale locale = [] {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return c;
  }();
  return locale;
}

const QString kDash = QStringLiteral("\u2014");

// A setup's wiring; anything but three or four wires reads as two.
QString WiringText(FunctionCode wiring) {
  return WiringName(IsWiringChoice(wiring) ? wiring : fc::kTwoWire);
}

}  // namespace

QString NumberText(double value) {
  return std::isfinite(value) ? FormatCalibrationNumber(value) : kDash;
}

QString FixedText(double value, int decimals) {
  if (!std::isfinite(value)) return kDash;
  QString text = QString::number(value, 'f', decimals);
  // "-0.000" reads as a negative error; a rounded zero is shown unsigned.
  if (text.startsWith(QLatin1Char('-')) && QString::number(0.0, 'f', decimals) == text.mid(1)) text.remove(0, 1);
  return text;
}

QString ErrorText(double percent) {
  const QString text = FixedText(percent, 3);
  if (!std::isfinite(percent) || text.startsWith(QLatin1Char('-'))) return text;
  return QLatin1Char('+') + text;
}

bool ParseNumberField(const QString& text, double& value) {
  QString t = text.trimmed();
  if (t.isEmpty()) return false;
  if (!t.contains(QLatin1Char('.')) && t.count(QLatin1Char(',')) == 1) t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double v = NumberLocale().toDouble(t, &ok);
  if (!ok || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool ParsePointsField(const QString& text, std::vector<double>& points, QString& error) {
  static const QRegularExpression decimalComma(QStringLiteral("\\d,\\d"));
  if (text.contains(decimalComma)) {
    error = CertificateWords::tr("Write decimals with \".\" and separate the points with \", \" or \";\" (for example "
                        "\"0, 12.5, 50\").");
    return false;
  }
  static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
  const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
  if (parts.isEmpty()) {
    error = CertificateWords::tr("Enter at least one test point in % of the input span.");
    return false;
  }
  std::vector<double> read;
  for (const QString& part : parts) {
    bool ok = false;
    const double v = NumberLocale().toDouble(part, &ok);
    if (!ok || !std::isfinite(v)) {
      error = CertificateWords::tr("\"%1\" is not a number.").arg(part.left(20));
      return false;
    }
    read.push_back(v);
  }
  points = std::move(read);
  return true;
}

QString PointsFieldText(const std::vector<double>& points) {
  QStringList parts;
  for (double p : points) parts << NumberText(p);
  return parts.join(QStringLiteral(", "));
}

QString InputSpanText(const CalibrationSetup& s) {
  QString text = FunctionName(s.inputFunction);
  if (TakesWiring(s.inputFunction)) text += QStringLiteral(", ") + WiringText(s.wiring);
  const QString unit = FunctionUnit(s.inputFunction, s.celsius);
  text += QStringLiteral(", %1 to %2").arg(NumberText(s.inputLow), NumberText(s.inputHigh));
  if (!unit.isEmpty()) text += QLatin1Char(' ') + unit;
  return text;
}

QString OutputSpanText(const CalibrationSetup& s) {
  return QStringLiteral("%1, %2 to %3 %4, %5")
      .arg(FunctionName(s.outputFunction), NumberText(s.outputLow), NumberText(s.outputHigh),
           FunctionUnit(s.outputFunction, s.celsius),
           s.transfer == OutputTransfer::SquareRoot ? QStringLiteral("square root") : QStringLiteral("linear"));
}

QString ToleranceText(const CalibrationSetup& s) {
  const QString unit = FunctionUnit(s.outputFunction, s.celsius);
  const QString percent = NumberText(TolerancePercentOfSpan(s));
  const QString units = NumberText(ToleranceInOutputUnits(s));
  if (s.toleranceUnit == ToleranceUnit::OutputUnits)
    return QStringLiteral("\u00B1%1 %2 (%3 % of span)").arg(units, unit, percent);
  return QStringLiteral("\u00B1%1 % of span (%2 %3)").arg(percent, units, unit);
}

QString SettleRuleText(const SettleRule& rule) {
  return CertificateWords::tr("%1 readings within %2 % of the tolerance, at most %3 s")
      .arg(rule.readings)
      .arg(NumberText(rule.bandFraction * 100.0), NumberText(rule.timeoutSeconds));
}

QStringList ResultColumnTitles(const CalibrationSetup& s) {
  const QString in = FunctionUnit(s.inputFunction, s.celsius);
  const QString out = FunctionUnit(s.outputFunction, s.celsius);
  auto withUnit = [](const QString& title, const QString& unit) {
    return unit.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, unit);
  };
  return {CertificateWords::tr("Point %"),     CertificateWords::tr("Direction"),
          withUnit(CertificateWords::tr("Applied"), in), withUnit(CertificateWords::tr("Expected"), out),
          withUnit(CertificateWords::tr("Measured"), out), CertificateWords::tr("Error % of span"),
          CertificateWords::tr("Drift % of span"), CertificateWords::tr("Result")};
}

QStringList ResultCells(const PointResult& p, double drift) {
  return {NumberText(p.percent),
          p.down ? CertificateWords::tr("down") : CertificateWords::tr("up"),
          NumberText(p.applied),
          FixedText(p.expected, 4),
          FixedText(p.measured, 4),
          std::isfinite(p.measured) ? ErrorText(p.errorPercent) : kDash,
          ErrorText(drift),
          PointVerdictText(p)};
}

PointVerdict ShownVerdict(const PointResult& p) {
  if (p.pass) return PointVerdict::Pass;
  return p.settled && p.verdict == PointVerdict::Indeterminate ? PointVerdict::Indeterminate : PointVerdict::Fail;
}

bool AnyPointFails(const RunResult& run) {
  return std::any_of(run.points.begin(), run.points.end(),
                     [](const PointResult& p) { return ShownVerdict(p) == PointVerdict::Fail; });
}

QString PointVerdictText(const PointResult& p) {
  if (!p.settled) return CertificateWords::tr("Fail (not settled)");
  switch (ShownVerdict(p)) {
    case PointVerdict::Pass: return CertificateWords::tr("Pass");
    case PointVerdict::Indeterminate: return CertificateWords::tr("Indeterminate");
    case PointVerdict::Fail: break;
  }
  return CertificateWords::tr("Fail");
}

QStringList ResultTableColumnTitles(const CalibrationSetup& s) {
  QStringList titles = ResultColumnTitles(s);
  const QString out = FunctionUnit(s.outputFunction, s.celsius);
  titles.insert(titles.size() - 1, out.isEmpty() ? QStringLiteral("U") : QStringLiteral("U (%1)").arg(out));
  titles.insert(titles.size() - 1, CertificateWords::tr("TUR"));
  return titles;
}

QStringList ResultTableCells(const PointResult& p, double drift) {
  QStringList cells = ResultCells(p, drift);
  cells.insert(cells.size() - 1, UncertaintyText(p));
  cells.insert(cells.size() - 1, TurText(p));
  return cells;
}

QString UncertaintyText(const PointResult& p) {
  return p.uncertainty ? FormatUncertainty(p.uncertainty->expanded) : CertificateWords::tr("not recorded");
}

QString TurText(const PointResult& p) {
  if (!p.uncertainty) return CertificateWords::tr("not recorded");
  const std::optional<double> tur = p.uncertainty->tur;
  if (!tur || !std::isfinite(*tur) || *tur <= 0.0) return kDash;
  // Two significant digits, cut down: 3.96 reads 3.9, never 4.0.
  const int e = static_cast<int>(std::floor(std::log10(*tur)));
  const double step = std::pow(10.0, e - 1);
  const double cut = std::floor(*tur / step * (1.0 + 1e-12)) * step;
  return QStringLiteral("%1:1").arg(QString::number(cut, 'f', std::max(0, 1 - e)));
}

bool TurBelowMinimum(const PointResult& p) {
  return p.uncertainty && p.uncertainty->tur && *p.uncertainty->tur < kMinimumTur;
}

QString RunVerdictText(const RunResult& run) {
  if (RunPasses(run)) return CertificateWords::tr("PASS");
  if (run.complete && RunVerdict(run) == PointVerdict::Indeterminate) return CertificateWords::tr("INDETERMINATE");
  return (run.complete || AnyPointFails(run)) ? CertificateWords::tr("FAIL") : CertificateWords::tr("INCOMPLETE");
}

QString RunKindWord(RunKind kind) {
  return kind == RunKind::AsFound ? CertificateWords::tr("As-found") : CertificateWords::tr("As-left");
}

QString RunSummaryText(const RunResult& run) { return RunSummaryText(run, true); }

QString RunInProgressText(const RunResult& run) {
  const bool anyFail = AnyPointFails(run);
  const std::size_t n = run.points.size();
  return CertificateWords::tr("%1: %2in progress, %3 recorded.")
      .arg(RunKindWord(run.kind), anyFail ? CertificateWords::tr("FAIL so far, ") : QString(),
           n == 1 ? CertificateWords::tr("1 point") : CertificateWords::tr("%1 points").arg(n));
}

QString RunSummaryText(const RunResult& run, bool withEndReason) {
  QString verdict = RunVerdictText(run);
  if (run.complete && RunVerdict(run) == PointVerdict::Indeterminate) {
    const auto undecided = std::count_if(run.points.begin(), run.points.end(), [](const PointResult& p) {
      return p.verdict == PointVerdict::Indeterminate;
    });
    verdict += CertificateWords::tr(" (conformity could not be decided at %1)")
                   .arg(undecided == 1 ? CertificateWords::tr("1 point") : CertificateWords::tr("%1 points").arg(undecided));
  }
  QString text = QStringLiteral("%1: %2.").arg(RunKindWord(run.kind), verdict);
  if (const PointResult* worst = LargestError(run)) {
    text += CertificateWords::tr(" Largest error %1 % of span at %2 % %3.")
                .arg(ErrorText(worst->errorPercent), NumberText(worst->percent),
                     worst->down ? CertificateWords::tr("down") : CertificateWords::tr("up"));
  }
  if (const auto h = Hysteresis(run)) text += CertificateWords::tr(" Hysteresis %1 % of span.").arg(FixedText(*h, 3));
  if (withEndReason && !run.complete && !run.endReason.isEmpty()) text += CertificateWords::tr(" Ended early: %1.").arg(run.endReason);
  return text;
}

QString DriftBasisText(const RunResult& asLeft, const QString& file) {
  const QString basis = CertificateWords::tr("the last complete as-left, finished %1").arg(DateTimeText(asLeft.finished));
  return file.isEmpty() ? basis : CertificateWords::tr("%1, record %2").arg(basis, file);
}

QString DurationText(qint64 seconds) {
  if (seconds < 60) return CertificateWords::tr("%1 s").arg(seconds);
  if (seconds < 3600) return CertificateWords::tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
  return CertificateWords::tr("%1 h %2 min").arg(seconds / 3600).arg(seconds / 60 % 60);
}

QString InterruptionsText(const RunResult& run) {
  QStringList stretches;
  for (const RunInterruption& i : run.interruptions) {
    stretches << (i.to.isValid() && i.from.isValid()
                      ? CertificateWords::tr("%1 for %2").arg(DateTimeText(i.from), DurationText(std::max<qint64>(0, i.from.secsTo(i.to))))
                      : CertificateWords::tr("%1 until the run ended").arg(DateTimeText(i.from)));
  }
  if (stretches.isEmpty()) return {};
  return CertificateWords::tr("Interrupted: the calibrator stopped answering at %1.")
      .arg(stretches.join(QStringLiteral(", at ")));
}

QString DateTimeText(const QDateTime& time) {
  if (!time.isValid()) return QStringLiteral("\u2014");
  const int offset = time.offsetFromUtc();
  const int minutes = std::abs(offset) / 60;
  return QStringLiteral("%1 (UTC%2%3:%4)")
      .arg(time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), offset < 0 ? QStringLiteral("-") : QStringLiteral("+"))
      .arg(minutes / 60, 2, 10, QLatin1Char('0'))
      .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}


}  // namespace vorenx
