#pragma once

#include "core/CharacterSheet.h"
#include "platform/Picture.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <chrono>
#include <functional>

namespace kestrix {

// Everything one undo step puts back: the sheet's data, the picture the
// window shows (the picture buttons change it without the sheet) and the
// observations as typed, since the sheet holds them only as wrapped lines.
struct EditState {
    CharacterData data;
    Picture picture;
    QString observationsText;

    bool operator==(const EditState& other) const;
    bool operator!=(const EditState& other) const { return !(*this == other); }
};

// The history of the character's edits for Desfazer and Refazer. Each step
// holds the whole state before and after it: a few kilobytes that undo and
// redo exactly, totals included. The sheet's modified flag follows the
// history: clear at the step last saved or loaded, set anywhere else.
class EditHistory : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::milliseconds()>;
    using Show = std::function<void(const EditState&)>;

    // Typing after a pause this long begins a new step, as in text editors.
    static constexpr std::chrono::milliseconds kTypingPause{1500};
    static constexpr int kStepLimit = 1000;

    // `show` puts a state on the window after the sheet has taken it.
    EditHistory(CharacterSheet& sheet, Show show, QObject* parent = nullptr);
    ~EditHistory() override;

    // A fresh history starting from `current`, which counts as saved.
    void reset(EditState current);
    // What the sheet holds now is what its file holds.
    void markSaved();

    // One step from the last known state to `after`; nothing when the edit
    // changed nothing.
    void record(const QString& text, EditState after);
    // A keystroke in field `field`: it joins the open typing run there.
    void recordTyping(int field, const QString& text, EditState after);
    // The typing run ends (the focus moved on): the next keystroke begins a step.
    void endTypingRun();

    void undo();
    void redo();

    QUndoStack& stack() { return m_stack; }
    const EditState& current() const { return m_current; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

private:
    friend class EditStep;
    void apply(const EditState& state);
    void push(const QString& text, EditState after, int field);
    void followFlag();

    CharacterSheet& m_sheet;
    Show m_show;
    QUndoStack m_stack;
    EditState m_current;
    Clock m_clock;
    int m_typingField = -1;
    std::chrono::milliseconds m_lastKeystroke{};
};

} // namespace kestrix
