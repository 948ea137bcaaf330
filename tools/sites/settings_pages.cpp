// The back-end's pages for the watch-list alert settings: the phone registration and the pages that mirror
// the settings, kept in memory per phone number for as long as the server runs. Form bodies arrive GBK-encoded.
#include "sites.h"

#include "app/backend.h"
#include "app/hosts.h"
#include "platform/gbk.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace {

const QString okText = QStringLiteral("设置已保存");
const QString registeredText = QStringLiteral("手机号码登记成功，飞信邀请已发出");
// The client looks only for "存在" in this reply.
const QString knownText = QStringLiteral("该手机号码已存在");
const QString badNumberText = QStringLiteral("手机号码不正确");

// What the back-end knows about one phone: whether it sends SMS alerts, and the three groups of stocks.
struct PhoneSettings {
    QString sms = QStringLiteral("0");
    QStringList broadcasts; // "/gpadd1.asp" lines: code and name
    QStringList alerts;     // "/gpadd2.asp" lines: code, name, switches and thresholds
    QStringList periodic;   // "/gpadd3.asp" lines: code, name and interval
};

struct Book {
    QSet<QString> registered;
    QMap<QString, PhoneSettings> phones;
};

Book& book() {
    static Book all;
    return all;
}

QString field(const Loopback::HttpRequest& request, const QByteArray& name) {
    return Gbk::decode(request.formValue(name));
}

bool isPhoneNumber(const QString& text) {
    return text.size() == 11 && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

Loopback::HttpReply page(const QString& text) {
    return Sites::gbkPage(Sites::envelope(text.toHtmlEscaped()));
}

// Every page takes a POST with an eleven-digit `sn`; anything else is refused as a real server would.
using PhonePage = std::function<Loopback::HttpReply(const Loopback::HttpRequest&, const QString& phone)>;
Sites::Page forPhone(PhonePage handle) {
    return [handle = std::move(handle)](const Loopback::HttpRequest& request) {
        if (request.method != "POST")
            return Loopback::HttpReply::error(405);
        const QString phone = field(request, "sn");
        if (!isPhoneNumber(phone)) {
            Loopback::HttpReply reply = page(badNumberText);
            reply.status = 400;
            return reply;
        }
        return handle(request, phone);
    };
}

Loopback::HttpReply registerPhone(const Loopback::HttpRequest&, const QString& phone) {
    if (book().registered.contains(phone))
        return page(phone + knownText);
    book().registered.insert(phone);
    return page(phone + registeredText);
}

Loopback::HttpReply setSms(const Loopback::HttpRequest& request, const QString& phone) {
    book().phones[phone].sms = field(request, "ycf") == QStringLiteral("1") ? QStringLiteral("1") : QStringLiteral("0");
    return page(okText);
}

// The clear page and the add page of one group.
Sites::Page clearGroup(QStringList PhoneSettings::*group) {
    return forPhone([group](const Loopback::HttpRequest&, const QString& phone) {
        (book().phones[phone].*group).clear();
        return page(okText);
    });
}

Sites::Page addToGroup(QStringList PhoneSettings::*group, QList<QByteArray> names) {
    return forPhone([group, names = std::move(names)](const Loopback::HttpRequest& request, const QString& phone) {
        QStringList values;
        for (const QByteArray& name : names)
            values << field(request, name);
        (book().phones[phone].*group).append(values.join(u'|'));
        return page(okText);
    });
}

const Sites::Registration pages([](Sites::Registry& sites) {
    const QByteArray key = Hosts::backend.key;
    sites.addPage(key, Backend::phonePost.toLatin1(), forPhone(registerPhone));
    sites.addPage(key, Backend::switchesPost.toLatin1(), forPhone(setSms));
    sites.addPage(key, Backend::clearFirstPost.toLatin1(), clearGroup(&PhoneSettings::broadcasts));
    sites.addPage(key, Backend::clearSecondPost.toLatin1(), clearGroup(&PhoneSettings::alerts));
    sites.addPage(key, Backend::clearThirdPost.toLatin1(), clearGroup(&PhoneSettings::periodic));
    sites.addPage(key, Backend::addFirstPost.toLatin1(), addToGroup(&PhoneSettings::broadcasts, {"gpdm", "gpmc"}));
    sites.addPage(key, Backend::addSecondPost.toLatin1(),
                  addToGroup(&PhoneSettings::alerts, {"gpdm", "gpmc", "zh", "ddcj", "ddmm", "zdf"}));
    sites.addPage(key, Backend::addThirdPost.toLatin1(),
                  addToGroup(&PhoneSettings::periodic, {"gpdm", "gpmc", "sjjg"}));
});

} // namespace
