// The value edits' condensing, worked out from one measurement, against
// trying every stretch from 99 % down as the edits once did: the same font
// for the design's faces and sizes, so the edits look exactly as before.
#include "ui/widgets/CondensedFont.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

int stretchTriedOneByOne(const QFont& font, const QWidget& device, int width, const QString& text) {
    QFont condensed = font;
    condensed.setStretch(QFont::AnyStretch);
    for (int stretch = 99;
         !fitsWithCaret(condensed, &device, width, text) && stretch >= kNarrowestStretch; --stretch)
        condensed.setStretch(stretch);
    return condensed.stretch();
}

TEST(CondensedFontTest, IsTheWidestStretchAtWhichTheTextFits) {
    const struct {
        const char* family;
        int points;
        int width;
        const char* text;
    } cases[] = {
        {"MS Sans Serif", 8, 27, "00000"},  // the value edits
        {"MS Sans Serif", 8, 200, "00000"}, // fits as it is
        {"MS Sans Serif", 8, 10, "00000"},  // too narrow even at the narrowest
        {"MS Sans Serif", 8, 27, "WWWWW"},  // wider glyphs
        {"MS Sans Serif", 7, 24, "00000"},  // other sizes and widths
        {"MS Sans Serif", 10, 29, "-9999"},   {"MS Sans Serif", 12, 40, "12345"},
        {"Times New Roman", 8, 22, "00000"}, // the printed sheet's face
        {"Times New Roman", 10, 27, "00000"},
    };
    QWidget device;
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << row.family << " " << row.points << " pt, " << row.width
                                        << " px, " << row.text);
        const QFont font(row.family, row.points, QFont::Normal);
        const QString text = QString::fromLatin1(row.text);
        const QFont condensed = condensedToFit(font, &device, row.width, text);
        EXPECT_EQ(condensed.stretch(), stretchTriedOneByOne(font, device, row.width, text));
        EXPECT_EQ(condensed.family(), font.family());
        EXPECT_EQ(condensed.pointSize(), font.pointSize());
        // Asked again (the next edit of that font and width): the same font.
        EXPECT_EQ(condensedToFit(font, &device, row.width, text), condensed);
    }
}

} // namespace
} // namespace kestrix
