#pragma once
// One viewer per program folder. The work files are the only channel between the refresh and
// the lists a viewer shows: a second viewer on the same folder would rewrite them under the
// first, whose next order click or trio extraction would then show the other viewer's race.
// So the second one is told and stops.
#include <filesystem>

#include "platform/folder_lock.hpp"

namespace orvikel {

class ViewerInstance {
  public:
    // Claims programDir for as long as this object lives (the OS lets go of it when the
    // process ends, however it ends) and removes the temporary files that writers killed
    // during a write left there. Throws DataError "フォルダ <dir> の OrviKEL Viewer は既に起動
    // しています" when another viewer holds it, and "ファイル <lock file> をロックできません"
    // when its lock file cannot be used though the folder may be written (a folder of that
    // name). A folder that cannot be written at all cannot be claimed; the viewer runs there
    // all the same, and its writes report that folder.
    explicit ViewerInstance(const std::filesystem::path& programDir);

  private:
    FileLock lock_;
};

// Removes from programDir the temporary files of its work files ("Qv*.dat") and its settings
// file that a killed writer left, but only when no writer is at work there now (it holds the
// writer lock meanwhile); returns how many it removed.
int RemoveStaleTempFiles(const std::filesystem::path& programDir);

}  // namespace orvikel
