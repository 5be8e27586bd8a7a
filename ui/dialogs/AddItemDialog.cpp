#include "ui/dialogs/AddItemDialog.h"

#include "core/Catalogue.h"
#include "platform/TextConversion.h"
#include "storage/CharacterRecord.h"
#include "ui/form/FormLayout.h"
#include "ui/form/WindowPlacement.h"
#include "ui/form/WindowSetup.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace kestrix {

AddItemDialog::AddItemDialog(const AddItemWording& wording)
    // No title-bar buttons: the dialog is left through OK or Cancelar. A
    // close request from the window manager still arrives and cancels.
    : QDialog(nullptr, windowFlagsFor(WindowKind::NoTitleKeys)) {
    setUpWindow(this, wording.objectName, wording.caption, 321, 121);
    // clang-format off
    const FormControl layout[] = {
        form::edit(wording.nameEditName, 10, 22, 303, kNameTypingLimit),
        form::edit(wording.costEditName, 10, 62, 303),
        form::label(wording.itemLabel, 6, 8).naming(wording.nameEditName),
        form::label(wording.costLabel, 6, 48).naming(wording.costEditName),
        form::button("cm_OK",       "OK",         9, 88, 96, 25),
        form::button("cm_cancelar", "Cancelar", 216, 88, 96, 25),
    };
    // clang-format on
    buildForm(this, layout);
    m_name = formControl<QLineEdit>(this, wording.nameEditName);
    m_cost = formControl<QLineEdit>(this, wording.costEditName);
    m_ok = formControl<QPushButton>(this, "cm_OK");
    m_ok->setDefault(true);
    m_cancel = formControl<QPushButton>(this, "cm_cancelar");
    connect(m_ok, &QPushButton::clicked, this, &AddItemDialog::cm_OKClick);
    connect(m_cancel, &QPushButton::clicked, this, &AddItemDialog::cm_cancelarClick);
}

void AddItemDialog::showFor(const QString& name, const QString& shownCost) {
    const bool variable = shownCost == toQString(std::string(Catalogue::kVariableCostText));
    const QString cost = variable ? QString() : shownCost;
    // The limit is on typing: a longer catalogue name is offered as far as
    // its item line (cost, blank, name) can hold it, where a plain maximum
    // length would cut it at 25. An empty cost must still be typed, so it
    // counts as one character.
    const qsizetype costRoom = std::max<qsizetype>(cost.size(), 1) + 1;
    const qsizetype lineCapacity = CharacterRecord::kItemCapacity;
    const QString offered = name.left(std::max<qsizetype>(lineCapacity - costRoom, 0));
    m_name->setMaxLength(std::max(kNameTypingLimit, static_cast<int>(offered.size())));
    m_name->setText(offered);
    m_cost->setText(cost);

    if (!isVisible())
        centreOnScreen(this);
    m_ok->setDefault(true);
    m_name->setFocus();
    m_name->selectAll();
    show();
    raise();
    activateWindow();
}

void AddItemDialog::cm_OKClick() {
    if (m_cost->text().isEmpty()) {
        emit valueRequired();
        return;
    }
    emit itemAccepted(toWindows1252(m_cost->text()), toWindows1252(m_name->text()));
    accept();
}

void AddItemDialog::cm_cancelarClick() {
    reject();
}

} // namespace kestrix
