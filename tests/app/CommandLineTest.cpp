#include "CommandLine.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kestrix {
namespace {

using Action = CommandLine::Action;

struct Case {
    std::vector<std::string> arguments;
    Action action;
    std::vector<std::string> files;
    std::string output;
};

// Shown when a case fails: the arguments as typed.
void PrintTo(const Case& c, std::ostream* out) {
    *out << "kestrix";
    for (const std::string& argument : c.arguments)
        *out << " '" << argument << "'";
}

class CommandLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, ParsesAsAUserMeansIt) {
    const Case& c = GetParam();
    const CommandLine parsed = parseCommandLine(c.arguments);
    EXPECT_EQ(parsed.action, c.action) << parsed.problem;
    if (c.action == Action::Usage) {
        EXPECT_FALSE(parsed.problem.empty());
        return;
    }
    EXPECT_EQ(parsed.files, c.files);
    EXPECT_EQ(parsed.output, c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        Case{{}, Action::OpenWindow, {}, ""},
        Case{{"heroi.QsZ"}, Action::OpenWindow, {"heroi.QsZ"}, ""},
        // A file whose name starts with a dash, after "--" or as a lone "-".
        Case{{"--", "-x.QsZ"}, Action::OpenWindow, {"-x.QsZ"}, ""},
        Case{{"--", "--version"}, Action::OpenWindow, {"--version"}, ""},
        Case{{"-"}, Action::OpenWindow, {"-"}, ""}, Case{{"--version"}, Action::Version, {}, ""},
        Case{{"heroi.QsZ", "--version"}, Action::Version, {}, ""},
        Case{{"--help"}, Action::Help, {}, ""}, Case{{"-h"}, Action::Help, {}, ""},
        Case{{"-x.QsZ"}, Action::Usage, {}, ""}, Case{{"--versao"}, Action::Usage, {}, ""},
        Case{{"a.QsZ", "b.QsZ"}, Action::Usage, {}, ""},
        // The toolkit's own options are left to it, with their values.
        Case{{"-session", "abc", "heroi.QsZ"}, Action::OpenWindow, {"heroi.QsZ"}, ""},
        Case{{"-platform", "xcb"}, Action::OpenWindow, {}, ""},
        Case{{"--export-pdf", "grupo.pdf", "a.QsZ", "b.QsZ"},
             Action::ExportPdf,
             {"a.QsZ", "b.QsZ"},
             "grupo.pdf"},
        Case{{"a.QsZ", "--export-pdf", "grupo.pdf", "b.QsZ"},
             Action::ExportPdf,
             {"a.QsZ", "b.QsZ"},
             "grupo.pdf"},
        Case{{"--export-pdf=grupo.pdf", "a.QsZ"}, Action::ExportPdf, {"a.QsZ"}, "grupo.pdf"},
        Case{{"--export-pdf", "grupo.pdf", "--", "-a.QsZ"},
             Action::ExportPdf,
             {"-a.QsZ"},
             "grupo.pdf"},
        Case{{"--export-pdf", "grupo.pdf"}, Action::Usage, {}, ""},
        Case{{"--export-pdf"}, Action::Usage, {}, ""},
        Case{{"--export-pdf="}, Action::Usage, {}, ""},
        Case{{"--export-pdf", "a.pdf", "--export-pdf", "b.pdf", "c.QsZ"}, Action::Usage, {}, ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::to_string(info.index); });

TEST(VersionTextTest, NamesTheProgramAndItsVersion) {
    const std::string text = versionText("kestrix");
    ASSERT_EQ(text.rfind("kestrix ", 0), 0u);
    EXPECT_NE(text.find_first_of("0123456789"), std::string::npos);
}

} // namespace
} // namespace kestrix
