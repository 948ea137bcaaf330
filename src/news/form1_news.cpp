// The main window's per-stock information panel.
#include "app/tform1.h"

void TForm1::getyg(const QString&) {
    // Fills the newest rumour and research titles of the stock.
}

void TForm1::getqgqp(const QString&) {
    // Fills the one-line investor comment on the stock.
}

void TForm1::getgg(const QString&) {
    // Reads the stock's announcements into the notice lists.
}

void TForm1::getgbdata(const QString&) {
    // Reads today's forum topics of the stock into the forum lists.
}

void TForm1::resetInfoPanelState() {
    // Forgets the information panel's state of the old stock.
}
