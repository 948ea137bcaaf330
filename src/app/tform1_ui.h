#pragma once

// The main window's generated widgets (from tform1.ui). Files in other folders that define the main window's
// handlers, and tests, include this header rather than the generated one, which only this folder can make.
#include "ui_tform1.h"
