// The main window's roads to the stock fund page and the period query.
#include "app/registry.h"
#include "app/tform1.h"
#include "fundflow/tform24.h"
#include "fundflow/tform29.h"
#include "quotes/quoterecord.h"

void TForm1::getgpzj(const QString& code) {
    // Callers pass codes read from outside pages and captions ("XXXX" before a board is filled): only a
    // six-digit code opens the page.
    if (!Quotes::isStockCode(code) || !Form24)
        return;
    Form24->showFundPage(code);
}

void TForm1::getggsj(const QString& code) {
    getgpzj(code);
}

void TForm1::ToolButton16Click() {
    getgpzj(state.curcode);
}

void TForm1::Label72Click() {
    if (Form29)
        Form29->openFor(state.curcode);
}
