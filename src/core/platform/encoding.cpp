// The part of the text edge that both backings share: built on their conversions.
#include "platform/encoding.hpp"

namespace orvikel::text {

std::vector<std::string> FullWidthUtf8Each(const std::vector<std::string_view>& cp932) {
    std::vector<std::string> out;
    out.reserve(cp932.size());
    for (std::string_view text : cp932) {
        out.push_back(FullWidthUtf8(text));
    }
    return out;
}

}  // namespace orvikel::text
