// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Reads a fixture of tests/data: one case per line, a run of hex bytes (in
// groups of any width) followed by the columns the case expects. Blank lines
// and lines starting with '#' are skipped.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QtGlobal>

namespace vorenx::testing {

struct HexFixtureLine {
  QString line;        // the whole line, for failure messages
  QByteArray bytes;    // the leading hex bytes (fewer than asked for when the line is short)
  QStringList columns; // what follows them
};

// The cases of `name`, each with its first `byteCount` bytes; empty when the file is missing.
inline QList<HexFixtureLine> ReadHexFixture(const QString& name, int byteCount) {
  QList<HexFixtureLine> cases;
  QFile file(qEnvironmentVariable("VORENX_TEST_DATA") + "/" + name);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return cases;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QString line = in.readLine().trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
    QString hex;
    qsizetype i = 0;
    while (hex.size() < 2 * byteCount && i < parts.size()) hex += parts[i++];
    cases.push_back({line, QByteArray::fromHex(hex.toLatin1()), parts.mid(i)});
  }
  return cases;
}

}  // namespace vorenx::testing
