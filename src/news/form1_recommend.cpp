// The main window's openers of the recommendation exchange.
#include "app/registry.h"
#include "app/tform1.h"
#include "news/tform16.h"

void TForm1::N14Click() {
    // A load that waits for its reply is an opening under way: a second click must not build a second set of
    // labels on top of it.
    if (!windowsCreated() || !Form16 || Form16->isVisible() || Form16->listLoading())
        return;
    Form16->addlabel();
    Form16->showExchange();
    setEnabled(false);
}

void TForm1::ToolButton11Click() {
    N14Click();
}
