#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kestrix {

// The help text in a window of its own, left open beside the sheet while
// the user works.
class TfrmHelp : public QWidget {
    Q_OBJECT
public:
    TfrmHelp();

    // Shows the window, or brings it forward when it is open already.
    void showHelp();

    // The text view, holding the whole help text.
    QPlainTextEdit* text();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillText();

    QPlainTextEdit* mmoHelp; // the help text, filling the window
    bool m_placed = false;
    bool m_filled = false;
};

} // namespace kestrix
