#pragma once

#include "ui/form/FormLayout.h"

namespace kestrix {

// The main window's client area, 579 x 388 under the menu bar.
inline constexpr int kMainClientWidth = 579;
inline constexpr int kMainClientHeight = 388;

namespace main_layout {

using namespace form;

constexpr int kNameLength = 40; // the name's short string in the character file
constexpr int kValueLength = 5; // an attribute's or magic path's short string
constexpr int kValueWidth = 29;
constexpr int kListWidth = 156;
constexpr int kListHeight = 76;
constexpr int kPictureButtonLeft = 184;

// clang-format off
// The tab order (inTabOrder) runs through the name and the attributes, the
// lists, the magic paths, the memo and the picture buttons.
inline constexpr FormControl kControls[] = {
    etchedLine(0, 0, kMainClientWidth),

    edit("tx_nome", 48, 4, 313, kNameLength).inTabOrder(1),
    label("&Nome:", 8, 8).focusing("tx_nome"),

    label("Atributos:", 8, 37),
    label("Valor:", 144, 37),
    valueEdit("tx_forca",       144, 60,  kValueWidth, kValueLength).inTabOrder(2),
    label("&FORÇA:",         8, 64).focusing("tx_forca"),
    valueEdit("tx_habilidade",  144, 84,  kValueWidth, kValueLength).inTabOrder(3),
    label("&HABILIDADE:",    8, 88).focusing("tx_habilidade"),
    valueEdit("tx_resistencia", 144, 108, kValueWidth, kValueLength).inTabOrder(4),
    label("&RESISTÊNCIA:",   8, 112).focusing("tx_resistencia"),
    valueEdit("tx_armadura",    144, 132, kValueWidth, kValueLength).inTabOrder(5),
    label("&ARMADURA:",      8, 136).focusing("tx_armadura"),
    valueEdit("tx_poderdefogo", 144, 156, kValueWidth, kValueLength).inTabOrder(6),
    label("&PODER DE FOGO:", 8, 160).focusing("tx_poderdefogo"),

    pictureButton("BitBtn3", "Figura...",  ":/pictures/glyph-figura.png",     kPictureButtonLeft, 32,  65, 41).inTabOrder(18)
        .describedAs("Escolhe um arquivo de figura para o personagem"),
    pictureButton("BitBtn5", "Padrão",     ":/pictures/glyph-padrao.png",     kPictureButtonLeft, 88,  65, 41).inTabOrder(20)
        .describedAs("Mostra a figura padrão do personagem"),
    pictureButton("BitBtn4", "Sem Figura", ":/pictures/glyph-sem-figura.png", kPictureButtonLeft, 144, 65, 41).inTabOrder(19)
        .describedAs("Deixa o personagem sem figura"),
    picture("figura", 253, 32, 108, 158),

    catalogueList("ls_Vant", 6, 205, kListWidth, kListHeight).inTabOrder(7),
    label("&Vantagens/Perícias disponíveis:", 8, 189).focusing("ls_Vant"),
    acquiredList("ls_vant_adq", 205, 205, kListWidth, kListHeight).inTabOrder(8),
    label("Vantagens/Perícias Adquiridas:", 208, 189).naming("ls_vant_adq"),
    label("Custo:", 168, 213),
    label("0", 168, 229, 36).named("lb_cs_vant"),

    catalogueList("ls_DV", 5, 309, kListWidth, kListHeight).inTabOrder(9),
    label("&Desvantagens disponíveis:", 8, 293).focusing("ls_DV"),
    acquiredList("ls_DV_adq", 205, 309, kListWidth, kListHeight).inTabOrder(10),
    label("Desvantagens Adquiridas:", 208, 293).naming("ls_DV_adq"),
    label("Bônus:", 168, 317),
    label("0", 168, 333, 36).named("lb_cs_DV"),

    group("grpMagias", "Magias:", 368, 2, 209, 201),
    label("Caminho:", 8, 21).in("grpMagias"),
    label("Focus:", 144, 21).in("grpMagias"),
    label("FOGO:",   8, 48).naming("tx_fogo").in("grpMagias"),
    valueEdit("tx_fogo",   144, 44,  kValueWidth, kValueLength).in("grpMagias").inTabOrder(11),
    label("ÁGUA:",   8, 72).naming("tx_agua").in("grpMagias"),
    valueEdit("tx_agua",   144, 68,  kValueWidth, kValueLength).in("grpMagias").inTabOrder(13),
    label("AR:",     8, 96).naming("tx_ar").in("grpMagias"),
    valueEdit("tx_ar",     144, 92,  kValueWidth, kValueLength).in("grpMagias").inTabOrder(14),
    label("TERRA:",  8, 120).naming("tx_terra").in("grpMagias"),
    valueEdit("tx_terra",  144, 116, kValueWidth, kValueLength).in("grpMagias").inTabOrder(12),
    label("LUZ:",    8, 144).naming("tx_luz").in("grpMagias"),
    valueEdit("tx_luz",    144, 140, kValueWidth, kValueLength).in("grpMagias").inTabOrder(15),
    label("TREVAS:", 8, 168).naming("tx_trevas").in("grpMagias"),
    valueEdit("tx_trevas", 144, 164, kValueWidth, kValueLength).in("grpMagias").inTabOrder(16),

    group("grpResumo", "Resumo do Personagem:", 368, 208, 209, 177),
    label("Atributos:",    9, 20).in("grpResumo"),
    label("0",            88, 20, 110).named("lb_atrib").in("grpResumo"),
    label("Vantagens:",    9, 34).in("grpResumo"),
    label("0",            88, 34, 110).named("lb_vanttotal").in("grpResumo"),
    label("Desvantagens:", 9, 48).in("grpResumo"),
    label("0",            88, 48, 110).named("lb_DVtotal").in("grpResumo"),
    label("Magias:",       9, 62).in("grpResumo"),
    label("0",            88, 62, 110).named("lb_magtotal").in("grpResumo"),
    label("Total:",        9, 76).in("grpResumo"),
    label("0",            88, 76, 110).named("lb_total").in("grpResumo"),
    label("Observações (Não serão impressas):", 10, 99).naming("Mm_observ").in("grpResumo"),
    memo("Mm_observ", 12, 114, 185, 55).in("grpResumo").inTabOrder(17),
};
// clang-format on

} // namespace main_layout

} // namespace kestrix
