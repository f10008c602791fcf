// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// Where the built programs are; null in a build without them (VORENX_BUILD_APPS=OFF).

#ifdef VORENX_APP_PATH
inline constexpr const char* kApp = VORENX_APP_PATH;
inline constexpr const char* kProbe = VORENX_PROBE_PATH;
inline constexpr const char* kSim = VORENX_SIM_PATH;
inline constexpr const char* kRecords = VORENX_RECORDS_PATH;
inline constexpr const char* kCalibrate = VORENX_CALIBRATE_PATH;
inline constexpr const char* kLogger = VORENX_LOGGER_PATH;
#else
inline constexpr const char* kApp = nullptr;
inline constexpr const char* kProbe = nullptr;
inline constexpr const char* kSim = nullptr;
inline constexpr const char* kRecords = nullptr;
inline constexpr const char* kCalibrate = nullptr;
inline constexpr const char* kLogger = nullptr;
#endif

#define SKIP_WITHOUT_PROGRAMS() \
  if (!kApp) GTEST_SKIP() << "the programs are not built here (VORENX_BUILD_APPS=OFF)"
