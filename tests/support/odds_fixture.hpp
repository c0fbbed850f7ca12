#pragma once
// Fixture for the combination-odds lists: data files built by placing records at their byte
// columns, a program folder for the work files, and one call that runs a kind's step.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "jra_fixture.hpp"
#include "odds/odds_file.hpp"
#include "odds/odds_lists.hpp"
#include "platform/bytes.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"

namespace orvikel::testing {

// One list kind as the tests see it: the data file its records sit in and where.
struct OddsKind {
    const char* name;
    int dataKind;
    OddsLayout layout;  // for wide, the columns of its lower and upper bounds
    bool wide;
    const char* popularityFile;
    const char* numberFile;
    BetKind betKind;
    int box;  // GBOddsN / MemoOddsN
};

inline const OddsKind kBracketKind{"bracket",    kWinPlace,    kBracketLayout,           false,
                                   "QvZOSo.dat", "QvZONo.dat", BetKind::BracketQuinella, 1};
inline const OddsKind kQuinellaKind{"quinella",   kQuinella,    kQuinellaLayout,   false,
                                    "QvUOSo.dat", "QvUONo.dat", BetKind::Quinella, 2};
inline const OddsKind kWideKind{"wide",       kQuinella,    kWideLayout,   true,
                                "QvKOSo.dat", "QvKONo.dat", BetKind::Wide, 3};
inline const OddsKind kExactaKind{"exacta",     kExacta,      kExactaLayout,   false,
                                  "QvSOSo.dat", "QvSONo.dat", BetKind::Exacta, 4};
inline const OddsKind kTrioKind{"trio",       kTrio,        kTrioLayout,   false,
                                "QvYOSo.dat", "QvYONo.dat", BetKind::Trio, 5};

// A record as a test writes it: horses a, b (and c for trio) become the combination field
// in the kind's own form (" 1-2" for brackets, " 1- 2", " 1- 2- 3") unless comb gives the
// raw field. Texts are UTF-8. For wide the upper bound repeats odds unless upper is given.
struct Rec {
    Rec(int a_, int b_, int c_, std::string odds_, std::string upper_ = {})
        : a(a_), b(b_), c(c_), odds(std::move(odds_)), upper(std::move(upper_)) {}
    // A record whose combination field is written as it stands.
    static Rec Raw(std::string comb, std::string odds) {
        Rec rec(0, 0, 0, std::move(odds));
        rec.comb = std::move(comb);
        return rec;
    }

    int a;
    int b;
    int c;
    std::string odds;
    std::string upper;
    std::string comb;
};

// The combination field of horses a, b, c in the kind's form.
inline std::string Comb(const OddsKind& kind, int a, int b, int c = 0) {
    if (kind.layout.horses == 0) {
        return " " + std::to_string(a) + "-" + std::to_string(b);
    }
    std::string text = SlotText(a) + "-" + SlotText(b);
    if (kind.layout.horses == 3) {
        text += "-" + SlotText(c);
    }
    return text;
}

// The combination as the lists show it (brackets drop the first byte).
inline std::string Shown(const OddsKind& kind, int a, int b, int c = 0) {
    const std::string comb = Comb(kind, a, b, c);
    return kind.layout.horses == 0 ? comb.substr(1) : comb;
}

// Odds text right-aligned in the kind's odds width ("5.6" gives "  5.6" or "   5.6").
inline std::string Odds(const OddsKind& kind, const std::string& value) {
    const auto width = static_cast<std::size_t>(kind.layout.oddsWidth);
    return std::string(width - value.size(), ' ') + value;
}
inline std::string Cancelled(const OddsKind& kind) {
    return kind.layout.oddsWidth == 5 ? " ﾄﾘｹｼ" : "  ﾄﾘｹｼ";
}

// Line 1 of the kind's data file: the odds time hour:minute at columns 45-48 and the records
// one after another from record 0, up to the end of the record area.
inline JraLine OddsLine(const OddsKind& kind, const std::vector<Rec>& recs,
                        const std::string& hour = "14", const std::string& minute = "05") {
    const OddsLayout& layout = kind.layout;
    const int areaEnd =
        kind.dataKind == kQuinella ? kQuinellaLayout.totalColumn - 1 : layout.totalColumn - 1;
    JraLine line(static_cast<std::size_t>(areaEnd));
    line.At(kOddsHourColumn, hour).At(kOddsMinuteColumn, minute);
    for (std::size_t i = 0; i < recs.size(); ++i) {
        const Rec& rec = recs[i];
        const int shift = static_cast<int>(i) * layout.length;
        line.At(layout.combinationColumn + shift,
                rec.comb.empty() ? Comb(kind, rec.a, rec.b, rec.c) : rec.comb);
        line.AtU8(layout.oddsColumn + shift, rec.odds);
        if (kind.wide) {
            line.AtU8(layout.upperColumn + shift, rec.upper.empty() ? rec.odds : rec.upper);
        }
    }
    return line;
}

class OddsListsTest : public ::testing::Test {
  protected:
    OddsListsTest() : program(data.path() / "program") {
        std::filesystem::create_directories(program);
    }

    // Writes the data file of dataKind and flags it present.
    void Put(int dataKind, const std::string& bytes) {
        static const char* const kNames[] = {"",         "De-t.jra", "Ut-t.jra", "Zo-t.jra",
                                             "Uo-t.jra", "Ks-t.jra", "So-t.jra", "Yo-t.jra"};
        files.name[static_cast<std::size_t>(dataKind)] = data.Write(kNames[dataKind], bytes);
        files.exists[static_cast<std::size_t>(dataKind)] = true;
    }
    void Put(const OddsKind& kind, const std::vector<Rec>& recs) {
        Put(kind.dataKind, OddsLine(kind, recs).str() + "\r\n");
    }

    // The step that builds the kind's lists.
    void Run(const OddsKind& kind) { Run(kind.dataKind); }
    void Run(int dataKind) {
        switch (dataKind) {
            case kWinPlace:
                BuildBracketQuinellaLists(files, zoCarriesTotals, votes, display, snapshot,
                                          program);
                break;
            case kQuinella:
                BuildQuinellaAndWideLists(files, table, votes, display, snapshot, program);
                break;
            case kExacta:
                BuildExactaLists(files, table, votes, display, snapshot, program);
                break;
            default:
                BuildTrioLists(files, table, votes, display, snapshot, program);
                break;
        }
    }

    // A work file's lines in UTF-8.
    std::vector<std::string> Lines(const char* name) const {
        std::vector<std::string> lines;
        for (const std::string& line : ReadLines(program / name)) {
            lines.push_back(U8(line));
        }
        return lines;
    }
    std::string Bytes(const char* name) const { return ReadBytes(program / name); }

    void Scratch(int slot) { table.cell(slot, kRemark) = lit::kRemarkScratched; }

    TempDir data;
    std::filesystem::path program;
    RaceFiles files;
    RaceCardTable table;
    VoteTexts votes;
    OddsDisplay display;
    RaceSnapshot snapshot;
    bool zoCarriesTotals = false;
};

}  // namespace orvikel::testing
