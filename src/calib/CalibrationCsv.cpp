#include "calib/CalibrationCsv.h"

#include <QStringList>

#include "calib/CalibrationMath.h"
#include "journal/JournalFormat.h"
#include "journal/JournalReadings.h"

namespace vorenx {

namespace {

// Numbers as the journal writes readings: the shortest text that reads back
// as the same 32-bit value, which is more than any calibrator resolves.
QString Number(double v) { return FormatJournalNumber(static_cast<float>(v)); }

QString OneLine(QString text) {
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

void Comment(QByteArray& out, const QString& text) {
  out += (QLatin1String("# ") + OneLine(text) + QLatin1String("\r\n")).toUtf8();
}

void Line(QByteArray& out, const QStringList& fields) {
  QStringList quoted;
  for (const QString& f : fields) quoted << CsvField(f);
  out += (quoted.join(QLatin1Char(',')) + QLatin1String("\r\n")).toUtf8();
}

QString Span(double low, double high, const QString& unit) {
  return Number(low) + QLatin1String(" to ") + Number(high) + (unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
}

QString WiringText(FunctionCode wiring) {
  switch (wiring) {
    case fc::kTwoWire: return QStringLiteral("2-wire");
    case fc::kThreeWire: return QStringLiteral("3-wire");
    case fc::kFourWire: return QStringLiteral("4-wire");
    default: return QStringLiteral("wiring %1").arg(wiring);
  }
}

void SetupComments(QByteArray& out, const CalibrationRecord& r) {
  const CalibrationSetup& s = r.setup;
  const QString inUnit = JournalUnit(s.inputFunction, s.celsius);
  const QString outUnit = JournalUnit(s.outputFunction, false);
  Comment(out, QStringLiteral("Tag: ") + s.tag);
  Comment(out, QStringLiteral("Description: ") + s.description);
  Comment(out, QStringLiteral("Technician: ") + s.technician);
  Comment(out, QStringLiteral("Calibrator: ") + r.calibrator);
  QString input = QStringLiteral("Input: ") + JournalFunctionName(s.inputFunction);
  if (s.inputFunction == fc::kResistance || IsRtd(s.inputFunction)) input += QLatin1Char(' ') + WiringText(s.wiring);
  Comment(out, input + QLatin1String("; ") + Span(s.inputLow, s.inputHigh, inUnit));
  Comment(out, QStringLiteral("Output: ") + JournalFunctionName(s.outputFunction) + QLatin1String("; ") +
                   Span(s.outputLow, s.outputHigh, outUnit) + QLatin1String("; ") +
                   (s.transfer == OutputTransfer::SquareRoot ? QLatin1String("square root") : QLatin1String("linear")));
  Comment(out, QStringLiteral("Tolerance: ") + Number(TolerancePercentOfSpan(s)) + QLatin1String(" % of span (") +
                   Number(ToleranceInOutputUnits(s)) + QLatin1Char(' ') + outUnit + QLatin1Char(')'));
  QStringList points;
  for (double p : s.pointsPercent) points << Number(p);
  Comment(out, QStringLiteral("Points: ") + points.join(QLatin1Char(' ')) + QLatin1String(" % of input span; ") +
                   (s.runDown ? QLatin1String("up and down") : QLatin1String("up")));
  Comment(out, QStringLiteral("Settling: %1 readings within %2 of the tolerance; at most %3 s")
                   .arg(s.settle.readings)
                   .arg(Number(s.settle.bandFraction), Number(s.settle.timeoutSeconds)));
}

QString Signed(double v) { return (v > 0 ? QStringLiteral("+") : QString()) + Number(v); }

void RunLines(QByteArray& out, const CalibrationSetup& s, const RunResult& run) {
  const QString kind = RunKindText(run.kind);
  const QString inUnit = JournalUnit(s.inputFunction, s.celsius);
  const QString outUnit = JournalUnit(s.outputFunction, false);
  for (const PointResult& p : run.points) {
    Line(out, {kind, Number(p.percent), p.down ? QStringLiteral("down") : QStringLiteral("up"), Number(p.applied),
               inUnit, Number(p.expected), Number(p.measured), outUnit, Number(p.errorPercent),
               p.settled ? QStringLiteral("yes") : QStringLiteral("no"), QString::number(p.readings),
               p.pass ? QStringLiteral("pass") : QStringLiteral("fail"), FormatRecordTime(p.time)});
  }
  QString summary = kind + QLatin1String(": ") + (RunPasses(run) ? QLatin1String("pass") : QLatin1String("fail"));
  if (!run.complete)
    summary += QLatin1String(" (incomplete") +
               (run.endReason.isEmpty() ? QString() : QLatin1String(": ") + run.endReason) + QLatin1Char(')');
  if (const PointResult* largest = LargestError(run))
    summary += QLatin1String("; largest error ") + Signed(largest->errorPercent) + QLatin1String(" % of span at ") +
               Number(largest->percent) + (largest->down ? QLatin1String(" % down") : QLatin1String(" % up"));
  if (const std::optional<double> h = Hysteresis(run))
    summary += QLatin1String("; hysteresis ") + Number(*h) + QLatin1String(" % of span");
  summary += QLatin1String("; started ") + FormatRecordTime(run.started) + QLatin1String("; finished ") +
             FormatRecordTime(run.finished);
  Comment(out, summary);
}

}  // namespace

QByteArray CalibrationCsv(const CalibrationRecord& record) {
  QByteArray out = QByteArrayLiteral("\xEF\xBB\xBF");
  SetupComments(out, record);
  Line(out, {QStringLiteral("Run"), QStringLiteral("Point (%)"), QStringLiteral("Direction"),
             QStringLiteral("Applied"), QStringLiteral("Applied unit"), QStringLiteral("Expected"),
             QStringLiteral("Measured"), QStringLiteral("Output unit"), QStringLiteral("Error (% of span)"),
             QStringLiteral("Settled"), QStringLiteral("Readings"), QStringLiteral("Verdict"),
             QStringLiteral("Time")});
  if (record.asFound) RunLines(out, record.setup, *record.asFound);
  if (record.asLeft) RunLines(out, record.setup, *record.asLeft);
  return out;
}

}  // namespace vorenx
