#include "ApplicationTitle.h"
#include "CatalogueEditor.h"
#include "CatalogueModel.h"
#include "EditMenu.h"
#include "FileDropTarget.h"
#include "FormLayout.h"
#include "Help.h"
#include "Main.h"
#include "MainLayout.h"
#include "ObservationsMemo.h"
#include "RecentCharactersMenu.h"
#include "ValueEdit.h"
#include "WindowPlacement.h"
#include "WindowSetup.h"
#include "about.h"
#include "desvant.h"
#include "dialog1.h"
#include "dialog2.h"
#include "massage.h"
#include "massage2.h"
#include "vant.h"

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

// Building the main window: its controls from the layout table, its menu, its
// tab order and the windows it opens. What the window does is in Main.cpp.

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

// Which edit shows which field.
template <typename Field> struct FieldEdit {
    Field which;
    const char* name;
};

constexpr FieldEdit<Attribute> kAttributeEdits[] = {
    {Attribute::Forca, "tx_forca"},
    {Attribute::Habilidade, "tx_habilidade"},
    {Attribute::Resistencia, "tx_resistencia"},
    {Attribute::Armadura, "tx_armadura"},
    {Attribute::PoderDeFogo, "tx_poderdefogo"},
};

constexpr FieldEdit<MagicPath> kMagicEdits[] = {
    {MagicPath::Fogo, "tx_fogo"},   {MagicPath::Agua, "tx_agua"}, {MagicPath::Ar, "tx_ar"},
    {MagicPath::Terra, "tx_terra"}, {MagicPath::Luz, "tx_luz"},   {MagicPath::Trevas, "tx_trevas"},
};

} // namespace

TfrmMain::TfrmMain(Document& document, QWidget* parent)
    : QMainWindow(parent, windowFlagsFor(WindowKind::Main)), m_document(document),
      m_characterDocument(new CharacterDocument(document, this)), m_commands(document, *this),
      m_fileDialogs(this) {
    initResources();
    setObjectName("frmMain");
    setWindowTitle(fromUtf8(kMainWindowCaption));
    setWindowIcon(QIcon(":/icons/kestrix.png"));
    setFont(windowFont());

    m_modelo = Picture{Picture::Kind::Bitmap, QImage(":/pictures/modelo.bmp")};
    m_icone = QImage(":/pictures/icone.bmp");
    m_characterDocument->setStandardPictures(m_modelo, m_nada);

    buildMenu();
    buildControls();
    setTabOrder();
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
    buildForm(client, main_layout::kControls);
    auto find = [client](const char* name) { return formControl(client, name); };

    tx_nome = static_cast<QLineEdit*>(find("tx_nome"));
    connect(tx_nome, &QLineEdit::textChanged, this, &TfrmMain::tx_nomeChange);
    for (const auto& [which, name] : kAttributeEdits) {
        auto* edit = static_cast<ValueEdit*>(find(name));
        m_attributeEdits[static_cast<int>(which)] = edit;
        connect(edit, &QLineEdit::textChanged, this,
                [this, which = which] { tx_atribChange(which); });
    }
    for (const auto& [which, name] : kMagicEdits) {
        auto* edit = static_cast<ValueEdit*>(find(name));
        m_magicEdits[static_cast<int>(which)] = edit;
        connect(edit, &QLineEdit::textChanged, this,
                [this, which = which] { tx_focusChange(which); });
    }

    BitBtn3 = static_cast<QToolButton*>(find("BitBtn3"));
    BitBtn4 = static_cast<QToolButton*>(find("BitBtn4"));
    BitBtn5 = static_cast<QToolButton*>(find("BitBtn5"));
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmMain::BitBtn3Click);
    connect(BitBtn4, &QToolButton::clicked, this, &TfrmMain::BitBtn4Click);
    connect(BitBtn5, &QToolButton::clicked, this, &TfrmMain::bitbtn5click);
    figura = static_cast<QLabel*>(find("figura"));

    m_advantageModel = new CatalogueModel(m_document.advantageCatalogue, this);
    m_disadvantageModel = new CatalogueModel(m_document.disadvantageCatalogue, this);
    ls_Vant = static_cast<QListView*>(find("ls_Vant"));
    ls_Vant->setModel(m_advantageModel);
    ls_DV = static_cast<QListView*>(find("ls_DV"));
    ls_DV->setModel(m_disadvantageModel);
    ls_vant_adq = static_cast<QListWidget*>(find("ls_vant_adq"));
    ls_DV_adq = static_cast<QListWidget*>(find("ls_DV_adq"));
    // Double-clicks reach the handlers through eventFilter().
    for (QAbstractItemView* list :
         std::initializer_list<QAbstractItemView*>{ls_Vant, ls_vant_adq, ls_DV, ls_DV_adq})
        list->viewport()->installEventFilter(this);
    // The cost follows the selection, not the current row: tabbing into a
    // list makes its first row current without selecting it.
    connect(ls_Vant->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmMain::ls_vantclick);
    connect(ls_DV->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmMain::ls_DVClick);

    lb_cs_vant = static_cast<QLabel*>(find("lb_cs_vant"));
    lb_cs_DV = static_cast<QLabel*>(find("lb_cs_DV"));
    QFont costFont = font();
    costFont.setPointSize(10);
    costFont.setBold(true);
    lb_cs_vant->setFont(costFont);
    lb_cs_DV->setFont(costFont);

    m_magicGroup = find("grpMagias");
    m_summaryGroup = find("grpResumo");
    lb_atrib = static_cast<QLabel*>(find("lb_atrib"));
    lb_vanttotal = static_cast<QLabel*>(find("lb_vanttotal"));
    lb_DVtotal = static_cast<QLabel*>(find("lb_DVtotal"));
    lb_magtotal = static_cast<QLabel*>(find("lb_magtotal"));
    lb_total = static_cast<QLabel*>(find("lb_total"));
    Mm_observ = static_cast<ObservationsMemo*>(find("Mm_observ"));
    connect(Mm_observ, &ObservationsMemo::edited, this, &TfrmMain::Mm_observChange);
    // Ctrl+Z belongs to the character's history (buildEditMenu), not to the memo's own.
    Mm_observ->setUndoRedoEnabled(false);
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

void TfrmMain::setTabOrder() {
    QList<QWidget*> chain{tx_nome};
    for (const auto& edit : kAttributeEdits)
        chain.append(m_attributeEdits[static_cast<int>(edit.which)]);
    chain.append({ls_Vant, ls_vant_adq, ls_DV, ls_DV_adq});
    for (MagicPath which : {MagicPath::Fogo, MagicPath::Terra, MagicPath::Agua, MagicPath::Ar,
                            MagicPath::Luz, MagicPath::Trevas})
        chain.append(m_magicEdits[static_cast<int>(which)]);
    chain.append({Mm_observ, BitBtn3, BitBtn4, BitBtn5});
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
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
        lb_cs_vant->clear();
        lb_cs_DV->clear();
    });
    return m_catalogueEditor;
}

// A dropped file and the end of the desktop session.
void TfrmMain::setUpDesktop() {
    // A dropped character opens as Open would open it, a dropped picture is
    // taken as "Figura..." takes the one chosen.
    new FileDropTarget(
        this, figura,
        [this](const QString& path) { m_commands.openPath(QFile::encodeName(path).toStdString()); },
        [this](const QString& path) { setPictureFile(path); });
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { commitDataRequest(manager); });
}

} // namespace kestrix
