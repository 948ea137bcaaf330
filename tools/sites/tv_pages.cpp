// The back-end's TV station list and the stations' streams: short tones made here, one pitch per station, so a
// chosen station plays without any media file.
#include "sites.h"

#include "app/backend.h"
#include "app/hosts.h"

#include <algorithm>

#include <cmath>
#include <numbers>

namespace {

// One record of the list: name, address (empty, or a stream number served below), parent, id, channel id.
struct Station {
    const char16_t* name;
    int stream; // 0: no address
    const char* parent;
    const char* id;
    const char* channel;
};

// Groups (parent "0"); sub-groups with an address of their own (played directly); sub-groups without one,
// which hold the channels whose parent is the group and whose id is the sub-group's.
const Station stations[] = {
    {u"央视频道", 0, "0", "1", "0"},     {u"综合新闻", 0, "1", "11", "0"},   {u"新闻直播", 1, "1", "11", "101"},
    {u"财经直播", 2, "1", "11", "102"},  {u"体育赛事", 3, "1", "12", "0"},   {u"卫视频道", 0, "0", "2", "0"},
    {u"东部卫视", 0, "2", "21", "0"},    {u"东方卫视", 4, "2", "21", "201"}, {u"江南卫视", 5, "2", "21", "202"},
    {u"南方卫视", 6, "2", "21", "203"},  {u"R&B音乐台", 7, "2", "22", "0"},  {u"财经资讯", 0, "0", "3", "0"},
    {u"股市直播", 8, "3", "31", "0"},    {u"港股频道", 0, "3", "32", "0"},   {u"港股早班车", 9, "3", "32", "301"},
    {u"收市点评", 10, "3", "32", "302"},
};

constexpr int scrambledBytes = 18;
constexpr int sampleRate = 16000;
constexpr int streamSeconds = 8;
constexpr int fadeSamples = sampleRate / 20;

// The back-end's scrambling, undone by the program's unscrambler: each of the first 18 bytes one lower.
QByteArray scramble(QByteArray address) {
    if (address.size() < scrambledBytes)
        return address;
    for (int i = 0; i < scrambledBytes; ++i)
        address[i] = static_cast<char>(static_cast<unsigned char>(address[i]) - 1);
    return address;
}

// Where stream n is served, on the server the request reached.
QByteArray streamAddress(const Loopback::HttpRequest& request, int stream) {
    return "http://" + request.header("Host") + '/' + Hosts::backend.key + "/tv/" + QByteArray::number(stream) + ".wav";
}

Loopback::HttpReply stationList(const Loopback::HttpRequest& request) {
    QString payload = QStringLiteral("\r\n");
    for (const Station& s : stations) {
        const QByteArray address = s.stream ? scramble(streamAddress(request, s.stream)) : QByteArray();
        payload += QString::fromUtf16(s.name) + QStringLiteral("&1") + QString::fromLatin1(address) +
                   QStringLiteral("&2") + QLatin1String(s.parent) + QStringLiteral("&3") + QLatin1String(s.id) +
                   QStringLiteral("&4") + QLatin1String(s.channel) + QStringLiteral("***\r\n");
    }
    return Sites::gbkPage(Sites::envelope(payload));
}

void putLittleEndian(QByteArray& bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A mono 16-bit PCM WAV file: a tone of the stream's own pitch, faded in and out.
QByteArray tone(int stream) {
    const double frequency = 330.0 + 55.0 * stream;
    const int samples = sampleRate * streamSeconds;
    QByteArray wav = "RIFF";
    putLittleEndian(wav, 36 + samples * 2, 4);
    wav += "WAVEfmt ";
    putLittleEndian(wav, 16, 4);
    putLittleEndian(wav, 1, 2); // PCM
    putLittleEndian(wav, 1, 2); // mono
    putLittleEndian(wav, sampleRate, 4);
    putLittleEndian(wav, sampleRate * 2, 4);
    putLittleEndian(wav, 2, 2);
    putLittleEndian(wav, 16, 2);
    wav += "data";
    putLittleEndian(wav, samples * 2, 4);
    for (int i = 0; i < samples; ++i) {
        const double fade = std::min({1.0, double(i) / fadeSamples, double(samples - i) / fadeSamples});
        const double value = 0.3 * fade * std::sin(2 * std::numbers::pi * frequency * i / sampleRate);
        putLittleEndian(wav, static_cast<quint16>(static_cast<qint16>(value * 32767)), 2);
    }
    return wav;
}

// "/tv/N.wav": the stream of station N.
Loopback::HttpReply stream(const Loopback::HttpRequest& request) {
    QByteArray name = request.path.mid(4);
    if (!name.endsWith(".wav"))
        return Loopback::HttpReply::error(404);
    name.chop(4);
    bool ok = false;
    const int number = name.toInt(&ok);
    if (!ok || number < 1 || number > 99)
        return Loopback::HttpReply::error(404);
    return Loopback::HttpReply::html(tone(number), "audio/wav");
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::backend.key, Backend::tvStationsPage.toLatin1(), stationList);
    sites.addPagePrefix(Hosts::backend.key, "/tv/", stream);
});

} // namespace
