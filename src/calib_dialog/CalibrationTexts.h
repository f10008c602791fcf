// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The calibration's texts live in src/records now (the certificate, one floor
// below the dialog, writes them too); the dialog's files name them here.
#include "records/CalibrationTexts.h"
