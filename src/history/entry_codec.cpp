#include "entry_codec.hpp"

#include <cstdint>

namespace orvikel::history {

namespace {

void PutLe(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

std::uint64_t GetLe(const std::string& in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint64_t>(
                     static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]))
                 << (8 * i);
    }
    return value;
}

std::int32_t Signed32(std::uint64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

std::string EncodeEntries(const std::vector<OddsEntry>& entries) {
    std::string out;
    out.reserve(entries.size() * kEntryBytes);
    for (const OddsEntry& e : entries) {
        for (int h : e.horses) {
            PutLe(out, static_cast<std::uint64_t>(h), 1);
        }
        PutLe(out, static_cast<std::uint64_t>(e.state), 1);
        PutLe(out, static_cast<std::uint64_t>(e.rank), 2);
        PutLe(out, 0, 2);
        PutLe(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(e.odds)), 4);
        PutLe(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(e.upper)), 4);
    }
    return out;
}

std::optional<std::vector<OddsEntry>> DecodeEntries(const std::string& blob) {
    if (blob.size() % kEntryBytes != 0) {
        return std::nullopt;
    }
    std::vector<OddsEntry> entries(blob.size() / kEntryBytes);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = i * kEntryBytes;
        OddsEntry& e = entries[i];
        for (std::size_t h = 0; h < 3; ++h) {
            e.horses[h] = static_cast<int>(GetLe(blob, at + h, 1));
        }
        const auto state = GetLe(blob, at + 3, 1);
        if (state > static_cast<std::uint64_t>(PriceState::Scratched)) {
            return std::nullopt;
        }
        for (int horse : e.horses) {
            if (horse > kHorses) {
                return std::nullopt;
            }
        }
        e.state = static_cast<PriceState>(state);
        e.rank = static_cast<int>(GetLe(blob, at + 4, 2));
        e.odds = Signed32(GetLe(blob, at + 8, 4));
        e.upper = Signed32(GetLe(blob, at + 12, 4));
        // No file gives negative odds: a stored one is damage, not a price to chart.
        if (e.odds < 0 || e.upper < 0) {
            return std::nullopt;
        }
    }
    return entries;
}

}  // namespace orvikel::history
