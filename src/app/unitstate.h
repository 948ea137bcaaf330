#pragma once

#include "app/calendar.h"
#include "quotes/quoterecord.h"
#include "tv/stationlist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// Shared state of the main window's unit, under the names every subsystem uses. One instance lives in
// TForm1 for the whole run; its string lists are created with it and only ever emptied. Numbers and flags
// that the lists hold are decimal texts ("-1", "0", "1").
struct UnitState {
    // Shell and local store.
    QString datadir;       // folder of every data file
    QString serverurl;     // back-end base address: scheme and host, no trailing "/"
    int firstshowdone = 0; // 1 once the main window's first-show sequence has run
    int traymode = 0;      // 1 while the main window is hidden to the tray
    ClockParts clockparts; // the moment of the last gettime

    // Current stock.
    QString curcode; // six digits; set from the last-stock file, then by the stock switch
    QString curname; // set by the stock look-up; empty when the look-up failed

    // Quotes: the current stock's quote and the monitor's quote lists.
    QString curprice;              // latest price of the current stock
    QString curchange;             // change percentage of the current stock
    int quoteticks = 0;            // quote ticks that got past their index fetch; never reset
    QString lookupname;            // name found by the settings window's look-up; empty when none
    Quotes::QuoteLists quotelists; // the monitor's pass: one entry per fetched stock and record field

    // Watch list: parallel lists, entry i of each belongs to watch-list position i; loaded by sendbase.
    QStringList watchcodes;       // six-digit codes
    QStringList watchnames;       // names from the quote service
    QStringList watchopenclose;   // "1": include in the open, midday and close broadcasts
    QStringList watchflags;       // four "1"/"0": limit, big trade, large order, change alerts
    QStringList watchpct;         // change threshold, percent ("2".."9")
    QStringList watchdealdigits;  // big-trade threshold, digits of the volume ("4".."6")
    QStringList watchorderdigits; // large-order threshold, digits of the volume ("4".."6")
    QStringList watchinterval;    // period of the SMS price broadcast, minutes
    QStringList watchperiodic;    // "1": periodic SMS price broadcast on
    // Alert state, parallel to the watch list; rebuilt whenever the watch list is loaded.
    QStringList limitfired;    // "1" once the stock's limit alert has fired
    QStringList dealcooldown;  // "-1" armed, else seconds since the big-trade alert fired
    QStringList ordercooldown; // the same for the large-order alert
    QStringList pctcooldown;   // the same for the change alert
    int localalerts = 0;       // 1: alerts pop up on this computer
    int smsalerts = 0;         // 1: the back-end sends alerts by SMS
    int phoneknown = 0;        // 1: the phone table holds a number (set when the settings window opens)
    int widgetcount = 0;       // watched stocks when the settings window opened
    int settingsrow = -1;      // watch-list position edited in the settings window; -1 none
    // The monitor's run flags: each broadcast is given once per run.
    int openbroadcastdone = 0;
    int middaybroadcastdone = 0;
    int closebroadcastdone = 0;
    int weekendpaused = 0; // 1 while the monitor holds the quote timer off over Saturday and Sunday

    // Per-stock information panel: announcements and the forum grid.
    QStringList noticetitles; // entry 0 is the page's heading row
    QStringList noticelinks;
    QStringList noticedates;
    QStringList forumtitles;
    QStringList forumlinks;
    QStringList forumdates;
    QStringList forumcounts; // clicks and replies joined by "/"
    QStringList forumauthors;
    QStringList forumunread; // four read flags per forum grid row: "1" unread, "0" read
    int forumshown = 0;      // forum rows already in the grid
    int forumloaded = 0;     // 1 once the current stock's first forum display is done
    QString rumourlink;      // behind Label36: the newest rumour item
    QString reportlink;      // behind Label39: the newest research report
    QString newestpostlink;  // behind Label45: the newest forum topic

    // News flash, notices and recommendations.
    int newsflashtick = 0;  // news-flash timer ticks so far
    int mutedigest = 0;     // non-zero: the daily digest pop-up is muted
    int mutefundletter = 0; // non-zero: the watched-list pop-up is muted
    int muteblog = 0;       // the blog-mention notice's switch; kept in step with its tray item, read by nothing
    int tipsloaded = 0;     // 1 once the recommendation list was loaded this run
    QString newsflashlink;  // link of the headline last shown in Label48
    // Fields 1 to 4 of the back-end news record last popped up: body (HTML), headline, and two kept unread.
    std::array<QString, 4> savednews;
    // Items of the watched list page's last scan that counted, as the page's bytes. Only a scan that found items
    // counts, so an empty list means no scan has counted yet.
    QList<QByteArray> fundletterlist;

