// The main window's share of the watch-list alert settings: loading them, and opening the settings window.
#include "app/registry.h"
#include "app/tform1.h"
#include "quotes/settingsstore.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/watchlist.h"

#include <QTimer>

void TForm1::sendbase() {
    // Read whole before anything changes, so a failing table leaves the lists as they were.
    const SettingsStore::Settings stored = SettingsStore::load(ado);
    WatchList::setStocks(state, stored.stocks);
    WatchList::resetAlertState(state, stored.stocks.size());
    state.smsalerts = stored.phone.smsalerts ? 1 : 0;
    state.localalerts = stored.phone.localalerts ? 1 : 0;
}

void TForm1::N17Click() {
    if (!windowsCreated() || !Form3 || Form3->isVisible())
        return;
    // A database that cannot be read ends the opening before anything has been switched off.
    const SettingsStore::Settings stored = SettingsStore::load(ado);
    Timer4->stop();
    Timer5->stop();
    state.widgetcount = static_cast<int>(state.watchcodes.size());
    if (Form15)
        Form15->Timer1->stop();
    state.settingsrow = -1;
    setEnabled(false);
    Form3->showSettings(stored);
}

void TForm1::ToolButton5Click() {
    N17Click();
}
