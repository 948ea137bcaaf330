// The main window's road to the strong-stock tracking window.
#include "app/calendar.h"
#include "app/registry.h"
#include "app/stringgrid.h"
#include "app/tform1.h"
#include "platform/clock.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "rankings/tform25.h"
#include "rankings/tracking.h"

#include "rankings/tform25_ui.h"

#include <algorithm>

void TForm1::Label69Click() {
    const Tracking::Opening opening = Tracking::opening(todayweekday(), Clock::timeOfDay(), state.trackrows);
    for (const QString& notice : opening.notices)
        showMessage(this, notice, noticeCaption, MessageIcon::Information);
    if (!opening.opens || !Form25)
        return;
    centreOnScreen(Form25);
    // The row polled last; before the first poll of a round, the first row.
    Form25->ui->StringGrid1->setRow(std::max(state.trackrow - 1, 1));
    Form25->show();
    Form25->raise();
    Form25->activateWindow();
}
