#include "platform/webengine_setup.h"

#include <gtest/gtest.h>

// The flags keep what was set; pages of one site share a renderer unless a process model was chosen; as root
// the sandbox is off.
TEST(ChromiumFlags, ShareRenderersPerSiteUnlessAModelIsChosen) {
    struct Case {
        QByteArray given;
        bool asRoot;
        QByteArray expected;
    };
    const Case cases[] = {
        {"", false, "--process-per-site"},
        {"", true, "--process-per-site --no-sandbox"},
        {"--disable-gpu", false, "--disable-gpu --process-per-site"},
        {"--no-sandbox --disable-gpu", true, "--no-sandbox --disable-gpu --process-per-site"},
        {"--process-per-site", false, "--process-per-site"},
        {"--process-per-site-instance", false, "--process-per-site-instance"},
        {"--single-process --no-sandbox", true, "--single-process --no-sandbox"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chromiumFlagsFor(c.given, c.asRoot), c.expected) << c.given.constData() << " root " << c.asRoot;
}
