#pragma once

// The lines of the About box. The version line comes from the build.
namespace kestrix::about {

inline constexpr const char* kProduct = "Kestrix for Windows 95";
inline constexpr const char* kAuthor = "Por Equipe Kestrix";
inline constexpr const char* kErrorReports = "Relate erros ao mestre do seu grupo.";
inline constexpr const char* kNewVersions = "Novas versões: pergunte ao mestre do seu grupo.";
inline constexpr const char* kCredit =
    "Kestrix, o RPG por pontos, foi criado pela Guilda dos Narradores. Obrigado pelo jogo e "
    "pelas noites de aventura!";
inline constexpr const char* kDisclaimer =
    "Programa gratuito, sem garantia de nenhum tipo. Use por sua conta e risco.";

} // namespace kestrix::about
