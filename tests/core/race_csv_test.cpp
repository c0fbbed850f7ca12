#include "export/race_csv.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "csv_reader.hpp"
#include "export/csv_text.hpp"
#include "jra_fixture.hpp"
#include "platform/bytes.hpp"
#include "platform/data_error.hpp"
#include "platform/error_text.hpp"
#include "platform/literals.hpp"

namespace orvikel {
namespace {

namespace fs = std::filesystem;
using testing::CsvReadRow;
using testing::ReadCsv;
using testing::Sj;
using testing::TempDir;
using testing::Texts;

TEST(CsvText, QuotesOnlyWhatNeedsItAndTrimsBlanks) {
    struct Case {
        const char* what;
        CsvCell cell;
        std::string field;  // UTF-8
    };
    const Case cases[] = {
        {"plain text", CsvText(Sj("サクラ")), "サクラ"},
        {"half- and full-width blanks trimmed", CsvText(Sj("　 サクラ 　")), "サクラ"},
        {"blanks inside kept", CsvText(Sj("Ｍ．デム ロ")), "Ｍ．デム ロ"},
        // 0x83 0x40 is "ァ": its second byte is the second byte of a full-width blank
        {"a trail byte 0x40 is no blank", CsvText(Sj("マァ")), "マァ"},
        {"comma", CsvText(Sj("1,2")), "\"1,2\""},
        {"quotes doubled", CsvText(Sj("\"ｱ\"")), "\"\"\"ｱ\"\"\""},
        {"line break", CsvText("a\r\nb"), "\"a\r\nb\""},
        {"all blanks is empty", CsvText("    "), ""},
        {"integer bare", CsvInteger(-12), "-12"},
        {"tenths bare", CsvTenths(5), "0.5"},
        {"empty", CsvEmpty(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvField(c.cell), c.field) << c.what;
    }
}

TEST(CsvText, FileIsUtf8WithByteOrderMarkAndCrLf) {
    const std::string bytes = CsvBytes({{CsvText(Sj("馬名")), CsvInteger(1)}, {CsvEmpty()}});
    EXPECT_EQ(bytes, "\xEF\xBB\xBF馬名,1\r\n\r\n");
}

// A race card of three runners in slots 1, 2 and 4 (slot 3 empty, as in a race with a
// missing horse number) and a snapshot with every state and one kind without its file.
class RaceCsvFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        Runner(1, "1", " 1", "サクラ", "480", Sj("＋") + " 4", "ヤマダ　タロウ", "57.0", "");
        Runner(2, "2", " 2", "ミホノ,\"ブル\"", "502", Sj("▲") + "12", "スズキ", "55.0",
               "●出走取消");
        Runner(4, "3", " 4", "ハツバ", "   ", Sj(" 初 "), "タナカ", "54.0", "●騎手／負担重量変更");

        snapshot_[BetKind::Win] = Kind({Entry({1}, 25, 0, PriceState::Priced, 1),
                                        Entry({2}, 0, 0, PriceState::Scratched, 0),
                                        Entry({4}, 123, 0, PriceState::Priced, 2)});
        snapshot_[BetKind::Win].votes = 1000;
        snapshot_[BetKind::Place] = Kind({Entry({1}, 11, 14, PriceState::Priced, 1),
                                          Entry({2}, 0, 0, PriceState::Scratched, 0),
                                          Entry({4}, 20, 35, PriceState::Priced, 2)});
        snapshot_[BetKind::Place].votes = 3000;
        snapshot_[BetKind::BracketQuinella] = Kind({Entry({1, 2}, 0, 0, PriceState::NoOdds, 0),
                                                    Entry({1, 3}, 45, 0, PriceState::Priced, 1)});
        snapshot_[BetKind::Quinella] = Kind({Entry({1, 2}, 0, 0, PriceState::Scratched, 0),
                                             Entry({1, 4}, 38, 0, PriceState::Priced, 1),
                                             Entry({2, 4}, 0, 0, PriceState::Scratched, 0)});
        snapshot_[BetKind::Quinella].votes = 0;
        snapshot_[BetKind::Wide] = Kind({Entry({1, 4}, 12, 19, PriceState::Priced, 1),
                                         Entry({2, 4}, 0, 0, PriceState::Cancelled, 0)});
        snapshot_[BetKind::Trio] = Kind({Entry({1, 2, 4}, 0, 0, PriceState::Scratched, 0),
                                         Entry({1, 4, 10}, 1234, 0, PriceState::Priced, 1)});
        snapshot_[BetKind::Trio].votes = 6000;

        // What the value board says of some priced entries (by their index); the CSV writes
        // it as given.
        for (const BetKind kind : kValueKinds) {
            value_.figures[kind].resize(snapshot_[kind].entries.size());
        }
        value_.figures[BetKind::Place][2] = ValueFigures{.theoretical = 27, .gap = 74};
        value_.figures[BetKind::Quinella][1] = ValueFigures{.theoretical = 35, .gap = 108};
        value_.figures[BetKind::Wide][0] = ValueFigures{.theoretical = 15, .gap = 80};
        value_.figures[BetKind::Trio][1] = ValueFigures{.theoretical = 9999, .gap = 1234};
    }

