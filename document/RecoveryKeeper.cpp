#include "document/RecoveryKeeper.h"

#include "document/CharacterDocument.h"

#include <ctime>
#include <iostream>

namespace kestrix {

RecoveryKeeper::RecoveryKeeper(CharacterDocument& document, RecoveryFolder folder, QObject* parent)
    : QObject(parent), m_document(document), m_folder(std::move(folder)),
      m_clock([] { return static_cast<std::int64_t>(std::time(nullptr)); }) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelay);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::writeCopy);
    connect(&m_document, &CharacterDocument::edited, this, &RecoveryKeeper::edited);
    connect(&m_document, &CharacterDocument::modifiedChanged, this,
            &RecoveryKeeper::modifiedChanged);
    if (m_document.isModified())
        edited();
}

RecoveryKeeper::~RecoveryKeeper() {
    m_folder.removeOwn();
}

// The first edit after a copy starts the wait; the edits during it ride
// along, so a copy is at most kDelay behind and typing never postpones it.
void RecoveryKeeper::edited() {
    if (m_document.isModified() && !m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::modifiedChanged(bool modified) {
    if (modified) {
        edited();
        return;
    }
    // Saved, loaded anew or undone to the saved state: nothing to recover.
    m_timer.stop();
    if (m_copyWritten) {
        m_folder.removeOwn();
        m_copyWritten = false;
    }
}

bool RecoveryKeeper::flush() {
    if (m_timer.isActive() || (m_document.isModified() && !m_copyWritten))
        writeCopy();
    return !m_timer.isActive() && (m_copyWritten || !m_document.isModified());
}

void RecoveryKeeper::writeCopy() {
    m_timer.stop();
    if (!m_document.isModified())
        return;
    const Document& document = m_document.document();
    RecoveryCopy copy;
    copy.writer = m_folder.self();
    copy.savedAt = m_clock();
    copy.filePath = document.file.currentFileName();
    copy.fileOnDisk = document.file.onDisk();
    copy.record = document.file.recordOf(document.sheet).bytes();
    if (const Result error = m_folder.write(copy)) {
        if (!m_failureReported)
            std::cerr << "kestrix: recovery copy " << m_folder.ownCopyPath()
                      << " not written: " << error->message << std::endl;
        m_failureReported = true;
        return;
    }
    m_copyWritten = true;
}

} // namespace kestrix
