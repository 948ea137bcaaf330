// The main window's half-hour big-order announcements.
#include "app/tform1.h"

#include <QAction>

void TForm1::Timer7Timer() {
    // Announces the big-order flow of each finished half hour.
}

void TForm1::N5Click() {
    // Resumes the half-hour announcements.
    N5->setChecked(true); // the item only resumes: a click never unticks it
}