    void Runner(int slot, const char* bracket, const char* horseNo, const char* name,
                const char* weight, const std::string& change, const char* jockey,
                const char* burden, const char* remark) {
        const auto pad = [](std::string cp932, std::size_t width) {
            cp932.resize(width, ' ');
            return cp932;
        };
        table_.cell(slot, kBracket) = bracket;
        table_.cell(slot, kHorseNo) = horseNo;
        table_.cell(slot, kHorseName) = pad(Sj(name), 18);
        table_.cell(slot, kBodyWeight) = weight;
        table_.cell(slot, kWeightChange) = change;
        table_.cell(slot, kJockey) = pad(Sj(jockey), 18);
        table_.cell(slot, kBurdenWeight) = burden;
        table_.cell(slot, kRemark) = pad(Sj(remark), 20);
    }
    static OddsEntry Entry(std::vector<int> horses, std::int64_t odds, std::int64_t upper,
                           PriceState state, int rank) {
        OddsEntry entry{{}, odds, upper, state, rank};
        std::copy(horses.begin(), horses.end(), entry.horses.begin());
        return entry;
    }
    static KindSnapshot Kind(std::vector<OddsEntry> entries) {
        KindSnapshot kind;
        kind.present = true;
        kind.oddsTime = "15:20";
        kind.entries = std::move(entries);
        return kind;
    }
    std::map<std::string, std::vector<CsvReadRow>> ReadAll(const std::string& minusSign) const {
        std::map<std::string, std::vector<CsvReadRow>> files;
        for (const auto& file : BuildRaceCsv(snapshot_, value_, table_, Sj(minusSign))) {
            files[std::string(file.name)] = ReadCsv(file.bytes);
        }
        return files;
    }

    RaceSnapshot snapshot_;
    ValueBoard value_;
    RaceCardTable table_;
};

using Rows = std::vector<std::vector<std::string>>;

Rows AllTexts(const std::vector<CsvReadRow>& rows) {
    Rows texts;
    for (const auto& row : rows) {
        texts.push_back(Texts(row));
    }
    return texts;
}

TEST_F(RaceCsvFixture, WritesOneFilePerListInItsOrder) {
    std::vector<std::string> names;
    for (const auto& file : BuildRaceCsv(snapshot_, value_, table_, Sj("▲"))) {
        names.emplace_back(file.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"racecard.csv", "bracket-quinella.csv", "quinella.csv",
                                        "wide.csv", "exacta.csv", "trio.csv", "votes.csv"}));
}

