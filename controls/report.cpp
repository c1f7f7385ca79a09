#include "controls/report.h"

#include "scrape/gbk.h"

namespace tavro::controls {

bool ReportFetchFailure(Controls& controls, std::string_view what, const net::FetchResult& result) {
    if (result.outcome == net::FetchOutcome::Ok) return false;
    static const Text kFailed = scrape::Gbk("失败：");
    controls.StatusBarSetText(kStatusPart, scrape::ConcatText(what, kFailed, net::DescribeFailure(result)));
    return true;
}

const Text& LayoutNotRecognised() {
    static const Text text = scrape::Gbk("页面格式无法识别");
    return text;
}

}  // namespace tavro::controls
