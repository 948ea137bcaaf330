#include "platform/chineselocale.h"

#include <QLocale>

namespace ChineseLocale {

// The default locale, not the system one. The toolkit reads the system locale from the environment once, on
// first use, and that use comes while its libraries are loaded, before any of the program's code runs: locale
// variables set here would no longer reach it, while they would reach the C library's locale and every process
// the program starts (the browser engine's helpers). No public call replaces it. The one piece that writes in the
// system locale, the file dialog's model, is given the default one where the dialog is made (services.cpp).
// Numbers go without group separators: a size of 1,000 bytes would not fit the save dialog's narrow size column.
void useForApplication() {
    QLocale chinese(QLocale::Chinese, QLocale::China);
    chinese.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(chinese);
}

} // namespace ChineseLocale
