#pragma once

#include <QString>

#include <memory>

class MediaPlayer;
class QUrl;
class QWidget;
class WebBrowser;

enum class MessageIcon { None, Error, Information, Question, Warning };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// What a save dialog starts with: the preset file name, the extension added to a name typed without one
// ("xlsx"), and the file-type filter ("*.xlsx").
struct SaveFileQuestion {
    QString fileName;
    QString defaultSuffix;
    QString filter;
};

// The platform facilities that windows use and tests replace: browsers, players, message boxes, the
// default web browser and the tray. A test installs fakes, so a test of a window never starts a browser
// engine, shows a modal box or opens a real web page.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // A browser shown inside `parent`, or a page loader without a view when `parent` is nullptr.
    virtual std::unique_ptr<WebBrowser> createBrowser(QWidget* parent) = 0;
    virtual std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) = 0;

    virtual MessageAnswer message(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon,
                                  MessageButtons buttons) = 0;
    // The save dialog: the path of the file the user chose, or empty when the dialog was cancelled.
    virtual QString saveFileName(QWidget* owner, const SaveFileQuestion& question) = 0;
    // Opens an address in the user's default web browser.
    virtual void openUrl(const QUrl& url) = 0;
    virtual bool systemTrayAvailable() const = 0;
};

// The services in force: the real ones unless a test installed others.
PlatformServices& platformServices();
// Installs replacement services (nullptr restores the real ones).
void installPlatformServices(std::unique_ptr<PlatformServices> services);

// The captions of the program's boxes: input errors and failures, and notices.
inline const QString errorCaption = QStringLiteral("错误");
inline const QString noticeCaption = QStringLiteral("提示");

// The one message function: a box with the given caption ("错误", "提示"), icon and buttons.
MessageAnswer showMessage(QWidget* owner, const QString& text, const QString& caption,
                          MessageIcon icon = MessageIcon::None, MessageButtons buttons = MessageButtons::Ok);

// The one save dialog: the chosen path, or empty when the user cancelled.
QString askSaveFileName(QWidget* owner, const SaveFileQuestion& question);

// Opens an http or https address in the default web browser; any other scheme is refused (returns false).
bool openInBrowser(const QString& url);
