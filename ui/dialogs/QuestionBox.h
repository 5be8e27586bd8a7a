#pragma once

#include <QString>

class QWidget;

namespace kestrix {

// A yes-or-no question in the style of the error box: the application's
// title as caption, the window font, "Sim" and "Não", "Não" the default so
// that Enter never destroys anything. True for "Sim".
bool askQuestion(QWidget* parent, const QString& question);

enum class QuestionAnswer { Sim, Nao, Cancelar };

// The same box for a question that may also be taken back: "Sim", "Não" and
// "Cancelar", "Sim" the default. Esc and the title bar's close mean
// "Cancelar", so no stray key throws work away.
QuestionAnswer askQuestionOrCancel(QWidget* parent, const QString& question);

// "Sim" and "Não" with "Sim" the default, for a question whose "Não" loses
// something: Esc and the title bar's close answer neither (Cancelar), so
// the caller can leave the matter for later.
QuestionAnswer askQuestionSimFirst(QWidget* parent, const QString& question);

} // namespace kestrix
