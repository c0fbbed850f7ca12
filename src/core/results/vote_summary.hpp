#pragma once
// The vote-count summary "QvHyou.dat": each present kind's total with its share of the grand
// total, then the separator and the grand total.
#include <filesystem>
#include <string>
#include <vector>

#include "domain/lists.hpp"
#include "results/vote_texts.hpp"

namespace orvikel {

// The summary lines (CP932). A present total that is not a decimal integer, or one that
// would overflow 64 bits in the grand total, raises DataError naming its file.
std::vector<std::string> BuildVoteSummaryLines(const VoteTexts& votes);

// Writes BuildVoteSummaryLines as "QvHyou.dat" in programDir.
void BuildVoteSummary(const VoteTexts& votes, const std::filesystem::path& programDir);

}  // namespace orvikel
