#include "tv/stationmenus.h"

#include "app/tform1.h"
#include "platform/failures.h"

#include <QEvent>
#include <QMenu>

namespace {

class MoveWatcher : public QObject {
public:
    MoveWatcher(QWidget* widget, std::function<void()> handler) : QObject(widget), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove)
            guarded(handler_);
        return false;
    }

private:
    std::function<void()> handler_;
};

} // namespace

namespace TvMenus {

QString caption(const QString& name) {
    return QString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QAction* addStation(TForm1* form, QMenu* menu, const QString& name, qsizetype index,
                    void (TForm1::*handler)(QAction*)) {
    QAction* item = menu->addAction(caption(name));
    item->setData(index);
    QObject::connect(item, &QAction::triggered, form,
                     [form, item, handler] { guarded([&] { (form->*handler)(item); }); });
    return item;
}

void clear(QMenu* menu) {
    for (QAction* item : menu->actions()) {
        menu->removeAction(item);
        if (item->parent() == menu)
            item->deleteLater();
    }
    for (QMenu* sub : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        sub->deleteLater();
}

void onMouseMove(QWidget* widget, std::function<void()> handler) {
    widget->setMouseTracking(true);
    widget->installEventFilter(new MoveWatcher(widget, std::move(handler)));
}

} // namespace TvMenus
