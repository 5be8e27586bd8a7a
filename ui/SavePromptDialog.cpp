#include "SavePromptDialog.h"

#include "WindowFont.h"
#include "WindowPlacement.h"

#include <QLabel>
#include <QPushButton>

namespace kestrix {

SavePromptDialog::SavePromptDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QString::fromUtf8("Vellmarin for Windows 95"));
    setFont(windowFont());
    setFixedSize(305, 81);
    setModal(true);

    auto* question =
        new QLabel(QString::fromUtf8("Deseja salvar as alterações no personagem?"), this);
    question->setGeometry(16, 16, 273, 17);
    question->setWordWrap(true);

    m_sim = addButton(QString::fromUtf8("&Sim"), 8, Answer::Sim);
    m_nao = addButton(QString::fromUtf8("&Não"), 112, Answer::Nao);
    m_cancelar = addButton(QString::fromUtf8("&Cancelar"), 216, Answer::Cancelar);
    m_sim->setDefault(true);
}

QPushButton* SavePromptDialog::addButton(const QString& text, int left, Answer answer) {
    auto* button = new QPushButton(text, this);
    button->setGeometry(left, 48, 81, 25);
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
