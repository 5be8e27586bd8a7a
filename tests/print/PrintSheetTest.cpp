#include "print/PrintSheet.h"

#include "tests/print/RecordingCanvas.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace kestrix {
namespace {

using Type = CanvasEvent::Type;

// An icon as the character picture must reach the canvas as an icon.
const PrintPicture kPicture{PrintPicture::Kind::Icon, 7};
const PrintPicture kEmblem{PrintPicture::Kind::Bitmap, 3};

// One expected event, typed straight from the page's element table.
struct Expected {
    Type type;
    int a = 0, b = 0, c = 0, d = 0; // rectangle edges, or x and y of a text
    std::string text;
    int points = 0;
    FontStyle style = FontStyle::None;
};

Expected picture(int l, int t, int r, int b) {
    return {Type::Picture, l, t, r, b, "", 0, {}};
}
Expected frame(int l, int t, int r, int b) {
    return {Type::Rectangle, l, t, r, b, "", 0, {}};
}
Expected text(int x, int y, std::string s, int points, FontStyle style) {
    return {Type::Text, x, y, 0, 0, std::move(s), points, style};
}
Expected measure(std::string s, int points, FontStyle style) {
    return {Type::Measure, 0, 0, 0, 0, std::move(s), points, style};
}

constexpr FontStyle kNone = FontStyle::None;
constexpr FontStyle kBold = FontStyle::Bold;
constexpr FontStyle kItalic = FontStyle::Italic;

CharacterSheet sampleSheet() {
    CharacterSheet sheet;
    sheet.setName("Arkan");
    sheet.setAttribute(Attribute::Forca, "3");
    sheet.setAttribute(Attribute::Habilidade, "abc");
    sheet.setAttribute(Attribute::Resistencia, "2");
    sheet.setAttribute(Attribute::Armadura, "1");
    sheet.setAttribute(Attribute::PoderDeFogo, "0");
    sheet.setMagicPath(MagicPath::Fogo, "1");
    sheet.setMagicPath(MagicPath::Agua, "2");
    sheet.setMagicPath(MagicPath::Ar, "0");
    sheet.setMagicPath(MagicPath::Terra, "3");
    sheet.setMagicPath(MagicPath::Luz, "0");
    sheet.setMagicPath(MagicPath::Trevas, "-1");
    sheet.addAdvantage("2", "Ataque Especial");
    sheet.addAdvantage("1", "Arena");
    sheet.addDisadvantage("-1", "Insano");
    sheet.setObservations({"NAO IMPRIMIR"});
    return sheet;
}

// Every text is 40 units high on this canvas.
const std::vector<Expected> kFullSheet = {
    picture(33, 39, 129, 135),
    measure("Arkan", 24, kNone),
    picture(1161, 79, 1742, 1023),
    frame(39, 288, 873, 435),
    frame(39, 435, 873, 582),
    frame(39, 582, 873, 729),
    frame(39, 729, 873, 876),
    frame(39, 876, 873, 1023),
    frame(873, 288, 1074, 435),
    frame(873, 435, 1074, 582),
    frame(873, 582, 1074, 729),
    frame(873, 729, 1074, 876),
    frame(873, 876, 1074, 1023),
    frame(39, 1116, 960, 1665),
    frame(39, 1665, 960, 2214),
    frame(1047, 1116, 1881, 1665),
    frame(1047, 1207, 1881, 1665),
    frame(1047, 1299, 1881, 1665),
    frame(1047, 1390, 1881, 1665),
    frame(1047, 1482, 1881, 1665),
    frame(1047, 1573, 1881, 1665),
    frame(1047, 1116, 1701, 1665),
    frame(1047, 1116, 1881, 2214),
    frame(39, 2289, 1881, 2400),
    text(129, 39, "Arkan", 24, kNone),
    text(48, 186, "Atributo", 20, kNone),
    text(882, 186, "Val.", 20, kNone),
    text(48, 297, "For\347a", 20, kNone),
    text(48, 444, "Habilidade", 20, kNone),
    text(48, 591, "Resist\xEAncia", 20, kNone),
    text(48, 738, "Armadura", 20, kNone),
    text(48, 885, "Poder de Fogo", 20, kNone),
    text(882, 297, "3", 20, kNone),
    text(882, 444, "abc", 20, kNone),
    text(882, 591, "2", 20, kNone),
    text(882, 738, "1", 20, kNone),
    text(882, 885, "0", 20, kNone),
    text(45, 1122, "Vantagens", 10, kBold),
    text(45, 1671, "Desvantagens", 10, kBold),
    text(1053, 1671, "Resumo", 14, kBold),
    measure("Resumo", 14, kBold),
    measure("Vantagens", 10, kBold),
    measure("Desvantagens", 10, kBold),
    text(45, 1162, "2 Ataque Especial", 10, kNone),
    measure("2 Ataque Especial", 10, kNone),
    text(45, 1202, "1 Arena", 10, kNone),
    measure("1 Arena", 10, kNone),
    text(45, 1711, "-1 Insano", 10, kNone),
    measure("-1 Insano", 10, kNone),
    text(1053, 1122, "Fogo", 14, kNone),
    text(1053, 1213, "\xC1gua", 14, kNone),
    text(1053, 1305, "Ar", 14, kNone),
    text(1053, 1396, "Terra", 14, kNone),
    text(1053, 1488, "Luz", 14, kNone),
    text(1053, 1579, "Trevas", 14, kNone),
    text(1707, 1122, "1", 14, kNone),
    text(1707, 1213, "2", 14, kNone),
    text(1707, 1305, "0", 14, kNone),
    text(1707, 1396, "3", 14, kNone),
    text(1707, 1488, "0", 14, kNone),
    text(1707, 1579, "-1", 14, kNone),
    text(1053, 1751, "Atributos: 6", 14, kItalic),
    measure("Atributos: 6", 14, kItalic),
    text(1053, 1791, "Vantagens: 3", 14, kItalic),
    measure("Vantagens: 3", 14, kItalic),
    text(1053, 1831, "Desvantagens: 1", 14, kItalic),
    measure("Desvantagens: 1", 14, kItalic),
    text(1053, 1871, "Magias: 5", 14, kItalic),
    measure("Magias: 5", 14, kItalic),
    text(1053, 1911, "Total: 13", 14, kItalic),
    measure("Total: 13", 14, kItalic),
    text(39, 2400, "Personagem Criado no \"Kestrix for Windows 95\"", 9, kItalic),
    text(45, 2295, "Pontos de Vida (Iniciais=1 Dado para cada ponto de Resist\xEAncia)", 9, kBold),
};

std::vector<std::string> textsOf(const RecordingCanvas& canvas) {
    std::vector<std::string> texts;
    for (const CanvasEvent& event : canvas.eventsOf(Type::Text)) {
        texts.push_back(event.text);
    }
    return texts;
}

std::vector<int> yOfTextsAt(const RecordingCanvas& canvas, int x, FontStyle style) {
    std::vector<int> ys;
    for (const CanvasEvent& event : canvas.eventsOf(Type::Text)) {
        if (event.x == x && event.style == style) {
            ys.push_back(event.y);
        }
    }
    return ys;
}

TEST(PrintSheetTest, DrawsEveryElementInOrderWithItsCoordinatesAndFont) {
    const CharacterSheet sheet = sampleSheet();
    RecordingCanvas canvas;
    ASSERT_EQ(PrintSheet(canvas, {sheet, kPicture, kEmblem}), std::nullopt);

    ASSERT_GE(canvas.events.size(), 2u);
    EXPECT_EQ(canvas.events.front().type, Type::Begin);
    EXPECT_EQ(canvas.events.back().type, Type::End);
    const std::vector<CanvasEvent> drawn(canvas.events.begin() + 1, canvas.events.end() - 1);
    ASSERT_EQ(drawn.size(), kFullSheet.size());

    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const CanvasEvent& got = drawn[i];
        const Expected& want = kFullSheet[i];
        SCOPED_TRACE("event " + std::to_string(i) + " \"" + want.text + "\"");
        ASSERT_EQ(got.type, want.type);
        switch (want.type) {
        case Type::Picture:
        case Type::Rectangle:
            EXPECT_EQ(got.rect, (PrintRect{want.a, want.b, want.c, want.d}));
            break;
        case Type::Text:
            EXPECT_EQ(got.x, want.a);
            EXPECT_EQ(got.y, want.b);
            [[fallthrough]];
        case Type::Measure:
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ(got.face, "Times New Roman");
            EXPECT_EQ(got.points, want.points);
            EXPECT_EQ(got.style, want.style);
            break;
        default:
            break;
        }
        if (want.type == Type::Rectangle) {
            EXPECT_EQ(got.penWidth, 9);
        }
    }

