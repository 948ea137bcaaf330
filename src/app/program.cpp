#include "app/program.h"

#include "app/registry.h"
#include "app/tform1.h"
#include "app/tform12.h"
#include "app/tform28.h"
#include "fundflow/tform10.h"
#include "fundflow/tform13.h"
#include "fundflow/tform14.h"
#include "fundflow/tform18.h"
#include "fundflow/tform24.h"
#include "fundflow/tform29.h"
#include "news/tform11.h"
#include "news/tform16.h"
#include "news/tform17.h"
#include "news/tform2.h"
#include "news/tform20.h"
#include "news/tform21.h"
#include "news/tform22.h"
#include "news/tform23.h"
#include "news/tform27.h"
#include "quotes/tform15.h"
#include "quotes/tform3.h"
#include "quotes/tform4.h"
#include "quotes/tform5.h"
#include "quotes/tform6.h"
#include "quotes/tform7.h"
#include "quotes/tform8.h"
#include "quotes/tform9.h"
#include "rankings/tform25.h"
#include "rankings/tform26.h"

#include <QCoreApplication>

#include <functional>

namespace {

bool terminated = false;
bool loopRunning = false;
QString title;
QStringList createdOrder;

struct Creation {
    const char* className;
    std::function<void()> create;
    std::function<void()> destroy;
};

template <typename Window> Creation window(const char* className, Window*& slot) {
    return {className, [&slot] { slot = new Window; },
            [&slot] {
                delete slot;
                slot = nullptr;
            }};
}

// The order is fixed: the splash comes first, and the main window's creation runs the whole start-up
// sequence before any later window exists.
QList<Creation> creations() {
    return {
        {"TForm12",
         [] {
             Form12 = new TForm12;
             Form12->FormCreate();
         },
         [] {
             delete Form12;
             Form12 = nullptr;
         }},
        {"TForm1",
         [] {
             Form1 = new TForm1;
             Form1->FormCreate();
         },
         [] {
             delete Form1;
             Form1 = nullptr;
         }},
        window("TForm2", Form2),
        window("TForm3", Form3),
        window("TForm4", Form4),
        window("TForm5", Form5),
        window("TForm6", Form6),
        window("TForm7", Form7),
        window("TForm8", Form8),
        window("TForm9", Form9),
        window("TForm10", Form10),
        window("TForm11", Form11),
        window("TForm13", Form13),
        window("TForm14", Form14),
        window("TForm15", Form15),
        window("TForm16", Form16),
        window("TForm17", Form17),
        window("TForm18", Form18),
        window("TForm20", Form20),
        window("TForm21", Form21),
        window("TForm22", Form22),
        window("TForm23", Form23),
        window("TForm24", Form24),
        window("TForm25", Form25),
        window("TForm26", Form26),
        window("TForm27", Form27),
        window("TForm28", Form28),
        window("TForm29", Form29),
    };
}

} // namespace

bool createWindows() {
    createdOrder.clear();
    for (const Creation& creation : creations()) {
        creation.create();
        createdOrder << QString::fromLatin1(creation.className);
        if (terminated)
            return false;
    }
    setWindowsCreated(true);
    return true;
}

void destroyWindows() {
    setWindowsCreated(false);
    const QList<Creation> all = creations();
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        it->destroy();
    createdOrder.clear();
}

QStringList windowCreationOrder() {
    return createdOrder;
}

int runMessageLoop() {
    if (terminated)
        return 0;
    loopRunning = true;
    const int result = QCoreApplication::exec();
    loopRunning = false;
    return result;
}

void terminateApplication() {
    terminated = true;
    // Asked before the loop runs, the toolkit's exit would make every later nested loop (a blocking request)
    // return at once; the flag alone keeps the program block from entering the loop.
    if (loopRunning)
        QCoreApplication::exit(0);
}

bool terminationRequested() {
    return terminated;
}
void resetTerminationForTests() {
    terminated = false;
}

QString applicationTitle() {
    return title;
}
void setApplicationTitle(const QString& text) {
    title = text;
}
