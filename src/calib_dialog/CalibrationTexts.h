#pragma once
// The calibration's texts live in src/records now (the certificate, one floor
// below the dialog, writes them too); the dialog's files name them here.
#include "records/CalibrationTexts.h"