    // The pictures reach the canvas untouched: the emblem first, then the
    // character's picture.
    const std::vector<CanvasEvent> pictures = canvas.eventsOf(Type::Picture);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].picture, kEmblem);
    EXPECT_EQ(pictures[1].picture, kPicture);
}

TEST(PrintSheetTest, ConstantTextHeightMovesOnlyThePictureListsAndSummary) {
    for (const int t : {0, 17, 111}) {
        SCOPED_TRACE("text height " + std::to_string(t));
        CharacterSheet sheet = sampleSheet();
        sheet.addAdvantage("3", "Voo");
        sheet.addDisadvantage("2", "Fobia");
        RecordingCanvas canvas;
        canvas.heightOf = [t](const std::string&) { return t; };
        ASSERT_EQ(PrintSheet(canvas, {sheet, kPicture, kEmblem}), std::nullopt);

        EXPECT_EQ(canvas.eventsOf(Type::Picture)[1].rect, (PrintRect{1161, 39 + t, 1742, 1023}));
        const std::vector<int> lists = yOfTextsAt(canvas, 45, FontStyle::None);
        EXPECT_EQ(lists,
                  (std::vector<int>{1122 + t, 1122 + 2 * t, 1122 + 3 * t, 1671 + t, 1671 + 2 * t}));
        const std::vector<int> summary = yOfTextsAt(canvas, 1053, FontStyle::Italic);
        EXPECT_EQ(summary, (std::vector<int>{1671 + 2 * t, 1671 + 3 * t, 1671 + 4 * t, 1671 + 5 * t,
                                             1671 + 6 * t}));
    }
}

