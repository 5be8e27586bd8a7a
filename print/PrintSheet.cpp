#include "print/PrintSheet.h"

#include <array>
#include <vector>

namespace kestrix {
namespace {

// Texts are Windows-1252 bytes; "\347" (octal) is the c with cedilla, where a
// hex escape would swallow the letter after it.
const char* const kFontFace = "Times New Roman";
const char* const kFooter = "Personagem Criado no \"Kestrix for Windows 95\"";
const char* const kHitPointsCaption =
    "Pontos de Vida (Iniciais=1 Dado para cada ponto de Resist\xEAncia)";
const char* const kUnknownFailure = "Printing failed";

constexpr PrintRect kEmblemRect{33, 39, 129, 135};
constexpr int kPictureLeft = 1161;
constexpr int kPictureRight = 1742;
constexpr int kPictureBottom = 1023;
constexpr int kNameX = 129;
constexpr int kNameY = 39;
constexpr int kPenWidth = 9;

// Attribute cells (labels, then values), the two item boxes, the magic-path
// rows whose top edges draw the row lines, the divider column, the box that
// holds the magic paths and the summary, and the hit-points box.
constexpr std::array<PrintRect, 21> kFrames{{
    {39, 288, 873, 435},      {39, 435, 873, 582},      {39, 582, 873, 729},
    {39, 729, 873, 876},      {39, 876, 873, 1023},     {873, 288, 1074, 435},
    {873, 435, 1074, 582},    {873, 582, 1074, 729},    {873, 729, 1074, 876},
    {873, 876, 1074, 1023},   {39, 1116, 960, 1665},    {39, 1665, 960, 2214},
    {1047, 1116, 1881, 1665}, {1047, 1207, 1881, 1665}, {1047, 1299, 1881, 1665},
    {1047, 1390, 1881, 1665}, {1047, 1482, 1881, 1665}, {1047, 1573, 1881, 1665},
    {1047, 1116, 1701, 1665}, {1047, 1116, 1881, 2214}, {39, 2289, 1881, 2400},
}};

struct Row {
    const char* label;
    int y;
};

constexpr std::array<Attribute, kAttributeCount> kAttributeOrder{
    Attribute::Forca, Attribute::Habilidade, Attribute::Resistencia, Attribute::Armadura,
    Attribute::PoderDeFogo};
constexpr std::array<Row, kAttributeCount> kAttributeRows{{
    {"For\347a", 297},
    {"Habilidade", 444},
    {"Resist\xEAncia", 591},
    {"Armadura", 738},
    {"Poder de Fogo", 885},
}};
constexpr int kAttributeLabelX = 48;
constexpr int kAttributeValueX = 882;
constexpr int kAttributeHeadingY = 186;

constexpr std::array<MagicPath, kMagicPathCount> kMagicOrder{MagicPath::Fogo, MagicPath::Agua,
                                                             MagicPath::Ar,   MagicPath::Terra,
                                                             MagicPath::Luz,  MagicPath::Trevas};
constexpr std::array<Row, kMagicPathCount> kMagicRows{{
    {"Fogo", 1122},
    {"\xC1gua", 1213},
    {"Ar", 1305},
    {"Terra", 1396},
    {"Luz", 1488},
    {"Trevas", 1579},
}};
constexpr int kMagicLabelX = 1053;
constexpr int kMagicValueX = 1707;

constexpr int kListX = 45;
constexpr int kAdvantagesTop = 1122;
constexpr int kDisadvantagesTop = 1671;
constexpr int kSummaryX = 1053;
constexpr int kSummaryTop = 1671;

// Each line moves the next one down by its own measured height, so a list
// never overlaps itself whatever the device's font metrics.
void drawLines(PrintCanvas& canvas, int top, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        canvas.drawText(kListX, top, line);
        top += canvas.textHeight(line);
    }
}

void drawPage(PrintCanvas& canvas, const PrintSheetInput& input) {
    const CharacterSheet& sheet = input.sheet;

    canvas.drawPicture(input.emblem, kEmblemRect);

    canvas.setFontFace(kFontFace);
    canvas.setFontSize(24);
    canvas.setFontStyle(FontStyle::None);
    // The picture starts just below the line that carries the name.
    const int nameHeight = canvas.textHeight(sheet.name());
    canvas.drawPicture(input.picture,
                       {kPictureLeft, kNameY + nameHeight, kPictureRight, kPictureBottom});

    canvas.setPenWidth(kPenWidth);
    for (const PrintRect& frame : kFrames) {
        canvas.drawRectangle(frame);
    }

    canvas.drawText(kNameX, kNameY, sheet.name());

    canvas.setFontSize(20);
    canvas.drawText(kAttributeLabelX, kAttributeHeadingY, "Atributo");
    canvas.drawText(kAttributeValueX, kAttributeHeadingY, "Val.");
    for (const Row& row : kAttributeRows) {
        canvas.drawText(kAttributeLabelX, row.y, row.label);
    }
    for (int i = 0; i < kAttributeCount; ++i) {
        canvas.drawText(kAttributeValueX, kAttributeRows[i].y, sheet.attribute(kAttributeOrder[i]));
    }

    canvas.setFontSize(10);
    canvas.setFontStyle(FontStyle::Bold);
    canvas.drawText(kListX, kAdvantagesTop, "Vantagens");
    canvas.drawText(kListX, kDisadvantagesTop, "Desvantagens");
    canvas.setFontSize(14);
    canvas.drawText(kSummaryX, kSummaryTop, "Resumo");

    // One empty line of the heading's height separates "Resumo" from the
    // first summary line.
    int summaryTop = kSummaryTop + 2 * canvas.textHeight("Resumo");
    canvas.setFontSize(10);
    const int advantagesTop = kAdvantagesTop + canvas.textHeight("Vantagens");
    const int disadvantagesTop = kDisadvantagesTop + canvas.textHeight("Desvantagens");

    canvas.setFontStyle(FontStyle::None);
    drawLines(canvas, advantagesTop, sheet.advantages());
    drawLines(canvas, disadvantagesTop, sheet.disadvantages());

    canvas.setFontSize(14);
    for (const Row& row : kMagicRows) {
        canvas.drawText(kMagicLabelX, row.y, row.label);
    }
    for (int i = 0; i < kMagicPathCount; ++i) {
        canvas.drawText(kMagicValueX, kMagicRows[i].y, sheet.magicPath(kMagicOrder[i]));
    }

    canvas.setFontStyle(FontStyle::Italic);
    const TotalsText totals = sheet.totalsText();
    const std::array<std::string, 5> summary{"Atributos: " + totals.attributes,
                                             "Vantagens: " + totals.advantages,
                                             "Desvantagens: " + totals.disadvantages,
                                             "Magias: " + totals.magic, "Total: " + totals.grand};
    for (const std::string& line : summary) {
        canvas.drawText(kSummaryX, summaryTop, line);
        summaryTop += canvas.textHeight(line);
    }

    canvas.setFontSize(9);
    canvas.drawText(39, 2400, kFooter);
    canvas.setFontStyle(FontStyle::Bold);
    canvas.drawText(45, 2295, kHitPointsCaption);
    canvas.setFontStyle(FontStyle::None);
}

Error failure(const PrintCanvas& canvas) {
    const Result error = canvas.error();
    return error ? *error : Error{0, kUnknownFailure};
}

} // namespace

Result PrintSheet(PrintCanvas& canvas, const PrintSheetInput& input) {
    if (!canvas.beginDocument()) {
        return failure(canvas);
    }
    drawPage(canvas, input);
    // A half-drawn job must not stay open: the next print would find the
    // printer still busy.
    if (canvas.failed()) {
        const Error error = failure(canvas);
        canvas.abortDocument();
        return error;
    }
    if (!canvas.endDocument()) {
        return failure(canvas);
    }
    return {};
}

} // namespace kestrix
