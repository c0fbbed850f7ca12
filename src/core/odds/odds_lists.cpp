#include "odds/odds_lists.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "domain/lists.hpp"
#include "odds/odds_file.hpp"
#include "platform/bytes.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel {

namespace {

// What sets one kind's lists apart from the others'. Everything else is shared; the work
// files, caption and bet kind come with the list's description.
struct ListKind {
    OrderList list;
    const OddsLayout* layout;
    char mark;  // leads the sort key of unranked entries
    std::string_view cancelledKey;
    std::string_view cancelledLine;  // what a cancelled line shows after the combination
    int shownFrom;                   // first byte of the combination field that is shown
    int labelWidth;                  // rank label "[ 9]" (4) or "[  9]" (5)
    bool blankBeforeLabel;
    bool checksScratched;
    int groupBytes;                   // leading bytes of a line that name its group
    std::string_view separator;       // between groups of the number-order list
    std::string_view innerSeparator;  // trio: between second horses of one first horse
    std::string_view totalLabel;

    const ListInfo& info() const { return Describe(list); }
    // also names the fields in error messages
    std::string_view captionWord() const { return info().captionWord; }
};

constexpr ListKind kBracketKind{.list = OrderList::Bracket,
                                .layout = &kBracketLayout,
                                .mark = 'W',
                                .cancelledKey = lit::kBracketCancelledKey,
                                .cancelledLine = lit::kBracketCancelledLine,
                                .shownFrom = 2,
                                .labelWidth = 4,
                                .blankBeforeLabel = false,
                                .checksScratched = false,
                                .groupBytes = 1,
                                .separator = "-------------",
                                .innerSeparator = "",
                                .totalLabel = lit::kTotalBracket};

// Quinella, wide, exacta and trio differ only in these.
constexpr ListKind HorseKind(OrderList list, const OddsLayout& layout, char mark,
                             std::string_view cancelledKey, std::string_view cancelledLine,
                             std::string_view separator, std::string_view totalLabel,
                             std::string_view innerSeparator = "") {
    return ListKind{.list = list,
                    .layout = &layout,
                    .mark = mark,
                    .cancelledKey = cancelledKey,
                    .cancelledLine = cancelledLine,
                    .shownFrom = 1,
                    .labelWidth = 5,
                    .blankBeforeLabel = true,
                    .checksScratched = true,
                    .groupBytes = 2,
                    .separator = separator,
                    .innerSeparator = innerSeparator,
                    .totalLabel = totalLabel};
}

constexpr ListKind kQuinellaKind =
    HorseKind(OrderList::Quinella, kQuinellaLayout, 'U', lit::kQuinellaCancelledKey,
              lit::kPairCancelledLine, "------------------", lit::kTotalQuinella);
constexpr ListKind kWideKind =
    HorseKind(OrderList::Wide, kWideLayout, 'K', lit::kWideCancelledKey, lit::kWideCancelledLine,
              "-------------------------", lit::kTotalWide);
constexpr ListKind kExactaKind =
    HorseKind(OrderList::Exacta, kExactaLayout, 'S', lit::kExactaCancelledKey,
              lit::kPairCancelledLine, "------------------", lit::kTotalExacta);
constexpr ListKind kTrioKind =
    HorseKind(OrderList::Trio, kTrioLayout, 'Y', lit::kTrioCancelledKey, lit::kPairCancelledLine,
              "#--------------------", lit::kTotalTrio, "  -------------------");

// The separator lengths the lists have always had, counted by the compiler, not by eye.
static_assert(kBracketKind.separator.size() == 13 && kQuinellaKind.separator.size() == 18 &&
              kWideKind.separator.size() == 25 && kExactaKind.separator.size() == 18 &&
              kTrioKind.separator.size() == 21 && kTrioKind.innerSeparator.size() == 21);

// How a list shows an entry of each state: ranked, unranked, or cancelled (a cancelled
// combination and one with a scratched horse look the same).
enum class Shown { kRanked, kUnranked, kCancelled };

Shown ShownAs(PriceState state) {
    switch (state) {
        case PriceState::Priced:
            return Shown::kRanked;
        case PriceState::NoOdds:
            return Shown::kUnranked;
        case PriceState::Cancelled:
        case PriceState::Scratched:
            break;
    }
    return Shown::kCancelled;
}

// Both lists of one kind as the bytes of their work files, each line followed by CR LF.
struct Lists {
    std::string popularity;
    std::string number;
};

// The odds text as a list shows it from byte `from` (0-based) on; wide shows its two bounds
// joined by "-".
void AppendOdds(std::string& out, const OddsRecord& record, std::size_t from, bool wide) {
    out += record.odds.substr(std::min(from, record.odds.size()));
    if (wide) {
        out += '-';
        out += record.upper;
    }
}

// The popularity sort key: the value part, then the combination field (unique per record).
void AppendKey(std::string& out, const ListKind& kind, const OddsRecord& record, Shown shown) {
    const bool wide = kind.layout->upperColumn != 0;
    switch (shown) {
        case Shown::kRanked:
            AppendOdds(out, record, 0, wide);
            break;
        case Shown::kUnranked:
            out += kind.mark;
            out += 'Z';
            AppendOdds(out, record, 2, wide);
            break;
        case Shown::kCancelled:
            out += kind.cancelledKey;
            break;
    }
    out += record.combination;
}

void AppendRankLabel(std::string& out, std::size_t rank, int width) {
    const std::string digits = std::to_string(rank);
    const auto inner = static_cast<std::size_t>(width - 2);
    out += '[';
    if (digits.size() < inner) {
        out.append(inner - digits.size(), ' ');
    }
    out += digits;
    out += ']';
}

void AppendDisplayLine(std::string& out, const ListKind& kind, const OddsRecord& record,
                       Shown shown, std::size_t rank) {
    const bool wide = kind.layout->upperColumn != 0;
    out += CutView(record.combination, kind.shownFrom,
                   kind.layout->combinationWidth - kind.shownFrom + 1);
    out += ' ';
    switch (shown) {
        case Shown::kRanked:
            AppendOdds(out, record, 0, wide);
            if (kind.blankBeforeLabel) {
                out += ' ';
            }
            AppendRankLabel(out, rank, kind.labelWidth);
            return;
        case Shown::kUnranked:
            out += "  ";
            AppendOdds(out, record, 2, wide);
            out.append(static_cast<std::size_t>(kind.labelWidth), ' ');
            return;
        case Shown::kCancelled:
            out += kind.cancelledLine;
            return;
    }
}

// Where one piece (a key or a line) sits in a shared buffer: a list has up to 816 of them
// per refresh, and one buffer instead of a string each keeps the heap still.
struct Span {
    std::uint32_t offset;
    std::uint32_t size;
};

Span SpanFrom(const std::string& buffer, std::size_t offset) {
    return Span{static_cast<std::uint32_t>(offset),
                static_cast<std::uint32_t>(buffer.size() - offset)};
}

std::string_view At(const std::string& buffer, Span span) {
    return std::string_view(buffer).substr(span.offset, span.size);
}

// The indices of the pieces in bytewise order of their bytes. The first eight bytes of a
// piece, read as one big-endian number padded with zero bytes, already order two pieces
// whenever they differ; only equal ones need the full comparison.
std::vector<std::uint32_t> SortedOrder(const std::string& buffer, const std::vector<Span>& pieces) {
    struct Item {
        std::uint64_t prefix;
        std::uint32_t index;
    };
    std::vector<Item> items(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view bytes = At(buffer, pieces[i]).substr(0, 8);
        std::uint64_t prefix = 0;
        for (std::size_t j = 0; j < bytes.size(); ++j) {
            prefix |= std::uint64_t{static_cast<unsigned char>(bytes[j])} << (56 - 8 * j);
        }
        items[i] = Item{prefix, static_cast<std::uint32_t>(i)};
    }
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        return At(buffer, pieces[a.index]) < At(buffer, pieces[b.index]);
    });
    std::vector<std::uint32_t> order(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        order[i] = items[i].index;
    }
    return order;
}

