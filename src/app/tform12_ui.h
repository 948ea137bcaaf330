#pragma once

// The splash window's generated widgets (from tform12.ui), for code outside this folder.
#include "ui_tform12.h"
