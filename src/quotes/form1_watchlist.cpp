// The main window's share of the watch-list alert settings.
#include "app/tform1.h"

void TForm1::sendbase() {
    // Loads the watch-list alert settings from the alert database into the watch lists.
}

void TForm1::N17Click() {
    // Opens the alert settings window.
}

void TForm1::ToolButton5Click() {
    // Opens the alert settings window.
}
