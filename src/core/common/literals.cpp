#include "common/literals.hpp"

#include "common/encoding.hpp"

namespace orvikel::lit {

#define ORVIKEL_DEFINE_LITERAL(name, utf8) const std::string name = text::ToCp932(utf8);
ORVIKEL_LITERALS(ORVIKEL_DEFINE_LITERAL)
#undef ORVIKEL_DEFINE_LITERAL

const std::vector<LiteralEntry>& AllLiterals() {
#define ORVIKEL_LIST_LITERAL(name, utf8) LiteralEntry{#name, utf8, &name},
    static const std::vector<LiteralEntry> entries{ORVIKEL_LITERALS(ORVIKEL_LIST_LITERAL)};
#undef ORVIKEL_LIST_LITERAL
    return entries;
}

}  // namespace orvikel::lit
