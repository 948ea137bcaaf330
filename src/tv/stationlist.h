#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

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
// `tvurls`, `tvparents`, `tvids`, `tvchannelids`) are these fields record by record.
struct StationRecord {
    QString name;      // 1: label or menu caption
    QString url;       // 2: stream address, may be empty
    QString parent;    // 3: "0" for a group, else the id of its group
    QString id;        // 4: a group's or sub-group's own id; a channel's sub-group id
    QString channelId; // 5: a channel's own id; "0" for a sub-group

    // An address to play: one that is not blank.
    bool playable() const { return !QStringView(url).trimmed().isEmpty(); }
};

// The records of a reply's text, in order. The payload starts after the first `text="#000000">` (a later one
// starts the current record afresh); each record is ended by "***", trimmed, and split at the first "&1",
// "&2", "&3" and "&4". A record that does not hold each of the four markers exactly once and in that order
// would pair its fields with another record's, so it is skipped whole.
QList<StationRecord> parseStationList(QStringView text);
// The reply's road: GBK bytes to text, then the scan.
QList<StationRecord> readStationList(const QByteArray& reply);

struct Group {
    QString name;
    QString id;
};
// A sub-group holds channels, or carries an address of its own and is then played directly.
struct SubGroup {
    QString name;
    QString url;
    QString parentId; // the group's id
    QString ownId;
    int record = -1; // index into StationDirectory::records
};
struct Channel {
    QString name;
    QString groupId;
    QString url;
    QString subGroupId;
    QString channelId;
    int record = -1;
};

// The whole list, sorted: every record is a group (field 3 "0"), a channel (field 3 not "0", field 5 not "0",
// an address) or otherwise a sub-group, in record order.
struct StationDirectory {
    QList<StationRecord> records;
    QList<Group> groups;       // `tvgroups`
    QList<SubGroup> subGroups; // `tvsubgroups`
    QList<Channel> channels;   // `tvchannels`
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

// Texts and an index: the lists grow by moving their bytes rather than each text.
Q_DECLARE_TYPEINFO(Tv::StationRecord, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(Tv::Group, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(Tv::SubGroup, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(Tv::Channel, Q_RELOCATABLE_TYPE);
