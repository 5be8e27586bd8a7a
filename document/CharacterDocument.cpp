#include "document/CharacterDocument.h"

#include "platform/TextConversion.h"

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
    EditStep(CharacterDocument& document, const QString& text, EditState before, EditState after,
             int field)
        : QUndoCommand(text), m_document(document), m_before(std::move(before)),
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
            m_document.apply(m_after);
            m_typingOpen = false;
        }
        m_pushed = true;
    }
    void undo() override {
        m_document.apply(m_before);
        m_typingOpen = false;
    }

private:
    CharacterDocument& m_document;
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

// Typed fields, each with its own typing runs, and their names in the steps'
// texts.
constexpr int kNameField = 0;
constexpr int kFirstAttributeField = 1;
constexpr int kFirstMagicField = kFirstAttributeField + kAttributeCount;
constexpr int kObservationsField = kFirstMagicField + kMagicPathCount;
const char* const kAttributeNames[kAttributeCount] = {
    "Força", "Habilidade", "Resistência", "Armadura", "Poder de Fogo",
};
const char* const kMagicPathNames[kMagicPathCount] = {
    "Fogo", "Terra", "Água", "Ar", "Luz", "Trevas",
};

} // namespace

CharacterDocument::CharacterDocument(QObject* parent) : QObject(parent), m_clock(steadyNow) {
    m_stack.setUndoLimit(kStepLimit);
    connect(&m_stack, &QUndoStack::indexChanged, this, &CharacterDocument::followFlag);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &CharacterDocument::followFlag);
    connect(&m_stack, &QUndoStack::indexChanged, this, &CharacterDocument::undoStateChanged);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &CharacterDocument::undoStateChanged);
    m_current = currentState();
}

// The stack reports its own clearing when it goes: nobody is to hear of it,
// neither the sheet's flag nor a window half taken down.
CharacterDocument::~CharacterDocument() {
    m_stack.disconnect();
}

void CharacterDocument::setStandardPictures(Picture standard, Picture none) {
    m_standardPicture = std::move(standard);
    m_noPicture = std::move(none);
}

EditState CharacterDocument::currentState() const {
    return {m_document.sheet.data(), m_picture, m_observationsText};
}

void CharacterDocument::setModified(bool modified) {
    if (modified)
        m_document.sheet.setModified();
    else
        m_document.sheet.clearModified();
    if (modified != m_reportedModified) {
        m_reportedModified = modified;
        emit modifiedChanged(modified);
    }
}

void CharacterDocument::followFlag() {
    setModified(!m_stack.isClean());
}

// ---- the edits ----

void CharacterDocument::setName(const std::string& name) {
    m_document.sheet.setName(name);
    recordTyping(kNameField, "Nome");
}

void CharacterDocument::setAttribute(Attribute which, const std::string& value) {
    m_document.sheet.setAttribute(which, value);
    emit totalsChanged();
    recordTyping(kFirstAttributeField + static_cast<int>(which),
                 kAttributeNames[static_cast<int>(which)]);
}

void CharacterDocument::setMagicPath(MagicPath which, const std::string& value) {
    m_document.sheet.setMagicPath(which, value);
    emit totalsChanged();
    recordTyping(kFirstMagicField + static_cast<int>(which),
                 kMagicPathNames[static_cast<int>(which)]);
}

void CharacterDocument::setObservations(const QString& typed, std::vector<std::string> lines) {
    m_observationsText = typed;
    m_document.sheet.setObservations(std::move(lines));
    // Typed observations are changes like any other: Exit and New ask first.
    setModified(true);
    recordTyping(kObservationsField, "Observações");
}

void CharacterDocument::acquireAdvantage(const std::string& cost, const std::string& name) {
    acquire(&CharacterSheet::addAdvantage, cost, name);
}

void CharacterDocument::acquireDisadvantage(const std::string& cost, const std::string& name) {
    acquire(&CharacterSheet::addDisadvantage, cost, name);
}

void CharacterDocument::acquire(void (CharacterSheet::*append)(const std::string&,
                                                               const std::string&),
                                const std::string& cost, const std::string& name) {
    const std::size_t before =
        m_document.sheet.advantages().size() + m_document.sheet.disadvantages().size();
    (m_document.sheet.*append)(cost, name);
    if (m_document.sheet.advantages().size() + m_document.sheet.disadvantages().size() == before)
        return;
    emit acquiredChanged();
    emit totalsChanged();
    const auto& lines = append == &CharacterSheet::addAdvantage ? m_document.sheet.advantages()
                                                                : m_document.sheet.disadvantages();
    record(QString::fromUtf8("aquisição de ") + toQString(lines.back()));
}

