#include "core/CharacterSheet.h"
#include "core/Windows1252.h"
#include "storage/CharacterFile.h"
#include "storage/CharacterRecord.h"
#include "tests/tools/ProgramRun.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace kestrix {
namespace {

namespace fs = std::filesystem;

const std::string kProgram = KESTRIX_INFO_PATH;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// The Windows-1252 bytes of a UTF-8 text whose characters the code page holds.
std::string windows1252(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t codePoint = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k)
            codePoint = codePoint << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        bytes += static_cast<char>(unicodeToWindows1252(codePoint).value());
        i += length;
    }
    return bytes;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class KestrixInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kestrix-info-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    ProgramRun run(const std::vector<std::string>& arguments) const {
        return runProgram(kProgram, arguments, m_dir.string());
    }

    // João da Conceição, Windows-1252 as the file holds him: attributes 1..5,
    // magic paths 1..6 each in its own place, two advantages, one
    // disadvantage whose catalogue bonus was written negative.
    std::string saveJoao(const std::string& name) const {
        CharacterSheet sheet;
        sheet.setName(windows1252("João da Conceição"));
        const Attribute attributes[] = {Attribute::Forca, Attribute::Habilidade,
                                        Attribute::Resistencia, Attribute::Armadura,
                                        Attribute::PoderDeFogo};
        for (int i = 0; i < kAttributeCount; ++i)
            sheet.setAttribute(attributes[i], std::to_string(i + 1));
        const MagicPath paths[] = {MagicPath::Fogo,  MagicPath::Agua, MagicPath::Ar,
                                   MagicPath::Terra, MagicPath::Luz,  MagicPath::Trevas};
        for (int i = 0; i < kMagicPathCount; ++i)
            sheet.setMagicPath(paths[i], std::to_string(i + 1));
        sheet.addAdvantage("2", "Ataque Especial");
        sheet.addAdvantage("3", windows1252("Perícia"));
        sheet.addDisadvantage("-1", windows1252("Código de Honra"));
        sheet.setObservations({windows1252("Nasceu em Belém."), windows1252("Odeia “dragões”.")});
        sheet.setPicturePath("retrato.bmp");

        const std::string file = path(name);
        CharacterFile characterFile;
        EXPECT_EQ(characterFile.SaveCharacter(file, sheet), std::nullopt);
        return file;
    }

    fs::path m_dir;
};

TEST_F(KestrixInfoTest, PrintsTheNameAndTheFiveTotalsOnOneLine) {
    const std::string file = saveJoao("joao.QsZ");

    const ProgramRun result = run({file});

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, file + "\tJoão da Conceição\tatributos=15 vantagens=5 desvantagens=1 "
                                 "magias=21 total=40\n");
}

TEST_F(KestrixInfoTest, JsonHoldsEveryFieldInUtf8) {
    const std::string saved = saveJoao("joao.QsZ");
    const std::string copy = path("copia.QsZ");
    writeBytes(copy, readBytes(saved));

    const ProgramRun result = run({"--json", copy});

    ASSERT_EQ(result.exitStatus, 0) << result.err;
    ASSERT_EQ(lines(result.out).size(), 1u);
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["file"], copy);
    // The copy still remembers where it was saved.
    EXPECT_EQ(json["recordFileName"], saved);
    EXPECT_EQ(json["name"], "João da Conceição");
    EXPECT_EQ(json["attributes"], nlohmann::json::parse(R"({"forca": "1", "habilidade": "2",
        "resistencia": "3", "armadura": "4", "poderdefogo": "5"})"));
    EXPECT_EQ(json["magicPaths"], nlohmann::json::parse(R"({"fogo": "1", "agua": "2", "ar": "3",
        "terra": "4", "luz": "5", "trevas": "6"})"));
    EXPECT_EQ(json["advantages"], nlohmann::json({"2 Ataque Especial", "3 Perícia"}));
    EXPECT_EQ(json["disadvantages"], nlohmann::json({"-1 Código de Honra"}));
    EXPECT_EQ(json["observations"], nlohmann::json({"Nasceu em Belém.", "Odeia “dragões”."}));
    EXPECT_EQ(json["picturePath"], "retrato.bmp");
    EXPECT_EQ(json["totals"], nlohmann::json::parse(R"({"attributes": 15, "advantages": 5,
        "disadvantages": 1, "magic": 21, "grand": 40})"));
}

class KestrixInfoFailureTest : public KestrixInfoTest,
                               public ::testing::WithParamInterface<bool> {};

