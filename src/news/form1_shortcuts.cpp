// The main window's page shortcuts.
#include "app/tform1.h"

void TForm1::N16Click() {
    // Opens yesterday's finance digest in the default browser.
}
