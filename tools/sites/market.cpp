#include "market.h"

#include <QElapsedTimer>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

namespace {

using Market::mix;

using Market::Listing;
using Market::Role;

// The market's one seed: every price, volume and order book of every day is drawn from it.
constexpr quint64 marketSeed = 0x6272656e6e6f6321ULL;

constexpr int secondsPerStep = 3;
constexpr int stepsPerSession = 2 * 3600 / secondsPerStep;
constexpr int stepsPerDay = 2 * stepsPerSession;
constexpr int stepsPerMinute = 60 / secondsPerStep;

constexpr int auctionSecond = 9 * 3600 + 25 * 60;
constexpr int morningOpenSecond = 9 * 3600 + 30 * 60;
constexpr int morningCloseSecond = 11 * 3600 + 30 * 60;
constexpr int afternoonOpenSecond = 13 * 3600;
constexpr int closeSecond = 15 * 3600;

const QString shanghaiName = QStringLiteral("上证指数");
const QString shenzhenName = QStringLiteral("深证成指");
const QString zeroChange = QStringLiteral("0");
const QString buySide = QStringLiteral("1");
const QString sellSide = QStringLiteral("-1");

const QList<Listing>& table() {
    static const QList<Listing> stocks{
        {QStringLiteral("600000"), QStringLiteral("浦发银行"), 850, 15, Role::Ordinary},
        {QStringLiteral("600036"), QStringLiteral("招商银行"), 3500, 40, Role::Ordinary},
        {QStringLiteral("600519"), QStringLiteral("贵州茅台"), 150000, 50, Role::Ordinary},
        {QStringLiteral("601318"), QStringLiteral("中国平安"), 4500, 45, Role::BigTrades},
        {QStringLiteral("600030"), QStringLiteral("中信证券"), 2200, 50, Role::Ordinary},
        {QStringLiteral("600276"), QStringLiteral("恒瑞医药"), 4500, 25, Role::Ordinary},
        {QStringLiteral("600887"), QStringLiteral("伊利股份"), 2800, 15, Role::Rally},
        {QStringLiteral("600900"), QStringLiteral("长江电力"), 2800, 20, Role::Ordinary},
        {QStringLiteral("601012"), QStringLiteral("隆基绿能"), 1800, 30, Role::Ordinary},
        {QStringLiteral("601166"), QStringLiteral("兴业银行"), 1800, 15, Role::Ordinary},
        {QStringLiteral("601398"), QStringLiteral("工商银行"), 600, 25, Role::BigOrders},
        {QStringLiteral("601288"), QStringLiteral("农业银行"), 450, 15, Role::Ordinary},
        {QStringLiteral("601857"), QStringLiteral("中国石油"), 800, 15, Role::Ordinary},
        {QStringLiteral("601988"), QStringLiteral("中国银行"), 480, 12, Role::Ordinary},
        {QStringLiteral("600028"), QStringLiteral("中国石化"), 600, 10, Role::Ordinary},
        {QStringLiteral("600309"), QStringLiteral("万华化学"), 7500, 15, Role::Ordinary},
        {QStringLiteral("600585"), QStringLiteral("海螺水泥"), 2400, 8, Role::Ordinary},
        {QStringLiteral("601888"), QStringLiteral("中国中免"), 6500, 15, Role::Ordinary},
        {QStringLiteral("600104"), QStringLiteral("上汽集团"), 1400, 6, Role::Ordinary},
        {QStringLiteral("601668"), QStringLiteral("中国建筑"), 550, 12, Role::Ordinary},
        {QStringLiteral("600048"), QStringLiteral("保利发展"), 900, 12, Role::Ordinary},
        {QStringLiteral("601899"), QStringLiteral("紫金矿业"), 1600, 35, Role::Rally},
        {QStringLiteral("600690"), QStringLiteral("海尔智家"), 2700, 10, Role::Ordinary},
        {QStringLiteral("000001"), QStringLiteral("平安银行"), 1100, 15, Role::Ordinary},
        {QStringLiteral("000002"), QStringLiteral("万科A"), 700, 20, Role::Slide},
        {QStringLiteral("000858"), QStringLiteral("五粮液"), 14000, 35, Role::Ordinary},
        {QStringLiteral("000333"), QStringLiteral("美的集团"), 7000, 25, Role::Ordinary},
        {QStringLiteral("000651"), QStringLiteral("格力电器"), 4000, 15, Role::Ordinary},
        {QStringLiteral("000725"), QStringLiteral("京东方A"), 420, 25, Role::LimitUp},
        {QStringLiteral("000063"), QStringLiteral("中兴通讯"), 3000, 20, Role::Rally},
        {QStringLiteral("000568"), QStringLiteral("泸州老窖"), 15000, 20, Role::Ordinary},
        {QStringLiteral("002304"), QStringLiteral("洋河股份"), 8500, 6, Role::Ordinary},
        {QStringLiteral("002415"), QStringLiteral("海康威视"), 3000, 15, Role::Ordinary},
        {QStringLiteral("002475"), QStringLiteral("立讯精密"), 3200, 25, Role::Ordinary},
        {QStringLiteral("002594"), QStringLiteral("比亚迪"), 26000, 50, Role::Ordinary},
        {QStringLiteral("002714"), QStringLiteral("牧原股份"), 4000, 12, Role::Rally},
        {QStringLiteral("300015"), QStringLiteral("爱尔眼科"), 1400, 8, Role::Ordinary},
        {QStringLiteral("300059"), QStringLiteral("东方财富"), 1800, 60, Role::Ordinary},
        {QStringLiteral("300124"), QStringLiteral("汇川技术"), 5500, 10, Role::Ordinary},
        {QStringLiteral("300750"), QStringLiteral("宁德时代"), 20000, 60, Role::Ordinary},
    };
    return stocks;
}

// The separate things a day draws, so that no two of them share a number.
enum class Draw : quint64 {
    PreviousClose = 1,
    Gap,
    DayDrift,
    Step,
    StepVolume,
    LastVolume,
    Side,
    BusyMinute,
    BidVolume,
    AskVolume,
    Seal,
    AuctionVolume,
    Turnover,
};

// The dice of one stock or index on one day: the same (subject, date, draw, index) always gives the same
// number, whatever was drawn before.
class Dice {
public:
    Dice(quint64 subject, const QDate& date)
        : key_(mix(marketSeed ^ mix(subject) ^ mix(static_cast<quint64>(date.toJulianDay()) << 20))) {}

