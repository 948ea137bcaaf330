#pragma once

#include "app/calendar.h"

#include <QString>
#include <QStringList>

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

    // News flash, notices and recommendations.
    int newsflashtick = 0; // news-flash timer ticks so far
    int mutedigest = 0;    // non-zero: the daily digest pop-up is muted
    int tipsloaded = 0;    // 1 once the recommendation list was loaded this run

    // Big-order charts.
    int minutetick = 1; // chart-reload timer ticks, counted from 1

    // Strong-stock tracking.
    int trackrows = 0; // rows appended to the tracking table so far

    // TV stations: recently watched (a ring of ten once full) and favourites; parallel name and address lists.
    QStringList recentnames;
    QStringList recenturls;
    int recentcount = 0; // stations put into the recent ring so far
    QStringList favnames;
    QStringList favurls;
};
