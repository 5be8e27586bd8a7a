#include "document/FileWatch.h"
#include "document/RecoveryKeeper.h"
#include "platform/BuiltInPictures.h"
#include "ui/catalogues/CatalogueEditor.h"
#include "ui/dialogs/Help.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/desvant.h"
#include "ui/dialogs/dialog1.h"
#include "ui/dialogs/dialog2.h"
#include "ui/dialogs/massage.h"
#include "ui/dialogs/massage2.h"
#include "ui/dialogs/vant.h"
#include "ui/form/ApplicationTitle.h"
#include "ui/form/FormLayout.h"
#include "ui/form/WindowPlacement.h"
#include "ui/form/WindowSetup.h"
#include "ui/main/EditMenu.h"
#include "ui/main/FileDropTarget.h"
#include "ui/main/Main.h"
#include "ui/main/MainControls.h"
#include "ui/main/MainLayout.h"
#include "ui/main/RecentCharactersMenu.h"
#include "ui/widgets/CatalogueModel.h"
#include "ui/widgets/ObservationsMemo.h"
#include "ui/widgets/ValueEdit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QSessionManager>
#include <QToolButton>

// Building the main window: its controls from the layout table, its menu and
// the windows it opens. What the window does is in Main.cpp.

// The pictures and texts compiled into the program live in a static library;
// registering them by hand keeps the linker from dropping them.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace kestrix {
namespace {

QString fromUtf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TfrmMain::TfrmMain(CharacterDocument& document, QWidget* parent)
    : QMainWindow(parent, windowFlagsFor(WindowKind::Main)), m_document(document.document()),
      m_characterDocument(&document), m_commands(document.document(), *this), m_fileDialogs(this) {
    initResources();
    setObjectName("frmMain");
    setWindowTitle(fromUtf8(kMainWindowCaption));
    setWindowIcon(QIcon(":/icons/kestrix.png"));
    setFont(windowFont());

    m_modelo = defaultCharacterPicture();
    m_icone = sheetEmblem();
    m_characterDocument->setStandardPictures(m_modelo, m_nada);

    buildMenu();
    buildControls();
    setUpDesktop();
    setFixedSize(kMainClientWidth, kMainClientHeight + menuBar()->sizeHint().height());
    connect(m_characterDocument, &CharacterDocument::pictureChanged, this, &TfrmMain::showPicture);
    connect(m_characterDocument, &CharacterDocument::totalsChanged, this, &TfrmMain::showTotals);
    connect(m_characterDocument, &CharacterDocument::acquiredChanged, this,
            &TfrmMain::refillAcquiredLists);
    refillControls();
    m_characterDocument->resetHistory(m_modelo);
}

TfrmMain::~TfrmMain() = default;

QAction* TfrmMain::undoAction() const {
    return m_editMenu->undoAction();
}

QAction* TfrmMain::redoAction() const {
    return m_editMenu->redoAction();
}

void TfrmMain::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(kMainClientWidth, kMainClientHeight);
    setCentralWidget(client);
    m_ui = MainControls::build(client);

    connect(m_ui.tx_nome, &QLineEdit::textChanged, this, &TfrmMain::tx_nomeChange);
    for (int i = 0; i < kAttributeCount; ++i)
        connect(m_ui.attributes[i], &QLineEdit::textChanged, this,
                [this, which = static_cast<Attribute>(i)] { tx_atribChange(which); });
    for (int i = 0; i < kMagicPathCount; ++i)
        connect(m_ui.magicPaths[i], &QLineEdit::textChanged, this,
                [this, which = static_cast<MagicPath>(i)] { tx_focusChange(which); });
    connect(m_ui.BitBtn3, &QToolButton::clicked, this, &TfrmMain::BitBtn3Click);
    connect(m_ui.BitBtn4, &QToolButton::clicked, this, &TfrmMain::BitBtn4Click);
    connect(m_ui.BitBtn5, &QToolButton::clicked, this, &TfrmMain::bitbtn5click);

    m_advantageModel = new CatalogueModel(m_document.advantageCatalogue, this);
    m_disadvantageModel = new CatalogueModel(m_document.disadvantageCatalogue, this);
    m_ui.ls_Vant->setModel(m_advantageModel);
    m_ui.ls_DV->setModel(m_disadvantageModel);
    // Double-clicks reach the handlers through eventFilter().
    for (QAbstractItemView* list : std::initializer_list<QAbstractItemView*>{
             m_ui.ls_Vant, m_ui.ls_vant_adq, m_ui.ls_DV, m_ui.ls_DV_adq})
        list->viewport()->installEventFilter(this);
    // The cost follows the selection, not the current row: tabbing into a
    // list makes its first row current without selecting it.
    connect(m_ui.ls_Vant->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmMain::ls_vantclick);
    connect(m_ui.ls_DV->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmMain::ls_DVClick);

    QFont costFont = font();
    costFont.setPointSize(10);
    costFont.setBold(true);
    m_ui.lb_cs_vant->setFont(costFont);
    m_ui.lb_cs_DV->setFont(costFont);

    connect(m_ui.Mm_observ, &ObservationsMemo::edited, this, &TfrmMain::Mm_observChange);
    // Ctrl+Z belongs to the character's history (EditMenu), not to the memo's own.
    m_ui.Mm_observ->setUndoRedoEnabled(false);
}

