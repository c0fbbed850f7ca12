#pragma once
// The trio BOX / total-wheel selection: which horses are ticked, the click rules with their
// limits (10 BOX horses, 2 wheel axes), and the extraction of the matching trio lines from
// "QvYOSo.dat" / "QvYONo.dat" into "QvYOBSo.dat", "QvYOBNo.dat", "QvYOWSo.dat", "QvYOWNo.dat".
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "domain/race_files.hpp"
#include "platform/indexed_array.hpp"
#include "platform/text_lines.hpp"

namespace orvikel {

enum class BoxWheelMode { None, Box, Wheel };

enum class ExtractResult : int {
    NoExtraction = 97,  // selection changed, too few horses for a BOX
    WheelEmptied = 98,  // the last wheel axis was unticked
    ListsWritten = 99,  // both extraction files of the mode were rewritten
    Rejected = 100,     // tick refused: too many horses (notice shown, box to be unticked)
};

inline constexpr int kMaxBoxHorses = 10;
inline constexpr int kMaxWheelAxes = 2;

// Separators between groups of a trio list in combination order.
std::vector<std::string> GroupTrioLines(const std::vector<std::string>& lines);

class TrioSelector {
  public:
    BoxWheelMode mode() const { return mode_; }
    bool IsTicked(int horse) const { return selection_[horse] == 1; }
    int TickedCount() const;
    // True when the selection is complete enough to extract: a BOX of 3 or more horses, a total
    // wheel with an axis.
    bool HasExtraction() const;

    // Opens the panel in mode with an empty selection.
    void Open(BoxWheelMode mode);
    // Empties the selection (ク リ ア); the mode stays.
    void Clear();
    // Clear, then no mode.
    void Close();

    // The click protocol for the check box of horse (1..18), after the toolkit toggled it.
    // May rewrite the two files of the mode in programDir, under the folder's WriterLock; when
    // another writer holds it (WriterBusy) the selection stays as it was before the click.
    ExtractResult Click(int horse, const std::filesystem::path& programDir);

    // The extraction of the ticks as they stand, again over trio lists the refresh has just
    // rewritten (the live refresh keeps the panel). True when the mode's files were written;
    // false with too few horses ticked for an extraction.
    bool Reextract(const std::filesystem::path& programDir) const;

    // Lines of the extraction file of the current mode and order (ybwSort "True": popularity,
    // "false": combination order); empty with too few horses or any other flag text.
    TextLines LoadList(const std::filesystem::path& programDir, const std::string& ybwSort) const;

  private:
    ExtractResult Toggle(int horse, const std::filesystem::path& programDir);
    void Extract(int threshold, const std::filesystem::path& programDir) const;

    BoxWheelMode mode_ = BoxWheelMode::None;
    OneBased<int, kHorses> selection_{};  // TrioSelection, by horse number
};

}  // namespace orvikel