// The lines sorted bytewise, with a separator line between groups. The lines are given in
// file order, which is already combination order in any file the client writes: then the
// sort is skipped.
std::string NumberOrder(const ListKind& kind, const std::string& popularity,
                        const std::vector<Span>& lines) {
    bool sorted = true;
    for (std::size_t i = 1; i < lines.size() && sorted; ++i) {
        sorted = !(At(popularity, lines[i]) < At(popularity, lines[i - 1]));
    }
    std::vector<std::uint32_t> order;
    if (sorted) {
        order.resize(lines.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<std::uint32_t>(i);
        }
    } else {
        order = SortedOrder(popularity, lines);
    }
    std::string out;
    out.reserve(popularity.size() + lines.size() * (kind.separator.size() + 2));
    std::string_view group;
    std::string_view second;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string_view line = At(popularity, lines[order[i]]);
        const std::string_view lineGroup = CutView(line, 1, kind.groupBytes);
        const std::string_view lineSecond =
            kind.innerSeparator.empty() ? std::string_view() : CutView(line, 4, 2);
        if (i > 0) {
            if (lineGroup != group) {
                out += kind.separator;
                out += "\r\n";
            } else if (lineSecond != second) {
                out += kind.innerSeparator;
                out += "\r\n";
            }
        }
        group = lineGroup;
        second = lineSecond;
        out += line;
        out += "\r\n";
    }
    return out;
}

