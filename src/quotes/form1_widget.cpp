// The main window's switch of the desktop price widget.
#include "app/tform1.h"

void TForm1::N13Click() {
    // Shows or hides the desktop price widget.
}

void TForm1::ToolButton12Click() {
    // Shows or hides the desktop price widget.
}
