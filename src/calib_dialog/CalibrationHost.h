// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// What the calibration dialog needs of the main window: runs that drive the
// instrument through the window's link and command queue, defaults from the
// current settings, the lower functions' ranges and a description of the
// calibrator. The main window implements it (src/app/CVorenxDlgCalibration.cpp);
// the dialog's tests use a fake.

#include <QString>
#include <memory>

#include "calib/CalibrationRun.h"
#include "calib/CalibrationSetup.h"

namespace vorenx {

class CalibrationHost {
 public:
  virtual ~CalibrationHost() = default;

  // A new run, fed with every decoded reading and status change until it is
  // destroyed. Not started yet. At most one run drives the instrument at a
  // time: null (and `why` set) while another has not ended.
  virtual std::unique_ptr<CalibrationRun> CreateRun(const CalibrationSetup& setup, RunKind kind,
                                                    QString* why = nullptr) = 0;
  // A setup taken from the current settings: the lower function, its wiring,
  // unit and full range (SFGetRange) as input span, the upper function and a
  // span to match (4-20 mA for current, 0-10 V for voltage).
  virtual CalibrationSetup CurrentDefaults() = 0;
  // The range of a lower function in its unit (SFGetRange).
  virtual void LowerRange(FunctionCode function, bool celsius, double& low, double& high) = 0;
  // "Vorenx calibrator on COM4 (/dev/ttyUSB0)", for the certificate.
  virtual QString CalibratorText() = 0;
  // True while the instrument answers.
  virtual bool Connected() = 0;
};

}  // namespace vorenx