// A bracket quinella combination " 1-2" names brackets, not horses.
std::array<int, 3> BracketsOf(std::string_view combination) {
    std::array<int, 3> brackets{};
    for (int b = 0; b < 2; ++b) {
        // Never checked by the list, which shows the field as it is: no number counts as 0.
        brackets[static_cast<std::size_t>(b)] =
            static_cast<int>(ParseInteger(CutView(combination, 2 + 2 * b, 1)).value_or(0));
    }
    return brackets;
}

// The snapshot entries of the records, in file order, without ranks yet. A record that names
// a scratched horse is listed as cancelled; the remarks are looked up once per horse, not once
// per record.
std::vector<OddsEntry> EntriesOf(const ListKind& kind, const std::vector<OddsRecord>& records,
                                 const RaceCardTable& table) {
    OneBased<bool, kHorses> scratched{};
    if (kind.checksScratched) {
        for (int horse = 1; horse <= kHorses; ++horse) {
            scratched[horse] = table.IsScratched(horse);
        }
    }
    const bool wide = kind.layout->upperColumn != 0;
    std::vector<OddsEntry> entries;
    entries.reserve(records.size());
    for (const OddsRecord& record : records) {
        OddsEntry entry;
        if (kind.layout->horses == 0) {
            entry.horses = BracketsOf(record.combination);
        } else {
            entry.horses = record.horse;
        }
        switch (record.state) {
            case OddsState::kRanked:
                entry.state = PriceState::Priced;
                break;
            case OddsState::kUnranked:
                entry.state = PriceState::NoOdds;
                break;
            case OddsState::kCancelled:
                entry.state = PriceState::Cancelled;
                break;
        }
        for (int h = 0; h < kind.layout->horses && kind.checksScratched; ++h) {
            const int horse = record.horse[static_cast<std::size_t>(h)];
            // A number outside the race card has no remark to look up.
            if (horse >= 1 && horse <= kHorses && scratched[horse]) {
                entry.state = PriceState::Scratched;
            }
        }
        if (entry.state == PriceState::Priced) {
            // The reader took the field for a number, so it has tenths.
            entry.odds = ParseTenths(record.odds).value_or(0);
            if (wide) {
                // The upper bound is shown as the file gives it and never checked: a field
                // that is no number counts as none.
                entry.upper = ParseTenths(record.upper).value_or(0);
            }
        }
        entries.push_back(entry);
    }
    return entries;
}

// Both lists of one kind, built whole in memory so that a bad record leaves no file written,
// from the snapshot entries that come with them: the entries decide each line's state and
// receive the rank their line shows.
Lists BuildLists(const ListKind& kind, const std::string& line, const std::string& file,
                 const RaceCardTable& table, std::vector<OddsEntry>& entries) {
    const std::vector<OddsRecord> records =
        ReadOddsRecords(line, *kind.layout, file, kind.captionWord());
    entries = EntriesOf(kind, records, table);

    // Popularity order sorts the records by key; the keys share one buffer and only their
    // indices move. The keys are gone before the lines are built, to keep the heap small.
    const std::vector<std::uint32_t> order = [&] {
        std::string keys;
        keys.reserve(records.size() * 24);
        std::vector<Span> keySpans;
        keySpans.reserve(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            const std::size_t offset = keys.size();
            AppendKey(keys, kind, records[i], ShownAs(entries[i].state));
            keySpans.push_back(SpanFrom(keys, offset));
        }
        return SortedOrder(keys, keySpans);
    }();

    Lists lists;
    lists.popularity.reserve(records.size() * 32);
    std::vector<Span> lineOfRecord(records.size());
    for (std::size_t rank = 1; rank <= order.size(); ++rank) {
        const std::uint32_t index = order[rank - 1];
        const std::size_t offset = lists.popularity.size();
        const Shown shown = ShownAs(entries[index].state);
        AppendDisplayLine(lists.popularity, kind, records[index], shown, rank);
        if (shown == Shown::kRanked) {
            entries[index].rank = static_cast<int>(rank);
        }
        lineOfRecord[index] = SpanFrom(lists.popularity, offset);
        lists.popularity += "\r\n";
    }
    lists.number = NumberOrder(kind, lists.popularity, lineOfRecord);
    return lists;
}

