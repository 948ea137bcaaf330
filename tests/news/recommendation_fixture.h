#pragma once

// The recommendation window's tests: a main window that records its calls, the stock look-up's settings window,
// the recommendation window and its chart window, all made before a test and gone after it, and a loopback
// server that every site points at.
#include "app/form1_fixture.h"
#include "app/hosts.h"
#include "app/registry.h"
#include "loopback/httpserver.h"
#include "news/tform16.h"
#include "news/tform17.h"
#include "quotes/tform3.h"

#include <utility>

class RecommendationWindows : public Form1Test {
protected:
    // Routes are added before this runs, since the windows may fetch as they are made.
    void makeWindows() {
        form1 = std::make_unique<RecordingForm1>();
        Form1 = form1.get();
        Form3 = new TForm3;
        Form16 = new TForm16;
        Form17 = new TForm17;
        setWindowsCreated(true);
    }
    void SetUp() override {
        Form1Test::SetUp();
        ASSERT_TRUE(server.listen());
        Hosts::setSitesOverrideForTests(server.url());
    }
    void TearDown() override {
        setWindowsCreated(false);
        delete std::exchange(Form17, nullptr);
        delete std::exchange(Form16, nullptr);
        delete std::exchange(Form3, nullptr);
        Form1 = nullptr;
        form1.reset();
        Hosts::setSitesOverrideForTests(QString());
        Form1Test::TearDown();
    }

    Loopback::HttpServer server;
    std::unique_ptr<RecordingForm1> form1;
};
