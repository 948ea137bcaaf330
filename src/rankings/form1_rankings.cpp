// The main window's live ranking board.
#include "app/tform1.h"

void TForm1::createsj() {
    // Creates the three label arrays of the ranking board.
}

void TForm1::Timer9Timer() {
    // Refreshes the ranking board and polls the back-end pop-ups.
}
