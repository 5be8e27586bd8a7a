#pragma once

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

// Offers a catalogue entry's name and cost for editing and hands back what
// OK accepts. It is shown without being modal: the main window
// disables itself while the dialog is up and enables itself again when
// finished() reports that the dialog closed, whichever way it closed.
class AddItemDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNameTypingLimit = 25;

    explicit AddItemDialog(const AddItemWording& wording);

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
    // OK accepted this cost and name (in Windows-1252, as the sheet holds them).
    void itemAccepted(const std::string& cost, const std::string& name);

private:
    void cm_OKClick();       // "OK": hand the item back, or ask for a cost
    void cm_cancelarClick(); // "Cancelar": close without a change

    QLineEdit* m_name; // nm_addvant / nm_addDV: the item's name
    QLineEdit* m_cost; // cs_addvant / cs_addDV: its cost or bonus
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace kestrix
