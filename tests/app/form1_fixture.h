#pragma once

// Shared set-up of the main window's tests: an empty data folder, fake platform services, a fixed clock, and a
// main window whose calls into the other subsystems are recorded (and can be made to fail).

#include "app/program.h"
#include "app/tform1.h"
#include "platform/clock.h"
#include "platform/datafolder.h"
#include "platform/failures.h"
#include "support/fakeservices.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

// A main window that records, in order, every operation of another subsystem that the shell calls.
class RecordingForm1 : public TForm1 {
public:
    QStringList calls;
    // The operation that throws when called (ends its caller silently), or empty.
    QString failing;
    // The name yzgp answers with.
    QString lookedUpName = QStringLiteral("平安银行");
    // Runs inside getgbdata, to fill the forum lists as the reader would.
    std::function<void(UnitState&)> forumReader;

    QString yzgp(const QString& code) override {
        record(QStringLiteral("yzgp ") + code);
        state.curname = lookedUpName;
        return lookedUpName;
    }
    void getvtzs() override { record(QStringLiteral("getvtzs")); }
    void getvtdate(const QString& code) override { record(QStringLiteral("getvtdate ") + code); }
    void sendbase() override { record(QStringLiteral("sendbase")); }
    void loadBigOrderPages() override {
        record(QStringLiteral("loadBigOrderPages"));
        TForm1::loadBigOrderPages();
    }
    void createsj() override { record(QStringLiteral("createsj")); }
    void getyg(const QString& code) override { record(QStringLiteral("getyg ") + code); }
    void getqgqp(const QString& code) override { record(QStringLiteral("getqgqp ") + code); }
    void getgg(const QString& code) override { record(QStringLiteral("getgg ") + code); }
    void getgbdata(const QString& code) override {
        record(QStringLiteral("getgbdata ") + code);
        if (forumReader)
            forumReader(state);
    }
    void addtv() override { record(QStringLiteral("addtv")); }

private:
    void record(const QString& call) {
        calls << call;
        if (!failing.isEmpty() && call.section(QLatin1Char(' '), 0, 0) == failing)
            throw SilentAbort();
    }
};

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        QDir folder(dataFolder());
        folder.removeRecursively();
        QDir().mkpath(folder.path());
        resetTerminationForTests();
        // A Wednesday morning before the fetch window.
        Clock::setForTests(QDateTime(QDate(2024, 1, 3), QTime(8, 0, 0)));
    }
    void TearDown() override {
        Clock::clearForTests();
        resetTerminationForTests();
    }

    static QString path(const QString& name) { return dataFile(name); }

    static void writeBytes(const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray readBytes(const QString& name) {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // A directory where a data file should be: opening it as a file fails.
    static void blockWithDirectory(const QString& name) { ASSERT_TRUE(QDir().mkpath(path(name))); }

    static FakeWebBrowser* fake(const std::unique_ptr<WebBrowser>& browser) {
        return static_cast<FakeWebBrowser*>(browser.get());
    }
    static FakeMediaPlayer* fake(const std::unique_ptr<MediaPlayer>& player) {
        return static_cast<FakeMediaPlayer*>(player.get());
    }

    ScopedFakeServices services;
};
