#include "domain/lists.hpp"

#include "platform/literals.hpp"

namespace orvikel {

const ListInfo& Describe(OrderList list) {
    static constexpr std::array<ListInfo, kOrderListCount> kLists{{
        {work_file::kRaceCard, kRaceCard, BetKind::Win, {}, "grid"},
        {work_file::kBracket, kWinPlace, BetKind::BracketQuinella, lit::kCaptionBracket,
         "bracket quinella"},
        {work_file::kQuinella, kQuinella, BetKind::Quinella, lit::kCaptionQuinella, "quinella"},
        {work_file::kWide, kQuinella, BetKind::Wide, lit::kCaptionWide, "wide"},
        {work_file::kExacta, kExacta, BetKind::Exacta, lit::kCaptionExacta, "exacta"},
        {work_file::kTrio, kTrio, BetKind::Trio, lit::kCaptionTrio, "trio"},
    }};
    return kLists.at(static_cast<std::size_t>(list));
}

}  // namespace orvikel
