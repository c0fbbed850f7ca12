#include <gtest/gtest.h>

#include <set>

#include "jra_fixture.hpp"
#include "platform/data_error.hpp"
#include "shell/race_header.hpp"

namespace orvikel {
namespace {

using testing::JraLine;
using testing::Sj;
using testing::TempDir;
using testing::U8;

bool IsCardLayout(int kind) {
    return kind == kRaceCard || kind == kHorseWeights || kind == kResults;
}

// The fields of each kind carry the kind's number, so a box shows which file filled it.
std::string Name(int kind) {
    return JraLine(28).At(1, "Name of kind " + std::to_string(kind)).str();
}
std::string Conditions(int kind) {
    return JraLine(28).At(1, "Conditions " + std::to_string(kind)).str();
}
std::string Runners(int kind) {
    return "1" + std::to_string(kind);
}
std::string Distance(int kind) {
    return "200" + std::to_string(kind);
}

struct Date {
    std::string year = "2006", month = "10", day = "29", venue = "東京";
    std::string meeting = "04", dayOfMeeting = "09", race = "11";
};

// Line 1 of a data file of kind in its header layout.
std::string HeaderLine(int kind, const Date& d) {
    JraLine line(150);
    line.At(1, d.year).At(5, d.month).At(7, d.day);
    if (IsCardLayout(kind)) {
        line.AtU8(9, d.venue).At(17, d.meeting).At(19, d.dayOfMeeting).At(21, d.race);
        if (kind == kHorseWeights) {
            line.At(27, Distance(kind)).At(31, Name(kind)).At(59, Conditions(kind));
            line.At(87, Runners(kind));
        } else {
            line.At(23, "15").At(25, "4" + std::to_string(kind)).AtU8(27, "芝右");
            line.At(31, Distance(kind)).At(35, Name(kind)).At(63, Conditions(kind));
        }
    } else {
        line.AtU8(29, d.venue).At(37, d.meeting).At(39, d.dayOfMeeting).At(41, d.race);
        line.At(49, Name(kind)).At(77, Conditions(kind)).At(141, Runners(kind));
    }
    return line.str();
}

Date RaceOfKind(int kind) {
    Date d;
    d.race = "0" + std::to_string(kind);
    return d;
}

// Writes the files of the given kinds, each with its race number equal to its kind.
RaceFiles Write(const TempDir& dir, const std::set<int>& kinds) {
    RaceFiles files;
    for (int kind = 1; kind <= kDataKinds; ++kind) {
        files.name[kind] = dir.DirText() + FilePrefix(kind) + "53b.jra";
    }
    for (int kind : kinds) {
        dir.Write(std::string(FilePrefix(kind)) + "53b.jra",
                  HeaderLine(kind, RaceOfKind(kind)) + "\r\nsecond line\r\n");
        files.exists[kind] = true;
    }
    return files;
}

RaceHeader Kept() {
    return RaceHeader{"keep", "keep", "keep", "keep", "keep", "keep", "keep"};
}

TEST(ShowRaceHeader, EachLaterKindOverwritesWhatItFills) {
    // Which kind fills each box (0: no present file fills it, it keeps its text).
    struct Case {
        std::set<int> kinds;
        int dateLine, raceName, conditions, distance, runners, postTime, course;
    };
    const Case cases[] = {
        {{1}, 1, 1, 1, 1, 0, 1, 1},
        {{2}, 2, 2, 2, 2, 2, 0, 0},
        {{5}, 5, 5, 5, 0, 0, 0, 0},
        {{7}, 7, 7, 7, 0, 7, 0, 0},
        {{3}, 3, 3, 3, 0, 3, 0, 0},
        {{1, 2}, 2, 2, 2, 2, 2, 1, 1},
        {{1, 5}, 5, 5, 5, 1, 0, 1, 1},
        {{2, 5}, 5, 5, 5, 2, 2, 0, 0},
        {{1, 2, 3, 4, 5, 6, 7}, 7, 7, 7, 2, 7, 1, 1},
        {{1, 2, 4, 5}, 5, 5, 5, 2, 4, 1, 1},
    };
    const auto expect = [](int kind, std::string text) { return kind == 0 ? "keep" : text; };
    for (const auto& c : cases) {
        TempDir dir;
        RaceHeader h = Kept();
        ShowRaceHeader(Write(dir, c.kinds), h);
        const std::string which = "kinds from " + std::to_string(*c.kinds.begin()) + " to " +
                                  std::to_string(*c.kinds.rbegin()) + ", " +
                                  std::to_string(c.kinds.size()) + " files";
        EXPECT_EQ(U8(h.dateLine), expect(c.dateLine, "2006年10月29日 第4回 東京 9日目 第" +
                                                         std::to_string(c.dateLine) + "Ｒ"))
            << which;
        EXPECT_EQ(h.raceName, expect(c.raceName, Name(c.raceName))) << which;
        EXPECT_EQ(h.conditions, expect(c.conditions, Conditions(c.conditions))) << which;
        EXPECT_EQ(h.distance, expect(c.distance, Distance(c.distance))) << which;
        EXPECT_EQ(h.runners, expect(c.runners, Runners(c.runners))) << which;
        EXPECT_EQ(U8(h.postTime), expect(c.postTime, "発走時刻  15:41")) << which;
        EXPECT_EQ(U8(h.course), expect(c.course, "芝右")) << which;
    }
}

TEST(ShowRaceHeader, DateLineDropsLeadingZerosOfTheNumbersOnly) {
    struct Case {
        Date date;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "2006年10月29日 第4回 東京 9日目 第11Ｒ"},
        {{"2007", "01", "06", "東京", "01", "12", "01"}, "2007年01月06日 第1回 東京 12日目 第1Ｒ"},
        {{"2006", "12", "03", "小倉", " 2", "00", " 9"}, "2006年12月03日 第2回 小倉 0日目 第9Ｒ"},
    };
    for (int kind : {kRaceCard, kTrio}) {
        for (const auto& c : cases) {
            TempDir dir;
            dir.Write("x.jra", HeaderLine(kind, c.date));
            RaceFiles files;
            files.name[kind] = dir.DirText() + "x.jra";
            files.exists[kind] = true;
            RaceHeader h;
            ShowRaceHeader(files, h);
            EXPECT_EQ(U8(h.dateLine), c.expected) << "kind " << kind;
        }
    }
}

TEST(ShowRaceHeader, TextsAreShownAsCutEvenWhenTheLineIsShort) {
    TempDir dir;
    // A trio line that ends inside the race conditions.
    dir.Write("Yo-53b.jra", JraLine()
                                .At(1, "20061029")
                                .AtU8(29, "東京")
                                .At(37, "040911")
                                .At(49, Name(7))
                                .At(77, "Cond")
                                .str());
    RaceFiles files;
    files.name[kTrio] = dir.DirText() + "Yo-53b.jra";
    files.exists[kTrio] = true;
    RaceHeader h;
    ShowRaceHeader(files, h);
    EXPECT_EQ(h.raceName, Name(7));  // trailing blanks stay
    EXPECT_EQ(h.conditions, "Cond");
    EXPECT_EQ(h.runners, "");
    EXPECT_EQ(h.postTime, "");
    EXPECT_EQ(h.course, "");
    EXPECT_EQ(h.distance, "");
}

TEST(RunnersText, BlanksALeadingZero) {
    const std::pair<const char*, const char*> cases[] = {
        {"10", "10"}, {"09", " 9"}, {"00", " 0"}, {"18", "18"}, {" 8", " 8"}, {"", ""},
    };
    for (const auto& [field, shown] : cases) {
        EXPECT_EQ(RunnersText(field), shown) << field;
    }
}

TEST(ShowRaceHeader, ANumberThatIsNotOneStopsAtItsFileAndKeepsEarlierKinds) {
    struct Case {
        int kind;
        Date date;
        const char* field;
    };
    Date meeting, day, race;
    meeting.meeting = "x4";
    day.dayOfMeeting = "  ";
    race.race = "1R";
    const Case cases[] = {
        {kHorseWeights, meeting, "(17-18)"}, {kHorseWeights, day, "(19-20)"},
        {kResults, race, "(21-22)"},         {kWinPlace, meeting, "(37-38)"},
        {kExacta, day, "(39-40)"},           {kTrio, race, "(41-42)"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        RaceFiles files = Write(dir, {kRaceCard});
        const std::string bad = dir.Write("bad.jra", HeaderLine(c.kind, c.date));
        files.name[c.kind] = bad;
        files.exists[c.kind] = true;
        RaceHeader h = Kept();
        try {
            ShowRaceHeader(files, h);
            ADD_FAILURE() << "kind " << c.kind << ": no error";
        } catch (const DataError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(bad, 0), 0u) << U8(message);
            EXPECT_NE(message.find(c.field), std::string::npos) << U8(message);
        }
        EXPECT_EQ(U8(h.dateLine), "2006年10月29日 第4回 東京 9日目 第1Ｒ") << c.kind;
        EXPECT_EQ(h.raceName, Name(kRaceCard)) << c.kind;
        EXPECT_EQ(h.runners, "keep") << c.kind;
    }
}

TEST(ShowRaceHeader, AFileThatVanishedAfterDiscoveryIsAnError) {
    TempDir dir;
    RaceFiles files = Write(dir, {});
    files.exists[kResults] = true;
    EXPECT_THROW(
        {
            RaceHeader h;
            ShowRaceHeader(files, h);
        },
        DataError);
}

}  // namespace
}  // namespace orvikel