    // Every stock pick received this run, parallel, in the order first received; never emptied.
    QStringList pickcodes;
    QStringList picknames;
    QStringList pickdates; // date of the recommendation, as the back-end writes it
    QStringList picktimes; // time of the recommendation

    // Every recommendation seen this run, parallel, in label order; never emptied.
    QStringList tipips;     // recommender's IP address, blanks up to 16 characters
    QStringList tipstocks;  // name and code in parentheses, padded for the label's columns
    QStringList tipreasons; // reason
    QStringList tiptimes;   // time of the recommendation

    // Big-order charts: the lists of the three chart pages, as the pages wrote them; item i of the lists of one
    // page belongs together. Each completed page replaces its own lists.
    QStringList halfbuys;   // big-order buys per half hour today, 万股: item 0 = 9:30-10:00 ... 7 = 14:30-15:00
    QStringList halfsells;  // big-order sells of the same half hours
    QStringList daybuys;    // big-order buys per trading day, shares
    QStringList daysells;   // big-order sells of the same days
    QStringList daylabels;  // the text under each day's bars
    QStringList pievalues;  // today's big-order turnover per size class, whole percent
    QStringList piecolours; // the colour text that names each size class
    int minutetick = 1;     // chart-reload timer ticks, counted from 1
    int mutepie = 0;        // 1: the half-hour announcements do not open the distribution window
    // Half-hour announcements.
    QStringList halfdone;           // one entry per announcement for the current stock today; only the count is read
    std::array<int, 8> halfflags{}; // entry k - 1 is 1 once half hour k (1 = 9:30-10:00) has been announced
    int muteflow = 0;               // 1: the announcement window stays hidden
    QDate halfday;                  // the day of the last announcement check; a new day starts afresh

    // Ranking board: the replies of its two page connections and the refresh count.
    QByteArray rankbuf1; // reply gathered on ClientSocket1 (tdc ranking) since the last refresh tick
    QByteArray rankbuf2; // reply gathered on ClientSocket2 (ddx ranking) since the last refresh tick
    // 1 while the connection counts as open: from the refresh tick that opens it until its page has been read
    // or a later refresh tick closes it. One that failed still counts, so the next refresh tick closes it
    // and the one after opens it again.
    int rankactive1 = 0;
    int rankactive2 = 0;
    int ranktick = 0; // ranking timer ticks so far; a threshold change sets it back to 0

    // N-day ranking query: the day walk over ClientSocket3, one request out at a time.
    QByteArray rankbuf3;    // reply gathered for the request that waits, since it was sent
    int daysdone = 0;       // 1 + the days with rows taken so far
    int dayoffset = 0;      // how many days before today the next day to try lies (1: yesterday)
    QString rankday3;       // date of the request that waits for its page; empty once the page is taken
    int rankreconnect3 = 0; // 1 while ClientSocket3 connects again in the middle of a walk
    int rankretries3 = 0;   // connections made again since the last page was taken

    // Strong-stock tracking: fed by the ranking board from 9:36 on, at most 99 stocks a run.
    QStringList trackitems;   // one per tracked stock: code followed by the name filled out to 8 bytes
    QStringList trackflags;   // one per tracked stock: "1" once its rally notice was given, else "0"
    QStringList trackcolours; // eight "0"/"1" per tracked stock, one per tracking grid column
    int trackrows = 0;        // rows appended to the tracking table so far
    int trackrow = 1;         // the tracking table's row to poll next (1-based; entry trackrow - 1 of the lists)
    int trackcount = 0;       // tracked stocks that have rallied
    int trackfails = 0;       // failed polls since the last rest
    int trackwait = 0;        // seconds waited in the current rest

    // TV stations: recently watched (a ring of ten once full) and favourites; parallel name and address lists.
    QStringList recentnames;
    QStringList recenturls;
    int recentcount = 0; // stations put into the recent ring so far
    QStringList favnames;
    QStringList favurls;
    // The back-end's station list (`tvnames`, `tvurls`, ... record by record, and `tvgroups`, `tvsubgroups`,
    // `tvchannels`), filled once by addtv.
    Tv::StationDirectory tvstations;
    QString nowplayingname; // the station last started; kept after a stop
    QString nowplayingurl;
    QString playerstatus; // the player's last status text
};
