// The main window's quote panel, index summary and stock switch.
#include "app/tform1.h"

QString TForm1::yzgp(const QString&) {
    // Looks the code up on the quote service and sets curname.
    return {};
}

void TForm1::getvtzs() {
    // Fills the index summary of the two markets.
}

void TForm1::getvtdate(const QString&) {
    // Fills the quote panel for the stock.
}

void TForm1::Timer1Timer() {
    // Refreshes the index summary and, in the fetch window, the quote panel.
}

void TForm1::Image17Click() {
    // Switches the current stock to the code typed into Edit1.
}

void TForm1::gestockgj(const QString&) {
    // Appends the stock's quote to the monitor's quote lists.
}
