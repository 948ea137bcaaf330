// The main window's N-day ranking query.
#include "app/tform1.h"

void TForm1::Timer3Timer() {
    // Takes one step of the N-day ranking query's day walk.
}
