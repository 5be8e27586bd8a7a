#include "Main.h"
#include "ObservationsMemo.h"
#include "TextConversion.h"
#include "WindowFont.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

// The main window's side of Desfazer and Refazer: what a step holds, how a
// state is shown again, the "&Editar" menu.

namespace kestrix {
namespace {

// A step's text as a menu shows it: an '&' in an item's name is no accelerator.
QString menuText(const char* command, const QString& step) {
    QString text = QString::fromUtf8(command);
    if (!step.isEmpty())
        text += ' ' + QString(step).replace('&', "&&");
    return text;
}

} // namespace

void TfrmMain::showRestoredState() {
    refillControls();
    // The memo gets back its text as typed, not its wrapped lines.
    const QString& typed = m_characterDocument->observationsText();
    if (Mm_observ->text() != typed)
        Mm_observ->setLines(typed.split('\n'));
}

void TfrmMain::startHistory() {
    m_characterDocument->resetHistory(shownPicture());
}

void TfrmMain::sheetSaved() {
    m_characterDocument->saved();
}

void TfrmMain::buildEditMenu() {
    connect(m_characterDocument, &CharacterDocument::sheetChanged, this,
            &TfrmMain::showRestoredState);
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
    connect(m_characterDocument, &CharacterDocument::undoStateChanged, this,
            &TfrmMain::updateEditMenu);
    updateEditMenu();
    // Moving to another field ends a run of typing: the next keystroke is a
    // step of its own.
    connect(qApp, &QApplication::focusChanged, m_characterDocument,
            &CharacterDocument::endTypingRun);
}

void TfrmMain::updateEditMenu() {
    const QUndoStack& stack = m_characterDocument->undoStack();
    m_undoAction->setText(menuText("&Desfazer", stack.undoText()));
    m_undoAction->setEnabled(stack.canUndo());
    m_redoAction->setText(menuText("&Refazer", stack.redoText()));
    m_redoAction->setEnabled(stack.canRedo());
}

// While an add dialog or a notice is up the window is disabled, and the
// character must not change under it.
void TfrmMain::DesfazerClick() {
    if (isEnabled())
        m_characterDocument->undo();
}

void TfrmMain::RefazerClick() {
    if (isEnabled())
        m_characterDocument->redo();
}

} // namespace kestrix
