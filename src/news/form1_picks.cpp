// The main window's stock picks: the picks check against the back-end, the grid fill of TForm20 and the tool
// button "精选个股". Timer5 runs the check on its ticks (form1_newsflash.cpp).
#include "app/backend.h"
#include "app/registry.h"
#include "app/tform1.h"
#include "news/picks.h"
#include "news/tform20.h"
#include "platform/failures.h"
#include "platform/httpclient.h"

namespace {

const QString kUserIdField = QStringLiteral("userid");

QList<Picks::Pick> storedPicks(const UnitState& state) {
    QList<Picks::Pick> picks;
    for (qsizetype i = 0; i < state.pickcodes.size(); ++i)
        picks.append({at(state.pickcodes, i), at(state.picknames, i), at(state.pickdates, i), at(state.picktimes, i)});
    return picks;
}

} // namespace

bool TForm1::checkPicks() {
    QByteArray reply;
    try {
        reply = IdHTTP4->get(Backend::address(Backend::picksPage, {{kUserIdField, Picks::userId}}));
    } catch (...) {
        IdHTTP4->close();
        throw;
    }
    IdHTTP4->close();
    const QList<Picks::Pick> added = Picks::newPicks(storedPicks(state), Picks::readPicksReply(reply));
    for (const Picks::Pick& pick : added) {
        state.pickcodes << pick.code;
        state.picknames << pick.name;
        state.pickdates << pick.date;
        state.picktimes << pick.time;
    }
    return !added.isEmpty();
}

void TForm1::fillPicks() {
    if (Form20)
        Form20->showPicks(storedPicks(state));
}

void TForm1::ToolButton15Click() {
    if (!Form20 || Form20->isVisible())
        return;
    checkPicks();
    fillPicks();
}
