#pragma once

// The loopback servers live in tools/loopback; tests may name them by this path too.
#include "loopback/httpserver.h"
