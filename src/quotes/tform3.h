#pragma once

#include "app/registry.h"
#include "app/unitstate.h"
#include "quotes/settingsstore.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class HttpClient;
class QCloseEvent;

namespace Ui {
class TForm3;
}

// Watch-list alert settings ("股价提示设置"): the user adds and removes watched stocks, sets each one's
// alerts and the two alert switches, and saves them to the alert database and the back-end. While it is
// open the main window is disabled and the watch-list monitor, the news flash and the desktop widget's
// timer are off.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    // The window's share of the opening: the watch lists, the switches and every control from `stored`,
    // nothing selected; then the window is centred and shown. When the stored settings could not be read
    // (`readable` false) the save leaves the database as it is.
    void showSettings(const SettingsStore::Settings& stored, bool readable = true);

    // Look-up of a code on the quote service (`lookupname` := the name, or empty when not found). A stock
    // found shows its name and price line and gets a selected list line; a failed fetch tells the user and
    // ends the caller silently.
    void getvt(const QString& code);
    // Shows the settings of the list box's selected stock.
    void delclick();

    void BitBtn1Click(); // add
    void BitBtn2Click(); // delete
    void BitBtn3Click(); // save
    void BitBtn4Click(); // leave without saving
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox5Click();
    void CheckBox6Click();
    void CheckBox7Click();
    void CheckBox8Click();
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox3Change();
    void ComboBox4Change();
    void Edit1KeyPress(QChar& key);
    void ComboBox1KeyPress(QChar& key);
    void ComboBox2KeyPress(QChar& key);
    void ComboBox3KeyPress(QChar& key);
    void ComboBox4KeyPress(QChar& key);
    void Label10Click();
    void Label14Click();
    // The phone dialog registered a number: it is shown, and the SMS switch can be used.
    void phoneRegistered(const QString& number);
    // The close box: asks before leaving without saving. Returns whether the window may close.
    bool FormCloseQuery();

    std::unique_ptr<Ui::TForm3> ui;
    HttpClient* IdHTTP1; // quote look-ups and the back-end's settings pages

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandlers();
    QList<QWidget*> settingControls() const;
    void enableSettingControls(bool enabled);
    // The ten setting controls show the stock at watch-list position `row`.
    void showStockSettings(int row);
    QStringList listLines() const;
    // Writes one entry of the selected stock.
    void setSelectedEntry(QStringList UnitState::*list, const QString& value);
    void setSelectedFlag(WatchList::Flag flag, bool on);
    // An input error: the message, and the code box takes the focus.
    void refuseCode(const QString& message);
    // The back-end half: nothing while no phone number is stored.
    void synchronise(const QList<WatchList::Stock>& stocks);
    // What follows a complete save: the lists reloaded, the widget rebuilt, the timers on, the window gone.
    void finishSave();
    // The question before leaving without saving.
    bool agreesToLeave();
    // Leaving without saving, after the user agreed: the lists back to what the tables hold.
    void leave();
    void restartMainWindow();

    // The tables were rewritten during this opening by a save whose back-end half failed; leaving then
    // reloads the lists as a complete save would.
    bool storedLocally_ = false;
    // The database could not be read when the window opened: a save would write over what it holds.
    bool storeUnreadable_ = false;
};

// Whether the settings window is open. It edits the watch lists, so the monitor (the main window's Timer4) and
// the desktop widget's timer stay off while it is; whatever would switch them on asks here first.
inline bool settingsWindowOpen() {
    return Form3 && Form3->isVisible();
}
