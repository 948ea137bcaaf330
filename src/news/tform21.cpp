#include "news/tform21.h"

#include "app/backend.h"
#include "app/colours.h"
#include "app/registry.h"
#include "app/textfile.h"
#include "app/tform1.h"
#include "app/tform1_ui.h"
#include "app/widgetevents.h"
#include "app/workareacorner.h"
#include "news/newsrecord.h"
#include "news/tform27.h"
#include "platform/datafolder.h"
#include "platform/failures.h"
#include "platform/httpclient.h"
#include "platform/services.h"

#include "ui_tform21.h"

#include <QAction>
#include <QScopeGuard>

TForm21::TForm21(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm21>()) {
    ui->setupUi(this);
    makeNoticeWindow(this);
    setFixedSize(size());
    ui->Label1->setTextFormat(Qt::PlainText);
    Colours::setFontColour(ui->Label1, Colours::blue);
    Colours::setFontColour(ui->Label2, Colours::blue);
    IdHTTP1 = new HttpClient(this);
    onClick(ui->Label1, [this] { Label1Click(); });
    onClick(ui->Label2, [this] { Label2Click(); });
    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { guarded([this] { CheckBox1Click(); }); });
}

TForm21::~TForm21() = default;

void TForm21::getnews() {
    if (!Form1 || fetching_)
        return;
    fetching_ = true;
    QWidget* button = Form1->ui->ToolButton17;
    button->setEnabled(false);
    const auto done = qScopeGuard([this, button] {
        fetching_ = false;
        button->setEnabled(true);
    });
    QByteArray reply;
    try {
        reply = IdHTTP1->get(Backend::address(Backend::newsPage));
    } catch (...) {
        IdHTTP1->close();
        throw;
    }
    IdHTTP1->close();
    const std::optional<BackendNews::Fields> record = BackendNews::readNewsReply(reply);
    UnitState& state = Form1->state;
    if (!record || !BackendNews::isNews(*record, state.savednews))
        return;
    ui->Label1->setText(record->at(1));
    // A file that cannot be written does not keep the news from being shown and saved, or the record would
    // come back on every poll.
    bodyInFile_ = guarded([&] { TextFile::writeLines(dataFile(BackendNews::bodyFile), {record->at(0)}); });
    shownBody_ = record->at(0);
    state.savednews = *record;
    popupAtWorkAreaCorner(this);
}

void TForm21::Label1Click() {
    if (!Form27)
        return;
    if (bodyInFile_)
        Form27->showFile(dataFile(BackendNews::bodyFile));
    else
        Form27->showHtml(shownBody_);
    hide();
}

void TForm21::Label2Click() {
    openInBrowser(Backend::address(Backend::newsBrowserPage));
}

void TForm21::CheckBox1Click() {
    if (!Form1)
        return;
    const bool muted = ui->CheckBox1->isChecked();
    Form1->state.mutedigest = muted ? 1 : 0;
    Form1->N18->setChecked(!muted);
}
