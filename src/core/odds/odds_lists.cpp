#include "odds/odds_lists.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "common/bytes.hpp"
#include "common/file_io.hpp"
#include "common/literals.hpp"
#include "odds/odds_file.hpp"

namespace orvikel {

namespace {

// What sets one kind's lists apart from the others'. Everything else is shared.
struct ListKind {
    const OddsLayout* layout;
    const std::string* captionWord;  // also names the fields in error messages
    char mark;                       // leads the sort key of unranked entries
    const std::string* cancelledKey;
    const std::string* cancelledLine;  // what a cancelled line shows after the combination
    int shownFrom;                     // first byte of the combination field that is shown
    int labelWidth;                    // rank label "[ 9]" (4) or "[  9]" (5)
    bool blankBeforeLabel;
    bool checksScratched;
    int groupBytes;              // leading bytes of a line that name its group
    std::string separator;       // between groups of the number-order list
    std::string innerSeparator;  // trio: between second horses of one first horse
    const char* popularityFile;
    const char* numberFile;
    const std::string* totalLabel;
    int betKind;
    int box;  // GBOddsN / MemoOddsN
};

// Function-local statics: the literals are only ready once main has started.
const ListKind& BracketKind() {
    static const ListKind kind{.layout = &kBracketLayout,
                               .captionWord = &lit::kCaptionBracket,
                               .mark = 'W',
                               .cancelledKey = &lit::kBracketCancelledKey,
                               .cancelledLine = &lit::kBracketCancelledLine,
                               .shownFrom = 2,
                               .labelWidth = 4,
                               .blankBeforeLabel = false,
                               .checksScratched = false,
                               .groupBytes = 1,
                               .separator = std::string(13, '-'),
                               .innerSeparator = "",
                               .popularityFile = "QvZOSo.dat",
                               .numberFile = "QvZONo.dat",
                               .totalLabel = &lit::kTotalBracket,
                               .betKind = kBetBracket,
                               .box = 1};
    return kind;
}

// Quinella, wide, exacta and trio differ only in these.
ListKind HorseKind(const OddsLayout& layout, const std::string& captionWord, char mark,
                   const std::string& cancelledKey, const std::string& cancelledLine,
                   std::string separator, const char* popularityFile, const char* numberFile,
                   const std::string& totalLabel, int betKind, int box) {
    return ListKind{.layout = &layout,
                    .captionWord = &captionWord,
                    .mark = mark,
                    .cancelledKey = &cancelledKey,
                    .cancelledLine = &cancelledLine,
                    .shownFrom = 1,
                    .labelWidth = 5,
                    .blankBeforeLabel = true,
                    .checksScratched = true,
                    .groupBytes = 2,
                    .separator = std::move(separator),
                    .innerSeparator = "",
                    .popularityFile = popularityFile,
                    .numberFile = numberFile,
                    .totalLabel = &totalLabel,
                    .betKind = betKind,
                    .box = box};
}

const ListKind& QuinellaKind() {
    static const ListKind kind =
        HorseKind(kQuinellaLayout, lit::kCaptionQuinella, 'U', lit::kQuinellaCancelledKey,
                  lit::kPairCancelledLine, std::string(18, '-'), "QvUOSo.dat", "QvUONo.dat",
                  lit::kTotalQuinella, kBetQuinella, 2);
    return kind;
}

const ListKind& WideKind() {
    static const ListKind kind = HorseKind(
        kWideLayout, lit::kCaptionWide, 'K', lit::kWideCancelledKey, lit::kWideCancelledLine,
        std::string(25, '-'), "QvKOSo.dat", "QvKONo.dat", lit::kTotalWide, kBetWide, 3);
    return kind;
}

const ListKind& ExactaKind() {
    static const ListKind kind = HorseKind(
        kExactaLayout, lit::kCaptionExacta, 'S', lit::kExactaCancelledKey, lit::kPairCancelledLine,
        std::string(18, '-'), "QvSOSo.dat", "QvSONo.dat", lit::kTotalExacta, kBetExacta, 4);
    return kind;
}

const ListKind& TrioKind() {
    static const ListKind kind = [] {
        ListKind trio = HorseKind(kTrioLayout, lit::kCaptionTrio, 'Y', lit::kTrioCancelledKey,
                                  lit::kPairCancelledLine, "#" + std::string(20, '-'), "QvYOSo.dat",
                                  "QvYONo.dat", lit::kTotalTrio, kBetTrio, 5);
        trio.innerSeparator = "  " + std::string(19, '-');
        return trio;
    }();
    return kind;
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
void AppendKey(std::string& out, const ListKind& kind, const OddsRecord& record) {
    const bool wide = kind.layout->upperColumn != 0;
    switch (record.state) {
        case OddsState::kRanked:
            AppendOdds(out, record, 0, wide);
            break;
        case OddsState::kUnranked:
            out += kind.mark;
            out += 'Z';
            AppendOdds(out, record, 2, wide);
            break;
        case OddsState::kCancelled:
            out += *kind.cancelledKey;
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
                       std::size_t rank) {
    const bool wide = kind.layout->upperColumn != 0;
    out += CutView(record.combination, kind.shownFrom,
                   kind.layout->combinationWidth - kind.shownFrom + 1);
    out += ' ';
    switch (record.state) {
        case OddsState::kRanked:
            AppendOdds(out, record, 0, wide);
            if (kind.blankBeforeLabel) {
                out += ' ';
            }
            AppendRankLabel(out, rank, kind.labelWidth);
            return;
        case OddsState::kUnranked:
            out += "  ";
            AppendOdds(out, record, 2, wide);
            out.append(static_cast<std::size_t>(kind.labelWidth), ' ');
            return;
        case OddsState::kCancelled:
            out += *kind.cancelledLine;
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

// Both lists of one kind, built whole in memory so that a bad record leaves no file written.
Lists BuildLists(const ListKind& kind, const std::string& line, const std::string& file,
                 const RaceCardTable& table) {
    std::vector<OddsRecord> records = ReadOddsRecords(line, *kind.layout, file, *kind.captionWord);
    // A record that names a scratched horse is listed as cancelled. The remarks are looked up
    // once per horse, not once per record.
    if (kind.checksScratched) {
        std::array<bool, kHorses + 1> scratched{};
        for (int horse = 1; horse <= kHorses; ++horse) {
            scratched[static_cast<std::size_t>(horse)] = table.IsScratched(horse);
        }
        for (OddsRecord& record : records) {
            for (int h = 0; h < kind.layout->horses; ++h) {
                const int horse = record.horse[static_cast<std::size_t>(h)];
                // A number outside the race card has no remark to look up.
                if (horse >= 1 && horse <= kHorses && scratched[static_cast<std::size_t>(horse)]) {
                    record.state = OddsState::kCancelled;
                }
            }
        }
    }

    // Popularity order sorts the records by key; the keys share one buffer and only their
    // indices move. The keys are gone before the lines are built, to keep the heap small.
    const std::vector<std::uint32_t> order = [&] {
        std::string keys;
        keys.reserve(records.size() * 24);
        std::vector<Span> keySpans;
        keySpans.reserve(records.size());
        for (const OddsRecord& record : records) {
            const std::size_t offset = keys.size();
            AppendKey(keys, kind, record);
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
        AppendDisplayLine(lists.popularity, kind, records[index], rank);
        lineOfRecord[index] = SpanFrom(lists.popularity, offset);
        lists.popularity += "\r\n";
    }
    lists.number = NumberOrder(kind, lists.popularity, lineOfRecord);
    return lists;
}

void WriteLists(const ListKind& kind, const Lists& lists, const std::filesystem::path& dir) {
    WriteFileAtomically(dir / kind.popularityFile, lists.popularity);
    WriteFileAtomically(dir / kind.numberFile, lists.number);
}

void WriteNoData(const std::filesystem::path& dir, std::initializer_list<const char*> names) {
    const std::vector<std::string> noData{lit::kNoData};
    for (const char* name : names) {
        WriteWorkFile(dir, name, noData);
    }
}

void SetTotal(const ListKind& kind, bool carriesTotals, const std::string& line,
              const std::string& file, VoteTexts& votes, OddsDisplay& display) {
    Hint& hint = display.hint[static_cast<std::size_t>(kind.box)];
    if (!carriesTotals) {
        hint.show = false;
        return;
    }
    const auto k = static_cast<std::size_t>(kind.betKind);
    votes.TotalText[k] = *kind.totalLabel + Cut(line, kind.layout->totalColumn, kTotalWidth);
    votes.TotalSource[k] = file;
    hint.text = votes.TotalText[k];
    hint.show = true;
}

std::string OddsTime(const std::string& line) {
    return MakeTimeCaption(Cut(line, kOddsHourColumn, 2), Cut(line, kOddsMinuteColumn, 2));
}

void SetCaption(const ListKind& kind, const std::string& timeCaption, OddsDisplay& display) {
    display.caption[static_cast<std::size_t>(kind.box)] = *kind.captionWord + timeCaption;
}

// The steps with one list pair per file: exacta and trio, which always carry their total.
void BuildSingleKind(const ListKind& kind, int dataKind, const RaceFiles& files,
                     const RaceCardTable& table, VoteTexts& votes, OddsDisplay& display,
                     const std::filesystem::path& programDir) {
    if (!files.Has(dataKind)) {
        WriteNoData(programDir, {kind.popularityFile, kind.numberFile});
        display.hint[static_cast<std::size_t>(kind.box)].show = false;
        return;
    }
    const std::string& file = files.Name(dataKind);
    const std::string line = ReadFirstLine(file);
    const std::string timeCaption = OddsTime(line);
    votes.TimeCaption[static_cast<std::size_t>(kind.betKind)] = timeCaption;
    SetCaption(kind, timeCaption, display);
    const Lists lists = BuildLists(kind, line, file, table);
    SetTotal(kind, true, line, file, votes, display);
    WriteLists(kind, lists, programDir);
}

}  // namespace

void BuildBracketQuinellaLists(const RaceFiles& files, bool zoCarriesTotals, VoteTexts& votes,
                               OddsDisplay& display, const std::filesystem::path& programDir,
                               const std::string* zoLine) {
    const ListKind& kind = BracketKind();
    if (!files.Has(kWinPlace)) {
        // The place-odds lists written earlier in the refresh came from no file either.
        WriteNoData(programDir, {kind.popularityFile, kind.numberFile, "QvFSo.dat", "QvFNo.dat"});
        display.hint[static_cast<std::size_t>(kind.box)].show = false;
        return;
    }
    const std::string& file = files.Name(kWinPlace);
    const std::string line = zoLine != nullptr ? *zoLine : ReadFirstLine(file);
    const std::string timeCaption = OddsTime(line);
    votes.TimeCaption[kBetWin] = timeCaption;
    votes.TimeCaption[kBetPlace] = timeCaption;
    votes.TimeCaption[kBetBracket] = timeCaption;
    SetCaption(kind, timeCaption, display);
    // Bracket pairs have no horse numbers, so no remark is ever looked up.
    const Lists lists = BuildLists(kind, line, file, RaceCardTable{});
    SetTotal(kind, zoCarriesTotals, line, file, votes, display);
    WriteLists(kind, lists, programDir);
}

void BuildQuinellaAndWideLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                               OddsDisplay& display, const std::filesystem::path& programDir) {
    const ListKind& quinella = QuinellaKind();
    const ListKind& wide = WideKind();
    if (!files.Has(kQuinella)) {
        WriteNoData(programDir, {quinella.popularityFile, quinella.numberFile, wide.popularityFile,
                                 wide.numberFile});
        display.hint[static_cast<std::size_t>(quinella.box)].show = false;
        display.hint[static_cast<std::size_t>(wide.box)].show = false;
        return;
    }
    const std::string& file = files.Name(kQuinella);
    const bool carriesTotals = FileSize(file) > kUoTotalsAbove;
    const std::string line = ReadFirstLine(file);
    const std::string timeCaption = OddsTime(line);
    votes.TimeCaption[kBetQuinella] = timeCaption;
    votes.TimeCaption[kBetWide] = timeCaption;
    SetCaption(quinella, timeCaption, display);
    const Lists quinellaLists = BuildLists(quinella, line, file, table);
    SetCaption(wide, timeCaption, display);
    const Lists wideLists = BuildLists(wide, line, file, table);
    SetTotal(quinella, carriesTotals, line, file, votes, display);
    SetTotal(wide, carriesTotals, line, file, votes, display);
    WriteLists(quinella, quinellaLists, programDir);
    WriteLists(wide, wideLists, programDir);
}

void BuildExactaLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                      OddsDisplay& display, const std::filesystem::path& programDir) {
    display.boxWheelVisible = true;
    BuildSingleKind(ExactaKind(), kExacta, files, table, votes, display, programDir);
}

void BuildTrioLists(const RaceFiles& files, const RaceCardTable& table, VoteTexts& votes,
                    OddsDisplay& display, const std::filesystem::path& programDir) {
    BuildSingleKind(TrioKind(), kTrio, files, table, votes, display, programDir);
}

}  // namespace orvikel
