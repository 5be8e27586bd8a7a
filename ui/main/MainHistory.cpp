#include "platform/TextConversion.h"
#include "ui/form/WindowFont.h"
#include "ui/main/EditHistory.h"
#include "ui/main/Main.h"
#include "ui/widgets/ObservationsMemo.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

// The main window's side of Desfazer and Refazer: what a step holds, how a
// state is shown again, the "&Editar" menu.

namespace kestrix {
namespace {

// The names of the typed fields in the steps' texts, numbered as in Main.h.
const char* const kTypedFieldNames[] = {
    "Nome",
    // Attributes, in the order of Attribute
    "Força",
    "Habilidade",
    "Resistência",
    "Armadura",
    "Poder de Fogo",
    // Magic paths, in the order of MagicPath
    "Fogo",
    "Terra",
    "Água",
    "Ar",
    "Luz",
    "Trevas",
    "Observações",
};

// A step's text as a menu shows it: an '&' in an item's name is no accelerator.
QString menuText(const char* command, const QString& step) {
    QString text = QString::fromUtf8(command);
    if (!step.isEmpty())
        text += ' ' + QString(step).replace('&', "&&");
    return text;
}

} // namespace

EditState TfrmMain::currentState() const {
    return {m_document.sheet.data(), m_shownPicture, Mm_observ->text()};
}

void TfrmMain::showState(const EditState& state) {
    refillControls();
    // The memo gets back its text as typed, not its wrapped lines.
    if (Mm_observ->text() != state.observationsText)
        Mm_observ->setLines(state.observationsText.split('\n'));
    showPicture(state.picture);
}

void TfrmMain::startHistory() {
    m_history->reset(currentState());
}

void TfrmMain::recordStep(const QString& text) {
    m_history->record(text, currentState());
}

void TfrmMain::recordTyping(int field) {
    m_history->recordTyping(
        field, QString::fromUtf8("digitação em ") + QString::fromUtf8(kTypedFieldNames[field]),
        currentState());
}

void TfrmMain::sheetSaved() {
    m_history->markSaved();
}

void TfrmMain::buildEditMenu() {
    m_history = new EditHistory(
        m_document.sheet, [this](const EditState& state) { showState(state); }, this);
    QMenu* editar = menuBar()->addMenu(QString::fromUtf8("&Editar"));
    editar->setFont(windowFont());
    m_undoAction = editar->addAction(QString());
    m_undoAction->setShortcut(QKeySequence("Ctrl+Z"));
    m_redoAction = editar->addAction(QString());
    m_redoAction->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    for (QAction* action : {m_undoAction, m_redoAction})
        action->setShortcutContext(Qt::WindowShortcut);
    connect(m_undoAction, &QAction::triggered, this, &TfrmMain::DesfazerClick);
    connect(m_redoAction, &QAction::triggered, this, &TfrmMain::RefazerClick);
    QUndoStack& stack = m_history->stack();
    connect(&stack, &QUndoStack::indexChanged, this, &TfrmMain::updateEditMenu);
    connect(&stack, &QUndoStack::cleanChanged, this, &TfrmMain::updateEditMenu);
    updateEditMenu();
    // Moving to another field ends a run of typing: the next keystroke is a
    // step of its own.
    connect(qApp, &QApplication::focusChanged, m_history, &EditHistory::endTypingRun);
}

void TfrmMain::updateEditMenu() {
    const QUndoStack& stack = m_history->stack();
    m_undoAction->setText(menuText("&Desfazer", stack.undoText()));
    m_undoAction->setEnabled(stack.canUndo());
    m_redoAction->setText(menuText("&Refazer", stack.redoText()));
    m_redoAction->setEnabled(stack.canRedo());
}

// While an add dialog or a notice is up the window is disabled, and the
// character must not change under it.
void TfrmMain::DesfazerClick() {
    if (isEnabled())
        m_history->undo();
}

void TfrmMain::RefazerClick() {
    if (isEnabled())
        m_history->redo();
}

} // namespace kestrix
