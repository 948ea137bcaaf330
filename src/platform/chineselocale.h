#pragma once

// The dates and numbers that the toolkit writes into the windows and its standard dialogs (the month and day
// names of a date picker's calendar, the dates and file sizes of the save dialog) read as in Chinese (China),
// as the windows' own texts do, whatever locale the desktop runs in. The program's own readers and writers keep
// their fixed forms (formats.h) and the C locale's number conversion, which no locale reaches.
namespace ChineseLocale {

// Makes Chinese (China) the application's locale: every widget made afterwards takes it for its own.
void useForApplication();

} // namespace ChineseLocale