void WriteLists(const ListKind& kind, const Lists& lists, const std::filesystem::path& dir) {
    WriteFileAtomically(dir / kind.info().files.popularity, lists.popularity);
    WriteFileAtomically(dir / kind.info().files.number, lists.number);
}

void WriteNoData(const std::filesystem::path& dir, std::initializer_list<WorkFilePair> pairs) {
    const std::vector<std::string> noData{std::string(lit::kNoData)};
    for (const WorkFilePair& pair : pairs) {
        WriteWorkFile(dir, pair.popularity, noData);
        WriteWorkFile(dir, pair.number, noData);
    }
}

// Sets the kind's total and hint when its file carries totals, and returns the total as a
// number (none when the field is no number: the vote summary names it).
std::optional<std::int64_t> SetTotal(const ListKind& kind, bool carriesTotals,
                                     const std::string& line, const std::string& file,
                                     VoteTexts& votes, OddsDisplay& display) {
    Hint& hint = display.hint[kind.list];
    if (!carriesTotals) {
        hint.show = false;
        return std::nullopt;
    }
    const BetKind k = kind.info().bet;
    const std::string field = Cut(line, kind.layout->totalColumn, kTotalWidth);
    votes.TotalText[k] = Concat({kind.totalLabel, field});
    votes.TotalSource[k] = file;
    hint.text = votes.TotalText[k];
    hint.show = true;
    return ParseInteger(field);
}

std::string OddsTime(const std::string& line) {
    return MakeTimeCaption(Cut(line, kOddsHourColumn, 2), Cut(line, kOddsMinuteColumn, 2));
}

// The odds time as the snapshot keeps it: "hh:mm", the fields unchanged.
std::string SnapshotTime(const std::string& line) {
    return Cut(line, kOddsHourColumn, 2) + ":" + Cut(line, kOddsMinuteColumn, 2);
}

// A kind whose file was read, with its odds time; entries and total follow.
KindSnapshot ReadKind(const std::string& line) {
    KindSnapshot kind;
    kind.present = true;
    kind.oddsTime = SnapshotTime(line);
    return kind;
}

void SetCaption(const ListKind& kind, const std::string& timeCaption, OddsDisplay& display) {
    display.caption[kind.list] = Concat({kind.captionWord(), timeCaption});
}

// The steps with one list pair per file: exacta and trio, which always carry their total.
void BuildSingleKind(const ListKind& kind, const RaceFiles& files, const RaceCardTable& table,
                     VoteTexts& votes, OddsDisplay& display, RaceSnapshot& snapshot,
                     const std::filesystem::path& programDir) {
    const ListInfo& info = kind.info();
    if (!files.Has(info.data)) {
        WriteNoData(programDir, {info.files});
        display.hint[kind.list].show = false;
        return;
    }
    const std::string& file = files.Name(info.data);
    const std::string line = ReadFirstLine(file);
    const std::string timeCaption = OddsTime(line);
    votes.TimeCaption[info.bet] = timeCaption;
    SetCaption(kind, timeCaption, display);
    KindSnapshot taken = ReadKind(line);
    const Lists lists = BuildLists(kind, line, file, table, taken.entries);
    taken.votes = SetTotal(kind, true, line, file, votes, display);
    WriteLists(kind, lists, programDir);
    snapshot[info.bet] = std::move(taken);
}

}  // namespace

