#pragma once

#include "document/RecoveryFolder.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace kestrix {

class CharacterDocument;

// Keeps the recovery copy of a character's unsaved work up to date: written
// a moment after an edit (never more than once a second however fast the
// typing), removed as soon as there is nothing unsaved, and at a clean end.
// A copy that cannot be written is said once on standard error and never
// interrupts the user.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // How long after an edit its copy is written at the latest.
    static constexpr std::chrono::milliseconds kDelay{1000};
    using Clock = std::function<std::int64_t()>; // seconds since the epoch

    RecoveryKeeper(CharacterDocument& document, RecoveryFolder folder, QObject* parent = nullptr);
    // The end of a run that did not crash: nothing is left to recover.
    ~RecoveryKeeper() override;

    RecoveryFolder& folder() { return m_folder; }
    // Writes the copy now if the character has unsaved work not yet in it.
    // True when the copy holds all of it.
    bool flush();
    bool isPending() const { return m_timer.isActive(); }
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    void edited();
    void modifiedChanged(bool modified);
    void writeCopy();

    CharacterDocument& m_document;
    RecoveryFolder m_folder;
    QTimer m_timer;
    Clock m_clock;
    bool m_copyWritten = false;
    bool m_failureReported = false;
};

} // namespace kestrix
