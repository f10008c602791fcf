// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
// vorenx-records: the lab's calibration records from the office or a script
// (the register, the due list, certificates, CSV export, import of record
// files, the audit trail's check). Everything but the streams is in RunTool.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "platform/FileText.h"
#include "records_cli/RecordsTool.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vorenx-records"));
  QCoreApplication::setApplicationVersion(vorenx::VersionText());
  QTextStream out(stdout);
  QTextStream err(stderr);
  const int code = vorenx::records_cli::RunTool(app.arguments(), vorenx::records_cli::UserPlaces(), out, err);
  out.flush();
  err.flush();
  return code;
}
