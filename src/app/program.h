#pragma once

#include <QStringList>

// The program block: creates the 28 windows in their fixed order (the splash first, then the main window,
// whose first show runs the start-up sequence, then the others) and fills the window registry.
// Returns false when the program was told to end while the windows were being created.
bool createWindows();
// Deletes the windows in reverse order and empties the registry.
void destroyWindows();
// Class names of the windows in the order createWindows made them.
QStringList windowCreationOrder();

// Runs the message loop until the program is told to end; returns at once when it already was.
int runMessageLoop();

// Ends the program: the message loop, when it runs, returns, and a program block that has not entered it yet
// does not. Every exit road goes through here.
void terminateApplication();
bool terminationRequested();
void resetTerminationForTests();

// The application's title, set when the splash is created; plain message boxes (those that name no caption
// of their own) carry it as their caption. Empty until then.
QString applicationTitle();
void setApplicationTitle(const QString& title);
