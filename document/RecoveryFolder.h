#pragma once

#include "core/Error.h"
#include "storage/ProcessIdentity.h"
#include "storage/RecoveryCopy.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrix {

// The folder where each running editor keeps the recovery copy of its
// unsaved work, one file per editor, and where a later start finds the
// copies of editors that ended without saving.
class RecoveryFolder {
public:
    using RunningCheck = std::function<bool(const ProcessIdentity&)>;
    // At most this many copies are looked at by one start; a folder filled
    // with more by anything else cannot hold the start up.
    static constexpr int kMaxCopiesExamined = 256;

    // $XDG_STATE_HOME/kestrix when that is absolute, else
    // ~/.local/state/kestrix; empty without a home, when no copy is kept.
    // `environment` reads a variable (null when unset).
    static std::string
    forUser(const std::function<const char*(const char*)>& environment = nullptr);

    explicit RecoveryFolder(std::string directory, ProcessIdentity self = currentProcessIdentity(),
                            RunningCheck isRunning = isProcessRunning);

    const std::string& directory() const { return m_directory; }
    // This editor's own copy.
    std::string ownCopyPath() const;
    const ProcessIdentity& self() const { return m_self; }

    // Replaces this editor's copy with `copy` as a whole: written to a new
    // file, brought to the disk, then renamed over the old one, readable by
    // the user alone. The folder is made when missing.
    Result write(const RecoveryCopy& copy);
    void removeOwn();

    struct Found {
        std::string path;
        RecoveryCopy copy;
    };
    // The copies of editors no longer running that a start with `fileArgument`
    // offers, newest first: every one when it is empty, else those of that
    // file (the same path, or the same file under another name). Copies of
    // running editors are neither read nor touched; damaged ones and anything
    // else named like a copy are removed on the way.
    std::vector<Found> abandoned(const std::string& fileArgument);
    void remove(const Found& found);

private:
    std::string m_directory;
    ProcessIdentity m_self;
    RunningCheck m_isRunning;
};

} // namespace kestrix
