#include "QuestionBox.h"

#include "ApplicationTitle.h"
#include "WindowFont.h"

#include <QMessageBox>
#include <QPushButton>

namespace kestrix {

bool askQuestion(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle), question,
                    QMessageBox::NoButton, parent);
    box.setObjectName("questionBox");
    box.setFont(windowFont());
    QPushButton* sim = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
    QPushButton* nao = box.addButton(QString::fromUtf8("&Não"), QMessageBox::NoRole);
    sim->setObjectName("sim");
    nao->setObjectName("nao");
    box.setDefaultButton(nao);
    box.setEscapeButton(nao);
    box.exec();
    return box.clickedButton() == sim;
}

} // namespace kestrix
