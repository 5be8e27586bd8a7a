#include "core/Catalogue.h"
#include "core/LeadingNumber.h"
#include "core/Windows1252.h"
#include "tests/content/ContentFile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace kestrix {
namespace {

using content::dataPath;
using content::readBytes;

// Group prefixes as the catalogues store them, in Windows-1252 bytes.
const std::string kSkillPrefix = "Per\xED"
                                 "cia : ";
const std::string kPsychicPrefix = "Psiquismo : ";
const std::string kMachinePrefix = "M\xE1quina : ";

struct ShippedCatalogue {
    const char* file;
    const char* source;
    int entries;
    bool advantages;
};

void PrintTo(const ShippedCatalogue& shipped, std::ostream* os) {
    *os << shipped.file;
}

// Accented Windows-1252 letters read as their base letter, and case is
// ignored, so "Água" sorts among the A's as a reader expects.
char sortLetter(unsigned char byte) {
    // Base letters of 0xC0..0xDF; 0xE0..0xFF are their lower-case twins.
    static constexpr char kBase[] = "aaaaaaaceeeeiiiidnooooo*ouuuuyts";
    if (byte == 0xD7 || byte == 0xF7)
        return static_cast<char>(byte);
    if (byte == 0xFF)
        return 'y';
    if (byte >= 0xC0)
        return kBase[(byte - 0xC0) & 0x1F];
    if (byte >= 'A' && byte <= 'Z')
        return static_cast<char>(byte - 'A' + 'a');
    return static_cast<char>(byte);
}

std::string sortKey(std::string_view name) {
    std::string key;
    for (char c : name)
        key += sortLetter(static_cast<unsigned char>(c));
    return key;
}

bool hasEntryStartingWith(const Catalogue& catalogue, const std::string& prefix) {
    const std::vector<std::string> names = catalogue.names();
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& name) { return name.rfind(prefix, 0) == 0; });
}

class ShippedCatalogueTest : public ::testing::TestWithParam<ShippedCatalogue> {
protected:
    void SetUp() override {
        const auto bytes = readBytes(dataPath(GetParam().file));
        ASSERT_TRUE(bytes) << "cannot read " << dataPath(GetParam().file);
        m_bytes = *bytes;
        EXPECT_FALSE(parseCatalogue(m_bytes, m_catalogue));
    }

    std::string m_bytes;
    Catalogue m_catalogue =
        GetParam().advantages ? Catalogue::advantages() : Catalogue::disadvantages();
};

TEST_P(ShippedCatalogueTest, IsWindows1252WithCrLfAfterEveryLine) {
    ASSERT_GE(m_bytes.size(), 2u);
    EXPECT_EQ(m_bytes.substr(m_bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < m_bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(m_bytes[i]);
        if (byte == '\r') {
            ASSERT_TRUE(i + 1 < m_bytes.size() && m_bytes[i + 1] == '\n') << "lone CR at " << i;
        } else if (byte == '\n') {
            ASSERT_TRUE(i > 0 && m_bytes[i - 1] == '\r') << "lone LF at " << i;
        } else {
            ASSERT_GE(byte, 0x20) << "control byte " << int(byte) << " at " << i;
            ASSERT_NE(byte, 0x7F) << "at " << i;
            for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
                ASSERT_NE(byte, undefined) << "byte undefined in Windows-1252 at " << i;
        }
    }
}

TEST_P(ShippedCatalogueTest, ParsesToItsEntriesInPairs) {
    EXPECT_EQ(m_catalogue.size(), GetParam().entries);
    EXPECT_EQ(std::count(m_bytes.begin(), m_bytes.end(), '\n'), 2 * GetParam().entries);
    for (int i = 0; i < m_catalogue.size(); ++i) {
        EXPECT_FALSE(m_catalogue.name(i).empty()) << "entry " << i;
        EXPECT_FALSE(m_catalogue.costText(i).empty()) << m_catalogue.name(i);
        EXPECT_NE(m_catalogue.name(i).front(), ' ') << m_catalogue.name(i);
        EXPECT_NE(m_catalogue.name(i).back(), ' ') << m_catalogue.name(i);
    }
}

TEST_P(ShippedCatalogueTest, IsInAlphabeticalOrderIgnoringAccentsAndCase) {
    for (int i = 1; i < m_catalogue.size(); ++i) {
        EXPECT_LT(sortKey(m_catalogue.name(i - 1)), sortKey(m_catalogue.name(i)))
            << windows1252ToUtf8(m_catalogue.name(i - 1)) << " before "
            << windows1252ToUtf8(m_catalogue.name(i));
    }
}

// Every fixed cost must move the totals the right way once acquired: the
// item line "cost name" reads as the points an advantage costs or a
// disadvantage gives back, whatever sign the catalogue writes.
TEST_P(ShippedCatalogueTest, FixedCostsCountAsPositivePointsAndSomeCostsVary) {
    int variable = 0;
    for (int i = 0; i < m_catalogue.size(); ++i) {
        const std::string cost(m_catalogue.costText(i));
        if (cost == m_catalogue.variableCostMarker()) {
            EXPECT_EQ(m_catalogue.shownCost(i), "Var.");
            ++variable;
            continue;
        }
        const std::int32_t points =
            leadingNumberValue(cost + " " + std::string(m_catalogue.name(i)));
        EXPECT_GE(points, 1) << windows1252ToUtf8(m_catalogue.name(i)) << " costs " << cost;
        EXPECT_LE(points, 5) << windows1252ToUtf8(m_catalogue.name(i)) << " costs " << cost;
        if (!GetParam().advantages) {
            EXPECT_EQ(cost.front(), '-') << windows1252ToUtf8(m_catalogue.name(i));
        }
    }
    EXPECT_GE(variable, 1);
}

TEST_P(ShippedCatalogueTest, HoldsThePsychicAndMachineGroups) {
    EXPECT_TRUE(hasEntryStartingWith(m_catalogue, kPsychicPrefix));
    EXPECT_TRUE(hasEntryStartingWith(m_catalogue, kMachinePrefix));
    if (GetParam().advantages) {
        EXPECT_TRUE(hasEntryStartingWith(m_catalogue, kSkillPrefix));
    }
}

// The shipped file is generated from a readable UTF-8 source; a source edit
// that was never regenerated would ship stale catalogues.
TEST_P(ShippedCatalogueTest, MatchesItsUtf8Source) {
    const auto source = readBytes(dataPath(GetParam().source));
    ASSERT_TRUE(source) << "cannot read " << dataPath(GetParam().source);
    std::string withoutCarriageReturns = m_bytes;
    withoutCarriageReturns.erase(
        std::remove(withoutCarriageReturns.begin(), withoutCarriageReturns.end(), '\r'),
        withoutCarriageReturns.end());
    EXPECT_EQ(windows1252ToUtf8(withoutCarriageReturns), *source)
        << "run scripts/make-catalogues.sh";
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, ShippedCatalogueTest,
    ::testing::Values(ShippedCatalogue{"vantagem.lib", "src/vantagem.txt", 58, true},
                      ShippedCatalogue{"desvant.lib", "src/desvant.txt", 33, false}),
    [](const auto& info) { return info.param.advantages ? "Advantages" : "Disadvantages"; });

} // namespace
} // namespace kestrix
