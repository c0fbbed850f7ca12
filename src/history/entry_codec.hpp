#pragma once
// A kind's entries as one blob of fixed 16-byte records, little-endian: horse numbers (3 x 1
// byte), state (1), rank (2), 2 zero bytes, odds and upper bound in tenths (2 x 4 signed).
// One row per kind keeps storing an 18-runner race (1,500 entries) well under a millisecond;
// everything the history reads back is a whole kind at a time anyway.
#include <optional>
#include <string>
#include <vector>

#include "domain/race_snapshot.hpp"

namespace orvikel::history {

inline constexpr std::size_t kEntryBytes = 16;

std::string EncodeEntries(const std::vector<OddsEntry>& entries);
// nullopt when the blob is not a whole number of records or holds a value no refresh
// stores: an unknown state, a horse number past 18, negative odds.
std::optional<std::vector<OddsEntry>> DecodeEntries(const std::string& blob);

}  // namespace orvikel::history
