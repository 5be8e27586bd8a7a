#include "ui/main/EditHistory.h"

#include <QUndoCommand>
#include <utility>

namespace kestrix {

bool EditState::operator==(const EditState& other) const {
    return data == other.data && observationsText == other.observationsText &&
           picture.kind == other.picture.kind && picture.image == other.picture.image &&
           picture.svg == other.picture.svg;
}

// One step. It is pushed after its edit has happened, so its first redo
// does nothing. A typing step stays open to the next keystroke in its field
// until it ends (see id()).
class EditStep : public QUndoCommand {
public:
    EditStep(EditHistory& history, const QString& text, EditState before, EditState after,
             int field)
        : QUndoCommand(text), m_history(history), m_before(std::move(before)),
          m_after(std::move(after)), m_field(field) {}

    int id() const override { return m_typingOpen ? m_field : -1; }
    // The stack hands its steps out as const; ending a run changes no state.
    void endTyping() const { m_typingOpen = false; }

    bool mergeWith(const QUndoCommand* other) override {
        m_after = static_cast<const EditStep*>(other)->m_after;
        // Typing that came back to where the run began leaves no step.
        setObsolete(m_after == m_before);
        return true;
    }

    void redo() override {
        if (m_pushed) {
            m_history.apply(m_after);
            m_typingOpen = false;
        }
        m_pushed = true;
    }
    void undo() override {
        m_history.apply(m_before);
        m_typingOpen = false;
    }

private:
    EditHistory& m_history;
    EditState m_before;
    EditState m_after;
    int m_field;
    mutable bool m_typingOpen = true;
    bool m_pushed = false;
};

namespace {

std::chrono::milliseconds steadyNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace

EditHistory::EditHistory(CharacterSheet& sheet, Show show, QObject* parent)
    : QObject(parent), m_sheet(sheet), m_show(std::move(show)), m_clock(steadyNow) {
    m_stack.setUndoLimit(kStepLimit);
    connect(&m_stack, &QUndoStack::indexChanged, this, &EditHistory::followFlag);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &EditHistory::followFlag);
}

// The stack reports its own clearing when it goes: nobody is to hear of it,
// neither the sheet's flag nor a window half taken down.
EditHistory::~EditHistory() {
    m_stack.disconnect();
}

void EditHistory::followFlag() {
    if (m_stack.isClean())
        m_sheet.clearModified();
    else
        m_sheet.setModified();
}

void EditHistory::reset(EditState current) {
    m_current = std::move(current);
    m_typingField = -1;
    m_stack.clear();
    m_stack.setClean();
}

void EditHistory::markSaved() {
    endTypingRun();
    m_stack.setClean();
}

void EditHistory::record(const QString& text, EditState after) {
    endTypingRun();
    push(text, std::move(after), -1);
}

void EditHistory::recordTyping(int field, const QString& text, EditState after) {
    const std::chrono::milliseconds now = m_clock();
    if (field != m_typingField || now - m_lastKeystroke > kTypingPause)
        endTypingRun();
    m_typingField = field;
    m_lastKeystroke = now;
    push(text, std::move(after), field);
}

void EditHistory::push(const QString& text, EditState after, int field) {
    if (after == m_current)
        return;
    EditState before = std::exchange(m_current, after);
    m_stack.push(new EditStep(*this, text, std::move(before), std::move(after), field));
}

void EditHistory::endTypingRun() {
    m_typingField = -1;
    if (m_stack.index() > 0)
        static_cast<const EditStep*>(m_stack.command(m_stack.index() - 1))->endTyping();
}

void EditHistory::undo() {
    endTypingRun();
    m_stack.undo();
}

void EditHistory::redo() {
    endTypingRun();
    m_stack.redo();
}

void EditHistory::apply(const EditState& state) {
    m_current = state;
    m_sheet.replaceData(state.data);
    m_show(state);
}

} // namespace kestrix
