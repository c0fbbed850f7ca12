// What each odds step does around its lists: the no-data case, captions and time texts, vote
// totals, failures that leave the work files alone, and records that fit no list.
#include <algorithm>
#include <string>
#include <vector>

#include "odds_fixture.hpp"
#include "platform/data_error.hpp"

namespace orvikel::testing {
namespace {

using Lines_ = std::vector<std::string>;

TEST_F(OddsListsTest, AnAbsentFileGivesNoDataListsAndLeavesCaptionsAndTexts) {
    struct Case {
        int dataKind;
        std::vector<const char*> noDataFiles;
        std::vector<int> hintsOff;
    };
    const Case cases[] = {
        {kWinPlace, {"QvZOSo.dat", "QvZONo.dat", "QvFSo.dat", "QvFNo.dat"}, {1}},
        {kQuinella, {"QvUOSo.dat", "QvUONo.dat", "QvKOSo.dat", "QvKONo.dat"}, {2, 3}},
        {kExacta, {"QvSOSo.dat", "QvSONo.dat"}, {4}},
        {kTrio, {"QvYOSo.dat", "QvYONo.dat"}, {5}},
    };
    for (const Case& c : cases) {
        for (int box = 1; box <= 5; ++box) {
            display.caption[static_cast<OrderList>(box)] = "caption";
            display.hint[static_cast<OrderList>(box)] = Hint{true, "hint"};
        }
        votes.TotalText.fill("total");
        votes.TimeCaption.fill("time");
        Run(c.dataKind);
        for (const char* name : c.noDataFiles) {
            EXPECT_EQ(Bytes(name), Sj("DATAなし\r\n")) << name;
        }
        for (int box = 1; box <= 5; ++box) {
            const Hint& hint = display.hint[static_cast<OrderList>(box)];
            const bool off =
                std::find(c.hintsOff.begin(), c.hintsOff.end(), box) != c.hintsOff.end();
            EXPECT_EQ(hint.show, !off) << c.dataKind << " box " << box;
            EXPECT_EQ(hint.text, "hint");
            EXPECT_EQ(display.caption[static_cast<OrderList>(box)], "caption");
        }
        for (int k = 0; k < static_cast<int>(kBetKindCount); ++k) {
            EXPECT_EQ(votes.TotalText[static_cast<BetKind>(k)], "total");
            EXPECT_EQ(votes.TimeCaption[static_cast<BetKind>(k)], "time");
        }
    }
    EXPECT_TRUE(display.boxWheelVisible);  // shown by the exacta step without its file too
}

TEST_F(OddsListsTest, EachStepSetsItsCaptionsAndTimeTexts) {
    struct Case {
        const OddsKind* kind;
        std::string hour;
        std::string minute;
        std::vector<int> boxes;
        std::vector<std::string> captions;
        std::vector<int> timeEntries;
    };
    const Case cases[] = {
        {&kBracketKind, "09", "30", {1}, {"枠番連勝 [09:30現在]"}, {0, 1, 2}},
        {&kQuinellaKind,
         "10",
         "15",
         {2, 3},
         {"馬番連勝 [10:15現在]", "ワイド [10:15現在]"},
         {3, 4}},
        {&kExactaKind, "11", "45", {4}, {"馬単 [11:45現在]"}, {5}},
        {&kTrioKind, "16", "00", {5}, {"３連複 [16:00現在]"}, {6}},
    };
    for (const Case& c : cases) {
        votes.Reset();
        Put(c.kind->dataKind, OddsLine(*c.kind, {}, c.hour, c.minute).str() + "\r\n");
        Run(*c.kind);
        for (std::size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(U8(display.caption[static_cast<OrderList>(c.boxes[i])]), c.captions[i]);
        }
        for (int k = 0; k < static_cast<int>(kBetKindCount); ++k) {
            const bool set =
                std::find(c.timeEntries.begin(), c.timeEntries.end(), k) != c.timeEntries.end();
            EXPECT_EQ(U8(votes.TimeCaption[static_cast<BetKind>(k)]),
                      set ? "[" + c.hour + ":" + c.minute + "現在]" : "")
                << c.kind->name << " entry " << k;
        }
    }
    EXPECT_TRUE(display.boxWheelVisible);
}

TEST_F(OddsListsTest, TotalsGoToTheTextsAndHintsWhenTheFileCarriesThem) {
    const std::string blanks(11, ' ');
    struct Case {
        const OddsKind* kind;
        bool zoTotals;
        std::size_t length;  // of the file's only line, no line end; 0 keeps the whole line
        // expected TotalText of the kind and, for the Uo file, of wide
        std::string total;
        std::string wideTotal;
    };
    const Case cases[] = {
        {&kBracketKind, true, 0, "枠連発売票数　:      36000", ""},
        {&kBracketKind, false, 0, blanks, ""},
        {&kQuinellaKind, false, 3985, blanks, blanks},
        // one byte more carries them; the wide total is cut short by the end of the file
        {&kQuinellaKind, false, 3986, "馬連発売票数　:   15300000", "ワイド発売票数:    23"},
        {&kQuinellaKind, false, 0, "馬連発売票数　:   15300000", "ワイド発売票数:    2340000"},
        {&kExactaKind, false, 0, "馬単発売票数　:00004560000", ""},
        {&kTrioKind, false, 0, "３連複発売票数:   98765432", ""},
    };
    for (const Case& c : cases) {
        votes.Reset();
        zoCarriesTotals = c.zoTotals;
        for (Hint& hint : display.hint) {
            hint = Hint{true, "before"};
        }
        JraLine line = OddsLine(*c.kind, {{1, 2, 3, Odds(*c.kind, "5.6")}});
        switch (c.kind->dataKind) {
            case kWinPlace:
                line.At(kBracketLayout.totalColumn, "      36000");
                break;
            case kQuinella:
                line.At(kQuinellaLayout.totalColumn, "   15300000")
                    .At(kWideLayout.totalColumn, "    2340000");
                break;
            case kExacta:
                line.At(kExactaLayout.totalColumn, "00004560000");
                break;
            default:
                line.At(kTrioLayout.totalColumn, "   98765432");
                break;
        }
        if (c.length != 0) {
            line.Length(c.length);
        }
        Put(c.kind->dataKind, line.str());
        Run(*c.kind);

        const auto check = [&](BetKind k, int box, const std::string& expected) {
            const Hint& hint = display.hint[static_cast<OrderList>(box)];
            EXPECT_EQ(U8(votes.TotalText[k]), expected) << c.kind->name << " " << c.length;
            if (expected == blanks) {
                EXPECT_FALSE(hint.show);
                EXPECT_EQ(hint.text, "before");
            } else {
                EXPECT_TRUE(hint.show);
                EXPECT_EQ(hint.text, votes.TotalText[k]);
                EXPECT_EQ(votes.TotalSource[k], files.Name(c.kind->dataKind));
            }
        };
        check(c.kind->betKind, c.kind->box, c.total);
        if (c.kind->dataKind == kQuinella) {
            check(BetKind::Wide, kWideKind.box, c.wideTotal);
        }
    }
}

// The kind's records all blank but the last one.
std::vector<Rec> LastRecordOnly(const OddsKind& kind, const Rec& last) {
    std::vector<Rec> recs(static_cast<std::size_t>(kind.layout.count - 1), Rec(0, 0, 0, ""));
    recs.push_back(last);
    return recs;
}

TEST_F(OddsListsTest, AFaultyRecordFailsTheStepNamingFileAndFieldAndWritesNothing) {
    struct Case {
        const OddsKind* kind;
        std::vector<Rec> recs;
        std::size_t cutAt;  // the line ends after this many bytes; 0 keeps it
        std::vector<std::string> named;
    };
    const Case cases[] = {
        {&kQuinellaKind,
         {{1, 2, 0, "  5.6x"}},
         0,
         {"Uo-t.jra", "馬番連勝 [ 1- 2] オッズ", "  5.6x"}},
        {&kBracketKind, {{3, 4, 0, "  ---"}}, 0, {"Zo-t.jra", "枠番連勝 [ 3-4] オッズ"}},
        {&kWideKind, {{1, 3, 0, "      ", "   2.0"}}, 0, {"Uo-t.jra", "ワイド [ 1- 3] オッズ"}},
        {&kExactaKind, {Rec::Raw(" a- 2", "   5.6")}, 0, {"So-t.jra", "馬単 [ a- 2] 馬番"}},
        {&kTrioKind, {Rec::Raw(" 1-  - 3", "  ﾄﾘｹｼ")}, 0, {"Yo-t.jra", "[ 1-  - 3] 馬番"}},
        // the line ends inside the odds of record 0
        {&kTrioKind, {{1, 2, 3, "   5.6"}}, 154, {"Yo-t.jra", "３連複 [ 1- 2- 3] オッズ"}},
        // ... inside the upper bound of the last wide record (columns 3964-3969)
        {&kWideKind,
         LastRecordOnly(kWideKind, {1, 2, 0, "   2.0", "   3.0"}),
         3966,
         {"Uo-t.jra", "ワイド [ 1- 2] オッズ"}},
        // ... or before a later record begins
        {&kExactaKind, {{1, 2, 0, "   5.6"}}, 160, {"So-t.jra", "オッズ"}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> old{"old"};
        for (const OddsKind* kind :
             {&kBracketKind, &kQuinellaKind, &kWideKind, &kExactaKind, &kTrioKind}) {
            WriteWorkFile(program, kind->popularityFile, old);
            WriteWorkFile(program, kind->numberFile, old);
        }
        JraLine line = OddsLine(*c.kind, c.recs);
        if (c.cutAt != 0) {
            line.Length(c.cutAt);
        }
        Put(c.kind->dataKind, line.str() + "\r\n");
        std::string message;
        try {
            Run(*c.kind);
            ADD_FAILURE() << c.kind->name << ": no error";
        } catch (const DataError& e) {
            message = U8(e.what());
        }
        for (const std::string& part : c.named) {
            EXPECT_NE(message.find(part), std::string::npos) << message << " lacks " << part;
        }
        // Quinella and wide come from one file: neither pair of lists is written.
        for (const OddsKind* kind :
             {&kBracketKind, &kQuinellaKind, &kWideKind, &kExactaKind, &kTrioKind}) {
            EXPECT_EQ(Lines(kind->popularityFile), old) << c.kind->name;
            EXPECT_EQ(Lines(kind->numberFile), old) << c.kind->name;
        }
    }
}

TEST_F(OddsListsTest, AFlaggedFileThatIsMissingOrEmptyFailsTheStep) {
    for (const OddsKind* kind : {&kBracketKind, &kQuinellaKind, &kExactaKind, &kTrioKind}) {
        files.name[static_cast<std::size_t>(kind->dataKind)] = data.DirText() + "missing.jra";
        files.exists[static_cast<std::size_t>(kind->dataKind)] = true;
        EXPECT_THROW(Run(*kind), DataError) << kind->name;
        Put(kind->dataKind, "");
        EXPECT_THROW(Run(*kind), DataError) << kind->name;
    }
}

// A file all of whose records are blank has nothing to list: both files of each of its kinds
// are written empty instead of keeping the lists of another race.
TEST_F(OddsListsTest, AFileWithoutAnyEntryWritesEmptyLists) {
    for (const OddsKind* kind :
         {&kBracketKind, &kQuinellaKind, &kWideKind, &kExactaKind, &kTrioKind}) {
        WriteWorkFile(program, kind->popularityFile, {"old"});
        WriteWorkFile(program, kind->numberFile, {"old"});
        Put(*kind, {});
        Run(*kind);
        EXPECT_EQ(Bytes(kind->popularityFile), "") << kind->name;
        EXPECT_EQ(Bytes(kind->numberFile), "") << kind->name;
    }
}

// A horse number outside 1..18 has no race-card row: the record is listed as its odds say,
// and no row is consulted for it (the table has none for 0 or 19; the sanitizer build would
// report a look-up).
TEST_F(OddsListsTest, AHorseNumberOutsideTheRaceCardIsListedAsItsOddsSay) {
    Scratch(3);
    Put(kQuinellaKind, {{0, 2, 0, "   3.0"}, {19, 2, 0, "   5.6"}, {19, 3, 0, "   4.0"}});
    Run(kQuinellaKind);
    EXPECT_EQ(Lines("QvUOSo.dat"),
              (Lines_{" 0- 2    3.0 [  1]", "19- 2    5.6 [  2]", "19- 3   ﾄﾘｹｼ     "}));

    Put(kTrioKind, {{1, 2, 99, "   7.0"}, {0, 1, 2, "  ﾄﾘｹｼ"}});
    Run(kTrioKind);
    EXPECT_EQ(Lines("QvYOSo.dat"), (Lines_{" 1- 2-99    7.0 [  1]", " 0- 1- 2   ﾄﾘｹｼ     "}));
}

}  // namespace
}  // namespace orvikel::testing
