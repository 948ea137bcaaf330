// The back-end's TV station list and the stations' streams, made here so that a chosen station plays without
// any media file: a short tone of the station's own pitch, and for some stations a picture with it (a moving
// bar over colour bars).
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
    bool picture = false; // served as a video with sound, else as sound alone
};

// Groups (parent "0"); sub-groups with an address of their own (played directly); sub-groups without one,
// which hold the channels whose parent is the group and whose id is the sub-group's.
const Station stations[] = {
    {u"央视频道", 0, "0", "1", "0"},        {u"综合新闻", 0, "1", "11", "0"},
    {u"新闻直播", 1, "1", "11", "101"},     {u"财经直播", 2, "1", "11", "102", true},
    {u"体育赛事", 3, "1", "12", "0", true}, {u"卫视频道", 0, "0", "2", "0"},
    {u"东部卫视", 0, "2", "21", "0"},       {u"东方卫视", 4, "2", "21", "201", true},
    {u"江南卫视", 5, "2", "21", "202"},     {u"南方卫视", 6, "2", "21", "203"},
    {u"R&B音乐台", 7, "2", "22", "0"},      {u"财经资讯", 0, "0", "3", "0"},
    {u"股市直播", 8, "3", "31", "0", true}, {u"港股频道", 0, "3", "32", "0"},
    {u"港股早班车", 9, "3", "32", "301"},   {u"收市点评", 10, "3", "32", "302"},
};

constexpr int scrambledBytes = 18;
constexpr int sampleRate = 16000;
constexpr int streamSeconds = 8;
constexpr int fadeSamples = sampleRate / 20;
// The picture: uncompressed 24-bit frames, a few a second.
constexpr int frameWidth = 160;
constexpr int frameHeight = 120;
constexpr int framesPerSecond = 5;

// The back-end's scrambling, undone by the program's unscrambler: each of the first 18 bytes one lower.
QByteArray scramble(QByteArray address) {
    if (address.size() < scrambledBytes)
        return address;
    for (int i = 0; i < scrambledBytes; ++i)
        address[i] = static_cast<char>(static_cast<unsigned char>(address[i]) - 1);
    return address;
}

// Where a station's stream is served, on the server the request reached.
QByteArray streamAddress(const Loopback::HttpRequest& request, const Station& station) {
    return "http://" + request.header("Host") + '/' + Hosts::backend.key + "/tv/" + QByteArray::number(station.stream) +
           (station.picture ? ".avi" : ".wav");
}

