#pragma once

class QString;
class QWidget;

// Tells the user that a data file could not be read. The program goes on with what it uses when the file is
// missing, and the file is left exactly as it is, so nothing in it is lost.
void reportUnreadableFile(QWidget* owner, const QString& fileName);
