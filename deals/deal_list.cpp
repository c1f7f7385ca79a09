#include "deals/deal_list.h"

#include "scrape/gbk.h"

namespace tavro::deals {

const scrape::Markers& DealSection() {
    static const scrape::Text start = scrape::Gbk(">成交时间</li>");
    static const scrape::Markers markers{start, "<div class=\"pagebox beta\">"};
    return markers;
}

const scrape::Markers& AmountMarkers() {
    static const scrape::Text end = scrape::Gbk("元</li>");
    static const scrape::Markers markers{"<li class=\"orange\">", end};
    return markers;
}

void WalkAmounts(scrape::ScrapeWorkspace& workspace, scrape::Text scrape::ScrapeWorkspace::*section,
                 controls::Controls& controls, controls::ListView scratch) {
    const scrape::PieceWalk walk{section, DealSection(), kDealDelimiter, scrape::WalkBound::EveryPiece};
    scrape::WalkPieces(workspace, workspace.page, walk,
                       {[&] { controls.ListViewClear(scratch); },
                        [&](std::string_view piece) {
                            controls.ListViewInsert(scratch, kAmountPosition,
                                                    scrape::ExtractBetween(piece, AmountMarkers()));
                        },
                        [&] { controls.ProcessPendingEvents(); }});
}

scrape::Text AddUpAmounts(controls::Controls& controls, controls::ListView scratch) {
    scrape::Text total;
    for (const scrape::Text& amount : controls.ListViewColumn(scratch, 0)) {
        total = scrape::NumberToText(scrape::ToNumber(total) + scrape::ToNumber(amount));
    }
    return total;
}

}  // namespace tavro::deals
