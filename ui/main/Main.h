#pragma once

#include "document/CharacterDocument.h"
#include "document/Document.h"
#include "document/DocumentCommands.h"
#include "document/DocumentView.h"
#include "document/RecoveryFolder.h"
#include "document/Startup.h"
#include "platform/Picture.h"
#include "ui/dialogs/FileDialogs.h"
#include "ui/main/MainControls.h"
#include "ui/main/PrintCommand.h"
#include "ui/main/PrintModule.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QSessionManager;
class QToolButton;

namespace kestrix {

class AddItemDialog;
class CatalogueEditor;
class CatalogueModel;
class EditMenu;
class FileWatch;
class RecoveryKeeper;
class ObservationsMemo;
class SheetPreviewDialog;
class RecentCharactersMenu;
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
    // The window shows `document` and forwards every edit to it; the
    // document outlives the window.
    explicit TfrmMain(CharacterDocument& document, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Start-up: catalogues, picture path, the command-line file.
    void FormCreate(const StartupContext& context);
    // Once the window is shown: keeps the recovery copy of unsaved work in
    // `folder` from now on, and offers back the copies there that editors
    // which ended without saving left, those of `fileArgument` when the
    // program was started with one.
    void keepWorkSafe(RecoveryFolder folder, const std::string& fileArgument);
    RecoveryKeeper* recoveryKeeper() const { return m_recoveryKeeper.get(); }
    FileWatch* fileWatch() const { return m_fileWatch; }

    // DocumentView
    PromptAnswer askToSave(SavePrompt prompt) override;
    std::optional<std::string> askOpenPath() override;
    std::optional<std::string> askSavePath(const std::string& suggestedName) override;
    void reportError(const Error& error) override;
    void sheetReplaced() override;
    void sheetSaved() override;
    void terminate() override;
    void characterFileUsed(const std::string& path) override;
    void currentFileChanged(const std::string& path) override;
    void sheetRecovered() override;
    bool askToReplaceChangedFile(const std::string& path) override;
    bool askToReload(const std::string& path) override;

    // What the window does when the desktop session ends (connected to
    // QGuiApplication::commitDataRequest).
    void commitDataRequest(QSessionManager& manager);
    // Arquivo > "&1" ... "&4": opens that file as Open would.
    void openRecentCharacter(const std::string& path);
    RecentCharactersMenu* recentCharacters() const { return m_recentCharacters.get(); }

    bool isTerminated() const { return m_terminated; }
    FileDialogs& fileDialogs() { return m_fileDialogs; }
    // The print module's, loaded on first use (tests look into them).
    PrintCommand& printCommand() { return printModule()->command(); }
    // Made the first time "Visualizar Impressão ..." is chosen.
    SheetPreviewDialog* previewDialog() const {
        return m_printModule ? m_printModule->previewDialog() : nullptr;
    }
    const Picture& shownPicture() const { return m_characterDocument->picture(); }
    TfrmDialogNovo* dialogNovo() const { return m_dialogNovo; }
    TfrmDialogSair* dialogSair() const { return m_dialogSair; }
    Taddvant* addvant() const { return m_addvant.get(); }
    TaddDV* addDV() const { return m_addDV.get(); }
    Tmsgbox* msgbox() const { return m_msgbox.get(); }
    Tmsgbox2* msgbox2() const { return m_msgbox2.get(); }
    TfrmHelp* frmHelp() const { return m_frmHelp.get(); }
    TAboutBox* aboutBox() const { return m_aboutBox; }
    // "Catálogos": made the first time it is asked for, and kept from then
    // on with what it shows.
    CatalogueEditor* catalogueEditor();
    CharacterDocument& characterDocument() const { return *m_characterDocument; }
    QAction* undoAction() const;
    QAction* redoAction() const;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void createWindows();
    void setUpDesktop(); // dropped files, the session's end

    void refillControls();
    void showTotals();
    void showPicture();
    void showPictureOfSheet();
    void refillAcquiredLists();
    void showRestoredState(); // after Desfazer or Refazer
    void offerRecovery(const std::string& fileArgument);
    // Another program may have changed the character's file: asks about it
    // unless the user is busy with another window of this program.
    void checkFileOnDisk();
    void startHistory(); // a fresh history from what the window shows now

    // Handlers, named after the control and the event.
    void tx_nomeChange();                 // typing in "Nome:"
    void tx_atribChange(Attribute which); // typing in an attribute's value
    void tx_focusChange(MagicPath which); // typing in a magic path's value ("Focus:")
    void Mm_observChange();               // typing in the observations memo
    void ls_vantclick();                  // an advantage picked: its cost under "Custo:"
    void ls_DVClick();                    // a disadvantage picked: its bonus under "Bônus:"
    void ls_vantdblclick();               // double-click on an advantage: the add dialog
    void ls_DVdblclick();                 // double-click on a disadvantage: the add dialog
    void openAddDialog(AddItemDialog& dialog, QListView* catalogueList, const Catalogue& catalogue,
                       std::size_t acquired, const QLabel* shownCost);
    void addDialogClosed();
    void ls_vant_adqDblClick(); // double-click on an acquired advantage: removes it
    void ls_DV_adqDblClick();   // double-click on an acquired disadvantage: removes it
    void BitBtn3Click();        // "Figura...": choose a picture file
    void setPictureFile(const QString& path); // the character's picture from a file
    void BitBtn4Click();                      // "Sem Figura": no picture
    void bitbtn5click();                      // "Padrão": the default picture
    void NovoClick();                         // Arquivo > "&Novo"
    void AbrirClick();                        // Arquivo > "&Abrir ..."
    void SalvarClick();                       // Arquivo > "&Salvar"
    void SalvarComoClick();                   // Arquivo > "Salvar &Como ..."
    void Imprimir1Click();                    // Arquivo > "Imprimir ..."
    void ExportarPDFClick();                  // Arquivo > "&Exportar PDF ..."
    void VisualizarClick();                   // Arquivo > "&Visualizar Impressão ..."
    PrintModule* printModule();               // null when it cannot be loaded
    void SairClick();                         // Arquivo > "Sai&r"
    void DesfazerClick();                     // Editar > "&Desfazer"
    void RefazerClick();                      // Editar > "&Refazer"
    void ContedoClick();                      // Ajuda > "&Conteúdo": the help window
    void SobreClick();                        // Ajuda > "&Sobre": the about box
    void FormClose();                         // the title bar's close: as "Sai&r"

    Document& m_document;
    CharacterDocument* m_characterDocument; // every edit goes through it
    DocumentCommands m_commands;
    FileDialogs m_fileDialogs;
    std::unique_ptr<PrintModule> m_printModule; // "Imprimir ...", "Visualizar Impressão ..."
    Result m_printModuleError;

    MainControls m_ui{}; // laid out in MainLayout.h
    CatalogueModel* m_advantageModel = nullptr;
    CatalogueModel* m_disadvantageModel = nullptr;
    QAction* m_openAction = nullptr;
    std::unique_ptr<RecentCharactersMenu> m_recentCharacters; // Arquivo > "&1" ... "&4"
    EditMenu* m_editMenu = nullptr;                           // "&Editar"
    FileWatch* m_fileWatch = nullptr;                         // the character's file
    std::unique_ptr<RecoveryKeeper> m_recoveryKeeper;         // unsaved work, kept aside
    QListView* m_addOrigin = nullptr; // the list the open add dialog came from

    Picture m_modelo; // the default character picture
    Picture m_nada;   // no picture at all
    QImage m_icone;   // the emblem of the printed sheet

    // The add dialogs, the notices and the help window are windows of their
    // own, not children: disabling the main window must leave them usable.
    std::unique_ptr<Taddvant> m_addvant;          // "Adicionar Vantagem"
    std::unique_ptr<TaddDV> m_addDV;              // "Adicionar Desvantagem"
    std::unique_ptr<Tmsgbox> m_msgbox;            // "Digite um valor para o custo ou bônus."
    std::unique_ptr<Tmsgbox2> m_msgbox2;          // "Essa lista nao pode conter mais de 10 itens."
    std::unique_ptr<TfrmHelp> m_frmHelp;          // "Ajuda"
    TAboutBox* m_aboutBox = nullptr;              // "Sobre"
    CatalogueEditor* m_catalogueEditor = nullptr; // "Catálogos"
    TfrmDialogNovo* m_dialogNovo = nullptr;       // save prompt before New and Open
    TfrmDialogSair* m_dialogSair = nullptr;       // save prompt before the program ends

    bool m_refilling = false;
    bool m_terminated = false;
};

} // namespace kestrix
