#include "tools/kestrix-metafile/MetafileConversion.h"

#include "svgcheck/SvgAllowList.h"
#include "tests/tools/MetafileWriter.h"
#include "tools/kestrix-metafile/EmfConversion.h"
#include "tools/kestrix-metafile/EmfMappingRepair.h"
#include "tools/kestrix-metafile/SvgDocument.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <string>

namespace kestrix {
namespace {

std::string sample(const std::string& name) {
    std::ifstream in(std::string(KESTRIX_TEST_DATA_DIR) + "/metafiles/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

const char* const kSamples[] = {"shapes.emf", "ansi-text.emf", "placeable.wmf", "plain.wmf"};

TEST(MetafileConversionTest, SamplesBecomeSvgInTheirFrameWithTheirPensAndTexts) {
    for (const char* name : kSamples) {
        SCOPED_TRACE(name);
        const MetafileConversion result = convertMetafile(sample(name));
        ASSERT_TRUE(result.ok()) << result.error;
        const std::string& svg = result.svg;
        EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
                            "xmlns=\"http://www.w3.org/2000/svg\"",
                            0),
                  0u);
        EXPECT_NE(svg.find("viewBox=\"0 0 1000.0000 1500.0000\""), std::string::npos);
        EXPECT_NE(svg.find("Ação"), std::string::npos) << "accented letters survive";
        // The outline keeps its 20 units, and fills are opaque.
        EXPECT_TRUE(svg.find("stroke-width=\"20.0000\"") != std::string::npos ||
                    svg.find("stroke-width:20.000000") != std::string::npos);
        EXPECT_EQ(svg.find("fill-opacity:0.5"), std::string::npos);
        EXPECT_EQ(svg.find("sodipodi"), std::string::npos);
    }
}

TEST(MetafileConversionTest, EveryTruncationOfASampleFails) {
    for (const char* name : kSamples) {
        const std::string bytes = sample(name);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const MetafileConversion result = convertMetafile(bytes.substr(0, length));
            EXPECT_FALSE(result.ok()) << name << " cut to " << length;
            EXPECT_TRUE(result.svg.empty());
        }
    }
}

TEST(MetafileConversionTest, AnEnhancedMetafileIsPreparedForTheConverter) {
    const std::string original = sample("ansi-text.emf");
    double width = 0;
    double height = 0;
    const std::string prepared = prepareEmf(original, width, height);
    ASSERT_FALSE(prepared.empty());
    EXPECT_EQ(width, 1000);
    EXPECT_EQ(height, 1500);
    // The bounds are the frame now, and the size is the new size.
    EXPECT_EQ(u32At(prepared, 8), 0u);
    EXPECT_EQ(u32At(prepared, 16), 1000u);
    EXPECT_EQ(u32At(prepared, 20), 1500u);
    EXPECT_EQ(u32At(prepared, 48), prepared.size());

    bool sawPen = false;
    bool sawText = false;
    for (std::size_t at = u32At(prepared, 4); at < prepared.size(); at += u32At(prepared, at + 4)) {
        const std::uint32_t type = u32At(prepared, at);
        EXPECT_NE(type, 83u) << "no ANSI text is left";
        if (type == 38) {
            sawPen = true;
            EXPECT_EQ(u32At(prepared, at + 12) & 0x000F0000u, 0x00010000u) << "geometric pen";
        }
        if (type == 84) {
            sawText = true;
            const std::size_t text = at + u32At(prepared, at + 48);
            EXPECT_EQ(prepared.substr(text, 8), std::string("A\0\xE7\0\xE3\0o\0", 8));
            const std::size_t dx = at + u32At(prepared, at + 72);
            EXPECT_EQ(u32At(prepared, dx), 60u) << "the spacing comes along";
        }
    }
    EXPECT_TRUE(sawPen);
    EXPECT_TRUE(sawText);
}

TEST(MetafileConversionTest, ABrokenRecordChainIsRefused) {
    std::string bytes = sample("shapes.emf");
    double width = 0;
    double height = 0;
    std::string badSize = bytes;
    badSize[108 + 4] = 7; // the first record after the header claims 7 bytes
    EXPECT_TRUE(prepareEmf(badSize, width, height).empty());
    std::string secondHeader = bytes;
    secondHeader[108] = 1;
    EXPECT_TRUE(prepareEmf(secondHeader, width, height).empty());
    EXPECT_FALSE(convertMetafile(std::string(20000000, '\0')).ok()) << "too large";
}

TEST(MetafileConversionTest, HostileMappingRecordsNeitherGrowNorBreakTheDrawing) {
    // Every drawing record after a change of every mapping: the repair
    // adds at most its few records each time, and gives up before it
    // doubles the metafile.
    test::EmfWriter flips(1000, 1000);
    flips.mapMode(8).windowExt(1000, 1000);
    for (int i = 0; i < 20000; ++i)
        flips.viewportExt(1000, i % 2 == 0 ? -1000 : 1000)
            .worldTransform(2, 0, 0, 2, i, 0)
            .record(59, {});
    // Transforms that are not numbers or flatten everything, empty
    // extents and unknown modes are ignored.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    test::EmfWriter odd(1000, 1000);
    odd.mapMode(8).windowExt(0, 0).viewportExt(0, 5);
    odd.worldTransform(nan, 0, 0, 1, 0, 0).worldTransform(0, 0, 0, 0, 0, 0);
    odd.mapMode(99);
    odd.nullPen().brush(test::kRed).rectangle(100, 100, 300, 300);
    for (const std::string& bytes : {flips.bytes(), odd.bytes()}) {
        double width = 0;
        double height = 0;
        const std::string prepared = prepareEmf(bytes, width, height);
        ASSERT_FALSE(prepared.empty());
        EXPECT_LE(EmfMappingRepair::apply(prepared).size(), 2 * prepared.size() + 65536);
        convertMetafile(bytes);
    }
    const MetafileConversion result = convertMetafile(odd.bytes());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_NE(result.svg.find("width=\"200.0000\" height=\"200.0000\""), std::string::npos)
        << result.svg;
    EXPECT_EQ(result.svg.find("nan"), std::string::npos) << result.svg;
    EXPECT_EQ(result.svg.find("matrix"), std::string::npos) << "nothing to transform";
}

TEST(MetafileConversionTest, TextsBecomeXmlCharacterData) {
    struct Case {
        std::string windows1252;
        std::string xml;
    };
    const Case cases[] = {
        {"A\xE7\xE3o", "Ação"},
        {"<a & \"b\" 'c'>", "&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt;"},
        {"\x80 \x81\x8D", "€   "},
        {std::string("tab\tnul\0end", 11), "tab nul end"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(windows1252ToXmlText(c.windows1252), c.xml);
}

TEST(MetafileConversionTest, TheRootIsReplacedAndDrawingsAreFound) {
    const std::string document = "<?xml version=\"1.0\"?>\n<!DOCTYPE svg>\n<svg width=\"3\"\n"
                                 "\txmlns:x=\"y\">\n<rect x=\"1\"/>\n</svg>\n";
    EXPECT_EQ(withSvgRoot(document, 10, 20),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg "
              "xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
              "version=\"1.1\" width=\"10.0000\" height=\"20.0000\" viewBox=\"0 0 10.0000 "
              "20.0000\">\n<rect x=\"1\"/>\n</svg>\n");
    EXPECT_EQ(withSvgRoot("<svgx/>", 1, 1), "");
    EXPECT_EQ(withSvgRoot("<svg/>", 1, 1), "");
    EXPECT_TRUE(drawsSomething(document));
    EXPECT_FALSE(drawsSomething("<svg><g></g><rectangle/></svg>"));

    // A drawing mapped onto one point draws nothing, whatever its shapes.
    const struct {
        const char* svg;
        bool draws;
    } cases[] = {
        {"<svg><rect x=\"0.0000\" y=\"0.0000\" width=\"0.0000\" height=\"0.0000\"/>"
         "<path d=\"M 0.0000,0.0000 L 0.0000,0.0000 \"/><path d=\"M 3,4 L 3,4 L 3,4\"/>"
         "<text x=\"0\" y=\"0\" font-size=\"0.0000\">UML</text></svg>",
         false},
        {"<svg><rect x=\"-nan\" y=\"-nan\" width=\"-nan\" height=\"-nan\"/></svg>", false},
        {"<svg><defs><clipPath id=\"c\"><rect width=\"9\" height=\"9\"/></clipPath></defs>"
         "<ellipse cx=\"1\" cy=\"1\" rx=\"0\" ry=\"0\"/></svg>",
         false},
        {"<svg><path d=\"M 0,0 L 0,5\"/></svg>", true},
        {"<svg><rect width=\"0\" height=\"4\"/></svg>", true},
        // A text without a font of its own is drawn in a stock size.
        {"<svg><text x=\"10\" y=\"10\" font-size=\"0.0000\">Ol\xC3\xA1</text></svg>", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(drawsSomething(c.svg), c.draws) << c.svg;
}

TEST(MetafileConversionTest, AWindowsMetafileKeepsItsColoursAndItsViewport) {
    for (const bool setsMapMode : {true, false}) {
        SCOPED_TRACE(setsMapMode ? "anisotropic" : "no mapping mode");
        const MetafileConversion result = convertMetafile(test::exactColoursWmf(setsMapMode));
        ASSERT_TRUE(result.ok()) << result.error;
        const std::string& svg = result.svg;
        EXPECT_NE(svg.find("viewBox=\"0 0 1000.0000 1000.0000\""), std::string::npos);
        // Exact colours, no nearest named colour (deepskyblue for #00CCFF).
        EXPECT_NE(svg.find("<rect x=\"100.0000\" y=\"100.0000\" width=\"800.0000\" "
                           "height=\"300.0000\" fill=\"#00CCFF\" stroke=\"#123456\" "
                           "stroke-width=\"20.0000\""),
                  std::string::npos)
            << svg;
        EXPECT_NE(svg.find("fill=\"#FF8000\">Cor</text>"), std::string::npos) << svg;
        EXPECT_NE(svg.find("<rect x=\"600.0000\" y=\"700.0000\" width=\"300.0000\" "
                           "height=\"200.0000\" fill=\"#FF0000\" stroke=\"none\""),
                  std::string::npos)
            << svg;
    }
}

TEST(MetafileConversionTest, AViewportExtentScalesAndSavedStatesComeBack) {
    test::WmfWriter wmf;
    wmf.mapMode(8).windowOrg(0, 0).windowExt(1000, 1000);
    wmf.pen(5, 0, test::kRed).brush(0, test::kRed);
    wmf.saveDc().viewportOrg(500, 0).viewportExt(500, 500).rectangle(0, 0, 1000, 1000);
    wmf.restoreDc().rectangle(0, 600, 100, 700);
    const MetafileConversion result = convertMetafile(wmf.placeable(0, 0, 1000, 1000));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_NE(result.svg.find("<rect x=\"500.0000\" y=\"0.0000\" width=\"500.0000\" "
                              "height=\"500.0000\""),
              std::string::npos)
        << result.svg;
    EXPECT_NE(result.svg.find("<rect x=\"0.0000\" y=\"600.0000\" width=\"100.0000\" "
                              "height=\"100.0000\""),
              std::string::npos)
        << result.svg;
}

// Texts that would close the text element and open an image if a
// conversion wrote them unescaped.
const std::string kSmuggledFile = "]]></text><image xlink:href=\"/home/jogador/foto.png\" "
                                  "width=\"1000\" height=\"1000\"/><text><![CDATA[";
const std::string kSmuggledData =
    "]]></text><image xlink:href=\"data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYA"
    "AAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==\" width=\"1000\" "
    "height=\"1000\"/><text><![CDATA[";

std::u16string widened(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

TEST(MetafileConversionTest, TextsNeverBecomeMarkup) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const auto wmfSaying = [](const std::string& text) {
        test::WmfWriter wmf;
        wmf.mapMode(8).windowOrg(0, 0).windowExt(1000, 1000);
        wmf.font(100, "Liberation Sans").text(10, 10, text);
        return wmf.placeable(0, 0, 1000, 1000);
    };
    const Case cases[] = {
        {"wide text, a local file",
         test::EmfWriter(1000, 1000).text(10, 10, widened(kSmuggledFile)).bytes()},
        {"wide text, embedded data",
         test::EmfWriter(1000, 1000).text(10, 10, widened(kSmuggledData)).bytes()},
        {"ANSI text, a local file",
         test::EmfWriter(1000, 1000).ansiText(10, 10, kSmuggledFile).bytes()},
        {"ANSI text, embedded data",
         test::EmfWriter(1000, 1000).ansiText(10, 10, kSmuggledData).bytes()},
        {"wide text holding the stand-in",
         test::EmfWriter(1000, 1000).text(10, 10, u"a\uE03E]]>b").bytes()},
        {"Windows metafile text, a local file", wmfSaying(kSmuggledFile)},
        {"Windows metafile text, embedded data", wmfSaying(kSmuggledData)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MetafileConversion result = convertMetafile(c.bytes);
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_EQ(result.svg.find("<image"), std::string::npos) << result.svg;
        EXPECT_EQ(result.svg.find("<![CDATA["), std::string::npos) << result.svg;
        EXPECT_EQ(svgAllowListViolation(result.svg), "");
        EXPECT_TRUE(result.svg.find("]]&gt;&lt;/text&gt;&lt;image xlink:href=&quot;") !=
                        std::string::npos ||
                    result.svg.find("a\xEF\xBF\xBD]]&gt;b") != std::string::npos)
            << "the text is shown as it is: " << result.svg;
    }
}

TEST(MetafileConversionTest, CdataSectionsBecomeCharacterData) {
    EXPECT_EQ(cdataAsText("<text><![CDATA[a<b&\"c\x01\xEE\x80\xBE]]></text>", "\xEE\x80\xBE"),
              "<text>a&lt;b&amp;&quot;c &gt;</text>");
    EXPECT_EQ(cdataAsText("<t><![CDATA[]]></t><t><![CDATA[x]]></t>", "\xEE\x80\xBE"),
              "<t></t><t>x</t>");
    EXPECT_EQ(cdataAsText("<t><![CDATA[never closed</t>", "\xEE\x80\xBE"), "");
}

} // namespace
} // namespace kestrix
