// The main window's local store: the two database files and the text files read at start.
#include "app/backend.h"
#include "app/localstore.h"
#include "app/textfile.h"
#include "app/tform1.h"
#include "app/unreadablefile.h"
#include "platform/datafolder.h"
#include "platform/failures.h"
#include "platform/webbrowser.h"
#include "ui_tform1.h"

#include <QLabel>
#include <QMenu>

namespace {

const QString kPhoneQuery = QStringLiteral("select * from 手机");
const QString kDeleteAll = QStringLiteral("删除全部");
const QString kSwitchOn = QStringLiteral("1");

// Opens the file (creating an empty database when it is missing) and creates the tables it lacks.
void openWithTables(Database& db, const QString& path, const QList<LocalStore::TableDefinition>& tables) {
    db.open(path);
    LocalStore::createMissingTables(db, tables);
}

// A data file's lines; nullopt when it is missing. One that cannot be read counts as missing for this run: the
// user is told and the file is left as it is.
std::optional<QStringList> readDataFile(QWidget* owner, const QString& name) {
    std::optional<QStringList> lines;
    if (!guarded([&] { lines = TextFile::readLines(dataFile(name)); }))
        reportUnreadableFile(owner, name);
    return lines;
}

} // namespace

void TForm1::createbase() {
    // Each file on its own, so a failure with one does not leave the other unopened. The alert database's
    // failure is told when its settings are loaded (sendbase).
    if (!guarded([this] {
            openWithTables(ADOConnection1, dataFile(LocalStore::rankingDatabaseFile), LocalStore::rankingTables());
        }))
        reportUnreadableFile(this, LocalStore::rankingDatabaseFile);
    guarded([this] {
        openWithTables(ado, dataFile(LocalStore::alertDatabaseFile), LocalStore::alertTables());
        ado1.open(kPhoneQuery);
        // An empty table reads as empty fields: both switches off.
        const bool local = !ado1.eof() && ado1.text(QStringLiteral("本地发")) == kSwitchOn;
        const bool sms = !ado1.eof() && ado1.text(QStringLiteral("远程发")) == kSwitchOn;
        statusPanel(1)->setText(LocalStore::alertStatusText(local, sms));
    });
}

void TForm1::getbase() {
    const auto lastStock = readDataFile(this, LocalStore::lastStockFile);
    state.curcode = LocalStore::lastStockCode(lastStock);
    if (LocalStore::hasStoredStock(lastStock))
        WebBrowser1->navigate(state.serverurl + Backend::stockPage + state.curcode);
    ui->Edit1->setText(state.curcode);

    if (const auto recent = readDataFile(this, LocalStore::recentFile)) {
        const QList<LocalStore::Station> stations = LocalStore::parseStations(*recent);
        for (const LocalStore::Station& station : stations) {
            state.recentnames << station.name;
            state.recenturls << station.url;
        }
        state.recentcount = static_cast<int>(stations.size());
    }

    // Without the file the menu stays empty for this run, closing items included.
    if (const auto favourites = readDataFile(this, LocalStore::favouritesFile)) {
        for (const LocalStore::Station& station : LocalStore::parseStations(*favourites)) {
            appendFavouriteDeleteItem(station.name);
            state.favnames << station.name;
            state.favurls << station.url;
        }
        appendFavouriteDeleteTail();
    }
}

void TForm1::appendFavouriteDeleteItem(const QString& name) {
    // A menu reads "&" as a shortcut marker; doubled, a station name shows as it is. The name itself stays
    // in the item's data.
    QAction* item = N9->addAction(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    item->setData(name);
    connect(item, &QAction::triggered, this, [this, item] { guarded([&] { nclick3(item); }); });
}

void TForm1::appendFavouriteDeleteTail() {
    N9->addSeparator();
    appendFavouriteDeleteItem(kDeleteAll);
}
