#pragma once

#include <QByteArray>

// Prepares Qt WebEngine; call once in main before the QApplication is created. Shares the OpenGL contexts
// (WebEngine requires it before the application object exists) and sets Chromium's flags (chromiumFlagsFor)
// and, as root, the engine's own sandbox switch.
void prepareWebEngine();

// Chromium's flags given those the user or a test already set, which are all kept: pages of one site share a
// renderer process (--process-per-site) unless a process model is already chosen, and when the program runs
// as root the sandbox is off, since Chromium refuses to start a sandboxed renderer for root.
QByteArray chromiumFlagsFor(const QByteArray& flags, bool asRoot);
