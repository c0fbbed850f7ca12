#include "trio/trio_selection.hpp"

#include <bitset>
#include <stdexcept>

#include "domain/lists.hpp"
#include "domain/race_files.hpp"
#include "platform/bytes.hpp"
#include "platform/file_io.hpp"
#include "platform/folder_lock.hpp"

namespace orvikel {

namespace {

constexpr int kBoxThreshold = 3;

const std::string& NewFirstHorse() {
    static const std::string separator = "#--------------------";
    return separator;
}
const std::string& NewSecondHorse() {
    static const std::string separator = "  -------------------";
    return separator;
}

// The three horse numbers of a trio line stand at columns 1-2, 4-5 and 7-8; a shorter line is
// no trio line, even when its first field names a ticked horse.
constexpr int kHorseColumns[] = {1, 4, 7};
constexpr std::size_t kMinTrioLine = 8;

}  // namespace

std::vector<std::string> GroupTrioLines(const std::vector<std::string>& lines) {
    std::vector<std::string> grouped;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            const std::string& before = lines[i - 1];
            if (Cut(lines[i], 1, 2) != Cut(before, 1, 2)) {
                grouped.push_back(NewFirstHorse());
            } else if (Cut(lines[i], 4, 2) != Cut(before, 4, 2)) {
                grouped.push_back(NewSecondHorse());
            }
        }
        grouped.push_back(lines[i]);
    }
    return grouped;
}

int TrioSelector::TickedCount() const {
    int count = 0;
    for (int horse = 1; horse <= kHorses; ++horse) {
        count += IsTicked(horse) ? 1 : 0;
    }
    return count;
}

void TrioSelector::Open(BoxWheelMode mode) {
    Clear();
    mode_ = mode;
}

void TrioSelector::Clear() {
    selection_.fill(0);
}

void TrioSelector::Close() {
    Clear();
    mode_ = BoxWheelMode::None;
}

ExtractResult TrioSelector::Click(int horse, const std::filesystem::path& programDir) {
    // A click that found another writer at work changed nothing, so it can be made again.
    const auto before = selection_;
    try {
        return Toggle(horse, programDir);
    } catch (const WriterBusy&) {
        selection_ = before;
        throw;
    }
}

ExtractResult TrioSelector::Toggle(int horse, const std::filesystem::path& programDir) {
    if (horse < 1 || horse > kHorses) {
        throw std::out_of_range("trio selection: horse number outside 1..18");
    }
    const int count = TickedCount();
    const bool untick = IsTicked(horse);

    if (mode_ == BoxWheelMode::Wheel) {
        if (!untick) {
            if (count >= kMaxWheelAxes) {
                return ExtractResult::Rejected;
            }
            selection_[horse] = 1;
            Extract(count + 1, programDir);
            return ExtractResult::ListsWritten;
        }
        selection_[horse] = 0;
        if (count <= 1) {
            return ExtractResult::WheelEmptied;
        }
        Extract(count - 1, programDir);
        return ExtractResult::ListsWritten;
    }
    if (mode_ == BoxWheelMode::Box) {
        if (!untick) {
            if (count >= kMaxBoxHorses) {
                return ExtractResult::Rejected;
            }
            selection_[horse] = 1;
            if (count + 1 < kBoxThreshold) {
                return ExtractResult::NoExtraction;
            }
        } else {
            selection_[horse] = 0;
            if (count - 1 < kBoxThreshold) {
                return ExtractResult::NoExtraction;
            }
        }
        Extract(kBoxThreshold, programDir);
        return ExtractResult::ListsWritten;
    }
    return ExtractResult::NoExtraction;  // no panel open: nothing to select
}

bool TrioSelector::Reextract(const std::filesystem::path& programDir) const {
    const int count = TickedCount();
    if (mode_ == BoxWheelMode::Wheel && count >= 1) {
        Extract(count, programDir);
        return true;
    }
    if (mode_ == BoxWheelMode::Box && count >= kBoxThreshold) {
        Extract(kBoxThreshold, programDir);
        return true;
    }
    return false;
}

void TrioSelector::Extract(int threshold, const std::filesystem::path& programDir) const {
    // The two-byte number texts of the ticked horses, made once as a set of byte pairs:
    // each field of every line is looked up there.
    const auto pairKey = [](const std::string& text) {
        return static_cast<std::size_t>(static_cast<unsigned char>(text[0])) << 8 |
               static_cast<unsigned char>(text[1]);
    };
    std::bitset<1 << 16> ticked;
    for (int horse = 1; horse <= kHorses; ++horse) {
        if (IsTicked(horse)) {
            ticked.set(pairKey(SlotText(horse)));
        }
    }
    const auto taken = [&](const std::vector<std::string>& lines) {
        std::vector<std::string> out;
        for (const auto& line : lines) {
            if (line.size() < kMinTrioLine) {
                continue;
            }
            int matches = 0;
            for (int column : kHorseColumns) {
                const std::string field = Cut(line, column, 2);
                if (field.size() == 2 && ticked.test(pairKey(field))) {
                    ++matches;
                }
            }
            if (matches >= threshold) {
                out.push_back(line);
            }
        }
        return out;
    };
    // Both lists are read before either file is written, so a missing list leaves the pair of
    // the mode as it was instead of a new popularity file beside an old combination file; and
    // under the lock, so both come from the same refresh.
    const WriterLock lock(programDir);
    const auto popularity = taken(ReadWorkFile(programDir, work_file::kTrio.popularity));
    const auto combination = taken(ReadWorkFile(programDir, work_file::kTrio.number));
    const bool box = mode_ == BoxWheelMode::Box;
    WriteWorkFile(programDir, (box ? work_file::kTrioBox : work_file::kTrioWheel).popularity,
                  popularity);
    WriteWorkFile(programDir, (box ? work_file::kTrioBox : work_file::kTrioWheel).number,
                  GroupTrioLines(combination));
}

bool TrioSelector::HasExtraction() const {
    const int count = TickedCount();
    return mode_ == BoxWheelMode::Box ? count >= kBoxThreshold
                                      : mode_ == BoxWheelMode::Wheel && count >= 1;
}

TextLines TrioSelector::LoadList(const std::filesystem::path& programDir,
                                 const std::string& ybwSort) const {
    if (!HasExtraction()) {
        return {};
    }
    const bool box = mode_ == BoxWheelMode::Box;
    if (ybwSort == "True") {
        return ReadWorkFileLines(programDir,
                                 (box ? work_file::kTrioBox : work_file::kTrioWheel).popularity);
    }
    if (ybwSort == "false") {
        return ReadWorkFileLines(programDir,
                                 (box ? work_file::kTrioBox : work_file::kTrioWheel).number);
    }
    return {};
}

}  // namespace orvikel
