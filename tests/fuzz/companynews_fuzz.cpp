// The company news reader: the page's GBK bytes to the rumour item and the research report.
#include "fuzzing.h"

#include "news/companynews.h"
#include "platform/gbk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const News::CompanyNews news = News::readCompanyNews(Gbk::decode(fuzzBytes(data, size)));
    if (news.rumourLink)
        fuzzCheck(*news.rumourLink == news.rumourLink->trimmed(), "the rumour link is trimmed");
    if (news.rumourTitle)
        fuzzCheck(*news.rumourTitle == news.rumourTitle->trimmed(), "the rumour title is trimmed");
    fuzzCheck(!news.reportLink || news.reportTitle, "the report link comes after the report title");
    return 0;
}
