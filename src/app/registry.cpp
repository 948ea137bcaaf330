#include "app/registry.h"

namespace {
bool allWindowsCreated = false;
}

bool windowsCreated() {
    return allWindowsCreated;
}
void setWindowsCreated(bool created) {
    allWindowsCreated = created;
}