TEST_F(RaceCsvFixture, RaceCardHoldsTheRunnersWithNumbersAsNumbers) {
    const auto rows = ReadAll("▲").at("racecard.csv");
    EXPECT_EQ(AllTexts(rows),
              (Rows{{"枠", "馬番", "馬名", "単勝", "人気", "複勝下限", "複勝上限", "馬体重", "増減",
                     "騎手名", "重量", "記事", "理論オッズ", "乖離"},
                    {"1", "1", "サクラ", "2.5", "1", "1.1", "1.4", "480", "4", "ヤマダ　タロウ",
                     "57.0", "", "", ""},
                    {"2", "2", "ミホノ,\"ブル\"", "", "", "", "", "502", "-12", "スズキ", "55.0",
                     "●出走取消", "", ""},
                    {"3", "4", "ハツバ", "12.3", "2", "2.0", "3.5", "", "初", "タナカ", "54.0",
                     "●騎手／負担重量変更", "2.7", "0.74"}}));
    // numbers stand bare; the name with a comma and quotes is quoted
    for (std::size_t column : {0U, 1U, 3U, 4U, 5U, 6U, 7U, 8U, 10U}) {
        EXPECT_FALSE(rows[1][column].quoted) << column;
    }
    for (std::size_t column : {12U, 13U}) {
        EXPECT_FALSE(rows[3][column].quoted) << column;
    }
    EXPECT_TRUE(rows[2][2].quoted);
}

TEST_F(RaceCsvFixture, WeightLossFollowsTheMinusSignOfTheSettings) {
    table_.cell(2, kWeightChange) = Sj("－") + " 6";
    EXPECT_EQ(ReadAll("－").at("racecard.csv")[2][8].text, "-6");
    // another sign is not a loss the settings know: kept as the text it is
    EXPECT_EQ(ReadAll("▲").at("racecard.csv")[2][8].text, "－ 6");
}

TEST_F(RaceCsvFixture, OddsListsMatchTheSnapshotEntryByEntry) {
    const auto files = ReadAll("▲");
    struct List {
        const char* file;
        BetKind kind;
        int size;
        bool bounds;
    };
    const List lists[] = {{"bracket-quinella.csv", BetKind::BracketQuinella, 2, false},
                          {"quinella.csv", BetKind::Quinella, 2, false},
                          {"wide.csv", BetKind::Wide, 2, true},
                          {"exacta.csv", BetKind::Exacta, 2, false},
                          {"trio.csv", BetKind::Trio, 3, false}};
    const std::map<PriceState, std::string> states{{PriceState::Priced, ""},
                                                   {PriceState::NoOdds, "1.0倍未満"},
                                                   {PriceState::Cancelled, "取消"},
                                                   {PriceState::Scratched, "出走取消"}};
    for (const auto& list : lists) {
        const auto& rows = files.at(list.file);
        const std::vector<std::string> header =
            list.bounds
                ? std::vector<std::string>{"組番", "下限",       "上限", "人気",
                                           "状態", "理論オッズ", "乖離"}
                : std::vector<std::string>{"組番", "オッズ", "人気", "状態", "理論オッズ", "乖離"};
        ASSERT_FALSE(rows.empty()) << list.file;
        EXPECT_EQ(Texts(rows[0]), header) << list.file;
        const KindSnapshot& kind = snapshot_[list.kind];
        ASSERT_EQ(rows.size(), kind.present ? kind.entries.size() + 1 : 1) << list.file;
        for (std::size_t i = 0; i < kind.entries.size(); ++i) {
            const OddsEntry& entry = kind.entries[i];
            const bool priced = entry.state == PriceState::Priced;
            std::string combination = std::to_string(entry.horses[0]);
            for (int h = 1; h < list.size; ++h) {
                combination += " - " + std::to_string(entry.horses[static_cast<std::size_t>(h)]);
            }
            std::vector<std::string> expected{combination, priced ? TenthsText(entry.odds) : ""};
            if (list.bounds) {
                expected.push_back(priced ? TenthsText(entry.upper) : "");
            }
            expected.push_back(entry.rank > 0 ? std::to_string(entry.rank) : "");
            expected.push_back(states.at(entry.state));
            const auto& figures = value_.figures[list.kind][i];
            expected.push_back(figures ? TenthsText(figures->theoretical) : "");
            expected.push_back(figures ? HundredthsText(figures->gap) : "");
            EXPECT_EQ(Texts(rows[i + 1]), expected) << list.file << " line " << i + 1;
            EXPECT_FALSE(rows[i + 1][1].quoted) << list.file;
        }
    }
    // spot checks of the table above against plain expectations
    EXPECT_EQ(Texts(files.at("trio.csv")[2]),
              (std::vector<std::string>{"1 - 4 - 10", "123.4", "1", "", "999.9", "12.34"}));
    EXPECT_EQ(Texts(files.at("wide.csv")[1]),
              (std::vector<std::string>{"1 - 4", "1.2", "1.9", "1", "", "1.5", "0.80"}));
    EXPECT_EQ(Texts(files.at("quinella.csv")[1]),
              (std::vector<std::string>{"1 - 2", "", "", "出走取消", "", ""}));
    EXPECT_FALSE(files.at("trio.csv")[2][5].quoted);
}

