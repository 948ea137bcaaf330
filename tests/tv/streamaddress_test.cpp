// Which station addresses the player may be given: network streams only.
#include "tv/streamaddress.h"

#include <gtest/gtest.h>

TEST(StreamAddress, OnlyNetworkStreamsWithAHostArePlayed) {
    const struct {
        const char* address;
        bool played;
    } cases[] = {
        {"http://127.0.0.1:8080/tv/1.wav", true},
        {"HTTPS://tv.example/live?a=1&b=2", true},
        {"rtsp://tv.example/live", true},
        {"rtmp://tv.example/live", true},
        {"mms://tv.example/live", true},
        {"http://[::1]/x", true},
        {"file:///etc/passwd", false},
        {"FILE:///x.wmv", false},
        {"/etc/passwd", false},
        {"c:\\tv\\a.wmv", false},
        {"tv/a.wmv", false},
        {"http:///etc/passwd", false}, // no host
        {"http:/etc/passwd", false},
        {" file:///etc/passwd", false},
        {"data:audio/wav;base64,AAAA", false},
        {"gopher://tv.example/", false},
        {"mmsh://tv.example/", false},
        {"http://tv.example:99999/", false}, // not an address at all
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tv::isStreamAddress(QString::fromLatin1(c.address)), c.played) << c.address;
}
