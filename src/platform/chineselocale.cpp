#include "platform/chineselocale.h"

#include <QLocale>

namespace ChineseLocale {

// The default locale, not the system one. The toolkit reads the system locale from the environment once, on
// first use, and that use comes while its libraries are loaded, before any of the program's code runs: locale
// variables set here would no longer reach it, while they would reach the C library's locale and every process
// the program starts (the browser engine's helpers). No public call replaces it. The one piece that writes in the
// system locale, the file dialog's model, is given the default one where the dialog is made (services.cpp).
void useForApplication() {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

} // namespace ChineseLocale
