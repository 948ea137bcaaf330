// The main window's watch-list monitor and alert re-arm.
#include "app/tform1.h"

void TForm1::Timer4Timer() {
    // Watches the watch list and raises the alert pop-ups.
}

void TForm1::Timer6Timer() {
    // Counts the alert cool-downs and re-arms the alerts.
}
