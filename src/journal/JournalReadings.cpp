#include "journal/JournalReadings.h"

#include <QDir>

#include "instrument/FunctionTable.h"

namespace vorenx {

JournalReading MakeJournalReading(const InstrumentState& s, const LocalTime& time) {
  JournalReading r;
  r.time = time;
  // The upper display never shows a temperature, so its unit ignores the ℃ flag.
  r.upper = {s.upperValue, FunctionUnit(s.upperFunction, false), FunctionName(s.upperFunction)};
  r.lower = {s.lowerValue, FunctionUnit(s.lowerFunction, s.celsius), FunctionName(s.lowerFunction)};
  return r;
}

QString DefaultJournalFolder() {
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (data.isEmpty() || !QDir::isAbsolutePath(data)) data = QDir::homePath() + QStringLiteral("/.local/share");
  return QDir(data).filePath(QStringLiteral("vorenx/journal"));
}

}  // namespace vorenx
