// The main window's share of the watch-list alert settings: loading them, and opening the settings window.
#include "app/localstore.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "app/unreadablefile.h"
#include "platform/failures.h"
#include "quotes/settingsstore.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/watchlist.h"

#include <QTimer>

void TForm1::sendbase() {
    // Settings that cannot be read leave no watch list and both switches off, as a new database would.
    SettingsStore::Settings stored;
    if (!guarded([this, &stored] { stored = SettingsStore::load(ado); }))
        reportUnreadableFile(this, LocalStore::alertDatabaseFile);
    WatchList::setStocks(state, stored.stocks);
    WatchList::resetAlertState(state, stored.stocks.size());
    state.smsalerts = stored.phone.smsalerts ? 1 : 0;
    state.localalerts = stored.phone.localalerts ? 1 : 0;
}

void TForm1::N17Click() {
    if (!windowsCreated() || !Form3 || Form3->isVisible())
        return;
    // The window opens also when the settings cannot be read: empty, and it says so.
    SettingsStore::Settings stored;
    const bool readable = guarded([this, &stored] { stored = SettingsStore::load(ado); });
    Timer4->stop();
    Timer5->stop();
    state.widgetcount = static_cast<int>(state.watchcodes.size());
    if (Form15)
        Form15->Timer1->stop();
    state.settingsrow = -1;
    setEnabled(false);
    Form3->showSettings(stored, readable);
    if (!readable)
        reportUnreadableFile(Form3, LocalStore::alertDatabaseFile);
}

void TForm1::ToolButton5Click() {
    N17Click();
}
