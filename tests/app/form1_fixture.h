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
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <functional>

// A window's widget by its object name; a test failure when there is none.
template <typename Widget = QWidget> Widget* widgetNamed(const QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        ADD_FAILURE() << "no widget " << name;
    return widget;
}

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
    // Runs at each recorded call, before a failing one throws.
    std::function<void(const QString&)> onCall;

    QString yzgp(const QString& code) override {
        record(QStringLiteral("yzgp ") + code);
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
        if (onCall)
            onCall(call);
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

    // Runs statements on a data file's database outside the program, as an earlier run would have left it.
    static void runSql(const QString& name, const QStringList& statements) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-sql"));
            db.setDatabaseName(path(name));
            ASSERT_TRUE(db.open());
            for (const QString& sql : statements)
                ASSERT_TRUE(QSqlQuery(db).exec(sql)) << sql.toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-sql"));
    }

    // Every row of a query on a data file's database, its fields joined by "|".
    static QStringList sqlRows(const QString& name, const QString& sql) {
        QStringList rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-sql"));
            db.setDatabaseName(path(name));
            QSqlQuery query(db);
            if (db.open() && query.exec(sql)) {
                while (query.next()) {
                    QStringList fields;
                    for (int i = 0; i < query.record().count(); ++i)
                        fields << query.value(i).toString();
                    rows << fields.join(u'|');
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-sql"));
        return rows;
    }

    // A directory where a data file should be: opening it as a file fails.
    static void blockWithDirectory(const QString& name) { ASSERT_TRUE(QDir().mkpath(path(name))); }

    // What the user is told when a data file cannot be read.
    static QString unreadable(const QString& name) {
        return QStringLiteral("无法读取数据文件%1，程序按默认设置继续运行。").arg(path(name));
    }

    // The texts of the message boxes shown so far.
    QStringList messageTexts() {
        QStringList texts;
        for (const RecordedMessage& message : services->messages)
            texts << message.text;
        return texts;
    }

    static FakeWebBrowser* fake(const std::unique_ptr<WebBrowser>& browser) {
        return static_cast<FakeWebBrowser*>(browser.get());
    }
    static FakeMediaPlayer* fake(const std::unique_ptr<MediaPlayer>& player) {
        return static_cast<FakeMediaPlayer*>(player.get());
    }

    ScopedFakeServices services;
};
