// The main window's TV station directory and menus.
#include "app/tform1.h"

void TForm1::addtv() {
    // Fetches the TV station list and builds the station labels.
}

void TForm1::nclick3(QAction*) {
    // Deletes the chosen favourite, or all of them.
}