void CharacterDocument::removeAdvantage(int row) {
    remove(m_document.sheet.advantages(), &CharacterSheet::removeAdvantage, row);
}

void CharacterDocument::removeDisadvantage(int row) {
    remove(m_document.sheet.disadvantages(), &CharacterSheet::removeDisadvantage, row);
}

void CharacterDocument::remove(const std::vector<std::string>& lines,
                               void (CharacterSheet::*remove)(int), int row) {
    const QString line = row >= 0 && static_cast<std::size_t>(row) < lines.size()
                             ? toQString(lines[row])
                             : QString();
    (m_document.sheet.*remove)(row);
    emit acquiredChanged();
    emit totalsChanged();
    record(QString::fromUtf8("remoção de ") + line);
}

Result CharacterDocument::setPictureFile(const QString& path) {
    setModified(true);
    const PictureLoad load = loadPictureFile(path);
    if (!load.ok())
        return load.error;
    showPicture(load.picture);
    m_document.sheet.setPicturePath(toWindows1252(path).substr(0, kMaxPicturePathLength));
    record(QString::fromUtf8("troca de figura"));
    return {};
}

void CharacterDocument::removePicture() {
    setModified(true);
    showPicture(m_noPicture);
    record(QString::fromUtf8("remoção da figura"));
}

void CharacterDocument::useDefaultPicture() {
    showPicture(m_standardPicture);
    setModified(true);
    record(QString::fromUtf8("figura padrão"));
}

void CharacterDocument::addDialogOpened() {
    setModified(true);
}

void CharacterDocument::showPicture(const Picture& picture) {
    m_picture = picture;
    emit pictureChanged();
}

// ---- the history ----

void CharacterDocument::record(const QString& text) {
    endTypingRun();
    push(text, currentState(), -1);
}

void CharacterDocument::recordTyping(int field, const char* fieldName) {
    const std::chrono::milliseconds now = m_clock();
    if (field != m_typingField || now - m_lastKeystroke > kTypingPause)
        endTypingRun();
    m_typingField = field;
    m_lastKeystroke = now;
    push(QString::fromUtf8("digitação em ") + QString::fromUtf8(fieldName), currentState(), field);
}

void CharacterDocument::push(const QString& text, EditState after, int field) {
    if (after == m_current)
        return;
    EditState before = std::exchange(m_current, after);
    m_stack.push(new EditStep(*this, text, std::move(before), std::move(after), field));
    emit edited();
}

void CharacterDocument::endTypingRun() {
    m_typingField = -1;
    if (m_stack.index() > 0)
        static_cast<const EditStep*>(m_stack.command(m_stack.index() - 1))->endTyping();
}

void CharacterDocument::undo() {
    endTypingRun();
    m_stack.undo();
}

void CharacterDocument::redo() {
    endTypingRun();
    m_stack.redo();
}

void CharacterDocument::apply(const EditState& state) {
    m_current = state;
    m_document.sheet.replaceData(state.data);
    m_observationsText = state.observationsText;
    m_picture = state.picture;
    emit sheetChanged();
    emit pictureChanged();
    emit edited();
}

// ---- transitions ----

void CharacterDocument::loaded(const Picture& picture, const QString& typed,
                               std::vector<std::string> lines) {
    m_document.sheet.setObservations(std::move(lines));
    m_observationsText = typed;
    resetHistory(picture);
}

void CharacterDocument::resetHistory(const Picture& picture) {
    // The picture already shown is not drawn again.
    if (picture.kind != m_picture.kind || picture.image.cacheKey() != m_picture.image.cacheKey() ||
        picture.svg != m_picture.svg)
        showPicture(picture);
    m_current = currentState();
    m_typingField = -1;
    m_stack.clear();
    m_stack.setClean();
    setModified(false);
}

void CharacterDocument::recovered() {
    m_stack.resetClean();
    setModified(true);
}

void CharacterDocument::saved() {
    endTypingRun();
    m_stack.setClean();
    setModified(false);
}

} // namespace kestrix
