#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kestrix {

// A one-line notice with one OK button, 261 pixels wide or as wide as its
// text needs. It stays above every other window until closed, and only OK
// (or Enter) or the title bar closes it: Esc is ignored so a stray key cannot
// dismiss what the user has not read.
class NoticeBox : public QDialog {
    Q_OBJECT
public:
    NoticeBox(const char* objectName, const char* caption, const char* text);

    // Shows the notice without making it modal, centred and in front.
    void showNotice();

    QLabel* textLabel() const { return m_text; }
    QPushButton* okButton() const { return m_ok; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BitBtn1Click(); // "OK"

    QLabel* m_text;
    QPushButton* m_ok;
};

} // namespace kestrix