TEST(PrintSheetTest, EachLineMovesTheNextByItsOwnHeight) {
    CharacterSheet sheet;
    sheet.addAdvantage("1", "Alto");
    sheet.addAdvantage("2", "Baixo");
    sheet.addAdvantage("3", "Fim");
    const std::map<std::string, int> heights{
        {"Vantagens", 30}, {"1 Alto", 100}, {"2 Baixo", 7}, {"Resumo", 25}, {"Atributos: 0", 60}};
    RecordingCanvas canvas;
    canvas.heightOf = [&heights](const std::string& text) {
        const auto found = heights.find(text);
        return found == heights.end() ? 10 : found->second;
    };
    ASSERT_EQ(PrintSheet(canvas, {sheet, kPicture, kEmblem}), std::nullopt);

    EXPECT_EQ(yOfTextsAt(canvas, 45, FontStyle::None), (std::vector<int>{1152, 1252, 1259}));
    EXPECT_EQ(yOfTextsAt(canvas, 1053, FontStyle::Italic),
              (std::vector<int>{1721, 1781, 1791, 1801, 1811}));
}

TEST(PrintSheetTest, PrintsTextsVerbatimAndNeverTheObservations) {
    CharacterSheet sheet;
    const std::string longName(200, 'N');
    const std::string longLine = "12 " + std::string(400, 'x') + " \xE7\xE3o";
    sheet.setName(longName);
    sheet.setAttribute(Attribute::Forca, "-3");
    sheet.setAttribute(Attribute::Habilidade, "abc");
    sheet.setMagicPath(MagicPath::Luz, "");
    for (int i = 0; i < CharacterSheet::kMaxItems; ++i) {
        sheet.addDisadvantage("-4", "Maldi\xE7\xE3o " + std::to_string(i));
    }
    sheet.addAdvantage("12", std::string(400, 'x') + " \xE7\xE3o");
    sheet.setObservations({"SEGREDO", "outra linha"});
    sheet.setPicturePath("segredo.bmp");
    ASSERT_EQ(sheet.totalsText().grand, "-31");

    RecordingCanvas canvas;
    ASSERT_EQ(PrintSheet(canvas, {sheet, kPicture, kEmblem}), std::nullopt);
    const std::vector<std::string> texts = textsOf(canvas);
    const auto printed = [&texts](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };

    EXPECT_TRUE(printed(longName));
    EXPECT_TRUE(printed(longLine));
    EXPECT_TRUE(printed("abc"));
    EXPECT_TRUE(printed("-3"));
    EXPECT_TRUE(printed("Total: -31"));
    EXPECT_TRUE(printed("-4 Maldi\xE7\xE3o 9"));
    // Ten disadvantage lines run on past the box's bottom edge, unclipped.
    EXPECT_EQ(yOfTextsAt(canvas, 45, FontStyle::None).back(), 1671 + 10 * 40);
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find("SEGREDO"), std::string::npos);
        EXPECT_EQ(text.find("outra linha"), std::string::npos);
        EXPECT_EQ(text.find("segredo.bmp"), std::string::npos);
    }
}

