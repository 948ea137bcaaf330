#include "platform/clock.h"

#include <optional>

namespace {
std::optional<QDateTime>& frozen() {
    static std::optional<QDateTime> moment;
    return moment;
}
} // namespace

namespace Clock {

QDateTime now() {
    return frozen() ? *frozen() : QDateTime::currentDateTime();
}
QDate today() {
    return now().date();
}
QTime timeOfDay() {
    return now().time();
}
int weekday() {
    return today().dayOfWeek() % 7;
}

void setForTests(const QDateTime& moment) {
    frozen() = moment;
}
void clearForTests() {
    frozen().reset();
}

} // namespace Clock
