#include "ui/widgets/ValueEdit.h"

#include "ui/widgets/CondensedFont.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace kestrix {
namespace {

// QLineEdit keeps this many pixels free on each side inside its margins.
constexpr int kLineEditInnerMargin = 2;
// The widest text a value edit is meant for: five digits.
const QString kWidestValue = QStringLiteral("00000");

} // namespace

ValueEdit::ValueEdit(QWidget* parent) : QLineEdit(parent) {
    // One pixel between the frame and the text on the left; on the right the
    // caret after the fifth character may touch the frame.
    setTextMargins(1 - kLineEditInnerMargin, 0, -1 - kLineEditInnerMargin, 0);
}

void ValueEdit::showText(const QString& text) {
    setText(text);
    if (!fits(text))
        setCursorPosition(0);
}

int ValueEdit::textWidth() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).width() - 2 * kLineEditInnerMargin;
}

bool ValueEdit::fits(const QString& text) const {
    return fitsWithCaret(font(), this, textWidth(), text);
}

void ValueEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    condenseToFit();
}

// The edit's size is fixed once it is placed; the font it inherits is kept
// wherever five digits fit in it. All eleven edits share one font and width,
// so all but the first take the answer the first one worked out.
void ValueEdit::condenseToFit() {
    const QFont condensed = condensedToFit(font(), this, textWidth(), kWidestValue);
    if (condensed != font())
        setFont(condensed);
}

} // namespace kestrix
