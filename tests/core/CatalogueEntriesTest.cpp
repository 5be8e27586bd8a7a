#include "core/CatalogueEntries.h"

#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrix {
namespace {

CatalogueEntries entriesOf(const std::string& bytes,
                           Catalogue catalogue = Catalogue::advantages()) {
    EXPECT_FALSE(parseCatalogue(bytes, catalogue));
    return CatalogueEntries(catalogue);
}

// An entry as a plain list would hold it, to check the packed one against.
struct PlainEntry {
    std::string name;
    std::string cost;
    bool variable = false;
    bool operator==(const PlainEntry& other) const {
        return name == other.name && cost == other.cost && variable == other.variable;
    }
};

std::vector<PlainEntry> plain(const CatalogueEntries& entries) {
    std::vector<PlainEntry> result;
    for (int row = 0; row < entries.size(); ++row)
        result.push_back({std::string(entries.name(row)), std::string(entries.cost(row)),
                          entries.isVariable(row)});
    return result;
}

TEST(CatalogueEntriesTest, EntriesWriteBackTheFileTheyCameFrom) {
    const std::string bytes = "Acelera\xe7\xe3o\r\n1\r\nAtaque\r\n-1\r\n\r\n\r\n";
    EXPECT_EQ(entriesOf(bytes).fileBytes(), bytes);
    const std::string disadvantages = "Inimigo\r\n-1\r\nHonra\r\n--1\r\n";
    EXPECT_EQ(entriesOf(disadvantages, Catalogue::disadvantages()).fileBytes(), disadvantages);
}

// Sorted as a Portuguese reader expects: accents and case do not count, and
// entries of equal keys keep their order.
TEST(CatalogueEntriesTest, SortingIgnoresAccentsAndCase) {
    CatalogueEntries entries(std::string(Catalogue::kAdvantageMarker));
    int cost = 0;
    for (const char* name :
         {"\xd3rf\xe3o", "agilidade", "Zelo", "\xc1gua", "Alerta", "\xe9tica", "Esporte", "\xc7ol",
          "casa", "cor", "\xc1GUA", "agua", "Ataque Especial 10", "Ataque Especial 1", ""})
        entries.insert(entries.size(), name, std::to_string(++cost));
    const std::vector<PlainEntry> before = plain(entries);
    const std::vector<int> newRows = entries.sortAlphabetically();
    ASSERT_EQ(newRows.size(), before.size());
    for (std::size_t row = 0; row < before.size(); ++row)
        EXPECT_EQ(entries.name(newRows[row]), before[row].name) << "where row " << row << " went";
    std::vector<std::string> names;
    for (const auto& entry : plain(entries))
        names.push_back(entry.name + "/" + entry.cost);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "/15", "agilidade/2", "\xc1gua/4", "\xc1GUA/11", "agua/12", "Alerta/5",
                         "Ataque Especial 1/14", "Ataque Especial 10/13", "casa/9", "\xc7ol/8",
                         "cor/10", "Esporte/7", "\xe9tica/6", "\xd3rf\xe3o/1", "Zelo/3"}));
    EXPECT_EQ(alphabeticalKey("\xc6on \xdf \x8a\x9f \xd7"), "aeon ss sy \xd7");
}

// A line longer than an item line holds is cut to it: a 60 MB line costs
// the list 40 bytes, not 60 MB.
TEST(CatalogueEntriesTest, LongLinesAreCutToAnItemLine) {
    const std::string longLine(60u << 20, 'x');
    const CatalogueEntries entries = entriesOf(longLine + "\r\n" + longLine + "\r\nSorte\r\n1\r\n");
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.name(0), std::string(CatalogueEntries::kLongestLine, 'x'));
    EXPECT_EQ(entries.cost(0), std::string(CatalogueEntries::kLongestLine, 'x'));
    EXPECT_EQ(entries.name(1), "Sorte");
    EXPECT_EQ(entries.cutLines(), 2);
    EXPECT_LT(entries.heldBytes(), 4096u);
}