TEST_F(RaceCsvFixture, ListWithoutItsDataFileGivesTheHeaderOnly) {
    snapshot_[BetKind::Trio].present = false;  // its lists say "DATAなし"
    const auto files = ReadAll("▲");
    const Rows header{{"組番", "オッズ", "人気", "状態", "理論オッズ", "乖離"}};
    EXPECT_EQ(AllTexts(files.at("trio.csv")), header);
    EXPECT_EQ(AllTexts(files.at("exacta.csv")), header);
}

TEST_F(RaceCsvFixture, VotesGiveEachKindsShareOfTheTotal) {
    EXPECT_EQ(AllTexts(ReadAll("▲").at("votes.csv")), (Rows{{"券種", "票数", "割合"},
                                                            {"単勝", "1000", "10.0"},
                                                            {"複勝", "3000", "30.0"},
                                                            {"馬連", "0", "0.0"},
                                                            {"３連複", "6000", "60.0"}}));
    // a third of the votes: 33.3, two thirds 66.7 (half up)
    snapshot_[BetKind::Win].votes = 1;
    snapshot_[BetKind::Place].votes = std::nullopt;
    snapshot_[BetKind::Quinella].votes = std::nullopt;
    snapshot_[BetKind::Trio].votes = 2;
    EXPECT_EQ(AllTexts(ReadAll("▲").at("votes.csv")),
              (Rows{{"券種", "票数", "割合"}, {"単勝", "1", "33.3"}, {"３連複", "2", "66.7"}}));
    // no votes sold at all: no share to give
    snapshot_[BetKind::Win].votes = 0;
    snapshot_[BetKind::Trio].votes = 0;
    EXPECT_EQ(AllTexts(ReadAll("▲").at("votes.csv")),
              (Rows{{"券種", "票数", "割合"}, {"単勝", "0", ""}, {"３連複", "0", ""}}));
    // no kind carries a total
    for (auto& kind : snapshot_.kinds) {
        kind.votes = std::nullopt;
    }
    EXPECT_EQ(AllTexts(ReadAll("▲").at("votes.csv")), (Rows{{"券種", "票数", "割合"}}));
}

TEST_F(RaceCsvFixture, EmptyRaceGivesHeaderRowsOnly) {
    const std::map<std::string, std::vector<CsvReadRow>> files = [] {
        std::map<std::string, std::vector<CsvReadRow>> read;
        for (const auto& file :
             BuildRaceCsv(RaceSnapshot{}, ValueBoard{}, RaceCardTable{}, Sj("▲"))) {
            read[std::string(file.name)] = ReadCsv(file.bytes);
        }
        return read;
    }();
    ASSERT_EQ(files.size(), 7U);
    for (const auto& [name, rows] : files) {
        EXPECT_EQ(rows.size(), 1U) << name;
    }
}

