#include "core/Windows1252.h"
#include "tests/content/ContentFile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kestrix {
namespace {

using content::readBytes;
using content::resourcePath;
using content::splitLines;

// The help is stored as UTF-8 with LF line ends: 126 lines, the last one
// followed by a newline, so `wc -l` counts 126 as well.
constexpr std::size_t kHelpLines = 126;

const std::string kSeparator = "\t\t\t" + std::string(41, '*');

const std::vector<std::string> kFileMenu = {
    "\tNovo : Novo arquivo",
    "\tAbrir: Abre um arquivo já existente",
    "\tSalvar : Salva o arquivo com o nome de arquivo atual (se não houver, pede um nome)",
    "\tSalvar Como : Salva o arquivo com um nome específico",
    "\tImprimir : Imprime o arquivo atual",
    "\tExportar PDF : Grava a ficha num arquivo PDF, sem precisar de impressora",
    "\tVisualizar Impressão : Mostra a ficha como ela sairá na impressora",
    "\tCatálogos : Edita as listas de vantagens e desvantagens do grupo",
    "\t1 a 4 : Abre um dos últimos personagens abertos ou salvos",
    "\tSair : Sai do programa",
};

const std::vector<std::string> kEditMenu = {
    "\tDesfazer : Desfaz a última alteração do personagem",
    "\tRefazer : Refaz o que foi desfeito",
};

const std::vector<std::string> kHelpMenu = {"\tConteúdo : Esse texto", "\tSobre : Os créditos"};

class HelpTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto bytes = readBytes(resourcePath("help/ajuda.txt"));
        ASSERT_TRUE(bytes) << "cannot read " << resourcePath("help/ajuda.txt");
        m_text = *bytes;
        m_lines = splitLines(m_text);
    }

    // Index of the first line equal to text at or after from; fails if none.
    std::size_t lineIndex(const std::string& text, std::size_t from = 0) const {
        const auto found =
            std::find(m_lines.begin() + std::min(from, m_lines.size()), m_lines.end(), text);
        EXPECT_NE(found, m_lines.end()) << "missing line: " << text;
        return static_cast<std::size_t>(found - m_lines.begin());
    }

    std::string m_text;
    std::vector<std::string> m_lines;
};

TEST_F(HelpTextTest, HasItsLinesEndingWithOneNewline) {
    EXPECT_EQ(m_lines.size(), kHelpLines);
    ASSERT_FALSE(m_text.empty());
    EXPECT_EQ(m_text.back(), '\n');
    EXPECT_FALSE(m_lines.back().empty());
    EXPECT_EQ(m_text.find('\r'), std::string::npos);
}

// The window shows the text through the program's Windows-1252 world, so every
// character must exist there.
TEST_F(HelpTextTest, IsUtf8ThatWindows1252CanHold) {
    const auto decoded = content::decodeUtf8(m_text);
    ASSERT_TRUE(decoded) << "not valid UTF-8";
    for (char32_t cp : *decoded) {
        if (cp == '\n' || cp == '\t')
            continue;
        ASSERT_GE(cp, 0x20u) << "control character U+" << std::hex << unsigned(cp);
        ASSERT_FALSE(cp >= 0x7F && cp < 0xA0) << "control character U+" << std::hex << unsigned(cp);
        ASSERT_TRUE(unicodeToWindows1252(cp))
            << "not in Windows-1252: U+" << std::hex << unsigned(cp);
    }
}

TEST_F(HelpTextTest, HeadingsComeInOrder) {
    const std::vector<std::string> headings = {
        "Mas, no que se refere ao programa, o uso é simples:",
        "NOME:",
        "ATRIBUTOS:",
        "VANTAGENS, PERÍCIAS E DESVANTAGENS:",
        "MAGIA:",
        "NEW -=-=-=> VANTAGENS PARA MÁQUINAS:",
        "NEW -=-=-=> PSIQUISMO:",
        "NEW -=-=-=> NOVO FORMATO PARA OS ARQUIVOS DE VANTAGENS E DESVANTAGENS:",
        "OBSERVAÇÕES:",
        "FIGURA:",
        kSeparator,
        "MENUS:",
        "ARQUIVO",
        "AJUDA",
        kSeparator,
        "PERGUNTAS E RESPOSTAS:",
    };
    std::size_t from = 0;
    for (const std::string& heading : headings) {
        const std::size_t at = lineIndex(heading, from);
        ASSERT_LT(at, m_lines.size());
        EXPECT_EQ(std::count(m_lines.begin(), m_lines.end(), heading),
                  heading == kSeparator ? 2 : 1)
            << heading;
        from = at + 1;
    }
}

TEST_F(HelpTextTest, MenuLinesFollowTheirMenuExactly) {
    for (const auto& [menu, entries] :
         {std::pair{std::string("ARQUIVO"), kFileMenu}, std::pair{std::string("EDITAR"), kEditMenu},
          std::pair{std::string("AJUDA"), kHelpMenu}}) {
        const std::size_t at = lineIndex(menu);
        ASSERT_LE(at + entries.size(), m_lines.size() - 1) << menu;
        for (std::size_t i = 0; i < entries.size(); ++i)
            EXPECT_EQ(m_lines[at + 1 + i], entries[i]) << menu << " entry " << i;
    }
}

TEST_F(HelpTextTest, SeparatorsStandBetweenEmptyLines) {
    int separators = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].find('*') == std::string::npos)
            continue;
        ++separators;
        EXPECT_EQ(m_lines[i], kSeparator) << "line " << i + 1;
        ASSERT_GT(i, 0u);
        ASSERT_LT(i + 1, m_lines.size());
        EXPECT_TRUE(m_lines[i - 1].empty()) << "line " << i;
        EXPECT_TRUE(m_lines[i + 1].empty()) << "line " << i + 2;
    }
    EXPECT_EQ(separators, 2);
}

TEST_F(HelpTextTest, EndsWithQuestionsEachFollowedByAnswers) {
    const std::size_t heading = lineIndex("PERGUNTAS E RESPOSTAS:");
    int questions = 0;
    char previous = 0;
    for (std::size_t i = heading + 1; i < m_lines.size(); ++i) {
        const std::string& line = m_lines[i];
        if (line.empty())
            continue;
        const std::string prefix = line.substr(0, 3);
        ASSERT_TRUE(prefix == "P: " || prefix == "R: ") << "line " << i + 1 << ": " << line;
        if (prefix == "P: ") {
            EXPECT_NE(previous, 'P') << "unanswered question before line " << i + 1;
            ++questions;
        } else {
            EXPECT_NE(previous, 0) << "answer without a question at line " << i + 1;
        }
        previous = line[0];
    }
    EXPECT_EQ(previous, 'R') << "the last question has no answer";
    EXPECT_GE(questions, 6);
}

} // namespace
} // namespace kestrix
