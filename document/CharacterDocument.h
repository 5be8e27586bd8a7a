#pragma once

#include "document/Document.h"
#include "platform/Picture.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kestrix {

// Everything one undo step puts back: the sheet's data, the picture shown
// (the picture buttons change it without the sheet) and the observations as
// typed, since the sheet holds them only as wrapped lines.
struct EditState {
    CharacterData data;
    Picture picture;
    QString observationsText;

    bool operator==(const EditState& other) const;
    bool operator!=(const EditState& other) const { return !(*this == other); }
};

// The character being edited, as one edit changes it: the sheet and its
// file, the picture shown, the observations as typed, the history of
// Desfazer and Refazer and the modified flag. Windows forward input here and
// show what it reports.
//
// Each step of the history holds the whole state before and after it: a few
// kilobytes that undo and redo exactly, totals included. The modified flag
// follows the history: clear at the step last saved or loaded, set anywhere
// else.
class CharacterDocument : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::milliseconds()>;

    // Typing after a pause this long begins a new step, as in text editors.
    static constexpr std::chrono::milliseconds kTypingPause{1500};
    static constexpr int kStepLimit = 1000;
    // The longest picture path a character file holds.
    static constexpr std::size_t kMaxPicturePathLength = 255;

    explicit CharacterDocument(QObject* parent = nullptr);
    ~CharacterDocument() override;

    Document& document() { return m_document; }
    const CharacterSheet& sheet() const { return m_document.sheet; }
    bool isModified() const { return m_document.sheet.isModified(); }
    const Picture& picture() const { return m_picture; }
    const QString& observationsText() const { return m_observationsText; }

    // "Padrão" shows the first, "Sem Figura" the second.
    void setStandardPictures(Picture standard, Picture none);

    // ---- the edits ----
    void setName(const std::string& name);
    void setAttribute(Attribute which, const std::string& value);
    void setMagicPath(MagicPath which, const std::string& value);
    // The memo's text as typed and the lines it shows, which the file keeps.
    void setObservations(const QString& typed, std::vector<std::string> lines);
    void acquireAdvantage(const std::string& cost, const std::string& name);
    void acquireDisadvantage(const std::string& cost, const std::string& name);
    void removeAdvantage(int row);
    void removeDisadvantage(int row);
    // "Figura...": the picture loaded from `path`. The flag is set even when
    // the file does not load, as the choice itself counts as an edit.
    Result setPictureFile(const QString& path);
    void removePicture();     // "Sem Figura"
    void useDefaultPicture(); // "Padrão"
    // Opening an add dialog counts as a change, whether or not it adds.
    void addDialogOpened();

    // ---- the history ----
    void undo();
    void redo();
    // The typing run ends (the focus moved on): the next keystroke begins a step.
    void endTypingRun();
    const QUndoStack& undoStack() const { return m_stack; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // ---- transitions ----
    // A character was put in place (start-up, New, Open): it shows `picture`
    // and the memo `typed` as `lines`; a fresh history starts from it, saved.
    void loaded(const Picture& picture, const QString& typed, std::vector<std::string> lines);
    // A fresh history from what the document holds now, showing `picture`;
    // it counts as saved.
    void resetHistory(const Picture& picture);
    // What the sheet holds now is what its file holds.
    void saved();
    // What was just loaded is unsaved work brought back after a crash: it
    // stays modified until saved, and no step of the history undoes that.
    void recovered();

signals:
    // The whole sheet may differ (undo, redo): show it again.
    void sheetChanged();
    void totalsChanged();
    void acquiredChanged();
    void pictureChanged();
    void modifiedChanged(bool modified);
    // What Desfazer and Refazer would do changed.
    void undoStateChanged();
    // The character differs from what it was: any edit, undo or redo.
    void edited();

private:
    friend class EditStep;
    EditState currentState() const;
    void apply(const EditState& state);
    void record(const QString& text);
    void recordTyping(int field, const char* fieldName);
    void push(const QString& text, EditState after, int field);
    void setModified(bool modified);
    void followFlag();
    void acquire(void (CharacterSheet::*append)(const std::string&, const std::string&),
                 const std::string& cost, const std::string& name);
    void remove(const std::vector<std::string>& lines, void (CharacterSheet::*remove)(int),
                int row);
    void showPicture(const Picture& picture);

    Document m_document; // the sheet and its file, with the catalogues and data folders
    QUndoStack m_stack;
    Picture m_picture;
    QString m_observationsText;
    EditState m_current; // as the last step left it
    bool m_reportedModified = false;
    Picture m_standardPicture;
    Picture m_noPicture;
    Clock m_clock;
    int m_typingField = -1;
    std::chrono::milliseconds m_lastKeystroke{};
};

} // namespace kestrix
