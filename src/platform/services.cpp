#include "platform/services.h"

#include "platform/mediaplayer_qt.h"
#include "platform/webbrowser_qt.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QUrl>

namespace {

// The button captions of the old system's message boxes, whatever translation of Qt is installed.
const QString okCaption = QStringLiteral("确定");
const QString cancelCaption = QStringLiteral("取消");
const QString yesCaption = QStringLiteral("是(&Y)");
const QString noCaption = QStringLiteral("否(&N)");

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// The answer for the button that closed the box. A box closed another way (Escape, the close box) gives the
// refusing answer of its buttons, as a click on Cancel or No would.
MessageAnswer answerOf(QMessageBox::StandardButton clicked, MessageButtons buttons) {
    switch (clicked) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        break;
    }
    switch (buttons) {
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

void nameButtons(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const QString&> captions[] = {
        {QMessageBox::Ok, okCaption},
        {QMessageBox::Cancel, cancelCaption},
        {QMessageBox::Yes, yesCaption},
        {QMessageBox::No, noCaption},
    };
    for (const auto& [which, caption] : captions) {
        if (QAbstractButton* button = box.button(which))
            button->setText(caption);
    }
}

// The file dialog's model writes its files' sizes and modification dates in the system locale, which the toolkit
// takes from the desktop's environment before the program runs and offers no public call to change. These two
// columns are written again in the application's locale, Chinese, as the date pickers' calendars are; a cell the
// model leaves blank (a folder's size) stays blank.
class FileColumnsInAppLocale final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        QVariant shown = QIdentityProxyModel::data(index, role);
        if (role != Qt::DisplayRole)
            return shown;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files || shown.toString().isEmpty())
            return shown;
        // The model's columns: name, size, type, date modified.
        switch (index.column()) {
        case 1:
            return QLocale().formattedDataSize(files->size(mapToSource(index)));
        case 3:
            return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
        default:
            return shown;
        }
    }
};

// The modal boxes and dialogs stand on top: the notices that pop up on their own (picks, news, alerts) stay on
// top too, and one of them could otherwise cover the only window that takes input while a box is open.
class RealPlatformServices final : public PlatformServices {
public:
    std::unique_ptr<WebBrowser> createBrowser(QWidget* parent) override {
        return std::make_unique<QtWebBrowser>(parent);
    }

    std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) override {
        return std::make_unique<QtMediaPlayer>(parent);
    }

    MessageAnswer message(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons) override {
        QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), owner);
        // Messages often quote text from pages and files, which must not be read as markup.
        box.setTextFormat(Qt::PlainText);
        nameButtons(box);
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
        box.exec();
        return answerOf(box.standardButton(box.clickedButton()), buttons);
    }

    QString saveFileName(QWidget* owner, const SaveFileQuestion& question) override {
        QFileDialog dialog(owner);
        dialog.setProxyModel(new FileColumnsInAppLocale(&dialog));
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(question.filter);
        dialog.setDefaultSuffix(question.defaultSuffix);
        dialog.selectFile(question.fileName);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    }

    void openUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }

    bool systemTrayAvailable() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
};

std::unique_ptr<PlatformServices>& installedServices() {
    static std::unique_ptr<PlatformServices> installed;
    return installed;
}

} // namespace

PlatformServices& platformServices() {
    if (const auto& installed = installedServices())
        return *installed;
    static RealPlatformServices real;
    return real;
}

void installPlatformServices(std::unique_ptr<PlatformServices> services) {
    installedServices() = std::move(services);
}

MessageAnswer showMessage(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons) {
    return platformServices().message(owner, text, caption, icon, buttons);
}

QString askSaveFileName(QWidget* owner, const SaveFileQuestion& question) {
    return platformServices().saveFileName(owner, question);
}

bool openInBrowser(const QString& url) {
    const QUrl address(url.trimmed(), QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty())
        return false;
    if (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https"))
        return false;
    platformServices().openUrl(address);
    return true;
}
