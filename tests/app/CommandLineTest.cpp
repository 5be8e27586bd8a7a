#include "app/CommandLine.h"

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
    // All the toolkit is handed besides the program's name.
    std::vector<std::string> toolkit = {};
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
    EXPECT_EQ(parsed.toolkitArguments, c.toolkit);
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
        // A file manager passing several files: the first opens.
        Case{{"a.QsZ", "b.QsZ"}, Action::OpenWindow, {"a.QsZ", "b.QsZ"}, ""},
        // The toolkit's own options are left to it, with their values.
        Case{{"-session", "abc", "heroi.QsZ"},
             Action::OpenWindow,
             {"heroi.QsZ"},
             "",
             {"-session", "abc"}},
        Case{{"-platform", "xcb", "-display", ":1"},
             Action::OpenWindow,
             {},
             "",
             {"-platform", "xcb", "-display", ":1"}},
        // After "--" a name that looks like a toolkit option is a file, and
        // the toolkit never sees it.
        Case{{"--", "-platform", "x.QsZ"}, Action::OpenWindow, {"-platform", "x.QsZ"}, ""},
        Case{{"--export-pdf", "o.pdf", "--", "-platform", "x.QsZ", "-session", "-display"},
             Action::ExportPdf,
             {"-platform", "x.QsZ", "-session", "-display"},
             "o.pdf"},
        // Toolkit options that load code or read files are not taken at all.
        Case{{"-platformpluginpath", "plugins"}, Action::Usage, {}, ""},
        Case{{"--platformpluginpath", "plugins"}, Action::Usage, {}, ""},
        Case{{"-plugin", "evdevmouse"}, Action::Usage, {}, ""},
        Case{{"-style", "fusion"}, Action::Usage, {}, ""},
        Case{{"-stylesheet", "x.qss"}, Action::Usage, {}, ""},
        Case{{"-qwindowicon", "x.png"}, Action::Usage, {}, ""},
        Case{{"heroi.QsZ", "-display"}, Action::Usage, {}, ""},
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
        // A forgotten PDF name: the next option is not taken for it.
        Case{{"--export-pdf", "--", "a.QsZ"}, Action::Usage, {}, ""},
        Case{{"--export-pdf", "-x.pdf", "a.QsZ"}, Action::Usage, {}, ""},
        Case{{"--export-pdf=-x.pdf", "a.QsZ"}, Action::Usage, {}, ""},
        Case{{"--export-pdf", "./-x.pdf", "a.QsZ"}, Action::ExportPdf, {"a.QsZ"}, "./-x.pdf"},
        Case{{"--export-pdf"}, Action::Usage, {}, ""},
        Case{{"--export-pdf="}, Action::Usage, {}, ""},
        Case{{"--export-pdf", "a.pdf", "--export-pdf", "b.pdf", "c.QsZ"}, Action::Usage, {}, ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::to_string(info.index); });

// One line on standard error, however many files a file manager passes
// and whatever their names hold.
TEST(UnopenedFilesNoticeTest, NamesTheFilesNotOpenedOnOneLine) {
    EXPECT_EQ(unopenedFilesNotice({}), "");
    EXPECT_EQ(unopenedFilesNotice({"a.QsZ"}), "");
    const std::string two = unopenedFilesNotice({"a.QsZ", "b\nc.QsZ"});
    EXPECT_NE(two.find("b?c.QsZ"), std::string::npos) << two;
    EXPECT_EQ(two.find("a.QsZ"), std::string::npos) << "the opened file is not among them";
    EXPECT_EQ(two.find('\n'), std::string::npos) << two;
    const std::vector<std::string> party(5000, "x.QsZ");
    const std::string many = unopenedFilesNotice(party);
    EXPECT_LT(many.size(), 200u) << many;
    EXPECT_NE(many.find("4996 more"), std::string::npos) << many;
}

TEST(VersionTextTest, NamesTheProgramAndItsVersion) {
    const std::string text = versionText("kestrix");
    ASSERT_EQ(text.rfind("kestrix ", 0), 0u);
    EXPECT_NE(text.find_first_of("0123456789"), std::string::npos);
}

} // namespace
} // namespace kestrix
