#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>

// The back-end's TV station list (`stationlist`) and the station directory built from it: plain functions
// from the reply to records, groups, sub-groups and channels, and the menus a group label offers.
namespace Tv {

// Ends one record of the station list.
inline const QString recordEnd = QStringLiteral("***");
// Field 3 of a group, and field 5 of a sub-group.
inline const QString topLevel = QStringLiteral("0");

// jiemi: unscrambles a stream address. Each of the first 18 bytes of its GBK form is one higher (modulo 256);
// a text of fewer than 18 bytes comes back unchanged.
QString jiemi(const QString& scrambled);

// One record of the list, its address already unscrambled. The station lists of the unit (`tvnames`,
// `tvurls`, `tvparents`, `tvids`, `tvchannelids`) are these fields record by record. The records of a list
// share its one text and keep where their fields lie in it, so a list of thousands of stations is not a heap
// of small texts; a record keeps the text alive however long it outlives the list.
class StationRecord {
public:
    QStringView name() const { return field(0); }      // 1: label or menu caption
    QStringView url() const { return field(1); }       // 2: stream address, may be empty
    QStringView parent() const { return field(2); }    // 3: "0" for a group, else the id of its group
    QStringView id() const { return field(3); }        // 4: a group's or sub-group's own id; a channel's sub-group id
    QStringView channelId() const { return field(4); } // 5: a channel's own id; "0" for a sub-group

    // An address to play: one that is not blank.
    bool playable() const { return !url().trimmed().isEmpty(); }

private:
    friend QList<StationRecord> parseStationList(QString text);
    static constexpr int fields = 5;

    QStringView field(int index) const { return QStringView(text).sliced(starts[index], ends[index] - starts[index]); }

    QString text;
    std::array<qsizetype, fields> starts{};
    std::array<qsizetype, fields> ends{};
};

// The records of a reply's text, in order. The payload starts after the first `text="#000000">` (a later one
// starts the current record afresh); each record is ended by "***", trimmed, and split at the first "&1",
// "&2", "&3" and "&4". A record that does not hold each of the four markers exactly once and in that order
// would pair its fields with another record's, so it is skipped whole. The records keep the text.
QList<StationRecord> parseStationList(QString text);
// The reply's road: GBK bytes to text, then the scan.
QList<StationRecord> readStationList(const QByteArray& reply);

// The whole list, sorted: every record is a group (field 3 "0"), a channel (field 3 not "0", field 5 not "0",
// an address) or otherwise a sub-group. Each kind is listed as indexes into records, in record order.
struct StationDirectory {
    QList<StationRecord> records;
    QList<qsizetype> groups;    // `tvgroups`
    QList<qsizetype> subGroups; // `tvsubgroups`: played directly when it has an address, else holds channels
    QList<qsizetype> channels;  // `tvchannels`: of the group in field 3 and the sub-group in field 4
};
StationDirectory classifyStations(const QList<StationRecord>& records);

// One item of a group's menu: a sub-group, with its channels when it has no address of its own.
struct MenuItem {
    QString caption;
    int record = -1;
    QList<MenuItem> channels;
};
// The menu of group `group` (an index into directory.groups): each of its sub-groups in order; under an
// address-less one, the channels of that group and sub-group in order. Empty for an index out of range.
QList<MenuItem> groupMenu(const StationDirectory& directory, qsizetype group);

} // namespace Tv

// A text and where its fields lie: the lists grow by moving their bytes rather than each record.
Q_DECLARE_TYPEINFO(Tv::StationRecord, Q_RELOCATABLE_TYPE);
