#pragma once
// The window this tree's link reaches up to.
#include "link/Upward.h"