void BuildBracketQuinellaLists(const RaceFiles& files, bool zoCarriesTotals, VoteTexts& votes,
                               OddsDisplay& display, RaceSnapshot& snapshot,
                               const std::filesystem::path& programDir, const std::string* zoLine) {
    const ListKind& kind = kBracketKind;
    if (!files.Has(kWinPlace)) {
        // The place-odds lists written earlier in the refresh came from no file either.
        WriteNoData(programDir, {kind.info().files, work_file::kPlace});
        display.hint[kind.list].show = false;
        return;
    }
    const std::string& file = files.Name(kWinPlace);
    const std::string line = zoLine != nullptr ? *zoLine : ReadFirstLine(file);
    const std::string timeCaption = OddsTime(line);
    const std::string time = SnapshotTime(line);
    for (const BetKind bet : {BetKind::Win, BetKind::Place, BetKind::BracketQuinella}) {
        votes.TimeCaption[bet] = timeCaption;
    }
    snapshot[BetKind::Win].oddsTime = time;
    snapshot[BetKind::Place].oddsTime = time;
    SetCaption(kind, timeCaption, display);
    KindSnapshot taken = ReadKind(line);
    // Bracket pairs have no horse numbers, so no remark is ever looked up.
    const Lists lists = BuildLists(kind, line, file, RaceCardTable{}, taken.entries);
    taken.votes = SetTotal(kind, zoCarriesTotals, line, file, votes, display);
    WriteLists(kind, lists, programDir);
    snapshot[BetKind::BracketQuinella] = std::move(taken);
}

void BuildQuinellaAndWideLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                               OddsDisplay& display, RaceSnapshot& snapshot,
                               const std::filesystem::path& programDir) {
    const ListKind& quinella = kQuinellaKind;
    const ListKind& wide = kWideKind;
    if (!files.Has(kQuinella)) {
        WriteNoData(programDir, {quinella.info().files, wide.info().files});
        display.hint[quinella.list].show = false;
        display.hint[wide.list].show = false;
        return;
    }
    const std::string& file = files.Name(kQuinella);
    const bool carriesTotals = FileSize(file) > kUoTotalsAbove;
    const std::string line = ReadFirstLine(file);
    const std::string timeCaption = OddsTime(line);
    votes.TimeCaption[BetKind::Quinella] = timeCaption;
    votes.TimeCaption[BetKind::Wide] = timeCaption;
    KindSnapshot quinellaTaken = ReadKind(line);
    KindSnapshot wideTaken = ReadKind(line);
    SetCaption(quinella, timeCaption, display);
    const Lists quinellaLists = BuildLists(quinella, line, file, table, quinellaTaken.entries);
    SetCaption(wide, timeCaption, display);
    const Lists wideLists = BuildLists(wide, line, file, table, wideTaken.entries);
    quinellaTaken.votes = SetTotal(quinella, carriesTotals, line, file, votes, display);
    wideTaken.votes = SetTotal(wide, carriesTotals, line, file, votes, display);
    WriteLists(quinella, quinellaLists, programDir);
    WriteLists(wide, wideLists, programDir);
    snapshot[BetKind::Quinella] = std::move(quinellaTaken);
    snapshot[BetKind::Wide] = std::move(wideTaken);
}

void BuildExactaLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                      OddsDisplay& display, RaceSnapshot& snapshot,
                      const std::filesystem::path& programDir) {
    display.boxWheelVisible = true;
    BuildSingleKind(kExactaKind, files, table, votes, display, snapshot, programDir);
}

void BuildTrioLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                    OddsDisplay& display, RaceSnapshot& snapshot,
                    const std::filesystem::path& programDir) {
    BuildSingleKind(kTrioKind, files, table, votes, display, snapshot, programDir);
}

std::optional<std::array<int, 3>> CombinationOfLine(OrderList list, std::string_view line) {
    const ListKind* kind = nullptr;
    for (const ListKind* candidate :
         {&kBracketKind, &kQuinellaKind, &kWideKind, &kExactaKind, &kTrioKind}) {
        if (candidate->list == list) {
            kind = candidate;
        }
    }
    if (kind == nullptr) {
        return std::nullopt;
    }
    // The numbers of the shown combination field, each two bytes wide (one for brackets),
    // joined by "-".
    const int numbers = kind->layout->horses == 0 ? 2 : kind->layout->horses;
    const int width = kind->layout->horses == 0 ? 1 : 2;
    std::array<int, 3> combination{};
    for (int n = 0; n < numbers; ++n) {
        const int column = 1 + n * (width + 1);
        if (n > 0 && CutView(line, column - 1, 1) != "-") {
            return std::nullopt;
        }
        const auto number = ParseInteger(CutView(line, column, width));
        if (!number || *number < 1 || *number > kHorses) {
            return std::nullopt;
        }
        combination[static_cast<std::size_t>(n)] = static_cast<int>(*number);
    }
    return combination;
}

}  // namespace orvikel
