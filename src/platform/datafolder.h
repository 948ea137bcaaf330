#pragma once

#include <QString>

// The per-user folder that holds every data file of the program (databases, last stock, TV station lists,
// the news body file). Created on first use. Tests move it by setting XDG_DATA_HOME.
QString dataFolder();

// Full path of a data file in the data folder.
QString dataFile(const QString& name);
