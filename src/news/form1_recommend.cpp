// The main window's opener of the recommendation exchange.
#include "app/tform1.h"

void TForm1::N14Click() {
    // Opens the recommendation exchange.
}
