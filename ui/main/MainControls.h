#pragma once

#include "core/CharacterData.h"

#include <array>

class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QToolButton;
class QWidget;

namespace kestrix {

class ObservationsMemo;
class ValueEdit;

// The main window's controls, built from its layout table (MainLayout.h) and
// each looked up once, with its own type.
struct MainControls {
    QLineEdit* tx_nome;                                 // "Nome:"
    std::array<ValueEdit*, kAttributeCount> attributes; // FORÇA ... PODER DE FOGO
    std::array<ValueEdit*, kMagicPathCount> magicPaths; // FOGO ... TREVAS
    QListView* ls_Vant;                                 // "Vantagens/Perícias disponíveis:"
    QListView* ls_DV;                                   // "Desvantagens disponíveis:"
    QListWidget* ls_vant_adq;                           // "Vantagens/Perícias Adquiridas:"
    QListWidget* ls_DV_adq;                             // "Desvantagens Adquiridas:"
    QLabel* lb_cs_vant;          // the picked advantage's cost, under "Custo:"
    QLabel* lb_cs_DV;            // the picked disadvantage's bonus, under "Bônus:"
    QLabel* lb_atrib;            // Resumo: "Atributos:"
    QLabel* lb_vanttotal;        // Resumo: "Vantagens:"
    QLabel* lb_DVtotal;          // Resumo: "Desvantagens:"
    QLabel* lb_magtotal;         // Resumo: "Magias:"
    QLabel* lb_total;            // Resumo: "Total:"
    ObservationsMemo* Mm_observ; // "Observações (Não serão impressas):"
    QLabel* figura;              // the character's picture
    QToolButton* BitBtn3;        // "Figura..."
    QToolButton* BitBtn4;        // "Sem Figura"
    QToolButton* BitBtn5;        // "Padrão"
    QWidget* grpMagias;          // "Magias:"
    QWidget* grpResumo;          // "Resumo do Personagem:"

    // Lays the table out on `client` and finds its controls.
    static MainControls build(QWidget* client);
};

} // namespace kestrix
