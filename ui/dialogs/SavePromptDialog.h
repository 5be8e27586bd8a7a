#pragma once

#include "document/DocumentView.h"

#include <QDialog>

class QPushButton;

namespace kestrix {

// "Save changes?" with Sim, Nao and Cancelar. Esc and the title-bar close
// both mean Cancelar: nothing unsaved is ever thrown away by a stray key.
class SavePromptDialog : public QDialog {
    Q_OBJECT
public:
    using Answer = DocumentView::PromptAnswer;

    explicit SavePromptDialog(QWidget* parent = nullptr);

    // Shows the prompt modally, centred, with Sim focused.
    Answer ask();

    QPushButton* simButton() const { return m_sim; }
    QPushButton* naoButton() const { return m_nao; }
    QPushButton* cancelarButton() const { return m_cancelar; }

private:
    QPushButton* answerButton(const char* name, Answer answer);

    Answer m_answer = Answer::Cancelar;
    QPushButton* m_sim;
    QPushButton* m_nao;
    QPushButton* m_cancelar;
};

} // namespace kestrix
