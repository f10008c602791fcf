// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A certificate with everything a lab reports, for the tests of the PDF and
// of the digital certificate: runs with U, TUR and verdicts, the standard,
// the environment, the lab and its signatory.

#include <QCryptographicHash>
#include <QTimeZone>
#include <cmath>

#include "../calib/CalibTestSupport.h"
#include "calib/Uncertainty.h"
#include "records/CertificateData.h"

namespace vorenx::testing {

// A complete run of `points` points of the 4-20 mA transmitter, the output
// `gain` times the expected, each point with U = `u` mA and its verdict under
// `setup`'s rule.
inline RunResult CertificateRun(const CalibrationSetup& setup, RunKind kind, int points, double gain, double u = 0.004) {
  RunResult run;
  run.kind = kind;
  run.started = At(9, kind == RunKind::AsFound ? 0 : 30, 0);
  run.finished = run.started.addSecs(600);
  run.complete = true;
  const double tol = TolerancePercentOfSpan(setup);
  for (int i = 0; i < points; ++i) {
    PointResult p;
    p.percent = 100.0 * i / std::max(points - 1, 1);
    p.applied = InputAt(setup, p.percent);
    p.expected = ExpectedOutput(setup, p.applied);
    p.measured = 4.0 + gain * (p.expected - 4.0);
    p.errorPercent = ErrorPercentOfSpan(setup, p.measured, p.expected);
    p.settled = true;
    p.readings = 3;
    p.time = run.started.addSecs(10 * i);
    PointUncertainty pu;
    pu.expanded = u;
    pu.combined = u / 2;
    pu.expandedPercentOfSpan = u / 16.0 * 100.0;
    pu.tur = ToleranceInOutputUnits(setup) / u;
    p.uncertainty = pu;
    p.verdict = DecidePoint(setup.rule, p.errorPercent, tol, pu.expandedPercentOfSpan);
    p.pass = *p.verdict == PointVerdict::Pass;
    run.points.push_back(p);
  }
  return run;
}

// Everything a certificate carries, from records that know it all.
inline CertificateData FullCertificate(int points = 5) {
  CertificateData d;
  d.lab = {QStringLiteral("Vorenx Test Laboratory"), QStringLiteral("1 Bench Street\n12345 Testtown"),
           QStringLiteral("Dr. Signe Tory"), QStringLiteral("Head of laboratory"), QStringLiteral("DE"), QString()};
  Instrument i;
  i.id = 1;
  i.tag = QStringLiteral("TT-101");
  i.description = QStringLiteral("Reactor inlet temperature");
  i.manufacturer = QStringLiteral("Acme");
  i.model = QStringLiteral("TX-4");
  i.serial = QStringLiteral("SN-4711");
  i.owner = QStringLiteral("Plant A, Chemicals Ltd");
  d.instrument = i;
  d.summary.id = 7;
  d.summary.certificateNumber = QStringLiteral("VX-2026-000123");
  d.summary.revision = 1;
  d.summary.tag = i.tag;
  d.summary.state = CalibrationState::Approved;
  d.record.setup = RtdTransmitter();
  d.record.setup.resolution = 0.001;
  d.record.calibrator = QStringLiteral("Vorenx calibrator on COM4 (/dev/ttyUSB0)");
  d.record.standard = StandardUsed{QStringLiteral("CAL-1"), QStringLiteral("Process calibrator"),
                                   QStringLiteral("DKD-4711"), QDate(2026, 1, 10), QDate(2027, 1, 10),
                                   {}, true, QString()};
  d.record.environment = Environment{23.1, 45.0};
  d.record.asFound = CertificateRun(d.record.setup, RunKind::AsFound, points, 1.002);
  d.record.asLeft = CertificateRun(d.record.setup, RunKind::AsLeft, points, 1.0005);
  d.issued = QDateTime(QDate(2026, 12, 8), QTime(12, 0), QTimeZone::utc());
  d.auditHash = QString::fromLatin1(QCryptographicHash::hash("audit trail", QCryptographicHash::Sha256).toHex());
  d.software = QStringLiteral("Vorenx 1.0.0.2");
  return d;
}

}  // namespace vorenx::testing
