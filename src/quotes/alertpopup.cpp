#include "quotes/alertpopup.h"

#include "app/colours.h"
#include "platform/picture.h"
#include "quotes/popupcorner.h"

#include <QLabel>

namespace {
const QString emblemPicture = QStringLiteral(":/pictures/logo.gif");
const QString risePicture = QStringLiteral(":/pictures/rise.gif");
const QString fallPicture = QStringLiteral(":/pictures/fall.gif");
} // namespace

AlertPopup::AlertPopup(QWidget* parent) : QWidget(parent) {
    makeAlertWindow(this);
}

void AlertPopup::useTextParts(QLabel* headline, QLabel* detail) {
    headline_ = headline;
    detail_ = detail;
    headline_->setTextFormat(Qt::PlainText);
    detail_->setTextFormat(Qt::PlainText);
    Colours::setFontColour(headline_, Colours::blue);
}

void AlertPopup::useEmblemParts(QLabel* headline, QLabel* detail, QLabel* emblem) {
    useTextParts(headline, detail);
    showPicture(emblem, emblemPicture);
}

void AlertPopup::useDirectionParts(QLabel* headline, QLabel* detail, QLabel* riseImage, QLabel* fallImage) {
    useTextParts(headline, detail);
    riseImage_ = riseImage;
    fallImage_ = fallImage;
    showPicture(riseImage_, risePicture);
    showPicture(fallImage_, fallPicture);
    fallImage_->hide();
}

void AlertPopup::showAlert(const Alerts::Alert& alert) {
    headline_->setText(alert.headline);
    Colours::setFontColour(detail_, alert.fall ? Colours::green : Colours::red);
    detail_->setText(alert.detail);
    if (riseImage_ && fallImage_) {
        riseImage_->setVisible(!alert.fall);
        fallImage_->setVisible(alert.fall);
    }
    popupcorner(this);
}
