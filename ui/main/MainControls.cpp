#include "ui/main/MainControls.h"

#include "ui/form/FormLayout.h"
#include "ui/main/MainLayout.h"
#include "ui/widgets/ObservationsMemo.h"
#include "ui/widgets/ValueEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QToolButton>

namespace kestrix {
namespace {

// Which edit shows which field, in the order of Attribute and MagicPath.
constexpr const char* kAttributeEdits[kAttributeCount] = {
    "tx_forca", "tx_habilidade", "tx_resistencia", "tx_armadura", "tx_poderdefogo",
};
constexpr const char* kMagicEdits[kMagicPathCount] = {
    "tx_fogo", "tx_terra", "tx_agua", "tx_ar", "tx_luz", "tx_trevas",
};

} // namespace

MainControls MainControls::build(QWidget* client) {
    buildForm(client, main_layout::kControls);
    const auto find = [client](const char* name) { return formControl(client, name); };
    MainControls c{};
    c.tx_nome = static_cast<QLineEdit*>(find("tx_nome"));
    for (int i = 0; i < kAttributeCount; ++i)
        c.attributes[i] = static_cast<ValueEdit*>(find(kAttributeEdits[i]));
    for (int i = 0; i < kMagicPathCount; ++i)
        c.magicPaths[i] = static_cast<ValueEdit*>(find(kMagicEdits[i]));
    c.ls_Vant = static_cast<QListView*>(find("ls_Vant"));
    c.ls_DV = static_cast<QListView*>(find("ls_DV"));
    c.ls_vant_adq = static_cast<QListWidget*>(find("ls_vant_adq"));
    c.ls_DV_adq = static_cast<QListWidget*>(find("ls_DV_adq"));
    c.lb_cs_vant = static_cast<QLabel*>(find("lb_cs_vant"));
    c.lb_cs_DV = static_cast<QLabel*>(find("lb_cs_DV"));
    c.lb_atrib = static_cast<QLabel*>(find("lb_atrib"));
    c.lb_vanttotal = static_cast<QLabel*>(find("lb_vanttotal"));
    c.lb_DVtotal = static_cast<QLabel*>(find("lb_DVtotal"));
    c.lb_magtotal = static_cast<QLabel*>(find("lb_magtotal"));
    c.lb_total = static_cast<QLabel*>(find("lb_total"));
    c.Mm_observ = static_cast<ObservationsMemo*>(find("Mm_observ"));
    c.figura = static_cast<QLabel*>(find("figura"));
    c.BitBtn3 = static_cast<QToolButton*>(find("BitBtn3"));
    c.BitBtn4 = static_cast<QToolButton*>(find("BitBtn4"));
    c.BitBtn5 = static_cast<QToolButton*>(find("BitBtn5"));
    c.grpMagias = find("grpMagias");
    c.grpResumo = find("grpResumo");
    return c;
}

} // namespace kestrix
