#pragma once

#include "Document.h"
#include "DocumentCommands.h"
#include "DocumentView.h"
#include "FileDialogs.h"
#include "Picture.h"
#include "PrintCommand.h"
#include "Startup.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QToolButton;

namespace kestrix {

class AddItemDialog;
class CatalogueModel;
class ObservationsMemo;
class TAboutBox;
class TaddDV;
class Taddvant;
class TfrmDialogNovo;
class TfrmDialogSair;
class TfrmHelp;
class ValueEdit;
class Tmsgbox;
class Tmsgbox2;

// The program's one document window: shows the whole character at once,
// forwards every edit to the sheet and runs the document commands.
class TfrmMain : public QMainWindow, public DocumentView {
    Q_OBJECT
public:
    explicit TfrmMain(Document& document, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Start-up: catalogues, picture path, the command-line file.
    void FormCreate(const StartupContext& context);

    // DocumentView
    PromptAnswer askToSave(SavePrompt prompt) override;
    std::optional<std::string> askOpenPath() override;
    std::optional<std::string> askSavePath(const std::string& suggestedName) override;
    void reportError(const std::string& message) override;
    void sheetReplaced() override;
    void terminate() override;

    bool isTerminated() const { return m_terminated; }
    FileDialogs& fileDialogs() { return m_fileDialogs; }
    PrintCommand& printCommand() { return m_printCommand; }
    const Picture& shownPicture() const { return m_shownPicture; }
    TfrmDialogNovo* dialogNovo() const { return m_dialogNovo; }
    TfrmDialogSair* dialogSair() const { return m_dialogSair; }
    Taddvant* addvant() const { return m_addvant.get(); }
    TaddDV* addDV() const { return m_addDV.get(); }
    Tmsgbox* msgbox() const { return m_msgbox.get(); }
    Tmsgbox2* msgbox2() const { return m_msgbox2.get(); }
    TfrmHelp* frmHelp() const { return m_frmHelp.get(); }
    TAboutBox* aboutBox() const { return m_aboutBox; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void createWindows();
    void setTabOrder();

    void refillControls();
    void showTotals();
    void showPicture(const Picture& picture);
    void showPictureOfSheet();
    void refillAcquiredLists();

    void tx_nomeChange();
    void tx_atribChange(Attribute which);
    void tx_focusChange(MagicPath which);
    void Mm_observChange();
    void ls_vantclick();
    void ls_DVClick();
    void ls_vantdblclick();
    void ls_DVdblclick();
    void openAddDialog(AddItemDialog& dialog, QListView* catalogueList, const Catalogue& catalogue,
                       std::size_t acquired, const QLabel* shownCost);
    void addDialogClosed();
    void itemAdded();
    void ls_vant_adqDblClick();
    void ls_DV_adqDblClick();
    void BitBtn3Click();
    void BitBtn4Click();
    void bitbtn5click();
    void NovoClick();
    void AbrirClick();
    void SalvarClick();
    void SalvarComoClick();
    void Imprimir1Click();
    void SairClick();
    void ContedoClick();
    void SobreClick();
    void FormClose();

    Document& m_document;
    DocumentCommands m_commands;
    FileDialogs m_fileDialogs;
    PrintCommand m_printCommand;

    QLineEdit* tx_nome = nullptr;
    std::array<ValueEdit*, kAttributeCount> m_attributeEdits{};
    std::array<ValueEdit*, kMagicPathCount> m_magicEdits{};
    QListView* ls_Vant = nullptr;
    QListView* ls_DV = nullptr;
    CatalogueModel* m_advantageModel = nullptr;
    CatalogueModel* m_disadvantageModel = nullptr;
    QListWidget* ls_vant_adq = nullptr;
    QListWidget* ls_DV_adq = nullptr;
    QLabel* lb_cs_vant = nullptr;
    QLabel* lb_cs_DV = nullptr;
    QLabel* lb_atrib = nullptr;
    QLabel* lb_vanttotal = nullptr;
    QLabel* lb_DVtotal = nullptr;
    QLabel* lb_magtotal = nullptr;
    QLabel* lb_total = nullptr;
    ObservationsMemo* Mm_observ = nullptr;
    QLabel* figura = nullptr;
    QToolButton* BitBtn3 = nullptr;
    QToolButton* BitBtn4 = nullptr;
    QToolButton* BitBtn5 = nullptr;
    QWidget* m_magicGroup = nullptr;
    QWidget* m_summaryGroup = nullptr;
    QAction* m_openAction = nullptr;
    QListView* m_addOrigin = nullptr; // the list the open add dialog came from

    Picture m_modelo; // the default character picture
    Picture m_nada;   // no picture at all
    QImage m_icone;   // the emblem of the printed sheet
    Picture m_shownPicture;

    // The add dialogs, the notices and the help window are windows of their
    // own, not children: disabling the main window must leave them usable.
    std::unique_ptr<Taddvant> m_addvant;
    std::unique_ptr<TaddDV> m_addDV;
    std::unique_ptr<Tmsgbox> m_msgbox;
    std::unique_ptr<Tmsgbox2> m_msgbox2;
    std::unique_ptr<TfrmHelp> m_frmHelp;
    TAboutBox* m_aboutBox = nullptr;
    TfrmDialogNovo* m_dialogNovo = nullptr;
    TfrmDialogSair* m_dialogSair = nullptr;

    bool m_refilling = false;
    bool m_terminated = false;
};

} // namespace kestrix