Loopback::HttpReply stationList(const Loopback::HttpRequest& request) {
    QString payload = QStringLiteral("\r\n");
    for (const Station& s : stations) {
        const QByteArray address = s.stream ? scramble(streamAddress(request, s)) : QByteArray();
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

// The tone of stream n, faded in and out: mono 16-bit samples.
QByteArray toneSamples(int stream) {
    const double frequency = 330.0 + 55.0 * stream;
    const int samples = sampleRate * streamSeconds;
    QByteArray pcm;
    pcm.reserve(samples * 2);
    for (int i = 0; i < samples; ++i) {
        const double fade = std::min({1.0, double(i) / fadeSamples, double(samples - i) / fadeSamples});
        const double value = 0.3 * fade * std::sin(2 * std::numbers::pi * frequency * i / sampleRate);
        putLittleEndian(pcm, static_cast<quint16>(static_cast<qint16>(value * 32767)), 2);
    }
    return pcm;
}

// The sound's format block, as both WAV and AVI files carry it: PCM, mono, 16 bits.
QByteArray soundFormat() {
    QByteArray format;
    putLittleEndian(format, 1, 2);
    putLittleEndian(format, 1, 2);
    putLittleEndian(format, sampleRate, 4);
    putLittleEndian(format, sampleRate * 2, 4);
    putLittleEndian(format, 2, 2);
    putLittleEndian(format, 16, 2);
    return format;
}

// A RIFF chunk: its four-letter id, its size and its data, padded to an even length.
QByteArray chunk(const QByteArray& id, const QByteArray& data) {
    QByteArray out = id;
    putLittleEndian(out, static_cast<quint32>(data.size()), 4);
    out += data;
    if (data.size() % 2)
        out += '\0';
    return out;
}
QByteArray list(const QByteArray& type, const QByteArray& content) {
    return chunk("LIST", type + content);
}

QByteArray wav(int stream) {
    return chunk("RIFF", "WAVE" + chunk("fmt ", soundFormat()) + chunk("data", toneSamples(stream)));
}

// Frame `index` of stream n: colour bars of the stream's own order with a white bar moving across, stored
// bottom row first, blue-green-red.
QByteArray frame(int stream, int index) {
    static const unsigned char bars[][3] = {{192, 192, 192}, {0, 192, 192}, {192, 192, 0}, {0, 192, 0},
                                            {192, 0, 192},   {0, 0, 192},   {192, 0, 0}};
    constexpr int barCount = sizeof bars / sizeof bars[0];
    const int moving = index * 4 % frameWidth;
    QByteArray pixels;
    pixels.reserve(frameWidth * frameHeight * 3);
    for (int y = 0; y < frameHeight; ++y) {
        for (int x = 0; x < frameWidth; ++x) {
            const unsigned char* rgb = bars[(x * barCount / frameWidth + stream) % barCount];
            const bool white = x >= moving && x < moving + 8;
            for (int c = 2; c >= 0; --c)
                pixels += static_cast<char>(white ? 255 : rgb[c]);
        }
    }
    return pixels;
}

// An AVI file of uncompressed frames with the tone, a frame's sound after each frame, and its index.
QByteArray avi(int stream) {
    const int frames = framesPerSecond * streamSeconds;
    const int frameBytes = frameWidth * frameHeight * 3;
    const QByteArray tone = toneSamples(stream);
    const int soundBytes = static_cast<int>(tone.size()) / frames;

    QByteArray header; // avih
    for (const quint32 value :
         {quint32(1000000 / framesPerSecond), quint32((frameBytes + soundBytes) * framesPerSecond), 0u,
          0x10u /* has an index */, quint32(frames), 0u, 2u, quint32(frameBytes), quint32(frameWidth),
          quint32(frameHeight), 0u, 0u, 0u, 0u})
        putLittleEndian(header, value, 4);

    const auto streamHeader = [](const QByteArray& type, quint32 scale, quint32 rate, quint32 length, quint32 buffer,
                                 quint32 sampleSize, bool picture) {
        QByteArray h = type + QByteArray(4, '\0');
        for (const quint32 value : {0u, 0u, 0u, scale, rate, 0u, length, buffer, 0xFFFFFFFFu, sampleSize})
            putLittleEndian(h, value, 4);
        putLittleEndian(h, 0, 4); // left, top
        putLittleEndian(h, picture ? frameWidth : 0, 2);
        putLittleEndian(h, picture ? frameHeight : 0, 2);
        return chunk("strh", h);
    };
    QByteArray picture; // BITMAPINFOHEADER
    putLittleEndian(picture, 40, 4);
    putLittleEndian(picture, frameWidth, 4);
    putLittleEndian(picture, frameHeight, 4);
    putLittleEndian(picture, 1, 2);
    putLittleEndian(picture, 24, 2);
    for (const quint32 value : {0u, quint32(frameBytes), 0u, 0u, 0u, 0u})
        putLittleEndian(picture, value, 4);

    const QByteArray headers =
        chunk("avih", header) +
        list("strl", streamHeader("vids", 1, framesPerSecond, frames, frameBytes, 0, true) + chunk("strf", picture)) +
        list("strl", streamHeader("auds", 2, sampleRate * 2, quint32(tone.size() / 2), soundBytes, 2, false) +
                         chunk("strf", soundFormat()));

    QByteArray movie = "movi";
    QByteArray index;
    const auto add = [&](const QByteArray& id, const QByteArray& data) {
        index += id;
        putLittleEndian(index, 0x10, 4); // a key frame
        putLittleEndian(index, static_cast<quint32>(movie.size()), 4);
        putLittleEndian(index, static_cast<quint32>(data.size()), 4);
        movie += chunk(id, data);
    };
    for (int i = 0; i < frames; ++i) {
        add("00db", frame(stream, i));
        add("01wb", tone.mid(qsizetype(i) * soundBytes, soundBytes));
    }
    return chunk("RIFF", "AVI " + list("hdrl", headers) + chunk("LIST", movie) + chunk("idx1", index));
}

// "/tv/N.wav" or "/tv/N.avi": the stream of station N, sound alone or with a picture.
Loopback::HttpReply stream(const Loopback::HttpRequest& request) {
    QByteArray name = request.path.mid(4);
    const bool picture = name.endsWith(".avi");
    if (!picture && !name.endsWith(".wav"))
        return Loopback::HttpReply::error(404);
    name.chop(4);
    bool ok = false;
    const int number = name.toInt(&ok);
    if (!ok || number < 1 || number > 99)
        return Loopback::HttpReply::error(404);
    return picture ? Loopback::HttpReply::html(avi(number), "video/x-msvideo")
                   : Loopback::HttpReply::html(wav(number), "audio/wav");
}

const Sites::Registration pages([](Sites::Registry& sites) {
    sites.addPage(Hosts::backend.key, Backend::tvStationsPage.toLatin1(), stationList);
    sites.addPagePrefix(Hosts::backend.key, "/tv/", stream);
});

} // namespace
