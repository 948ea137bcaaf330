#pragma once

// Recording fakes of the platform services, for tests of windows and handlers. A test puts
// ScopedFakeServices at its top; every browser, player, message box and opened address that the code under
// test asks platformServices() for then goes to the fakes, which record it for the test to read, and the
// real services are back when the test ends.
//
//     ScopedFakeServices fakes;
//     fakes->answers.push_back(MessageAnswer::Cancel);   // the next box is answered with Cancel
//     fakes->savePaths.push_back(path);                  // the next save dialog chooses `path`
//     TForm24 form;                                      // creates its browsers through the fakes
//     auto* browser = fakes->browsers.at(0).data();
//     browser->complete(url, html);                      // the page "finished loading"
//     EXPECT_EQ(fakes->messages.at(0).caption, u"提示");

#include "platform/mediaplayer.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

// A browser that loads nothing. Navigations and refreshes are recorded; the test completes a document with
// complete(), which sets the body and emits documentComplete as the real browser does after a load.
class FakeWebBrowser final : public WebBrowser {
    Q_OBJECT
public:
    // With a parent the browser has a plain child widget standing for its view; without one it has none.
    explicit FakeWebBrowser(QWidget* parent) : view_(parent ? new QWidget(parent) : nullptr) {}
    ~FakeWebBrowser() override { delete view_.data(); }

    QWidget* widget() override { return view_.data(); }
    void navigate(const QString& url) override {
        navigations.append(url);
        location_ = url;
    }
    void setHtml(const QString& html) override {
        htmlShown.append(html);
        location_.clear();
    }
    void refresh() override { ++refreshes; }
    QString locationUrl() const override { return location_; }
    QString bodyHtml() const override { return html_; }
    QString bodyText() const override { return text_; }
    void setBodyAttribute(const QString& name, const QString& value) override { attributes.append({name, value}); }
    void setBodyStyle(const QString& property, const QString& value) override { styles.append({property, value}); }
    void restrictToStaticDocuments() override { restricted = true; }

    // Sets the body of the "loaded" document, then emits documentComplete(url). The location is left as the
    // last navigation set it.
    void complete(const QString& url, const QString& html, const QString& text = QString()) {
        html_ = html;
        text_ = text;
        emit documentComplete(url);
    }

    // Every address passed to navigate(), in order.
    QStringList navigations;
    // Every document passed to setHtml(), in order.
    QStringList htmlShown;
    int refreshes = 0;
    bool restricted = false;
    // Every body attribute and style write, as (name, value), in order.
    QList<std::pair<QString, QString>> attributes;
    QList<std::pair<QString, QString>> styles;

private:
    QPointer<QWidget> view_;
    QString location_;
    QString html_;
    QString text_;
};

// A player that plays nothing. setUrl() and stop() are recorded and report the status change that the real
// player reports at once (connecting, stopped); the test moves it on with setStatus().
class FakeMediaPlayer final : public MediaPlayer {
    Q_OBJECT
public:
    // With a parent the player has a plain child widget standing for its video; without one it has none.
    explicit FakeMediaPlayer(QWidget* parent) : video_(parent ? new QWidget(parent) : nullptr) {}
    ~FakeMediaPlayer() override { delete video_.data(); }

    QWidget* widget() override { return video_.data(); }
    void setUrl(const QString& url) override {
        urls.append(url);
        if (status_ != statusConnecting)
            setStatus(statusConnecting);
    }
    void setStretchToFit(bool on) override { stretch = on; }
    QString statusText() const override { return status_; }
    void stop() override {
        ++stops;
        if (status_ != statusStopped)
            setStatus(statusStopped);
    }

    // Sets the status text and emits statusChange, even when the text is unchanged.
    void setStatus(const QString& text) {
        status_ = text;
        emit statusChange();
    }

    // Every address passed to setUrl(), in order.
    QStringList urls;
    int stops = 0;
    bool stretch = false;

private:
    QPointer<QWidget> video_;
    QString status_ = statusStopped;
};

// A message box the code asked for.
struct RecordedMessage {
    QPointer<QWidget> owner;
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// The services that the fakes come from. Browsers and players belong to the code that created them; the
// lists hold guarded pointers, which turn null when their object is deleted.
class FakePlatformServices final : public PlatformServices {
public:
    std::unique_ptr<WebBrowser> createBrowser(QWidget* parent) override;
    std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) override;
    // Records the message and answers with the next scripted answer; with none left, Ok (or Yes for a
    // yes/no box).
    MessageAnswer message(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons) override;
    // Records the question and answers with the next scripted path; with none left, "" (cancelled).
    QString saveFileName(QWidget* owner, const SaveFileQuestion& question) override;
    void openUrl(const QUrl& url) override { openedUrls.append(url); }
    bool systemTrayAvailable() const override { return trayAvailable; }

    std::vector<RecordedMessage> messages;
    std::deque<MessageAnswer> answers;
    std::vector<SaveFileQuestion> saveQuestions;
    std::deque<QString> savePaths;
    QList<QUrl> openedUrls;
    std::vector<QPointer<FakeWebBrowser>> browsers;
    std::vector<QPointer<FakeMediaPlayer>> players;
    bool trayAvailable = true;
};

// Installs a FakePlatformServices for its lifetime and restores the real services when it goes.
class ScopedFakeServices {
public:
    ScopedFakeServices();
    ~ScopedFakeServices();
    ScopedFakeServices(const ScopedFakeServices&) = delete;
    ScopedFakeServices& operator=(const ScopedFakeServices&) = delete;

    FakePlatformServices& fakes() { return *fakes_; }
    FakePlatformServices* operator->() { return fakes_; }

private:
    FakePlatformServices* fakes_;
};
