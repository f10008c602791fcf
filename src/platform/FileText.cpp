#include "platform/FileText.h"

#include <QDir>
#include <charconv>

#ifndef VORENX_VERSION
#error "VORENX_VERSION comes from the project's version in CMakeLists.txt"
#endif

namespace vorenx {

namespace {

template <typename Number>
QString Shortest(Number value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return QString::fromLatin1(text, static_cast<qsizetype>(result.ptr - text));
}

QString XdgFolder(const char* variable, const char* fallback) {
  QString folder = qEnvironmentVariable(variable);
  if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) folder = QDir::homePath() + QLatin1String(fallback);
  return folder;
}

}  // namespace

QString CsvField(const QString& text, QChar separator) {
  const bool quote = text.contains(separator) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\r')) ||
                     text.contains(QLatin1Char('\n'));
  if (!quote) return text;
  QString quoted = text;
  quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString PointNumber(double value) { return Shortest(value); }
QString PointNumber(float value) { return Shortest(value); }

QString XdgDataHome() { return XdgFolder("XDG_DATA_HOME", "/.local/share"); }
QString XdgConfigHome() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

QString AppDataPath(const QString& name) { return QDir(XdgDataHome()).filePath(QStringLiteral("vorenx/") + name); }
QString AppConfigPath(const QString& name) { return QDir(XdgConfigHome()).filePath(QStringLiteral("vorenx/") + name); }

QString VersionText() { return QStringLiteral(VORENX_VERSION); }

QString VersionMajorMinor() {
  return QStringLiteral("%1.%2").arg(VORENX_VERSION_MAJOR).arg(VORENX_VERSION_MINOR);
}

}  // namespace vorenx
