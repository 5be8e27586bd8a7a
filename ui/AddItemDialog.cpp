#include "AddItemDialog.h"

#include "Catalogue.h"
#include "CharacterRecord.h"
#include "TextConversion.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "Windows1252Validator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace kestrix {

AddItemDialog::AddItemDialog(const AddItemWording& wording, CharacterSheet& sheet, Append append)
    // No title-bar buttons: the dialog is left through OK or Cancelar. A
    // close request from the window manager still arrives and cancels.
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint),
      m_sheet(sheet), m_append(append) {
    setObjectName(wording.objectName);
    setWindowTitle(QString::fromUtf8(wording.caption));
    setFont(windowFont());
    setFixedSize(321, 121);

    m_name = addEdit(wording.nameEditName, 22);
    m_name->setMaxLength(kNameTypingLimit);
    m_cost = addEdit(wording.costEditName, 62);
    auto* itemLabel = new QLabel(QString::fromUtf8(wording.itemLabel), this);
    itemLabel->move(6, 8);
    itemLabel->adjustSize();
    auto* costLabel = new QLabel(QString::fromUtf8(wording.costLabel), this);
    costLabel->move(6, 48);
    costLabel->adjustSize();

    m_ok = addButton("cm_OK", "OK", 9);
    m_ok->setDefault(true);
    m_cancel = addButton("cm_cancelar", "Cancelar", 216);
    connect(m_ok, &QPushButton::clicked, this, &AddItemDialog::cm_OKClick);
    connect(m_cancel, &QPushButton::clicked, this, &AddItemDialog::cm_cancelarClick);
}

QLineEdit* AddItemDialog::addEdit(const char* name, int top) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(10, top, 303, 21);
    edit->setValidator(new Windows1252Validator(edit));
    return edit;
}

QPushButton* AddItemDialog::addButton(const char* name, const char* text, int left) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setObjectName(name);
    button->setGeometry(left, 88, 96, 25);
    return button;
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
    (m_sheet.*m_append)(toWindows1252(m_cost->text()), toWindows1252(m_name->text()));
    emit itemAdded();
    accept();
}

void AddItemDialog::cm_cancelarClick() {
    reject();
}

} // namespace kestrix
