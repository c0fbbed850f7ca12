#include "dump/dump_command.hpp"

#include <ctime>
#include <exception>
#include <memory>
#include <optional>

#include "console.hpp"
#include "dump/dump_options.hpp"
#include "history_store.hpp"
#include "odds_history.hpp"
#include "platform/bytes.hpp"
#include "platform/encoding.hpp"
#include "platform/error_text.hpp"
#include "platform/file_io.hpp"
#include "platform/literals.hpp"
#include "platform/paths.hpp"
#include "settings/settings.hpp"
#include "shell/viewer_instance.hpp"
#include "shell/viewer_session.hpp"
#include "value/value_model.hpp"

namespace orvikel::dump {

namespace fs = std::filesystem;

const char* UsageText() {
    return "使い方: orvikel-dump [--ini FILE] [--data DIR] --meeting K [--race R] [--out DIR] "
           "[--grid]\n"
           "                    [--trio box|wheel --horses N[,N...]] "
           "[--trio-order popularity|number]\n"
           "                    [--csv DIR] [--value] [--history]\n"
           "開催スロット K（1〜6）のレース R（省略時はファイルのある最初のレース）をビューアと\n"
           "同じように表示し、1行に1項目ずつ KEY<TAB>VALUE の形で UTF-8 "
           "で出力して、作業ファイルを\n"
           "DIR に書き込みます。ビューアと同じく、レースのオッズをオッズの時刻ごとに DIR の\n"
           "オッズ履歴 OrviKV.db に記録します。\n"
           "--trio: BOX か総流しのパネルで馬番を順にチェックします。MemoOdds5 の行のあとに\n"
           "trio.points（人気順位のある組の点数）、trio.excluded（取消・出走取消・1.0倍未満で\n"
           "除いた組の数）、trio.combined（合成オッズ、小数第1位未満切り捨て。点数が 0 のときは\n"
           "空）を出力します。\n"
           "--csv: レースの一覧を CSV ファイル（BOM 付き UTF-8、改行は CR LF）として DIR\n"
           "（なければ作成）に書き込みます: racecard.csv, bracket-quinella.csv, quinella.csv,\n"
           "wide.csv, exacta.csv, trio.csv, votes.csv。\n"
           "--value: trio の項目の後、history の項目の前に、理論オッズのある人気順位つきの組を\n"
           "1組1項目で出力します（券種は place, bracket-quinella, quinella, wide, exacta, trio\n"
           "の順、組は番号順）:\n"
           "value<TAB>券種<TAB>組番<TAB>オッズ<TAB>理論オッズ<TAB>乖離（組番は番号を - で\n"
           "つなぎ、bracket-quinella は枠番、exacta は着順のとおり。オッズは wide と place では\n"
           "下限。理論オッズは単勝オッズから求め小数第1位未満切り捨て、乖離はオッズ÷理論オッズを\n"
           "小数第2位未満切り捨て）。\n"
           "--history: ほかのすべての項目の後に、記録を古い順に1件1項目で出力します:\n"
           "history<TAB>HH:MM<TAB>w1<TAB>...<TAB>w18（オッズの時刻と、出馬表が示すとおりの\n"
           "各馬の単勝オッズ: オッズ、ﾄﾘｹｼ または空）。\n"
           "終了ステータス: 0 完了、1 更新か CSV ファイルの書き込みがエラーで止まったか出力を\n"
           "書き込めなかった（--history でオッズ履歴を読めなかった場合も、--ini のファイルや\n"
           "--data のフォルダがない場合も）、2 使い方の誤り、\n"
           "3 スロット K に開催がないかその開催にレースがない。\n";
}

namespace {

class ItemWriter {
  public:
    explicit ItemWriter(std::ostream& out) : out_(out) {}
    void Item(const std::string& key, std::string_view cp932Value) {
        Utf8Item(key, text::ToUtf8(cp932Value));
    }
    void Utf8Item(const std::string& key, std::string_view utf8Value) {
        out_ << key << '\t' << utf8Value << '\n';
    }
    // A list's TextLines or a vector of strings.
    template <class LineRange>
    void Lines(const std::string& key, const LineRange& lines) {
        for (const auto& line : lines) {
            Item(key, line);
        }
    }

