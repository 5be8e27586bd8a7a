#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kestrix {

// The program's name, version and credits.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Shows the box modally, centred on the screen.
    void showModal();

    QPushButton* okButton() const { return OKButton; }

private:
    void OKButtonClick(); // "OK"

    QPushButton* OKButton; // "OK"
};

} // namespace kestrix
