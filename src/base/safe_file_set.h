#pragma once

#include "base/safe_file_writer.h"

#include <QString>

#include <memory>
#include <vector>

// Replaces a set of files all together or not at all, such as pages and the list that names
// them. Each new file is written whole beside its target first, as a single file is; only when
// all of them are on the disk do they take their targets' places, and when one cannot, the
// files replaced before it are put back. An interrupt before that removes the new files, and
// one during it waits until the set is wholly new or wholly old.
class SafeFileSet {
  public:
    // Reserves a new file beside `target`, after the checks a single file has, and sets
    // `staged` to its name, for a writer that replaces a file whole to fill in. A staged file
    // not put in place goes with the set. Returns "FILE: reason" if the target cannot be
    // replaced.
    Failure stage(const QString& target, QString& staged);
    // Puts every staged file in place of its target, or none. Returns "FILE: reason" of the
    // target that could not be replaced.
    Failure commit();

  private:
    struct Staged {
        QString target;
        std::unique_ptr<SafeFileWriter> writer;
    };
    std::vector<Staged> m_files;
};
