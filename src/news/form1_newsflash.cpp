// The main window's news flash and the tray switches of the back-end pop-ups.
#include "app/tform1.h"

#include <QAction>

void TForm1::Timer5Timer() {
    // Fetches the news-flash headline and checks the stock picks.
}

void TForm1::N7Click() {
    // Resumes the blog-mention notice.
    N7->setChecked(true); // the item only resumes: a click never unticks it
}

void TForm1::N15Click() {
    // Resumes the watched-list notice.
    N15->setChecked(true); // the item only resumes: a click never unticks it
}

void TForm1::N18Click() {
    // Resumes the daily digest pop-up.
    N18->setChecked(true); // the item only resumes: a click never unticks it
}
