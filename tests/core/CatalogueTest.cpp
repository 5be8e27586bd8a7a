#include "core/Catalogue.h"

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
    EXPECT_FALSE(parseCatalogue(bytes, catalogue));
    return catalogue;
}

struct LineEnds {
    const char* description;
    std::string bytes;
};

void PrintTo(const LineEnds& lineEnds, std::ostream* os) {
    *os << lineEnds.description;
}

// The names are Windows-1252, as the shipped catalogues hold them.
class CatalogueLineEndTest : public ::testing::TestWithParam<LineEnds> {};

TEST_P(CatalogueLineEndTest, EveryLineEndStyleGivesOneEntryPerPairOfLines) {
    const Catalogue catalogue = parsedAdvantages(GetParam().bytes);
    ASSERT_EQ(catalogue.size(), 2);
    EXPECT_EQ(catalogue.name(0), "Acelera\xe7\xe3o");
    EXPECT_EQ(catalogue.costText(0), "1");
    EXPECT_EQ(catalogue.name(1), "Ataque Especial");
    EXPECT_EQ(catalogue.costText(1), "-1");
    EXPECT_EQ(catalogue.shownCost(1), "Var.");
}

INSTANTIATE_TEST_SUITE_P(
    Styles, CatalogueLineEndTest,
    ::testing::Values(
        LineEnds{"CR LF", "Acelera\xe7\xe3o\r\n1\r\nAtaque Especial\r\n-1\r\n"},
        LineEnds{"CR LF, none at end", "Acelera\xe7\xe3o\r\n1\r\nAtaque Especial\r\n-1"},
        LineEnds{"lone CR", "Acelera\xe7\xe3o\r1\rAtaque Especial\r-1\r"},
        LineEnds{"lone LF", "Acelera\xe7\xe3o\n1\nAtaque Especial\n-1\n"},
        LineEnds{"mixed", "Acelera\xe7\xe3o\n1\r\nAtaque Especial\r-1"},
        LineEnds{"Ctrl-Z after the end", "Acelera\xe7\xe3o\r\n1\r\nAtaque Especial\r\n-1\r\n\x1a"},
        LineEnds{"text after Ctrl-Z",
                 "Acelera\xe7\xe3o\r\n1\r\nAtaque Especial\r\n-1\x1amore\r\n9\r\n"}),
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
    EXPECT_FALSE(parseCatalogue("a\r\n-1\r\nb\r\n--1\r\n", disadvantages));
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
    EXPECT_FALSE(catalogue.assign("Sorte\r\n-1\r\n"));
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

// A catalogue written by a text editor of today is UTF-8: read as such it
// keeps its accents; a Windows-1252 file, or one that is only ASCII, is read
// as it always was.
TEST(CatalogueEncodingTest, AValidUtf8FileWithAccentsIsReadAsUtf8) {
    const struct {
        const char* description;
        std::string bytes;
        std::vector<std::string> names;
        std::vector<std::string> costs;
        bool utf8;
    } cases[] = {
        {"UTF-8",
         "Acelera\xc3\xa7\xc3\xa3o\r\n1\nC\xc3\xb3"
         "digo \xe2\x82\xac\r\n-1\r\n",
         {"Acelera\xe7\xe3o", "C\xf3"
                              "digo \x80"},
         {"1", "-1"},
         true},
        {"Windows-1252", "Acelera\xe7\xe3o\r\n1\r\n", {"Acelera\xe7\xe3o"}, {"1"}, false},
        {"ASCII", "Sorte\r\n1\r\n", {"Sorte"}, {"1"}, false},
        {"UTF-8 with a character Windows-1252 lacks",
         "Ataque \xe2\x86\x92\r\n2\r\n",
         {"Ataque ?"},
         {"2"},
         true},
        {"Windows-1252 bytes that are not UTF-8",
         "\xc3\xa7\xe7\r\n1\r\n",
         {"\xc3\xa7\xe7"},
         {"1"},
         false},
        {"an odd number of lines",
         "Vis\xc3\xa3o\r\n1\r\nSorte",
         {"Vis\xe3o", "Sorte"},
         {"1", ""},
         true},
    };
    for (const auto& c : cases) {
        const Catalogue catalogue = parsedAdvantages(c.bytes);
        EXPECT_EQ(catalogue.names(), c.names) << c.description;
        EXPECT_EQ(catalogue.costTexts(), c.costs) << c.description;
        EXPECT_EQ(catalogue.readAsUtf8(), c.utf8) << c.description;
    }
}

// A file of more entries than a program can hold is refused whole, however
// cheap each entry is on disk; one at the limit is read.
TEST(CatalogueSizeTest, MoreEntriesThanTheLimitAreRefusedAndTheOldOnesKept) {
    const int limit = Catalogue::kMaxEntries;
    const struct {
        const char* description;
        std::string bytes;
        bool refused;
    } cases[] = {
        {"exactly the limit, names and costs",
         [&] {
             std::string bytes;
             for (int i = 0; i < limit; ++i)
                 bytes += "a\n1\n";
             return bytes;
         }(),
         false},
        {"one name past the limit", std::string(2 * static_cast<std::size_t>(limit), '\n') + "x",
         true},
        {"64 MB of empty lines", std::string(64u << 20, '\n'), true},
        {"one CR LF line past the limit",
         [&] {
             std::string bytes;
             for (int i = 0; i <= 2 * limit; ++i)
                 bytes += "\r\n";
             return bytes;
         }(),
         true},
    };
    for (const auto& c : cases) {
        Catalogue catalogue = parsedAdvantages("kept\r\n1\r\n");
        const Result error = catalogue.assign(c.bytes);
        EXPECT_EQ(error.has_value(), c.refused) << c.description;
        if (c.refused) {
            EXPECT_EQ(error->message, "Catalogue file has too many entries (at most 1,000,000)");
            ASSERT_EQ(catalogue.size(), 1) << c.description;
            EXPECT_EQ(catalogue.name(0), "kept") << c.description;
        } else {
            EXPECT_EQ(catalogue.size(), limit) << c.description;
        }
    }
}

// A UTF-8 file's characters that Windows-1252 lacks are counted, with the
// line of the first, counting lines as the reader splits them.
TEST(CatalogueEncodingTest, CharactersWindows1252LacksAreCountedWithTheirFirstLine) {
    const struct {
        const char* description;
        std::string bytes;
        int lost;
        int firstLine;
    } cases[] = {
        {"none", "Vis\xc3\xa3o\r\n1\r\n", 0, 0},
        {"a question mark of its own is no loss", "Qu\xc3\xaa?\r\n1\r\n", 0, 0},
        {"arrow and CJK on lines 3 and 4, CR LF",
         "Vis\xc3\xa3o\r\n1\r\nA \xe2\x86\x92\r\n\xe4\xb8\xad\r\n", 2, 3},
        {"after a lone CR and a lone LF", "\xc3\xa1\r1\nx\xf0\x9f\x98\x80y\r\n", 1, 3},
        {"on the first line, after a euro sign", "\xe2\x82\xac\xe2\x86\x92\n1\n", 1, 1},
        {"Windows-1252 bytes are held as they are", "\x81\x8d\xe7\r\n1\r\n", 0, 0},
    };
    for (const auto& c : cases) {
        const Catalogue catalogue = parsedAdvantages(c.bytes);
        EXPECT_EQ(catalogue.lostCharacters(), c.lost) << c.description;
        EXPECT_EQ(catalogue.firstLineWithLostCharacter(), c.firstLine) << c.description;
    }
}

// What a catalogue is written over: text, never a character, a picture or
// a PDF.
TEST(CatalogueKindTest, OnlyTextCouldBeACatalogue) {
    std::string record(4012, '\0');
    record.replace(0, 5, "Heroi");
    const struct {
        const char* description;
        std::string head;
        bool catalogue;
    } cases[] = {
        {"empty", "", true},
        {"a catalogue", "Acelera\xe7\xe3o\r\n1\r\n\x1a", true},
        {"UTF-8 text with tabs and a form feed", "Vis\xc3\xa3o\t1\n\f", true},
        {"a character file", record, false},
        {"a PNG picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), false},
        {"a PDF", "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n", false},
        {"an escape sequence", "a\x1b[2J\r\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Catalogue::couldBeCatalogueFile(c.head), c.catalogue) << c.description;
}

} // namespace
} // namespace kestrix
