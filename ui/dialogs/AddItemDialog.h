#pragma once

#include "core/CharacterSheet.h"

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace kestrix {

// What tells the advantage dialog from the disadvantage dialog.
struct AddItemWording {
    const char* objectName;
    const char* caption;
    const char* itemLabel;
    const char* costLabel;
    const char* nameEditName;
    const char* costEditName;
};

// Offers a catalogue entry's name and cost for editing and appends the item
// line to the sheet. It is shown without being modal: the main window
// disables itself while the dialog is up and enables itself again when
// finished() reports that the dialog closed, whichever way it closed.
class AddItemDialog : public QDialog {
    Q_OBJECT
public:
    using Append = void (CharacterSheet::*)(const std::string& cost, const std::string& name);
    static constexpr int kNameTypingLimit = 25;

    AddItemDialog(const AddItemWording& wording, CharacterSheet& sheet, Append append);

    // Fills the edits from a catalogue entry, as the main window shows its
    // cost, and shows the dialog. A variable cost ("Var.") must be typed. A
    // name longer than its item line can hold is offered cut to fit.
    void showFor(const QString& name, const QString& shownCost);

    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* costEdit() const { return m_cost; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    // OK was pressed with no cost: the dialog stays open.
    void valueRequired();
    // An item line was appended to the sheet.
    void itemAdded();

private:
    void cm_OKClick();       // "OK": append the item line, or ask for a cost
    void cm_cancelarClick(); // "Cancelar": close without a change

    CharacterSheet& m_sheet;
    Append m_append;
    QLineEdit* m_name; // nm_addvant / nm_addDV: the item's name
    QLineEdit* m_cost; // cs_addvant / cs_addDV: its cost or bonus
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace kestrix
