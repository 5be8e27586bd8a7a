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

} // namespace

bool askQuestion(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), question,
                    QMessageBox::NoButton, parent);
    setUpQuestion(box);
    QPushButton* sim = addAnswer(box, "&Sim", QMessageBox::YesRole, "sim");
    QPushButton* nao = addAnswer(box, "&Não", QMessageBox::NoRole, "nao");
    box.setDefaultButton(nao);
    box.setEscapeButton(nao);
    box.exec();
    return box.clickedButton() == sim;
}

QuestionAnswer askQuestionOrCancel(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), question,
                    QMessageBox::NoButton, parent);
    setUpQuestion(box);
    QPushButton* sim = addAnswer(box, "&Sim", QMessageBox::YesRole, "sim");
    QPushButton* nao = addAnswer(box, "&Não", QMessageBox::NoRole, "nao");
    QPushButton* cancelar = addAnswer(box, "&Cancelar", QMessageBox::RejectRole, "cancelar");
    box.setDefaultButton(sim);
    box.setEscapeButton(cancelar);
    box.exec();
    if (box.clickedButton() == sim)
        return QuestionAnswer::Sim;
    return box.clickedButton() == nao ? QuestionAnswer::Nao : QuestionAnswer::Cancelar;
}

QuestionAnswer askQuestionSimFirst(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), question,
                    QMessageBox::NoButton, parent);
    setUpQuestion(box);
    QPushButton* sim = addAnswer(box, "&Sim", QMessageBox::YesRole, "sim");
    QPushButton* nao = addAnswer(box, "&Não", QMessageBox::NoRole, "nao");
    // Esc must not pick "Não": it presses this button, which is never shown.
    QPushButton* later = addAnswer(box, "", QMessageBox::RejectRole, "depois");
    later->hide();
    box.setDefaultButton(sim);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == sim)
        return QuestionAnswer::Sim;
    return box.clickedButton() == nao ? QuestionAnswer::Nao : QuestionAnswer::Cancelar;
}

} // namespace kestrix
