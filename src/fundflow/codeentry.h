#pragma once

#include "quotes/quoterecord.h"

#include <QString>

#include <optional>

// The checks of a code typed into the stock fund page or the period query, before anything is fetched.
namespace CodeEntry {

inline const QString needSixDigits = QStringLiteral("必须输入六位股票代码!");
inline const QString needMarketCode = QStringLiteral("必须输入沪深股票及创业板代码");

// First digits of the codes the windows take: Shanghai, ChiNext, Shenzhen.
inline const QString marketFirstDigits = QStringLiteral("630");

// The message for the first check the code fails, or nothing. Anything but six digits asks for six digits,
// so no other text ever reaches a request.
inline std::optional<QString> problem(const QString& code) {
    if (!Quotes::isStockCode(code))
        return needSixDigits;
    if (!marketFirstDigits.contains(code.front()))
        return needMarketCode;
    return std::nullopt;
}

} // namespace CodeEntry
