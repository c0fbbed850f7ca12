#pragma once
// The lists the viewer shows and the work files that carry them: each list's identity, its
// work files, the data file it is built from, its bet kind and its caption, written once.
#include <array>
#include <cstddef>
#include <string_view>

#include "domain/bet_kind.hpp"
#include "domain/race_files.hpp"
#include "platform/indexed_array.hpp"

namespace orvikel {

// One work file per order: popularity order ("...So.dat") and number order ("...No.dat").
struct WorkFilePair {
    const char* popularity;
    const char* number;

    constexpr const char* In(bool popular) const { return popular ? popularity : number; }
};

// Every work file a refresh or the trio panel writes.
namespace work_file {
inline constexpr WorkFilePair kRaceCard{"QvDESo.dat", "QvDENo.dat"};
inline constexpr WorkFilePair kWin{"QvTSo.dat", "QvTNo.dat"};
inline constexpr WorkFilePair kPlace{"QvFSo.dat", "QvFNo.dat"};
inline constexpr WorkFilePair kBracket{"QvZOSo.dat", "QvZONo.dat"};
inline constexpr WorkFilePair kQuinella{"QvUOSo.dat", "QvUONo.dat"};
inline constexpr WorkFilePair kWide{"QvKOSo.dat", "QvKONo.dat"};
inline constexpr WorkFilePair kExacta{"QvSOSo.dat", "QvSONo.dat"};
inline constexpr WorkFilePair kTrio{"QvYOSo.dat", "QvYONo.dat"};
inline constexpr WorkFilePair kTrioBox{"QvYOBSo.dat", "QvYOBNo.dat"};
inline constexpr WorkFilePair kTrioWheel{"QvYOWSo.dat", "QvYOWNo.dat"};
inline constexpr const char* kVoteSummary = "QvHyou.dat";
}  // namespace work_file

// The lists with an order of their own (the 人気順 / 通常 buttons): the race-card grid and the
// five odds lists, in the order of the window.
enum class OrderList : int { Grid, Bracket, Quinella, Wide, Exacta, Trio };
inline constexpr std::size_t kOrderListCount = 6;

// The five odds lists, in the order of their memos.
inline constexpr std::array<OrderList, 5> kOddsLists{
    OrderList::Bracket, OrderList::Quinella, OrderList::Wide, OrderList::Exacta, OrderList::Trio};

// One entry per odds list (no entry for the grid).
template <class T>
using ByOddsList = ByEnum<OrderList, T, kOddsLists.size(), OrderList::Bracket>;

struct ListInfo {
    WorkFilePair files;
    DataKind data;                 // the data file it is built from
    BetKind bet;                   // the kind of its prices and vote total (the grid: win)
    std::string_view captionWord;  // CP932 caption of its group box; empty for the grid
    const char* name;              // plain name for messages and tests ("quinella")
};

// The description of a list.
const ListInfo& Describe(OrderList list);

}  // namespace orvikel