    // Uniform in [0, 1).
    double uniform(Draw what, quint64 index = 0) const {
        const quint64 bits = mix(key_ ^ mix((static_cast<quint64>(what) << 40) ^ index));
        return static_cast<double>(bits >> 11) * 0x1.0p-53;
    }

    // Mean 0, deviation 1: the sum of four uniforms, close enough to a normal draw for a price path.
    double normal(Draw what, quint64 index = 0) const {
        double sum = 0;
        for (quint64 i = 0; i < 4; ++i)
            sum += uniform(what, index * 4 + i);
        return (sum - 2.0) * std::sqrt(3.0);
    }

private:
    quint64 key_;
};

// Where the market stands at a moment: the trading date shown and how many 3-second steps of trading have
// begun. Saturday and Sunday show Friday after the close.
struct Session {
    QDate date;
    bool auctioned = false;
    int steps = 0;
};

Session sessionAt(const QDateTime& moment) {
    const QDate date = moment.date();
    const int weekday = date.dayOfWeek();
    if (weekday > 5)
        return {date.addDays(5 - weekday), true, stepsPerDay};
    const int second = moment.time().msecsSinceStartOfDay() / 1000;
    if (second < auctionSecond)
        return {date, false, 0};
    if (second < morningOpenSecond)
        return {date, true, 0};
    // A session's first step trades at its first second, so the auction's match is never the last trade of
    // a moment inside the session.
    if (second < morningCloseSecond)
        return {date, true, 1 + (second - morningOpenSecond) / secondsPerStep};
    if (second < afternoonOpenSecond)
        return {date, true, stepsPerSession};
    if (second < closeSecond)
        return {date, true, stepsPerSession + 1 + (second - afternoonOpenSecond) / secondsPerStep};
    return {date, true, stepsPerDay};
}

// Trading intensity through the day, a U shape (busy at the open and the close) with mean 1 over the day.
double intensity(double dayFraction) {
    const double centred = 2.0 * dayFraction - 1.0;
    return (1.0 + 2.0 * centred * centred) / (5.0 / 3.0);
}

// The share of the day's trading done by `dayFraction`: the integral of intensity().
double tradedShare(double dayFraction) {
    const double centred = 2.0 * dayFraction - 1.0;
    return (dayFraction + (centred * centred * centred + 1.0) / 3.0) / (5.0 / 3.0);
}

// The trading minute (0 = 9:30, 120 = 13:00) in which step `step` (1-based) trades.
int minuteOfStep(int step) {
    return (step - 1) / stepsPerMinute;
}

// Minutes in which a BigTrades or BigOrders stock is busy: ten past and half past ... every twenty minutes
// (9:40, 10:00, 10:20, ... 14:50), and a few more drawn for the day.
bool busyMinute(const Dice& dice, int minute) {
    return minute % 20 == 10 || dice.uniform(Draw::BusyMinute, static_cast<quint64>(minute)) < 0.08;
}

// How a stock's day is drawn.
struct Character {
    double gap;      // log move of the open against the previous close
    double dayDrift; // log drift over the whole day
    double dayVolatility;
    double rampTotal; // scripted log move, spread evenly over rampSteps steps from step rampFirst on
    int rampSteps;
    int rampFirst = 1;
};

// The steps at which the rally stocks, in listing order, begin their climb: 10:00, 10:50, 13:30 and 14:30.
constexpr int rallyFirstSteps[] = {30 * stepsPerMinute, 80 * stepsPerMinute, stepsPerSession + 30 * stepsPerMinute,
                                   stepsPerSession + 90 * stepsPerMinute};
constexpr int rallySteps = 10 * stepsPerMinute;

int rallyFirstStep(const Listing& listing) {
    int turn = 0;
    for (const Listing& other : table()) {
        if (&other == &listing)
            break;
        if (other.role == Role::Rally)
            ++turn;
    }
    return rallyFirstSteps[turn % std::size(rallyFirstSteps)];
}

Character characterOf(const Listing& listing, const Dice& dice) {
    switch (listing.role) {
    case Role::LimitUp:
        return {0.02, 0.0, 0.004, 0.15, 1800};
    case Role::Slide:
        return {-0.005, 0.0, 0.004, -0.065, 1500};
    case Role::Rally:
        return {0.002, 0.0, 0.005, 0.045, rallySteps, rallyFirstStep(listing)};
    default:
        return {0.006 * dice.normal(Draw::Gap), 0.012 * dice.normal(Draw::DayDrift), 0.015, 0.0, 1};
    }
}

qint64 roundToCents(double cents) {
    return static_cast<qint64>(std::llround(cents));
}

// Money in 分 as 元 with two decimals, "-" first when below zero.
QString yuan(qint64 cents) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

// A percentage with two decimals and "%"; `falling` makes sure a fall too small to show still reads "-0.00%".
QString percent(double value, bool falling) {
    QString text = QString::number(value, 'f', 2);
    if (falling && !text.startsWith(QLatin1Char('-')))
        text.prepend(QLatin1Char('-'));
    if (!falling && text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    return text + QLatin1Char('%');
}

QString snapshotTime(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

bool isSixDigits(const QString& code) {
    return code.size() == 6 && std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

Market::IndexQuote indexAt(const QString& name, quint64 subject, double typicalValue, double typicalTurnover,
                           const QDateTime& moment) {
    const Session session = sessionAt(moment);
    const Dice dice(subject, session.date);
    Market::IndexQuote index;
    index.name = name;
    index.previousClose = std::round(typicalValue * std::exp(0.04 * dice.normal(Draw::PreviousClose)) * 100) / 100;
    index.value = index.previousClose;
    if (!session.auctioned)
        return index;
    double logMove = 0.003 * dice.normal(Draw::Gap);
    const double drift = 0.008 * dice.normal(Draw::DayDrift) / stepsPerDay;
    const double stepVolatility = 0.009 / std::sqrt(static_cast<double>(stepsPerDay));
    for (int step = 1; step <= session.steps; ++step)
        logMove += drift + stepVolatility * dice.normal(Draw::Step, static_cast<quint64>(step));
    index.value = std::round(index.previousClose * std::exp(logMove) * 100) / 100;
    const double dayTurnover = typicalTurnover * (0.8 + 0.4 * dice.uniform(Draw::Turnover));
    index.turnover = dayTurnover * (0.005 + 0.995 * tradedShare(static_cast<double>(session.steps) / stepsPerDay));
    return index;
}

QString indexSection(const Market::IndexQuote& index, const QDateTime& moment) {
    const double change = index.value - index.previousClose;
    const bool falling = change < 0;
    QString changeText = QString::number(std::abs(change), 'f', 2);
    if (falling)
        changeText.prepend(QLatin1Char('-'));
    return QStringList{index.name,
                       QString::number(index.value, 'f', 2),
                       changeText,
                       percent(std::abs(change) * 100.0 / index.previousClose, falling),
                       QString::number(index.turnover, 'f', 2),
                       snapshotTime(moment)}
        .join(QLatin1Char(','));
}

} // namespace

namespace Market {

double Quote::changePercent() const {
    return previousClose == 0 ? 0.0 : static_cast<double>(price - previousClose) * 100.0 / previousClose;
}

const QList<Listing>& listings() {
    return table();
}

const Listing* find(const QString& code) {
    for (const Listing& listing : table()) {
        if (listing.code == code)
            return &listing;
    }
    return nullptr;
}

const Listing& withRole(Role role) {
    for (const Listing& listing : table()) {
        if (listing.role == role)
            return listing;
    }
    return table().front();
}

Quote quote(const Listing& listing, const QDateTime& moment) {
    const Session session = sessionAt(moment);
    const Dice dice(listing.code.toULongLong(), session.date);
    const Character character = characterOf(listing, dice);

    Quote q;
    q.listing = &listing;
    q.previousClose =
        std::max<qint64>(1, roundToCents(listing.typicalPrice * std::exp(0.05 * dice.normal(Draw::PreviousClose))));
    q.limitUp = (q.previousClose * 110 + 50) / 100;
    q.limitDown = (q.previousClose * 90 + 50) / 100;
    q.price = q.previousClose;
    if (!session.auctioned)
        return q;

    const auto priceAt = [&](double logMove) {
        return std::clamp(roundToCents(q.previousClose * std::exp(logMove)), q.limitDown, q.limitUp);
    };
    const double dailyVolume = listing.typicalTurnover * 1e8 / static_cast<double>(q.previousClose);
    const bool bigTrades = listing.role == Role::BigTrades;

    // The opening auction.
    q.auctioned = true;
    double logMove = character.gap;
    q.open = q.price = q.high = q.low = priceAt(logMove);
    q.lastVolume = std::max<qint64>(1, std::llround(dailyVolume * 0.008 * (0.5 + dice.uniform(Draw::AuctionVolume))));
    q.volume = q.lastVolume;
    q.turnover = static_cast<double>(q.lastVolume * q.open) / 10000.0;

    // Continuous trading, one 3-second step at a time.
    const double stepVolatility = character.dayVolatility / std::sqrt(static_cast<double>(stepsPerDay));
    const double stepDrift = character.dayDrift / stepsPerDay;
    for (int step = 1; step <= session.steps; ++step) {
        const auto index = static_cast<quint64>(step);
        logMove += stepDrift + stepVolatility * dice.normal(Draw::Step, index);
        if (step >= character.rampFirst && step < character.rampFirst + character.rampSteps)
            logMove += character.rampTotal / character.rampSteps;
        const qint64 previous = q.price;
        q.price = priceAt(logMove);
        q.high = std::max(q.high, q.price);
        q.low = std::min(q.low, q.price);

        const double lastDraw = dice.uniform(Draw::LastVolume, index);
        q.lastVolume = bigTrades && busyMinute(dice, minuteOfStep(step))
                           ? 1000 + std::llround(lastDraw * 3999)
                           : 1 + std::llround(std::pow(lastDraw, 3) * 600);
        const double flow = dailyVolume / stepsPerDay * intensity(static_cast<double>(step) / stepsPerDay) *
                            (0.4 + 1.2 * dice.uniform(Draw::StepVolume, index));
        const qint64 stepVolume = q.lastVolume + std::llround(flow);
        q.volume += stepVolume;
        q.turnover += static_cast<double>(stepVolume * q.price) / 10000.0;
        q.lastSell = q.price == previous ? dice.uniform(Draw::Side, index) < 0.5 : q.price < previous;
    }

    // The order book around the last trade: a buy took the best ask, a sell met the best bid.
    const auto snapshot = static_cast<quint64>(session.steps);
    const bool busyBook =
        listing.role == Role::BigOrders && session.steps > 0 && busyMinute(dice, minuteOfStep(session.steps));
    const auto queue = [&](Draw side) {
        const double draw = dice.uniform(side, snapshot);
        return busyBook ? 10000 + std::llround(draw * 29999) : 5 + std::llround(draw * draw * 900);
    };
    q.bidVolume = queue(Draw::BidVolume);
    q.askVolume = queue(Draw::AskVolume);
    q.bidPrice = q.lastSell ? q.price : q.price - 1;
    q.askPrice = q.lastSell ? q.price + 1 : q.price;
    const qint64 seal = 50000 + std::llround(dice.uniform(Draw::Seal, snapshot) * 150000);
    if (q.price == q.limitUp) {
        // Sealed at the upper limit: a wall of buyers and no seller.
        q.lastSell = false;
        q.bidPrice = q.limitUp;
        q.bidVolume = seal;
        q.askPrice = 0;
        q.askVolume = 0;
    } else if (q.price == q.limitDown) {
        q.lastSell = true;
        q.askPrice = q.limitDown;
        q.askVolume = seal;
        q.bidPrice = 0;
        q.bidVolume = 0;
    }
    return q;
}

IndexQuote shanghaiIndex(const QDateTime& moment) {
    return indexAt(shanghaiName, 1000001, 3200.0, 4.5e7, moment);
}

IndexQuote shenzhenIndex(const QDateTime& moment) {
    return indexAt(shenzhenName, 1399001, 10500.0, 5.8e7, moment);
}

QString recordLine(const Quote& q, const QDateTime& moment) {
    const Listing& listing = *q.listing;
    const qint64 change = q.price - q.previousClose;
    const double amplitude = q.auctioned ? static_cast<double>(q.high - q.low) * 100.0 / q.previousClose : 0.0;
    const QStringList fields{
        listing.code.startsWith(QLatin1Char('6')) ? QStringLiteral("1") : QStringLiteral("2"),
        listing.code,
        listing.name,
        yuan(q.price),
        change == 0 ? zeroChange : percent(std::abs(q.changePercent()), change < 0),
        yuan(change),
        yuan(q.bidPrice),
        QString::number(q.bidVolume),
        yuan(q.askPrice),
        QString::number(q.askVolume),
        QString::number(q.volume),
        QString::number(q.turnover, 'f', 2),
        yuan(q.open),
        yuan(q.previousClose),
        yuan(q.high),
        yuan(q.low),
        q.lastSell ? sellSide : buySide,
        QString::number(q.lastVolume),
        percent(amplitude, false),
        snapshotTime(moment),
    };
    return fields.join(QLatin1Char(','));
}

QString unknownRecordLine(const QString& code) {
    // Field 1 empty, the code, then empty fields well past the 18th.
    return QLatin1Char(',') + code + QString(19, QLatin1Char(','));
}

QByteArray quotePage(const QString& fav, const QDateTime& moment) {
    if (!isSixDigits(fav))
        return {};
    const Listing* listing = find(fav);
    const QString line = listing ? recordLine(quote(*listing, moment), moment) : unknownRecordLine(fav);
    return (QStringLiteral("var quote=\"") + line + QStringLiteral("\";\n")).toUtf8();
}

QByteArray indexPage(const QDateTime& moment) {
    return (QStringLiteral("var index_sh=\"") + indexSection(shanghaiIndex(moment), moment) +
            QStringLiteral("\";\nvar index_sz=\"") + indexSection(shenzhenIndex(moment), moment) +
            QStringLiteral("\";\n"))
        .toUtf8();
}

namespace {

struct DemoClock {
    std::optional<QDateTime> start;
    QElapsedTimer running;
};

std::optional<QDateTime> startFromEnvironment() {
    const QString text = qEnvironmentVariable("BRENNOC_MARKET_START").trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QDateTime moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (moment.isValid())
        return moment;
    const QTime time = QTime::fromString(text, QStringLiteral("H:mm:ss"));
    if (time.isValid())
        return QDateTime(QDate::currentDate(), time);
    return std::nullopt;
}

DemoClock& demoClock() {
    static DemoClock clock = [] {
        DemoClock made;
        made.start = startFromEnvironment();
        made.running.start();
        return made;
    }();
    return clock;
}

} // namespace

QDateTime now() {
    const DemoClock& clock = demoClock();
    if (!clock.start)
        return QDateTime::currentDateTime();
    return clock.start->addMSecs(clock.running.elapsed());
}

void startAt(const QDateTime& moment) {
    DemoClock& clock = demoClock();
    clock.start = moment;
    clock.running.restart();
}

} // namespace Market
