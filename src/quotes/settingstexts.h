#pragma once

#include <QString>

// Texts that the settings window and the phone dialog both show.
namespace SettingsTexts {

// A save or a registration that could not be completed.
inline const QString serverFault = QStringLiteral("当前服务器故障，请联系作者!");
// The author's contact page on the contact site.
inline const QString contactPage = QStringLiteral("/");

} // namespace SettingsTexts
