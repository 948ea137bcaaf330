// The recommendation list reader: the reply's bytes through GBK to the stored recommendations, the merge of a
// load into them, and the code cut from a label's caption.
#include "fuzzing.h"

#include "news/recommendations.h"
#include "quotes/quoterecord.h"

#include <QSet>

using namespace Recommendations;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<Tip> tips = readTipsReply(fuzzBytes(data, size));
    for (const Tip& tip : tips) {
        fuzzCheck(columns(tip.ip) >= 16, "an address is padded to 16 columns");
        fuzzCheck(columns(tip.stock) == 16 || tip.stock.endsWith(u' '), "a stock is padded unless 16 columns wide");
        const QString code = captionCode(caption(tip));
        fuzzCheck(code.isEmpty() || Quotes::isStockCode(code), "a caption's code is six digits or nothing");
    }
    const QList<Tip> stored = withNewTips({}, tips, true);
    QSet<QString> identities;
    for (const Tip& tip : stored)
        identities.insert(tip.identity());
    fuzzCheck(identities.size() == stored.size(), "no recommendation is stored twice");
    fuzzCheck(withNewTips(stored, tips, false) == stored, "a load of known recommendations adds nothing");
    return 0;
}
