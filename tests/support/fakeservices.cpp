#include "fakeservices.h"

FakeWebBrowser::FakeWebBrowser(QWidget* parent) {
    if (parent)
        view_ = new QWidget(parent);
}

FakeWebBrowser::~FakeWebBrowser() {
    delete view_.data();
}

QWidget* FakeWebBrowser::widget() {
    return view_.data();
}

void FakeWebBrowser::navigate(const QString& url) {
    navigations.append(url);
    location_ = url;
}

void FakeWebBrowser::refresh() {
    ++refreshes;
}

QString FakeWebBrowser::locationUrl() const {
    return location_;
}

QString FakeWebBrowser::bodyHtml() const {
    return html_;
}

QString FakeWebBrowser::bodyText() const {
    return text_;
}

void FakeWebBrowser::setBodyAttribute(const QString& name, const QString& value) {
    attributes.append({name, value});
}

void FakeWebBrowser::setBodyStyle(const QString& property, const QString& value) {
    styles.append({property, value});
}

void FakeWebBrowser::complete(const QString& url, const QString& html, const QString& text) {
    html_ = html;
    text_ = text;
    emit documentComplete(url);
}

FakeMediaPlayer::FakeMediaPlayer(QWidget* parent) {
    if (parent)
        video_ = new QWidget(parent);
}

FakeMediaPlayer::~FakeMediaPlayer() {
    delete video_.data();
}

QWidget* FakeMediaPlayer::widget() {
    return video_.data();
}

void FakeMediaPlayer::setUrl(const QString& url) {
    urls.append(url);
    if (status_ != statusConnecting)
        setStatus(statusConnecting);
}

void FakeMediaPlayer::setStretchToFit(bool on) {
    stretch = on;
}

QString FakeMediaPlayer::statusText() const {
    return status_;
}

void FakeMediaPlayer::stop() {
    ++stops;
    if (status_ != statusStopped)
        setStatus(statusStopped);
}

void FakeMediaPlayer::setStatus(const QString& text) {
    status_ = text;
    emit statusChange();
}

std::unique_ptr<WebBrowser> FakePlatformServices::createBrowser(QWidget* parent) {
    auto browser = std::make_unique<FakeWebBrowser>(parent);
    browsers.emplace_back(browser.get());
    return browser;
}

std::unique_ptr<MediaPlayer> FakePlatformServices::createPlayer(QWidget* parent) {
    auto player = std::make_unique<FakeMediaPlayer>(parent);
    players.emplace_back(player.get());
    return player;
}

MessageAnswer FakePlatformServices::message(QWidget* owner, const QString& text, const QString& caption,
                                            MessageIcon icon, MessageButtons buttons) {
    messages.push_back({owner, text, caption, icon, buttons});
    if (answers.empty())
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakePlatformServices::openUrl(const QUrl& url) {
    openedUrls.append(url);
}

bool FakePlatformServices::systemTrayAvailable() const {
    return trayAvailable;
}

ScopedFakeServices::ScopedFakeServices() {
    auto fakes = std::make_unique<FakePlatformServices>();
    fakes_ = fakes.get();
    installPlatformServices(std::move(fakes));
}

ScopedFakeServices::~ScopedFakeServices() {
    installPlatformServices(nullptr);
}
