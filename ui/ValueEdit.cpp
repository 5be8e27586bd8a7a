#include "ValueEdit.h"

#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace kestrix {
namespace {

// QLineEdit keeps this many pixels free on each side inside its margins.
constexpr int kLineEditInnerMargin = 2;
// The widest text a value edit is meant for: five digits.
const QString kWidestValue = QStringLiteral("00000");
// Condensing stops here; a font this narrow is still read easily.
constexpr int kNarrowestStretch = 70;

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
    return fits(text, font());
}

bool ValueEdit::fits(const QString& text, const QFont& inFont) const {
    // QLineEdit scrolls unless the text and a one-pixel caret fit.
    const qreal advance = QFontMetricsF(inFont, this).horizontalAdvance(text);
    return static_cast<int>(std::lround(advance)) + 1 <= textWidth();
}

void ValueEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    condenseToFit();
}

// The edit's size is fixed once it is placed; the font it inherits is kept
// wherever five digits fit in it.
void ValueEdit::condenseToFit() {
    QFont condensed = font();
    condensed.setStretch(QFont::AnyStretch);
    for (int stretch = 99; !fits(kWidestValue, condensed) && stretch >= kNarrowestStretch;
         --stretch)
        condensed.setStretch(stretch);
    if (condensed != font())
        setFont(condensed);
}

} // namespace kestrix
