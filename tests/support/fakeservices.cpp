#include "fakeservices.h"

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

QString FakePlatformServices::saveFileName(QWidget*, const SaveFileQuestion& question) {
    saveQuestions.push_back(question);
    if (savePaths.empty())
        return QString();
    const QString path = savePaths.front();
    savePaths.pop_front();
    return path;
}

ScopedFakeServices::ScopedFakeServices() {
    auto fakes = std::make_unique<FakePlatformServices>();
    fakes_ = fakes.get();
    installPlatformServices(std::move(fakes));
}

ScopedFakeServices::~ScopedFakeServices() {
    installPlatformServices(nullptr);
}