  private:
    std::ostream& out_;
};

void WriteDisplay(const ViewerSession& session, bool grid, ItemWriter& w) {
    const DisplayState& d = session.display();
    w.Item("race", std::to_string(session.selection().SelectedRace));
    w.Item("EditYMDR", d.header.dateLine);
    w.Item("EditTokubetu", d.header.raceName);
    w.Item("EditJikoku", d.header.postTime);
    w.Item("EditJyouken", d.header.conditions);
    w.Item("EditCourse", d.header.course);
    w.Item("EditKyori", d.header.distance);
    w.Item("EditTousuu", d.header.runners);
    // The controls are numbered as the lists: 1 bracket quinella .. 5 trio.
    for (const OrderList list : kOddsLists) {
        w.Item("GBOdds" + std::to_string(static_cast<int>(list)), d.odds.caption[list]);
    }
    if (d.gridHint.show) {
        w.Lines("hint.DEGrid", SplitLines(d.gridHint.text));
    }
    for (const OrderList list : kOddsLists) {
        const Hint& hint = d.odds.hint[list];
        if (hint.show) {
            w.Item("hint.MemoOdds" + std::to_string(static_cast<int>(list)), hint.text);
        }
    }
    w.Lines("MemoSeiseki", d.results);
    if (grid) {
        for (int i = 1; i <= kGridRows; ++i) {
            std::string cells = std::to_string(i);
            for (const auto& cell : d.grid[i]) {
                cells += '\t';
                cells += cell;  // already UTF-8
            }
            w.Utf8Item("DEGrid", cells);
        }
    }
}

// Opens the trio panel and clicks the horses in order, as the panel would; prints each notice.
void RunTrio(ViewerSession& session, const DumpOptions& options, ItemWriter& w) {
    if (!options.trioOrder.empty()) {
        session.SetTrioOrder(options.trioOrder == "popularity");
    }
    session.ClickTrioMode(options.trioMode == "box" ? BoxWheelMode::Box : BoxWheelMode::Wheel);
    if (!session.TrioPanelVisible()) {
        return;  // no trio file: the panel stays closed and there is nothing to tick
    }
    for (int horse : options.horses) {
        if (!session.SelectableHorse(horse)) {
            continue;  // its check box is hidden
        }
        if (session.ClickTrioHorse(horse) == ExtractResult::Rejected) {
            w.Item("notice", lit::kTooManyTicks);
        }
    }
}

// Records the refreshed race in the history of the program folder, as the window does. An
// unusable history is said on the error stream and the dump goes on without it.
std::unique_ptr<history::HistoryStore> RecordHistory(const ViewerSession& session,
                                                     const fs::path& programDir,
                                                     std::ostream& err) {
    if (!history::HistoryBuiltIn()) {
        return nullptr;
    }
    try {
        const std::int64_t now = std::time(nullptr);
        auto store = history::OpenHistory(programDir, now);
        if (session.refreshSettled()) {
            store->Record(session.snapshot(), now);
        }
        return store;
    } catch (const history::HistoryError& e) {
        err << "orvikel-dump: " << text::ToUtf8(e.what()) << '\n';
        return nullptr;
    }
}

// The kinds as --value names them, in the order it prints them.
const char* ValueKindName(BetKind kind) {
    switch (kind) {
        case BetKind::Place:
            return "place";
        case BetKind::BracketQuinella:
            return "bracket-quinella";
        case BetKind::Quinella:
            return "quinella";
        case BetKind::Wide:
            return "wide";
        case BetKind::Exacta:
            return "exacta";
        case BetKind::Trio:
            return "trio";
        case BetKind::Win:
            break;
    }
    return "win";
}

// value<TAB>kind<TAB>combination<TAB>odds<TAB>theoretical<TAB>gap, one per priced combination
// with theoretical odds, kinds in the order of kValueKinds, combinations in number order.
void WriteValue(const ViewerSession& session, ItemWriter& w) {
    const ValueBoard board = session.Value();
    for (const BetKind kind : kValueKinds) {
        for (const ValueLine& line : ValueLines(session.snapshot(), board, kind)) {
            std::string item = ValueKindName(kind);
            item += '\t';
            for (int h = 0; h < NumbersOf(kind); ++h) {
                item += (h > 0 ? "-" : "") +
                        std::to_string(line.entry.horses[static_cast<std::size_t>(h)]);
            }
            item += '\t' + TenthsText(line.entry.odds);
            item += '\t' + TenthsText(line.figures.theoretical);
            item += '\t' + HundredthsText(line.figures.gap);
            w.Item("value", item);
        }
    }
}

// history<TAB>HH:MM<TAB>w1<TAB>...<TAB>w18, oldest first.
void WriteHistory(const history::HistoryStore& store, const RaceKey& race, ItemWriter& w) {
    for (const history::StoredSnapshot& stored : store.Snapshots(race, true)) {
        std::string item = stored.oddsTime;
        for (int horse = 1; horse <= history::kMaxHorse; ++horse) {
            item += '\t';
            item += history::WinOddsOf(stored.snapshot, horse).text;
        }
        w.Item("history", item);
    }
}

// The exit status once everything is printed: a standard output that could not take it all
// (a full disk, a closed pipe) is a failure, not a success with nothing to show.
int Finished(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    if (!out) {
        err << "orvikel-dump: 標準出力に書き込めません\n";
        return kExitRefreshFailed;
    }
    return status;
}

}  // namespace

int RunDump(const std::vector<std::string>& args, const fs::path& exeDir, std::ostream& out,
            std::ostream& err) {
    std::string usageError;
    const auto options = ParseDumpOptions(args, usageError);
    if (!options) {
        err << "orvikel-dump: " << usageError << '\n' << UsageText();
        return kExitUsage;
    }
    if (options->help) {
        out << UsageText();
        return Finished(out, err, kExitOk);
    }
    const fs::path programDir = options->outDir ? tools::Utf8Path(*options->outDir) : exeDir;
    ViewerSession session(programDir);
    ItemWriter writer(out);
    try {
        std::error_code ec;
        if (options->iniFile) {
            // A settings file asked for by name must be there: its defaults would be no answer.
            const fs::path ini = tools::Utf8Path(*options->iniFile);
            if (!fs::is_regular_file(ini, ec)) {
                err << "orvikel-dump: 設定ファイル " << *options->iniFile
                    << (fs::exists(ini, ec) ? " はファイルではありません\n" : " がありません\n");
                return kExitRefreshFailed;
            }
        }
        Settings settings = options->iniFile ? ReadSettingsFile(tools::Utf8Path(*options->iniFile))
                                             : ReadSettings(exeDir);
        if (!settings.notice.empty()) {
            err << "orvikel-dump: " << text::ToUtf8(settings.notice) << '\n';
        }
        if (options->dataDir) {
            settings.KelDir = WithSeparator(FolderSettingFromUtf8(*options->dataDir));
            if (!fs::is_directory(tools::Utf8Path(*options->dataDir), ec)) {
                err << "orvikel-dump: データフォルダ " << *options->dataDir << " がありません\n";
                return kExitRefreshFailed;
            }
        }
        fs::create_directories(programDir, ec);
        // What a dump killed during a write left, as a viewer starting here would remove it.
        RemoveStaleTempFiles(programDir);
        session.Create(std::move(settings));
        if (!session.meetings().slot[options->meeting].Visible) {
            err << "orvikel-dump: スロット " << options->meeting << " に開催がありません\n";
            return kExitNoRace;
        }
        session.ChooseMeetingAndRace(options->meeting, options->race);
        if (session.selection().SelectedRace == 0) {
            err << "orvikel-dump: スロット " << options->meeting
                << " の開催にはレースがありません\n";
            return kExitNoRace;
        }
    } catch (const std::exception& e) {
        WriteDisplay(session, options->grid, writer);
        err << "orvikel-dump: " << ErrorTextUtf8(e) << '\n';
        return Finished(out, err, kExitRefreshFailed);
    }
    const auto store = RecordHistory(session, programDir, err);
    WriteDisplay(session, options->grid, writer);
    if (!options->trioMode.empty()) {
        try {
            RunTrio(session, *options, writer);
        } catch (const std::exception& e) {
            err << "orvikel-dump: " << ErrorTextUtf8(e) << '\n';
            return Finished(out, err, kExitRefreshFailed);
        }
        writer.Lines("MemoOdds5", session.display().oddsLines[OrderList::Trio]);
        const TrioPoints points = session.TrioSetPoints().value_or(TrioPoints{});
        writer.Item("trio.points", std::to_string(points.points));
        writer.Item("trio.excluded", std::to_string(points.excluded));
        writer.Item("trio.combined", CombinedOddsText(points));
    }
    if (options->value) {
        WriteValue(session, writer);
    }
    if (options->csvDir) {
        try {
            session.ExportCsv(tools::Utf8Path(*options->csvDir));
        } catch (const std::exception& e) {
            err << "orvikel-dump: " << ErrorTextUtf8(e) << '\n';
            return Finished(out, err, kExitRefreshFailed);
        }
    }
    if (options->history) {
        if (!store) {
            // Asked for and not there: the reason went to the error stream above.
            return Finished(out, err, kExitRefreshFailed);
        }
        try {
            WriteHistory(*store, session.snapshot().race, writer);
        } catch (const history::HistoryError& e) {
            err << "orvikel-dump: " << text::ToUtf8(e.what()) << '\n';
            return Finished(out, err, kExitRefreshFailed);
        }
    }
    return Finished(out, err, kExitOk);
}

}  // namespace orvikel::dump
