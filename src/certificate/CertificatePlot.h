// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The certificate's plot: the error of every measured point (% of the output
// span) against its input (% of the input span), the tolerance band, and a
// line per run and direction.

#include <QRectF>

#include "records/CalibrationRecord.h"

class QPainter;

namespace vorenx {

struct ErrorAxis {
  double limit = 1.0;  // the axis runs from -limit to +limit
  double step = 0.5;   // between labelled ticks
};

// A symmetric error axis with round ticks (1, 2 or 5 times a power of ten)
// that shows twice the tolerance and every error.
ErrorAxis ErrorAxisFor(double tolerancePercent, double largestAbsError);

// Paints the plot into `area` (logical units of the certificate).
void PaintErrorPlot(QPainter& painter, const QRectF& area, const CalibrationRecord& record);

}  // namespace vorenx
