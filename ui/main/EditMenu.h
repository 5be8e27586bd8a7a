#pragma once

#include <QObject>

class QAction;
class QMenuBar;

namespace kestrix {

class CharacterDocument;

// The "&Editar" menu: Desfazer and Refazer, named after the step each would
// take, enabled while there is one.
class EditMenu : public QObject {
    Q_OBJECT
public:
    EditMenu(QMenuBar* menuBar, CharacterDocument& document, QObject* parent);

    QAction* undoAction() const { return m_undoAction; }
    QAction* redoAction() const { return m_redoAction; }

private:
    void update();

    CharacterDocument& m_document;
    QAction* m_undoAction;
    QAction* m_redoAction;
};

} // namespace kestrix
