#include "catalogue/options.h"

namespace tavro::catalogue {

void WalkOptions(controls::ActionContext& context, std::string_view source, const OptionWalk& walk,
                 const std::function<void()>& clear) {
    auto& controls = context.controls;
    const scrape::PieceWalk pieces{walk.section, walk.block, kOptionDelimiter,
                                   scrape::WalkBound::AllButTheLast};
    scrape::WalkPieces(context.workspace, source, pieces,
                       {clear,
                        [&](std::string_view piece) {
                            controls.ListBoxAdd(walk.names, scrape::ExtractBetween(piece, walk.name));
                            controls.ListBoxAdd(walk.keys, scrape::ExtractBetween(piece, kOptionKey));
                        },
                        [&] { controls.ProcessPendingEvents(); }});
}

scrape::Text DealListUrl(const controls::ActionContext& context, std::string_view query) {
    return scrape::ConcatText("http://", context.site.listing, net::kDealListPath, query);
}

}  // namespace tavro::catalogue
