// The store of a build without SQLite: there is no history to open.
#include "history_store.hpp"

#include "platform/encoding.hpp"

namespace orvikel::history {

bool HistoryBuiltIn() {
    return false;
}

std::unique_ptr<HistoryStore> OpenHistory(const std::filesystem::path& programDir, std::int64_t,
                                          int) {
    throw HistoryError(text::ToCp932("この版のビューアはオッズ履歴 ") +
                       text::PathText(programDir / kDatabaseName) +
                       text::ToCp932(" を扱えません。履歴なしで続けます。"));
}

}  // namespace orvikel::history
