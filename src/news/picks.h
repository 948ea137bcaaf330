#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The back-end's stock picks ("/gpsfjgshow.asp") and the rule by which the run keeps them. Plain functions from
// text to data: no widgets, no network.
namespace Picks {

// Who asks for the picks: the program's own identifier on the back-end.
inline const QString userId = QStringLiteral("brennoc45");

struct Pick {
    QString code;
    QString name;
    QString date; // of the recommendation, as the back-end writes it
    QString time;

    // A pick is known by its four texts joined: the same stock at another date or time is another pick.
    QString identity() const { return code + name + date + time; }
    bool operator==(const Pick&) const = default;
};

// The records of a reply, in reply order. Each `"#000000">` starts a record after it and each "&4" closes
// one (the trimmed text between) and starts the next after it; markers before the first `"#000000">` count
// for nothing. Inside a record "&1", "&2" and "&3" close the code, the name and the date, the time is the
// rest; a record that lacks one of them gives nothing.
QList<Pick> readPicks(QStringView reply);
// The same over the reply's GBK bytes.
QList<Pick> readPicksReply(const QByteArray& reply);

// The picks of a batch that are new: neither known nor earlier in the batch, in batch order.
QList<Pick> newPicks(const QList<Pick>& known, const QList<Pick>& batch);

} // namespace Picks

// Four texts: a list of picks grows by moving its bytes rather than each text.
Q_DECLARE_TYPEINFO(Picks::Pick, Q_RELOCATABLE_TYPE);
