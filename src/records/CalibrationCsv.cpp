// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#include "records/CalibrationCsv.h"

#include <QStringList>
#include <charconv>
#include <cmath>

#include "calib/CalibrationMath.h"
#include "calib/Uncertainty.h"
#include "instrument/FunctionTable.h"
#include "platform/FileText.h"
#include "platform/SpreadsheetCsv.h"

namespace vorenx {

namespace {

// The machine form, or the form for a spreadsheet in a user's locale.
struct Style {
  bool sheet = false;
  SpreadsheetDialect dialect;
};

// Numbers as the journal writes readings: the shortest text that reads back
// as the same 32-bit value, which is more than any calibrator resolves. For a
// spreadsheet without an exponent (some read "1e-07" as text) and with the
// locale's decimal mark.
QString Number(double v, const Style& style) {
  if (!style.sheet) return std::isfinite(v) ? PointNumber(static_cast<float>(v)) : QString();
  if (!std::isfinite(v)) return QString();
  char text[128];
  const auto result = std::to_chars(text, text + sizeof text, static_cast<float>(v), std::chars_format::fixed);
  return SpreadsheetNumber(QString::fromLatin1(text, static_cast<qsizetype>(result.ptr - text)), style.dialect);
}

// U with its two significant digits, as the certificate shows it.
QString UncertaintyText(double expanded, const Style& style) {
  if (!std::isfinite(expanded)) return QString();
  const QString text = FormatUncertainty(expanded);
  return style.sheet ? SpreadsheetNumber(text, style.dialect) : text;
}

// The test uncertainty ratio to one decimal, rounded down so that a ratio
// just below 4 never shows as 4.0.
QString TurText(double tur, const Style& style) {
  if (!std::isfinite(tur)) return QString();
  const QString text = QString::number(std::floor(tur * 10.0) / 10.0, 'f', 1);
  return style.sheet ? SpreadsheetNumber(text, style.dialect) : text;
}

QString Time(const QDateTime& t, const Style& style) {
  if (!style.sheet || !t.isValid()) return FormatRecordTime(t);
  return SpreadsheetDateTime({t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(),
                              t.time().second(), 0});
}

QString OneLine(QString text) {
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

void Comment(QByteArray& out, const QString& text, const Style& style) {
  const QString line = QLatin1String("# ") + OneLine(text);
  if (style.sheet) {
    out += SpreadsheetLine({line}, style.dialect);
    return;
  }
  out += (line + QLatin1String("\r\n")).toUtf8();
}

void Line(QByteArray& out, const QStringList& fields, const Style& style) {
  if (style.sheet) {
    out += SpreadsheetLine(fields, style.dialect);
    return;
  }
  QStringList quoted;
  for (const QString& f : fields) quoted << CsvField(f);
  out += (quoted.join(QLatin1Char(',')) + QLatin1String("\r\n")).toUtf8();
}

QString Span(double low, double high, const QString& unit, const Style& style) {
  return Number(low, style) + QLatin1String(" to ") + Number(high, style) + (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
}

QString WiringText(FunctionCode wiring) {
  return IsWiringChoice(wiring) ? WiringName(wiring) : QStringLiteral("wiring %1").arg(wiring);
}

void SetupComments(QByteArray& out, const CalibrationRecord& r, const Style& style) {
  const CalibrationSetup& s = r.setup;
  const QString inUnit = FunctionUnit(s.inputFunction, s.celsius);
  const QString outUnit = FunctionUnit(s.outputFunction, false);
  Comment(out, QStringLiteral("Tag: ") + s.tag, style);
  Comment(out, QStringLiteral("Description: ") + s.description, style);
  Comment(out, QStringLiteral("Technician: ") + s.technician, style);
  Comment(out, QStringLiteral("Calibrator: ") + r.calibrator, style);
  QString input = QStringLiteral("Input: ") + FunctionName(s.inputFunction);
  if (TakesWiring(s.inputFunction)) input += QLatin1Char(' ') + WiringText(s.wiring);
  Comment(out, input + QLatin1String("; ") + Span(s.inputLow, s.inputHigh, inUnit, style), style);
  Comment(out, QStringLiteral("Output: ") + FunctionName(s.outputFunction) + QLatin1String("; ") +
                   Span(s.outputLow, s.outputHigh, outUnit, style) + QLatin1String("; ") +
                   (s.transfer == OutputTransfer::SquareRoot ? QLatin1String("square root") : QLatin1String("linear")),
          style);
  Comment(out, QStringLiteral("Tolerance: ") + Number(TolerancePercentOfSpan(s), style) + QLatin1String(" % of span (") +
                   Number(ToleranceInOutputUnits(s), style) + QLatin1Char(' ') + outUnit + QLatin1Char(')'),
          style);
  // A setup of the first record format has none (0).
  Comment(out, QStringLiteral("Resolution: ") +
                   (s.resolution > 0.0 ? Number(s.resolution, style) + QLatin1Char(' ') + outUnit
                                       : QStringLiteral("not recorded")),
          style);
  Comment(out, QStringLiteral("Decision rule: ") +
                   (s.rule == DecisionRule::GuardBand ? QLatin1String("guard band (w = U)")
                                                      : QLatin1String("simple acceptance")) +
                   QLatin1String("; U with k = 2 (about 95 %) in ") + outUnit,
          style);
  QStringList points;
  for (double p : s.pointsPercent) points << Number(p, style);
  Comment(out, QStringLiteral("Points: ") + points.join(QLatin1Char(' ')) + QLatin1String(" % of input span; ") +
                   (s.runDown ? QLatin1String("up and down") : QLatin1String("up")), style);
  Comment(out, QStringLiteral("Settling: %1 readings within %2 of the tolerance; at most %3 s")
                   .arg(s.settle.readings)
                   .arg(Number(s.settle.bandFraction, style), Number(s.settle.timeoutSeconds, style)),
          style);
}

QString Signed(double v, const Style& style) { return (v > 0 ? QStringLiteral("+") : QString()) + Number(v, style); }

void RunLines(QByteArray& out, const CalibrationSetup& s, const RunResult& run, const Style& style) {
  const QString kind = RunKindText(run.kind);
  const QString inUnit = FunctionUnit(s.inputFunction, s.celsius);
  const QString outUnit = FunctionUnit(s.outputFunction, false);
  for (const PointResult& p : run.points) {
    Line(out, {kind, Number(p.percent, style), p.down ? QStringLiteral("down") : QStringLiteral("up"), Number(p.applied, style),
               inUnit, Number(p.expected, style), Number(p.measured, style), outUnit, Number(p.errorPercent, style),
               p.settled ? QStringLiteral("yes") : QStringLiteral("no"), QString::number(p.readings),
               p.pass ? QStringLiteral("pass") : QStringLiteral("fail"), Time(p.time, style),
               p.uncertainty ? UncertaintyText(p.uncertainty->expanded, style) : QString(),
               p.uncertainty && p.uncertainty->tur ? TurText(*p.uncertainty->tur, style) : QString(),
               p.verdict ? PointVerdictText(*p.verdict) : QStringLiteral("not recorded")}, style);
  }
  QString summary = kind + QLatin1String(": ") + PointVerdictText(RunVerdict(run));
  if (!run.complete)
    summary += QLatin1String(" (incomplete") +
               (run.endReason.isEmpty() ? QString() : QLatin1String(": ") + run.endReason) + QLatin1Char(')');
  if (const PointResult* largest = LargestError(run))
    summary += QLatin1String("; largest error ") + Signed(largest->errorPercent, style) + QLatin1String(" % of span at ") +
               Number(largest->percent, style) + (largest->down ? QLatin1String(" % down") : QLatin1String(" % up"));
  if (const std::optional<double> h = Hysteresis(run))
    summary += QLatin1String("; hysteresis ") + Number(*h, style) + QLatin1String(" % of span");
  int lowTur = 0;
  for (const PointResult& p : run.points)
    lowTur += p.uncertainty && p.uncertainty->tur && *p.uncertainty->tur < kMinimumTur ? 1 : 0;
  if (lowTur > 0)
    summary += QStringLiteral("; TUR below %1:1 at %2 of %3 points")
                   .arg(FormatCalibrationNumber(kMinimumTur))
                   .arg(lowTur)
                   .arg(run.points.size());
  summary += QLatin1String("; started ") + Time(run.started, style) + QLatin1String("; finished ") +
             Time(run.finished, style);
  Comment(out, summary, style);
}

QByteArray Csv(const CalibrationRecord& record, const Style& style) {
  QByteArray out = QByteArrayLiteral("\xEF\xBB\xBF");
  SetupComments(out, record, style);
  Line(out, {QStringLiteral("Run"), QStringLiteral("Point (%)"), QStringLiteral("Direction"),
             QStringLiteral("Applied"), QStringLiteral("Applied unit"), QStringLiteral("Expected"),
             QStringLiteral("Measured"), QStringLiteral("Output unit"), QStringLiteral("Error (% of span)"),
             QStringLiteral("Settled"), QStringLiteral("Readings"), QStringLiteral("Verdict"),
             QStringLiteral("Time"), QStringLiteral("U (k = 2)"), QStringLiteral("TUR"),
             QStringLiteral("Decision")}, style);
  if (record.asFound) RunLines(out, record.setup, *record.asFound, style);
  if (record.asLeft) RunLines(out, record.setup, *record.asLeft, style);
  return out;
}

}  // namespace

QByteArray CalibrationCsv(const CalibrationRecord& record) { return Csv(record, Style{}); }

QByteArray CalibrationSpreadsheetCsv(const CalibrationRecord& record, const SpreadsheetDialect& dialect) {
  return Csv(record, Style{true, dialect});
}

}  // namespace vorenx
