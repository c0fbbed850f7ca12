#include "results/vote_texts.hpp"

#include "common/literals.hpp"

namespace orvikel {

std::string MakeTimeCaption(const std::string& hour, const std::string& minute) {
    return "[" + hour + ":" + minute + lit::kNowSuffix;
}

}  // namespace orvikel
