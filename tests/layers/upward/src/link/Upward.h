// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Vorenx developers
#pragma once
// A link header that reaches up into the window: the layer check must refuse it.
#include "app/Window.h"
