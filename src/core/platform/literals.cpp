#include "platform/literals.hpp"

#include "platform/literal_texts.hpp"

namespace orvikel::lit {

namespace {

#define ORVIKEL_LIST_LITERAL(name, utf8) LiteralEntry{#name, utf8, name},
constexpr LiteralEntry kEntries[]{ORVIKEL_LITERAL_TEXTS(ORVIKEL_LIST_LITERAL)};
#undef ORVIKEL_LIST_LITERAL

}  // namespace

std::span<const LiteralEntry> AllLiterals() {
    return kEntries;
}

}  // namespace orvikel::lit
