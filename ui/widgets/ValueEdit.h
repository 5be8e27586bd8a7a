#pragma once

#include <QLineEdit>

namespace kestrix {

// An attribute or magic-path edit: 29 pixels wide for a text of up to five
// characters. Its inner margins are narrowed, and the font it inherits is
// condensed as far as needed, so that five digits show whole.
class ValueEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ValueEdit(QWidget* parent = nullptr);

    // Shows a loaded text. One wider than the edit shows its start (a plain
    // setText() scrolls to its end); one that fits keeps the caret at its
    // end, where typing goes on.
    void showText(const QString& text);

    // Whether `text` shows whole, without scrolling.
    bool fits(const QString& text) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void condenseToFit();
    int textWidth() const;
};

} // namespace kestrix
