#include "core/CharacterSheet.h"

#include <gtest/gtest.h>

namespace kestrix {
namespace {

void setAttributes(CharacterSheet& sheet, const char* f, const char* h, const char* r,
                   const char* a, const char* p) {
    sheet.setAttribute(Attribute::Forca, f);
    sheet.setAttribute(Attribute::Habilidade, h);
    sheet.setAttribute(Attribute::Resistencia, r);
    sheet.setAttribute(Attribute::Armadura, a);
    sheet.setAttribute(Attribute::PoderDeFogo, p);
}

TEST(CharacterSheetTest, StartsWithTheBlankCharacter) {
    CharacterSheet sheet;
    EXPECT_EQ(sheet.name(), "Nome do Personagem");
    EXPECT_EQ(sheet.attribute(Attribute::PoderDeFogo), "0");
    EXPECT_EQ(sheet.magicPath(MagicPath::Trevas), "0");
    EXPECT_TRUE(sheet.advantages().empty());
    EXPECT_TRUE(sheet.observations().empty());
    EXPECT_FALSE(sheet.isModified());
    EXPECT_EQ(sheet.totalsText().grand, "0");
}

TEST(CharacterSheetTest, AttributesAndMagicAddUpIntoTheGrandTotal) {
    CharacterSheet sheet;
    setAttributes(sheet, "1", "2", "3", "4", "5");
    EXPECT_EQ(sheet.totals().attributes, 15);
    EXPECT_EQ(sheet.totals().magic, 0);
    EXPECT_EQ(sheet.totals().grand, 15);

    sheet.setMagicPath(MagicPath::Luz, "2");
    sheet.setMagicPath(MagicPath::Agua, "$A");
    EXPECT_EQ(sheet.totals().magic, 12);
    EXPECT_EQ(sheet.totals().grand, 27);
}

TEST(CharacterSheetTest, ItemLinesCountTheirLeadingNumber) {
    CharacterSheet sheet;
    sheet.addAdvantage("2", "Aceleração");
    sheet.addDisadvantage("-1", "Código de Honra");
    EXPECT_EQ(sheet.advantages().front(), "2 Aceleração");
    EXPECT_EQ(sheet.disadvantages().front(), "-1 Código de Honra");
    EXPECT_EQ(sheet.totals().advantages, 2);
    // "-1 name" reads as 1: the blank after the digits drops the sign.
    EXPECT_EQ(sheet.totals().disadvantages, 1);
    EXPECT_EQ(sheet.totals().grand, 1);

    sheet.addAdvantage("muito", "Sorte");
    EXPECT_EQ(sheet.totals().advantages, 2);
    sheet.addAdvantage("", "");
    EXPECT_EQ(sheet.advantages().back(), " ");
}

TEST(CharacterSheetTest, NegativeAttributesAndTotalsPrintWithAMinus) {
    CharacterSheet sheet;
    setAttributes(sheet, "-2", "", "abc", "2x", "x2");
    EXPECT_EQ(sheet.totals().attributes, 0);
    sheet.setAttribute(Attribute::Forca, "-5");
    EXPECT_EQ(sheet.totalsText().attributes, "-3");
    EXPECT_EQ(sheet.totalsText().grand, "-3");
    EXPECT_EQ(sheet.attribute(Attribute::Habilidade), "");
}

TEST(CharacterSheetTest, TotalsWrapAroundIn32Bits) {
    CharacterSheet sheet;
    setAttributes(sheet, "2147483647", "1", "0", "0", "0");
    EXPECT_EQ(sheet.totals().attributes, -2147483647 - 1);
    sheet.addDisadvantage("1", "x");
    EXPECT_EQ(sheet.totals().grand, 2147483647);
    EXPECT_EQ(sheet.totalsText().grand, "2147483647");
}

TEST(CharacterSheetTest, SettersSetTheModifiedFlagAsUsersExpect) {
    CharacterSheet sheet;
    sheet.addAdvantage("1", "a");
    sheet.addDisadvantage("1", "b");
    sheet.setObservations({"linha"});
    sheet.setPicturePath("x.bmp");
    EXPECT_FALSE(sheet.isModified()) << "adding, observations and picture path leave the flag";

    sheet.setName("Zé");
    EXPECT_TRUE(sheet.isModified());
    sheet.clearModified();
    sheet.setAttribute(Attribute::Armadura, "1");
    EXPECT_TRUE(sheet.isModified());
    sheet.clearModified();
    sheet.setMagicPath(MagicPath::Fogo, "1");
    EXPECT_TRUE(sheet.isModified());
    sheet.clearModified();
    sheet.removeAdvantage(0);
    EXPECT_TRUE(sheet.isModified());
}

TEST(CharacterSheetTest, RemovingOutsideTheListRemovesNothingButMarksModified) {
    CharacterSheet sheet;
    sheet.addAdvantage("1", "a");
    sheet.addAdvantage("2", "b");
    sheet.addAdvantage("2", "b");
    sheet.removeAdvantage(-1);
    sheet.removeAdvantage(3);
    EXPECT_EQ(sheet.advantages().size(), 3u);
    EXPECT_TRUE(sheet.isModified());
    EXPECT_EQ(sheet.totals().advantages, 5);

    sheet.removeAdvantage(1);
    EXPECT_EQ(sheet.advantages(), (std::vector<std::string>{"1 a", "2 b"}));
    EXPECT_EQ(sheet.totals().advantages, 3);
    EXPECT_EQ(sheet.totals().grand, 3);

    sheet.addDisadvantage("4", "c");
    sheet.removeDisadvantage(0);
    EXPECT_TRUE(sheet.disadvantages().empty());
    EXPECT_EQ(sheet.totals().grand, 3);
}

TEST(CharacterSheetTest, ReplacingTheDataRecomputesWithoutTouchingTheFlag) {
    CharacterSheet sheet;
    CharacterData data;
    data.attributes = {"1", "1", "1", "1", "1"};
    data.magicPaths = {"1", "0", "0", "0", "0", "2"};
    data.advantages = {"3 x"};
    data.disadvantages = {"-2 y"};
    sheet.replaceData(data);
    EXPECT_FALSE(sheet.isModified());
    EXPECT_EQ(sheet.totals().attributes, 5);
    EXPECT_EQ(sheet.totals().magic, 3);
    EXPECT_EQ(sheet.totals().grand, 5 + 3 + 3 - 2);

    sheet.setModified();
    sheet.replaceData(CharacterData{});
    EXPECT_TRUE(sheet.isModified());
    EXPECT_EQ(sheet.totals().grand, 0);
}

} // namespace
} // namespace kestrix