TEST(PrintSheetTest, EmptyListsPrintOnlyTheirHeadings) {
    const CharacterSheet sheet;
    RecordingCanvas canvas;
    ASSERT_EQ(PrintSheet(canvas, {sheet, PrintPicture{}, kEmblem}), std::nullopt);

    std::vector<std::string> inBoxes;
    for (const CanvasEvent& event : canvas.eventsOf(Type::Text)) {
        if (event.x == 45 && event.y < 2214) {
            inBoxes.push_back(event.text);
        }
    }
    EXPECT_EQ(inBoxes, (std::vector<std::string>{"Vantagens", "Desvantagens"}));
    // No picture still asks for the rectangle; the canvas draws nothing there.
    EXPECT_EQ(canvas.eventsOf(Type::Picture)[1].picture, PrintPicture{});
}

TEST(PrintSheetTest, ReportsFailuresAndNeverLeavesAJobOpen) {
    const CharacterSheet sheet = sampleSheet();
    const auto types = [](const RecordingCanvas& canvas) {
        std::vector<Type> result;
        for (const CanvasEvent& event : canvas.events) {
            if (event.type == Type::Begin || event.type == Type::End || event.type == Type::Abort) {
                result.push_back(event.type);
            }
        }
        return result;
    };

    RecordingCanvas cannotBegin;
    cannotBegin.failBegin = true;
    EXPECT_EQ(PrintSheet(cannotBegin, {sheet, kPicture, kEmblem}), (Error{0, "cannot begin"}));
    EXPECT_EQ(cannotBegin.events.size(), 1u);

    RecordingCanvas losesPrinter;
    losesPrinter.failAtDrawing = 5;
    EXPECT_EQ(PrintSheet(losesPrinter, {sheet, kPicture, kEmblem}), (Error{0, "lost the printer"}));
    EXPECT_EQ(types(losesPrinter), (std::vector<Type>{Type::Begin, Type::Abort}));

    RecordingCanvas cannotEnd;
    cannotEnd.failEnd = true;
    EXPECT_EQ(PrintSheet(cannotEnd, {sheet, kPicture, kEmblem}), (Error{0, "cannot end"}));
    EXPECT_EQ(types(cannotEnd), (std::vector<Type>{Type::Begin, Type::End}));
}

} // namespace
} // namespace kestrix
