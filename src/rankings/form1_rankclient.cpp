// The ranking board's two page connections: the request once connected, the reply gathered until "</body>",
// and the failures, which leave a connection counted as open for the refresh timer to close and reopen.
#include "app/hosts.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "platform/clientsocket.h"
#include "platform/clock.h"
#include "platform/failures.h"
#include "rankings/form1_board.h"
#include "rankings/rankpage.h"
#include "rankings/rankrequest.h"

#include <QScopeGuard>
#include <QTimer>

namespace {

const QString kReadingStatus = QStringLiteral("正在读取数据...");
const QString kReadStatus = QStringLiteral("单击下方看详情");

// Closing by the client: the connection no longer counts as open.
void closeConnection(ClientSocket* socket, int& active) {
    socket->setActive(false);
    active = 0;
}

QString requestDate() {
    return Rankings::rankDateText(Rankings::lasttradingday(Clock::now()));
}

// The request for the ranking `key`, one send per piece. A failed send switches the refresh timer on, closes
// the connection and ends the caller silently.
void sendRequest(TForm1& form, ClientSocket* socket, int& active, const QString& key, const QString& date) {
    try {
        const QString host = QString::fromLatin1(Hosts::rankingHostName);
        for (const QByteArray& piece : Rankings::rankrequest(key, date, Rankings::sortAsc, host))
            socket->sendText(piece);
    } catch (...) {
        Board::switchOn(form.Timer9);
        closeConnection(socket, active);
        throw SilentAbort();
    }
}

} // namespace

void TForm1::socketgettdzj(const QString& date) {
    sendRequest(*this, ClientSocket1, state.rankactive1, Rankings::keyTdc, date);
}

void TForm1::socketgetddx(const QString& date) {
    sendRequest(*this, ClientSocket2, state.rankactive2, Rankings::keyDdx, date);
}

void TForm1::ClientSocket1Connect() {
    try {
        const QString date = requestDate();
        Board::resetBox(tdclabels);
        Board::resetBox(tdclowlabels);
        ui->Label62->setText(kReadingStatus);
        socketgettdzj(date);
    } catch (...) {
        closeConnection(ClientSocket1, state.rankactive1);
        throw SilentAbort();
    }
}

void TForm1::ClientSocket2Connect() {
    try {
        const QString date = requestDate();
        Board::resetBox(ddxlabels);
        socketgetddx(date);
    } catch (...) {
        closeConnection(ClientSocket2, state.rankactive2);
        throw SilentAbort();
    }
}

void TForm1::ClientSocket1Read() {
    switch (Rankings::gatherReply(state.rankbuf1, ClientSocket1->receiveText())) {
    case Rankings::Gathering::Waiting:
        return;
    case Rankings::Gathering::TooLarge:
        // Given up like a reply that never ends: the memory goes now, the connection to the refresh timer.
        state.rankbuf1.clear();
        ClientSocket1->setActive(false);
        ClientSocket1Error();
        return;
    case Rankings::Gathering::Complete:
        break;
    }
    // The page is taken once: whatever becomes of the reading, the connection closes.
    const auto close = qScopeGuard([this] { closeConnection(ClientSocket1, state.rankactive1); });
    getshdjttdc(state.rankbuf1, ui->ComboBox1->currentText());
}

void TForm1::ClientSocket2Read() {
    switch (Rankings::gatherReply(state.rankbuf2, ClientSocket2->receiveText())) {
    case Rankings::Gathering::Waiting:
        return;
    case Rankings::Gathering::TooLarge:
        state.rankbuf2.clear();
        ClientSocket2->setActive(false);
        ClientSocket2Error();
        return;
    case Rankings::Gathering::Complete:
        break;
    }
    const auto close = qScopeGuard([this] { closeConnection(ClientSocket2, state.rankactive2); });
    getshdjtddx(state.rankbuf2, ui->ComboBox2->currentText());
    ui->Label62->setText(kReadStatus);
}

// A failed connection is left counted as open, for the refresh timer's next refresh tick to close; the timer
// goes on in case the failure came while a tick had it off.
void TForm1::ClientSocket1Error() {
    Board::switchOn(Timer9);
}

void TForm1::ClientSocket2Error() {
    Board::switchOn(Timer9);
}
