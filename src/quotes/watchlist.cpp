#include "quotes/watchlist.h"

#include "app/backend.h"
#include "app/unitstate.h"
#include "platform/failures.h"

#include <algorithm>
#include <array>

namespace {

const QString kDefaultFlags = QStringLiteral("0000");
const QString kDefaultPct = QStringLiteral("5");
const QString kDefaultDigits = QStringLiteral("4");
const QString kDefaultInterval = QStringLiteral("10");
const QString kLimitNotFired = QStringLiteral("0");
const QString kCooldownIdle = QStringLiteral("-1");

// Form field names of the back-end's settings pages.
const QString kPhoneField = QStringLiteral("sn");
const QString kSmsField = QStringLiteral("ycf");
const QString kNameField = QStringLiteral("gpmc");
const QString kCodeField = QStringLiteral("gpdm");
const QString kFlagsField = QStringLiteral("zh");
const QString kDealField = QStringLiteral("ddcj");
const QString kOrderField = QStringLiteral("ddmm");
const QString kPctField = QStringLiteral("zdf");
const QString kIntervalField = QStringLiteral("sjjg");

// The nine lists of the unit, in Stock's member order.
using ListMember = QStringList UnitState::*;
using StockMember = QString WatchList::Stock::*;
constexpr std::array<std::pair<ListMember, StockMember>, 9> kColumns{{
    {&UnitState::watchcodes, &WatchList::Stock::code},
    {&UnitState::watchnames, &WatchList::Stock::name},
    {&UnitState::watchopenclose, &WatchList::Stock::openclose},
    {&UnitState::watchflags, &WatchList::Stock::flags},
    {&UnitState::watchpct, &WatchList::Stock::pct},
    {&UnitState::watchdealdigits, &WatchList::Stock::dealdigits},
    {&UnitState::watchorderdigits, &WatchList::Stock::orderdigits},
    {&UnitState::watchinterval, &WatchList::Stock::interval},
    {&UnitState::watchperiodic, &WatchList::Stock::periodic},
}};

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

namespace WatchList {

Stock newStock(const QString& code, const QString& name) {
    return {code,           name,           switchOn,         kDefaultFlags, kDefaultPct,
            kDefaultDigits, kDefaultDigits, kDefaultInterval, switchOff};
}

bool flagOn(const QString& flags, Flag flag) {
    const qsizetype index = flag - 1;
    return index < flags.size() && flags[index] == u'1';
}

QString withFlag(const QString& flags, Flag flag, bool on) {
    QString result = flags;
    if (result.size() < flagCount)
        result = result.leftJustified(flagCount, u'0');
    result[flag - 1] = on ? u'1' : u'0';
    return result;
}

QList<Stock> stocks(const UnitState& state) {
    const qsizetype count = state.watchcodes.size();
    for (const auto& [list, member] : kColumns) {
        if ((state.*list).size() != count)
            throw Failure(QStringLiteral("the watch lists are out of step"));
    }
    QList<Stock> result(count);
    for (qsizetype i = 0; i < count; ++i) {
        for (const auto& [list, member] : kColumns)
            result[i].*member = (state.*list)[i];
    }
    return result;
}

void setStocks(UnitState& state, const QList<Stock>& stocks) {
    for (const auto& [list, member] : kColumns)
        (state.*list).clear();
    for (const Stock& stock : stocks)
        appendStock(state, stock);
}

void appendStock(UnitState& state, const Stock& stock) {
    for (const auto& [list, member] : kColumns)
        (state.*list).append(stock.*member);
}

void removeStock(UnitState& state, int row) {
    for (const auto& [list, member] : kColumns)
        at(state.*list, row);
    for (const auto& [list, member] : kColumns)
        (state.*list).removeAt(row);
}

void resetAlertState(UnitState& state, qsizetype count) {
    state.limitfired = QStringList(count, kLimitNotFired);
    state.dealcooldown = QStringList(count, kCooldownIdle);
    state.ordercooldown = QStringList(count, kCooldownIdle);
    state.pctcooldown = QStringList(count, kCooldownIdle);
}

QString listLine(const QString& name, const QString& code) {
    return name.trimmed() + u'(' + code + u')';
}

bool listed(const QStringList& lines, const QString& code) {
    return std::any_of(lines.begin(), lines.end(), [&code](const QString& line) { return line.contains(code); });
}

bool isPhoneNumber(const QString& text) {
    return text.size() == 11 && std::all_of(text.begin(), text.end(), isAsciiDigit);
}

QList<Post> syncPosts(const QList<Stock>& stocks, const QString& phone, bool smsalerts) {
    const std::pair<QString, QString> sn{kPhoneField, phone};
    QList<Post> posts{{Backend::switchesPost, {sn, {kSmsField, switchText(smsalerts)}}}};
    if (!smsalerts)
        return posts;

    posts.append({Backend::clearFirstPost, {sn}});
    for (const Stock& stock : stocks) {
        if (stock.openclose == switchOn)
            posts.append({Backend::addFirstPost, {sn, {kNameField, stock.name}, {kCodeField, stock.code}}});
    }
    posts.append({Backend::clearSecondPost, {sn}});
    for (const Stock& stock : stocks) {
        posts.append({Backend::addSecondPost,
                      {sn,
                       {kFlagsField, stock.flags},
                       {kDealField, stock.dealdigits},
                       {kOrderField, stock.orderdigits},
                       {kPctField, stock.pct},
                       {kNameField, stock.name},
                       {kCodeField, stock.code}}});
    }
    posts.append({Backend::clearThirdPost, {sn}});
    for (const Stock& stock : stocks) {
        if (stock.periodic == switchOn)
            posts.append({Backend::addThirdPost,
                          {sn, {kIntervalField, stock.interval}, {kCodeField, stock.code}, {kNameField, stock.name}}});
    }
    return posts;
}

} // namespace WatchList
