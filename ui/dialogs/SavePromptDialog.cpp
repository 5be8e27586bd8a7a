#include "ui/dialogs/SavePromptDialog.h"

#include "ui/form/ApplicationTitle.h"
#include "ui/form/FormLayout.h"
#include "ui/form/WindowPlacement.h"
#include "ui/form/WindowSetup.h"

#include <QLabel>
#include <QPushButton>

namespace kestrix {

SavePromptDialog::SavePromptDialog(QWidget* parent)
    : QDialog(parent, windowFlagsFor(WindowKind::Dialog)) {
    setUpWindow(this, nullptr, kSavePromptCaption, 305, 81);
    setModal(true);
    // clang-format off
    const FormControl layout[] = {
        form::label("Deseja salvar as alterações no personagem?", 16, 16, 273, 17).named("Label1"),
        form::button("btSim",      "&Sim",        8, 48, 81, 25),
        form::button("btNao",      "&Não",      112, 48, 81, 25),
        form::button("btCancelar", "&Cancelar", 216, 48, 81, 25),
    };
    // clang-format on
    buildForm(this, layout);
    formControl<QLabel>(this, "Label1")->setWordWrap(true);
    m_sim = answerButton("btSim", Answer::Sim);
    m_nao = answerButton("btNao", Answer::Nao);
    m_cancelar = answerButton("btCancelar", Answer::Cancelar);
    m_sim->setDefault(true);
}

QPushButton* SavePromptDialog::answerButton(const char* name, Answer answer) {
    auto* button = formControl<QPushButton>(this, name);
    connect(button, &QPushButton::clicked, this, [this, answer] {
        m_answer = answer;
        done(answer == Answer::Cancelar ? Rejected : Accepted);
    });
    return button;
}

SavePromptDialog::Answer SavePromptDialog::ask() {
    m_answer = Answer::Cancelar; // Esc and the title-bar close reject without a button
    centreOnScreen(this);
    m_sim->setFocus();
    exec();
    return m_answer;
}

} // namespace kestrix
