#include "Catalogue.h"

#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kestrix {
namespace {

Catalogue parsedAdvantages(const std::string& bytes) {
    Catalogue catalogue = Catalogue::advantages();
    parseCatalogue(bytes, catalogue);
    return catalogue;
}

struct LineEnds {
    const char* description;
    std::string bytes;
};

void PrintTo(const LineEnds& lineEnds, std::ostream* os) {
    *os << lineEnds.description;
}

class CatalogueLineEndTest : public ::testing::TestWithParam<LineEnds> {};

TEST_P(CatalogueLineEndTest, EveryLineEndStyleGivesOneEntryPerPairOfLines) {
    const Catalogue catalogue = parsedAdvantages(GetParam().bytes);
    ASSERT_EQ(catalogue.size(), 2);
    EXPECT_EQ(catalogue.name(0), "Aceleração");
    EXPECT_EQ(catalogue.costText(0), "1");
    EXPECT_EQ(catalogue.name(1), "Ataque Especial");
    EXPECT_EQ(catalogue.costText(1), "-1");
    EXPECT_EQ(catalogue.shownCost(1), "Var.");
}

INSTANTIATE_TEST_SUITE_P(
    Styles, CatalogueLineEndTest,
    ::testing::Values(
        LineEnds{"CR LF", "Aceleração\r\n1\r\nAtaque Especial\r\n-1\r\n"},
        LineEnds{"CR LF, none at end", "Aceleração\r\n1\r\nAtaque Especial\r\n-1"},
        LineEnds{"lone CR", "Aceleração\r1\rAtaque Especial\r-1\r"},
        LineEnds{"lone LF", "Aceleração\n1\nAtaque Especial\n-1\n"},
        LineEnds{"mixed", "Aceleração\n1\r\nAtaque Especial\r-1"},
        LineEnds{"Ctrl-Z after the end", "Aceleração\r\n1\r\nAtaque Especial\r\n-1\r\n\x1a"},
        LineEnds{"text after Ctrl-Z", "Aceleração\r\n1\r\nAtaque Especial\r\n-1\x1amore\r\n9\r\n"}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.description))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(CatalogueTest, EmptyLinesAndOddLineCountsStillMakeEntries) {
    Catalogue extraLine = parsedAdvantages("a\r\n1\r\n\r\n");
    ASSERT_EQ(extraLine.size(), 2);
    EXPECT_EQ(extraLine.name(1), "");
    EXPECT_EQ(extraLine.costText(1), "");

    Catalogue oddLines = parsedAdvantages("a\r\n1\r\nb\r\n");
    ASSERT_EQ(oddLines.size(), 2);
    EXPECT_EQ(oddLines.name(1), "b");
    EXPECT_EQ(oddLines.costText(1), "");
}

TEST(CatalogueTest, EmptyFileOrLeadingCtrlZGivesAnEmptyCatalogue) {
    EXPECT_TRUE(parsedAdvantages("").empty());
    EXPECT_TRUE(parsedAdvantages("\x1a"
                                 "a\r\n1\r\n")
                    .empty());
}

TEST(CatalogueTest, DuplicatesStayInFileOrder) {
    const Catalogue catalogue = parsedAdvantages("Sorte\r\n1\r\nSorte\r\n2\r\n");
    ASSERT_EQ(catalogue.size(), 2);
    EXPECT_EQ(catalogue.costText(0), "1");
    EXPECT_EQ(catalogue.costText(1), "2");
}

TEST(CatalogueTest, EachCatalogueKnowsOnlyItsOwnMarker) {
    Catalogue advantages = parsedAdvantages("a\r\n--1\r\nb\r\n-1 \r\nc\r\nVar\r\nd\r\n-1\r\n");
    EXPECT_EQ(advantages.shownCost(0), "--1");
    EXPECT_EQ(advantages.shownCost(1), "-1 ");
    EXPECT_EQ(advantages.shownCost(2), "Var");
    EXPECT_EQ(advantages.shownCost(3), "Var.");

    Catalogue disadvantages = Catalogue::disadvantages();
    parseCatalogue("a\r\n-1\r\nb\r\n--1\r\n", disadvantages);
    EXPECT_EQ(disadvantages.shownCost(0), "-1");
    EXPECT_EQ(disadvantages.shownCost(1), "Var.");
}

// Runs of line breaks: each break ends exactly one line, CR LF counts once.
TEST(CatalogueTest, BreaksNextToEachOtherEndOneLineEach) {
    using Entries = std::vector<std::pair<std::string, std::string>>;
    const struct {
        std::string bytes;
        Entries expected;
    } cases[] = {
        {"\n", {{"", ""}}},
        {"\r\r\n\n", {{"", ""}, {"", ""}}},
        {"a\n\rb", {{"a", ""}, {"b", ""}}},
        {"a\r\n\r\nb\r", {{"a", ""}, {"b", ""}}},
        {"a\r\n\x1a", {{"a", ""}}},
        {"\r\n1\r\n", {{"", "1"}}},
        {"a\n\r\n", {{"a", ""}}},
    };
    for (const auto& c : cases) {
        const Catalogue catalogue = parsedAdvantages(c.bytes);
        Entries entries;
        for (int i = 0; i < catalogue.size(); ++i)
            entries.emplace_back(catalogue.name(i), catalogue.costText(i));
        EXPECT_EQ(entries, c.expected) << ::testing::PrintToString(c.bytes);
    }
}

TEST(CatalogueTest, LoadingAgainReplacesEveryEntry) {
    Catalogue catalogue = parsedAdvantages("a\r\n1\r\nb\r\n2\r\nc\r\n3\r\n");
    catalogue.assign("Sorte\r\n-1\r\n");
    ASSERT_EQ(catalogue.size(), 1);
    EXPECT_EQ(catalogue.name(0), "Sorte");
    EXPECT_EQ(catalogue.shownCost(0), "Var.");
    EXPECT_THROW(catalogue.name(1), std::out_of_range);
    EXPECT_THROW(catalogue.costText(-1), std::out_of_range);
}

TEST(CatalogueTest, LongLinesAreReadWhole) {
    const std::string longName(5000, 'x');
    const Catalogue catalogue = parsedAdvantages(longName + "\r\n1\r\n");
    ASSERT_EQ(catalogue.size(), 1);
    EXPECT_EQ(catalogue.name(0), longName);
}

} // namespace
} // namespace kestrix