TEST_F(RaceCsvFixture, WriteCreatesTheFolderAndWritesEveryFile) {
    TempDir dir;
    const fs::path target = dir.path() / "記録" / "東京11R";
    WriteRaceCsv(target, snapshot_, value_, table_, Sj("▲"));
    for (const auto& file : BuildRaceCsv(snapshot_, value_, table_, Sj("▲"))) {
        EXPECT_EQ(testing::ReadBytes(target / file.name), file.bytes) << file.name;
    }
    // a second export replaces the files whole
    snapshot_[BetKind::Trio].present = false;
    WriteRaceCsv(target, snapshot_, value_, table_, Sj("▲"));
    EXPECT_EQ(AllTexts(ReadCsv(testing::ReadBytes(target / "trio.csv"))),
              (Rows{{"組番", "オッズ", "人気", "状態", "理論オッズ", "乖離"}}));
}

// The files of the folder, name and bytes.
std::map<std::string, std::string> FolderFiles(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = testing::ReadBytes(entry.path());
        }
    }
    return files;
}

TEST_F(RaceCsvFixture, FileThatCannotBeWrittenIsNamedAndLeavesTheFolderAsItWas) {
    TempDir dir;
    WriteRaceCsv(dir.path(), snapshot_, value_, table_, Sj("▲"));
    // a folder where wide.csv should go: that file cannot be replaced
    fs::remove(dir.path() / "wide.csv");
    fs::create_directory(dir.path() / "wide.csv");
    fs::create_directory(dir.path() / "wide.csv" / "inside");
    const auto before = FolderFiles(dir.path());
    snapshot_[BetKind::Quinella].present = false;
    try {
        WriteRaceCsv(dir.path(), snapshot_, value_, table_, Sj("▲"));
        FAIL() << "no error";
    } catch (const DataError& error) {
        const std::string message = ErrorTextUtf8(error);
        EXPECT_NE(message.find("wide.csv"), std::string::npos) << message;
        EXPECT_NE(message.find("書き込めません"), std::string::npos) << message;
    }
    // not even the files before it: nothing half-written, temporary or of this export is left
    EXPECT_EQ(FolderFiles(dir.path()), before);
}

#ifndef _WIN32
// A disk that fills up half-way through the export, played by a limit on the size of a file
// this process may write: the largest file (trio.csv, the sixth) cannot be written. The
// folder keeps the whole set of the export before it, not four files of one race beside
// three of another.
TEST_F(RaceCsvFixture, ADiskThatFillsUpHalfWayLeavesTheEarlierExportWhole) {
    TempDir dir;
    WriteRaceCsv(dir.path(), snapshot_, value_, table_, Sj("▲"));
    const auto before = FolderFiles(dir.path());

    for (int i = 0; i < 40; ++i) {
        snapshot_[BetKind::Trio].entries.push_back(
            Entry({1, 4, 5 + i % 14}, 100 + i, 0, PriceState::Priced, i + 2));
    }
    snapshot_[BetKind::Win].entries[0].odds = 31;
    std::size_t largest = 0;
    std::size_t others = 0;
    for (const auto& file : BuildRaceCsv(snapshot_, value_, table_, Sj("▲"))) {
        std::size_t& size = file.name == "trio.csv" ? largest : others;
        size = std::max(size, file.bytes.size());
    }
    ASSERT_GT(largest, others);

    bool failed = false;
    try {
        const testing::FileSizeLimit full(others + (largest - others) / 2);
        WriteRaceCsv(dir.path(), snapshot_, value_, table_, Sj("▲"));
    } catch (const DataError& error) {
        failed = true;
        EXPECT_NE(ErrorTextUtf8(error).find("trio.csv"), std::string::npos);
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(FolderFiles(dir.path()), before);
}
#endif

TEST_F(RaceCsvFixture, FolderThatCannotBeMadeIsNamed) {
    TempDir dir;
    const std::string path = dir.Write("occupied", "a file, not a folder");
    try {
        WriteRaceCsv(dir.path() / "occupied" / "csv", snapshot_, value_, table_, Sj("▲"));
        FAIL() << "no error";
    } catch (const DataError& error) {
        const std::string message = ErrorTextUtf8(error);
        EXPECT_NE(message.find("occupied"), std::string::npos) << message;
        EXPECT_NE(message.find("フォルダ"), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace orvikel
