#include "ui/main/EditMenu.h"

#include "document/CharacterDocument.h"
#include "ui/form/WindowFont.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

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

EditMenu::EditMenu(QMenuBar* menuBar, CharacterDocument& document, QObject* parent)
    : QObject(parent), m_document(document) {
    QMenu* editar = menuBar->addMenu(QString::fromUtf8("&Editar"));
    editar->setFont(windowFont());
    m_undoAction = editar->addAction(QString());
    m_undoAction->setShortcut(QKeySequence("Ctrl+Z"));
    m_redoAction = editar->addAction(QString());
    m_redoAction->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    for (QAction* action : {m_undoAction, m_redoAction})
        action->setShortcutContext(Qt::WindowShortcut);
    connect(&document, &CharacterDocument::undoStateChanged, this, &EditMenu::update);
    update();
    // Moving to another field ends a run of typing: the next keystroke is a
    // step of its own.
    connect(qApp, &QApplication::focusChanged, &document, &CharacterDocument::endTypingRun);
}

void EditMenu::update() {
    const QUndoStack& stack = m_document.undoStack();
    m_undoAction->setText(menuText("&Desfazer", stack.undoText()));
    m_undoAction->setEnabled(stack.canUndo());
    m_redoAction->setText(menuText("&Refazer", stack.redoText()));
    m_redoAction->setEnabled(stack.canRedo());
}

} // namespace kestrix
