#include "results/vote_texts.hpp"

#include "platform/bytes.hpp"
#include "platform/literals.hpp"

namespace orvikel {

std::string MakeTimeCaption(const std::string& hour, const std::string& minute) {
    return Concat({"[", hour, ":", minute, lit::kNowSuffix});
}

}  // namespace orvikel