void TfrmMain::buildMenu() {
    QMenu* arquivo = menuBar()->addMenu(fromUtf8("&Arquivo"));
    // Menus are windows of their own and would not take the window's font.
    arquivo->setFont(windowFont());
    auto addAction = [this](QMenu* menu, const char* text, QKeySequence shortcut,
                            void (TfrmMain::*handler)()) {
        QAction* action = menu->addAction(fromUtf8(text));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    addAction(arquivo, "&Novo", QKeySequence("Ctrl+N"), &TfrmMain::NovoClick);
    m_openAction = addAction(arquivo, "&Abrir ...", QKeySequence("Ctrl+A"), &TfrmMain::AbrirClick);
    addAction(arquivo, "&Salvar", QKeySequence("Ctrl+S"), &TfrmMain::SalvarClick);
    addAction(arquivo, "Salvar &Como ...", QKeySequence(), &TfrmMain::SalvarComoClick);
    addAction(arquivo, "Imprimir ...", QKeySequence("Ctrl+P"), &TfrmMain::Imprimir1Click);
    addAction(arquivo, "&Exportar PDF ...", QKeySequence("Ctrl+E"), &TfrmMain::ExportarPDFClick);
    addAction(arquivo, "&Visualizar Impressão ...", QKeySequence(), &TfrmMain::VisualizarClick);
    QAction* catalogues = addAction(arquivo, "Ca&tálogos ...", QKeySequence(), nullptr);
    connect(catalogues, &QAction::triggered, this, [this] { catalogueEditor()->showEditor(); });
    m_recentCharacters = std::make_unique<RecentCharactersMenu>(
        arquivo, [this](const std::string& path) { openRecentCharacter(path); });
    addAction(arquivo, "Sai&r", QKeySequence("Ctrl+R"), &TfrmMain::SairClick);

    m_editMenu = new EditMenu(menuBar(), *m_characterDocument, this);
    connect(m_editMenu->undoAction(), &QAction::triggered, this, &TfrmMain::DesfazerClick);
    connect(m_editMenu->redoAction(), &QAction::triggered, this, &TfrmMain::RefazerClick);
    connect(m_characterDocument, &CharacterDocument::sheetChanged, this,
            &TfrmMain::showRestoredState);

    QMenu* ajuda = menuBar()->addMenu(fromUtf8("A&juda"));
    ajuda->setFont(windowFont());
    addAction(ajuda, "&Conteúdo", QKeySequence("F1"), &TfrmMain::ContedoClick);
    addAction(ajuda, "&Sobre", QKeySequence(), &TfrmMain::SobreClick);

    // Ctrl+A opens a character and Ctrl+E exports it even while an edit box
    // has the focus, which would otherwise take them for itself.
    qApp->installEventFilter(this);
}

void TfrmMain::FormCreate(const StartupContext& context) {
    runStartup(m_document, m_commands, *this, context);
    m_advantageModel->reload();
    m_disadvantageModel->reload();
    createWindows();
    // Start-up's own changes (the preset picture path) are no steps.
    startHistory();
    m_dialogNovo = new TfrmDialogNovo(this);
    m_dialogSair = new TfrmDialogSair(this);
    centreOnScreen(this);
}

void TfrmMain::createWindows() {
    m_addvant = std::make_unique<Taddvant>();
    m_addDV = std::make_unique<TaddDV>();
    connect(m_addvant.get(), &AddItemDialog::itemAccepted, m_characterDocument,
            &CharacterDocument::acquireAdvantage);
    connect(m_addDV.get(), &AddItemDialog::itemAccepted, m_characterDocument,
            &CharacterDocument::acquireDisadvantage);
    m_msgbox = std::make_unique<Tmsgbox>();
    m_msgbox2 = std::make_unique<Tmsgbox2>();
    m_frmHelp = std::make_unique<TfrmHelp>();
    m_aboutBox = new TAboutBox(this);

    for (AddItemDialog* dialog : {static_cast<AddItemDialog*>(m_addvant.get()),
                                  static_cast<AddItemDialog*>(m_addDV.get())}) {
        connect(dialog, &AddItemDialog::valueRequired, m_msgbox.get(), &Tmsgbox::showNotice);
        connect(dialog, &QDialog::finished, this, &TfrmMain::addDialogClosed);
        // Closing the notice hands the keyboard back to the dialog it was
        // about, in the cost it asked for: typed into the name, the cost
        // would replace it.
        connect(m_msgbox.get(), &QDialog::finished, dialog, [dialog] {
            if (!dialog->isVisible())
                return;
            dialog->costEdit()->setFocus(Qt::ActiveWindowFocusReason);
            dialog->activateWindow();
        });
    }
    connect(m_msgbox2.get(), &QDialog::finished, this, &TfrmMain::addDialogClosed);
}

// Few users edit the catalogues; the window, its table and its buttons have
// no place in start-up.
CatalogueEditor* TfrmMain::catalogueEditor() {
    if (m_catalogueEditor != nullptr)
        return m_catalogueEditor;
    m_catalogueEditor = new CatalogueEditor(m_document, this);
    // A saved or restored catalogue is in effect at once: the lists show it,
    // and a cost shown for a row of the old list no longer holds.
    connect(m_catalogueEditor, &CatalogueEditor::cataloguesChanged, this, [this] {
        m_advantageModel->reload();
        m_disadvantageModel->reload();
        m_ui.lb_cs_vant->clear();
        m_ui.lb_cs_DV->clear();
    });
    return m_catalogueEditor;
}

// A dropped file and the end of the desktop session.
void TfrmMain::setUpDesktop() {
    // A dropped character opens as Open would open it, a dropped picture is
    // taken as "Figura..." takes the one chosen.
    new FileDropTarget(
        this, m_ui.figura,
        [this](const QString& path) { m_commands.openPath(QFile::encodeName(path).toStdString()); },
        [this](const QString& path) { setPictureFile(path); });
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { commitDataRequest(manager); });
    // The file is watched once there is one; the watcher itself is made then.
    m_fileWatch = new FileWatch(this);
    connect(m_fileWatch, &FileWatch::mayHaveChanged, this, &TfrmMain::checkFileOnDisk);
}

} // namespace kestrix
