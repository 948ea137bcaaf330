// The investor comment reader: the page's GBK bytes to the one-line comment.
#include "fuzzing.h"

#include "news/stockcomment.h"
#include "platform/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<QString> comment = News::readStockComment(Gbk::decode(fuzzBytes(data, size)));
    if (comment)
        fuzzCheck(!comment->contains(QStringLiteral("</font>")), "the comment ends at the first end marker");
    return 0;
}