// Ticking "Custo variável" and unticking it gives the cost back; typing the
// marker is ticking the box, as the file would read it back.
TEST(CatalogueEntriesTest, TheVariableBoxKeepsTheTypedCost) {
    CatalogueEntries entries = entriesOf("Aliado\r\n3\r\nSorte\r\n-1\r\n");
    entries.setVariable(0, true);
    EXPECT_EQ(entries.fileCost(0), "-1");
    entries.setVariable(0, false);
    EXPECT_EQ(entries.fileCost(0), "3");
    entries.setVariable(1, false);
    EXPECT_EQ(entries.fileCost(1), "") << "a variable entry from a file had no cost before";
    entries.setCost(1, "-1");
    EXPECT_TRUE(entries.isVariable(1));
    EXPECT_EQ(entries.cost(1), "");
}

// Every change against a plain list of entries, long enough that the
// unused text is reclaimed many times over.
TEST(CatalogueEntriesTest, EveryChangeMatchesAPlainList) {
    std::mt19937 random(23);
    auto pick = [&random](int below) {
        return static_cast<int>(random() % static_cast<unsigned>(below));
    };
    auto text = [&] {
        std::string result(static_cast<std::size_t>(pick(45)), ' ');
        for (char& c : result)
            c = static_cast<char>('a' + pick(26));
        return result;
    };
    auto cutText = [](std::string value) {
        return value.substr(0, CatalogueEntries::kLongestLine);
    };
    CatalogueEntries entries(std::string(Catalogue::kAdvantageMarker));
    std::vector<PlainEntry> expected;
    for (int step = 0; step < 20000; ++step) {
        const int size = static_cast<int>(expected.size());
        const int row = size == 0 ? 0 : pick(size);
        const auto at = static_cast<std::size_t>(row);
        switch (size < 20 ? 0 : pick(7)) {
        case 0: {
            const std::string name = text();
            const std::string cost = text();
            entries.insert(row, name, cost);
            expected.insert(expected.begin() + row, {cutText(name), cutText(cost), false});
            break;
        }
        case 1:
            entries.remove(row);
            expected.erase(expected.begin() + row);
            break;
        case 2: {
            const std::string name = text();
            entries.setName(row, name);
            expected[at].name = cutText(name);
            break;
        }
        case 3: {
            // Costs are never the marker here: that case is tested above.
            const std::string cost = text();
            entries.setCost(row, cost);
            expected[at].cost = cutText(cost);
            break;
        }
        case 4: {
            const bool variable = pick(2) == 0;
            entries.setVariable(row, variable);
            expected[at].variable = variable;
            break;
        }
        case 5: {
            const int other = pick(size);
            entries.swap(row, other);
            std::swap(expected[at], expected[static_cast<std::size_t>(other)]);
            break;
        }
        default: {
            // Another entry's name: a view into the list's own text.
            const int source = pick(size);
            entries.setName(row, entries.name(source));
            expected[at].name = expected[static_cast<std::size_t>(source)].name;
            break;
        }
        }
        ASSERT_EQ(entries.size(), static_cast<int>(expected.size())) << "step " << step;
    }
    EXPECT_EQ(plain(entries), expected);
    std::size_t textBytes = 0;
    for (const PlainEntry& entry : expected)
        textBytes += entry.name.size() + entry.cost.size();
    // What the list holds stays in proportion to the entries it has.
    EXPECT_LT(entries.heldBytes(), 4 * textBytes + 64 * expected.size() + (256u << 10));
}

TEST(CatalogueEntriesTest, EdgesOfTheList) {
    CatalogueEntries entries = entriesOf("a\r\n1\r\n\r\n2\r\nc\r\n3\r\n");
    EXPECT_EQ(entries.firstWithoutName(), 1);
    entries.setName(1, "b");
    EXPECT_EQ(entries.firstWithoutName(), -1);
    EXPECT_THROW(entries.name(3), std::out_of_range);
    EXPECT_THROW(entries.swap(2, 3), std::out_of_range);
    EXPECT_THROW(entries.insert(4, "x", ""), std::out_of_range);
    EXPECT_THROW(entries.remove(-1), std::out_of_range);

    CatalogueEntries full(std::string(Catalogue::kAdvantageMarker));
    for (int i = 0; i < Catalogue::kMaxEntries; ++i)
        full.insert(i, {}, {});
    EXPECT_THROW(full.insert(0, "one more", "1"), std::length_error);
    EXPECT_EQ(full.size(), Catalogue::kMaxEntries);
}

} // namespace
} // namespace kestrix
