#pragma once

// Prepares Qt WebEngine; call once in main before the QApplication is created. Shares the OpenGL contexts
// (WebEngine requires it before the application object exists) and, when the program runs as root, turns
// Chromium's sandbox off, since Chromium refuses to start a sandboxed renderer for root.
void prepareWebEngine();
