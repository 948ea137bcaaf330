#pragma once

// The generated widgets of TForm26 (from tform26.ui). The main window's handlers and the tests include this
// header rather than the generated one, which only this folder can make.
#include "ui_tform26.h"
