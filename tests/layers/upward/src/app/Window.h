// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// The window this tree's link reaches up to.
#include "link/Upward.h"
