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

    QPlainTextEdit* text() const { return mmoHelp; }

private:
    QPlainTextEdit* mmoHelp; // the help text, filling the window
    bool m_placed = false;
};

} // namespace kestrix