TEST_P(KestrixInfoFailureTest, UnreadableFilesAreReportedAndTheOthersStillPrinted) {
    const bool json = GetParam();
    const std::string first = saveJoao("primeiro.QsZ");
    const std::string last = saveJoao("ultimo.QsZ");
    const std::string missing = path("sumido.QsZ");
    const std::string shortFile = path("curto.QsZ");
    writeBytes(shortFile, readBytes(first).substr(0, CharacterRecord::kSize - 1));

    std::vector<std::string> arguments = {first, missing, shortFile, last};
    if (json)
        arguments.insert(arguments.begin(), "--json");
    const ProgramRun result = run(arguments);

    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "kestrix-info: " + missing + ": File not found\n" +
                              "kestrix-info: " + shortFile + ": Read beyond end of file\n");
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 2u);
    if (json) {
        EXPECT_EQ(nlohmann::json::parse(printed[0])["file"], first);
        EXPECT_EQ(nlohmann::json::parse(printed[1])["file"], last);
    } else {
        EXPECT_EQ(printed[0].substr(0, first.size() + 1), first + "\t");
        EXPECT_EQ(printed[1].substr(0, last.size() + 1), last + "\t");
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, KestrixInfoFailureTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Json" : "Line"; });

TEST_F(KestrixInfoTest, BadCommandLinesGetTheUsageAndStatusTwo) {
    const std::string file = saveJoao("joao.QsZ");
    const std::vector<std::vector<std::string>> commandLines = {
        {}, {"--json"}, {"--jsno", file}, {file, "-x"}};
    for (const auto& arguments : commandLines) {
        const ProgramRun result = run(arguments);
        EXPECT_EQ(result.exitStatus, 2) << ::testing::PrintToString(arguments);
        EXPECT_EQ(result.out, "") << ::testing::PrintToString(arguments);
        EXPECT_NE(result.err.find("Usage: kestrix-info"), std::string::npos);
    }
}

TEST_F(KestrixInfoTest, HelpIsAnAnswerNotAnError) {
    const ProgramRun result = run({"--help"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(result.out.find("Usage: kestrix-info"), std::string::npos);
    EXPECT_EQ(result.err, "");
}

TEST_F(KestrixInfoTest, DoubleDashLetsAFileLookLikeAnOption) {
    const std::string saved = saveJoao("joao.QsZ");
    fs::copy_file(saved, path("--json"));

    const ProgramRun result = run({"--", path("--json")});

    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, path("--json").size() + 1), path("--json") + "\t");
}

// The path in single quotes for bash.
std::string quoted(const std::string& path) {
    std::string text = "'";
    for (char c : path)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

// Each file is read once, so a stream works: standard input, a process
// substitution, a named pipe that has a writer. What is no file at all is
// refused at once; a named pipe without a writer reads as empty rather than
// waiting. `timeout` turns a wait into a failure instead of a stuck test.
TEST_F(KestrixInfoTest, ReadsStreamsOnceAndNeverWaitsOnWhatIsNoFile) {
    const std::string saved = saveJoao("joao.QsZ");
    ASSERT_EQ(mkfifo(path("fila").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(path("sem-escritor").c_str(), 0600), 0);
    fs::create_directory(path("pasta"));
    const std::string socketPath = path("soquete");
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const std::string info = "timeout 60 " + quoted(kProgram) + " --json ";
    const std::string joao = quoted(saved);
    for (const std::string& script :
         {"cat " + joao + " | " + info + "/dev/stdin", info + "<(cat " + joao + ")",
          // The shell holds the pipe open for writing, so the writer is there
          // before kestrix-info opens it.
          "exec 3<>" + quoted(path("fila")) + " && cat " + joao + " >&3 && " + info +
              quoted(path("fila"))}) {
        const ProgramRun result = runProgram("/bin/bash", {"-c", script}, m_dir.string());
        ASSERT_EQ(result.exitStatus, 0) << script << "\n" << result.err;
        const auto json = nlohmann::json::parse(result.out);
        EXPECT_EQ(json["name"], "João da Conceição") << script;
        EXPECT_EQ(json["recordFileName"], saved) << script;
        EXPECT_EQ(json["totals"]["grand"], 40) << script;
    }

    struct Refused {
        std::string file;
        std::string message;
    };
    const Refused refused[] = {
        {path("sem-escritor"), "Read beyond end of file"},
        {path("pasta"), "File access denied"},
        {socketPath, "File access denied"},
        {"/dev/null", "File access denied"},
        {"/dev/zero", "File access denied"},
    };
    for (const Refused& r : refused) {
        const ProgramRun result =
            runProgram("/bin/bash", {"-c", info + quoted(r.file)}, m_dir.string());
        EXPECT_EQ(result.exitStatus, 1) << r.file;
        EXPECT_EQ(result.err, "kestrix-info: " + r.file + ": " + r.message + "\n");
        EXPECT_EQ(result.out, "") << r.file;
    }
    close(listener);
}

// A damaged record whose name runs on with every byte value: control
// characters, the bytes the code page leaves undefined, quotes and
// backslashes.
std::string recordWithEveryByteInTheName() {
    std::string bytes(CharacterRecord::kSize, '\0');
    bytes[CharacterRecord::kNameOffset] = static_cast<char>(255);
    for (int i = 1; i <= 255; ++i)
        bytes[CharacterRecord::kNameOffset + i] = static_cast<char>(i);
    for (std::size_t lastIndex :
         {CharacterRecord::kAdvantageLastIndexOffset, CharacterRecord::kDisadvantageLastIndexOffset,
          CharacterRecord::kObservationLastIndexOffset})
        bytes.replace(lastIndex, 4, "\xff\xff\xff\xff", 4);
    return bytes;
}

TEST_F(KestrixInfoTest, EveryByteValueSurvivesTheJsonDump) {
    const std::string file = path("danificado.QsZ");
    const std::string bytes = recordWithEveryByteInTheName();
    writeBytes(file, bytes);

    const ProgramRun result = run({"--json", file});

    ASSERT_EQ(result.exitStatus, 0) << result.err;
    ASSERT_EQ(lines(result.out).size(), 1u);
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["name"], windows1252ToUtf8(bytes.substr(CharacterRecord::kNameOffset + 1, 255)));
}

TEST_F(KestrixInfoTest, ControlCharactersInTheNameCannotBreakTheLine) {
    const std::string file = path("danificado.QsZ");
    writeBytes(file, recordWithEveryByteInTheName());

    const ProgramRun result = run({file});

    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 1u);
    const std::string& line = printed[0];
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2);
    EXPECT_EQ(line.find('\x1b'), std::string::npos);
    EXPECT_EQ(line.find("\xc2\x9d"), std::string::npos) << "a C1 control in UTF-8";
    EXPECT_NE(line.find("!\"#$%&"), std::string::npos);
    EXPECT_NE(line.find("àáâãäå"), std::string::npos);
}

} // namespace
} // namespace kestrix
