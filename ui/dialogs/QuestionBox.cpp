#include "ui/dialogs/QuestionBox.h"

#include "ui/form/ApplicationTitle.h"
#include "ui/form/WindowFont.h"

#include <QMessageBox>
#include <QPushButton>

namespace kestrix {
namespace {

void setUpQuestion(QMessageBox& box) {
    box.setObjectName("questionBox");
    // Questions name files, and a file's name is never markup.
    box.setTextFormat(Qt::PlainText);
    box.setFont(windowFont());
}

QPushButton* addAnswer(QMessageBox& box, const char* caption, QMessageBox::ButtonRole role,
                       const char* name) {
    QPushButton* button = box.addButton(QString::fromUtf8(caption), role);
    button->setObjectName(name);
    return button;
}

// What Esc and the title bar's close answer.
enum class Escape {
    Nao,
    Cancelar,       // a "Cancelar" button, shown
    HiddenCancelar, // neither shown answer
};

QuestionAnswer ask(QWidget* parent, const QString& question, QuestionAnswer byDefault,
                   Escape escape) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), question,
                    QMessageBox::NoButton, parent);
    setUpQuestion(box);
    QPushButton* sim = addAnswer(box, "&Sim", QMessageBox::YesRole, "sim");
    QPushButton* nao = addAnswer(box, "&Não", QMessageBox::NoRole, "nao");
    QPushButton* cancelar = nao;
    if (escape == Escape::Cancelar)
        cancelar = addAnswer(box, "&Cancelar", QMessageBox::RejectRole, "cancelar");
    if (escape == Escape::HiddenCancelar) {
        cancelar = addAnswer(box, "", QMessageBox::RejectRole, "depois");
        cancelar->hide();
    }
    box.setDefaultButton(byDefault == QuestionAnswer::Sim ? sim : nao);
    box.setEscapeButton(cancelar);
    box.exec();
    if (box.clickedButton() == sim)
        return QuestionAnswer::Sim;
    return box.clickedButton() == nao ? QuestionAnswer::Nao : QuestionAnswer::Cancelar;
}

} // namespace

bool askQuestion(QWidget* parent, const QString& question) {
    return ask(parent, question, QuestionAnswer::Nao, Escape::Nao) == QuestionAnswer::Sim;
}

QuestionAnswer askQuestionOrCancel(QWidget* parent, const QString& question) {
    return ask(parent, question, QuestionAnswer::Sim, Escape::Cancelar);
}

QuestionAnswer askQuestionSimFirst(QWidget* parent, const QString& question) {
    return ask(parent, question, QuestionAnswer::Sim, Escape::HiddenCancelar);
}

} // namespace kestrix
