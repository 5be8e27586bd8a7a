#include "Main.h"

#include "ApplicationTitle.h"
#include "CatalogueModel.h"
#include "ErrorBox.h"
#include "Help.h"
#include "ObservationsMemo.h"
#include "TextConversion.h"
#include "UniformRowListView.h"
#include "ValueEdit.h"
#include "WindowFont.h"
#include "WindowPlacement.h"
#include "Windows1252Validator.h"
#include "about.h"
#include "desvant.h"
#include "dialog1.h"
#include "dialog2.h"
#include "massage.h"
#include "massage2.h"
#include "vant.h"

#include <QAction>
#include <QBitmap>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QToolButton>

// The pictures and texts compiled into the program live in a static library;
// registering them by hand keeps the linker from dropping them.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace kestrix {
namespace {

constexpr int kClientWidth = 579;
constexpr int kClientHeight = 388;
constexpr int kMaxNameLength = 40;
constexpr int kMaxValueLength = 5;
constexpr int kMaxPicturePathLength = 255;

QString fromUtf8(const char* text) {
    return QString::fromUtf8(text);
}

// One labelled value edit: which field it shows, its name, its label and
// the top of its edit.
template <typename Field> struct ValueRow {
    Field which;
    const char* name;
    const char* label;
    int top;
};
using AttributeRow = ValueRow<Attribute>;
using MagicRow = ValueRow<MagicPath>;

// The attributes top to bottom.
constexpr AttributeRow kAttributeRows[] = {
    {Attribute::Forca, "tx_forca", "&FORÇA:", 60},
    {Attribute::Habilidade, "tx_habilidade", "&HABILIDADE:", 84},
    {Attribute::Resistencia, "tx_resistencia", "&RESISTÊNCIA:", 108},
    {Attribute::Armadura, "tx_armadura", "&ARMADURA:", 132},
    {Attribute::PoderDeFogo, "tx_poderdefogo", "&PODER DE FOGO:", 156},
};

// The magic paths in the order the window lists them.
constexpr MagicRow kMagicRows[] = {
    {MagicPath::Fogo, "tx_fogo", "FOGO:", 44}, {MagicPath::Agua, "tx_agua", "ÁGUA:", 68},
    {MagicPath::Ar, "tx_ar", "AR:", 92},       {MagicPath::Terra, "tx_terra", "TERRA:", 116},
    {MagicPath::Luz, "tx_luz", "LUZ:", 140},   {MagicPath::Trevas, "tx_trevas", "TREVAS:", 164},
};

// A button glyph holds its normal state in the left half and its disabled
// state in the right half.
QIcon glyphIcon(const QString& resource) {
    const QImage glyph(resource);
    if (glyph.isNull())
        return {};
    const int half = glyph.width() / 2;
    auto state = [&](int left) {
        return QPixmap::fromImage(glyph.copy(left, 0, half, glyph.height()));
    };
    QIcon icon;
    icon.addPixmap(state(0), QIcon::Normal);
    icon.addPixmap(state(half), QIcon::Disabled);
    return icon;
}

int selectedRow(const QAbstractItemView* list) {
    const auto selected = list->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

} // namespace

TfrmMain::TfrmMain(Document& document, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_document(document), m_commands(document, *this), m_fileDialogs(this), m_printCommand(this) {
    initResources();
    setObjectName("frmMain");
    setWindowTitle(fromUtf8(kMainWindowCaption));
    setWindowIcon(QIcon(":/icons/kestrix.png"));
    setFont(windowFont());

    m_modelo = Picture{Picture::Kind::Bitmap, QImage(":/pictures/modelo.bmp")};
    m_icone = QImage(":/pictures/icone.bmp");

    buildMenu();
    buildControls();
    setTabOrder();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    showPicture(m_modelo);
    refillControls();
}

TfrmMain::~TfrmMain() = default;

QLabel* TfrmMain::addLabel(QWidget* parent, const char* text, int left, int top) {
    auto* label = new QLabel(fromUtf8(text), parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

template <typename Edit>
Edit* TfrmMain::addEdit(QWidget* parent, const char* name, int left, int top, int width,
                        int maxLength) {
    auto* edit = new Edit(parent);
    edit->setObjectName(name);
    edit->setGeometry(left, top, width, 21);
    edit->setMaxLength(maxLength);
    edit->setValidator(new Windows1252Validator(edit));
    return edit;
}

QToolButton* TfrmMain::addPictureButton(const char* name, const char* text, const char* glyph,
                                        int top) {
    auto* button = new QToolButton(centralWidget());
    button->setObjectName(name);
    button->setText(fromUtf8(text));
    button->setIcon(glyphIcon(fromUtf8(glyph)));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setGeometry(184, top, 65, 41);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

void TfrmMain::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    auto* etchedLine = new QFrame(client);
    etchedLine->setFrameShape(QFrame::HLine);
    etchedLine->setFrameShadow(QFrame::Sunken);
    etchedLine->setGeometry(0, 0, kClientWidth, 2);

    tx_nome = addEdit<QLineEdit>(client, "tx_nome", 48, 4, 313, kMaxNameLength);
    addLabel(client, "&Nome:", 8, 8)->setBuddy(tx_nome);
    connect(tx_nome, &QLineEdit::textChanged, this, &TfrmMain::tx_nomeChange);

    addLabel(client, "Atributos:", 8, 37);
    addLabel(client, "Valor:", 144, 37);
    for (const AttributeRow& row : kAttributeRows) {
        ValueEdit* edit = addEdit<ValueEdit>(client, row.name, 144, row.top, 29, kMaxValueLength);
        addLabel(client, row.label, 8, row.top + 4)->setBuddy(edit);
        m_attributeEdits[static_cast<int>(row.which)] = edit;
        connect(edit, &QLineEdit::textChanged, this,
                [this, which = row.which] { tx_atribChange(which); });
    }

    BitBtn3 = addPictureButton("BitBtn3", "Figura...", ":/pictures/glyph-figura.png", 32);
    BitBtn5 = addPictureButton("BitBtn5", "Padrão", ":/pictures/glyph-padrao.png", 88);
    BitBtn4 = addPictureButton("BitBtn4", "Sem Figura", ":/pictures/glyph-sem-figura.png", 144);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmMain::BitBtn3Click);
    connect(BitBtn4, &QToolButton::clicked, this, &TfrmMain::BitBtn4Click);
    connect(BitBtn5, &QToolButton::clicked, this, &TfrmMain::bitbtn5click);

    figura = new QLabel(client);
    figura->setObjectName("figura");
    figura->setGeometry(253, 32, 108, 158);
    figura->setScaledContents(true);

    m_advantageModel = new CatalogueModel(m_document.advantageCatalogue, this);
    m_disadvantageModel = new CatalogueModel(m_document.disadvantageCatalogue, this);
    auto addCatalogueList = [&](const char* name, CatalogueModel* model, int left, int top) {
        // A catalogue may hold many thousand entries, all one line high.
        auto* list = new UniformRowListView(client);
        list->setObjectName(name);
        list->setGeometry(left, top, 156, 76);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setModel(model);
        list->viewport()->installEventFilter(this);
        return list;
    };
    auto addAcquiredList = [&](const char* name, int top) {
        auto* list = new QListWidget(client);
        list->setObjectName(name);
        list->setGeometry(205, top, 156, 76);
        list->viewport()->installEventFilter(this);
        return list;
    };

    ls_Vant = addCatalogueList("ls_Vant", m_advantageModel, 6, 205);
    addLabel(client, "&Vantagens/Perícias disponíveis:", 8, 189)->setBuddy(ls_Vant);
    ls_vant_adq = addAcquiredList("ls_vant_adq", 205);
    addLabel(client, "Vantagens/Perícias Adquiridas:", 208, 189);
    addLabel(client, "Custo:", 168, 213);
    lb_cs_vant = addLabel(client, "0", 168, 229);

    ls_DV = addCatalogueList("ls_DV", m_disadvantageModel, 5, 309);
    addLabel(client, "&Desvantagens disponíveis:", 8, 293)->setBuddy(ls_DV);
    ls_DV_adq = addAcquiredList("ls_DV_adq", 309);
    addLabel(client, "Desvantagens Adquiridas:", 208, 293);
    addLabel(client, "Bônus:", 168, 317);
    lb_cs_DV = addLabel(client, "0", 168, 333);

    QFont costFont = font();
    costFont.setPointSize(10);
    costFont.setBold(true);
    for (QLabel* cost : {lb_cs_vant, lb_cs_DV}) {
        cost->setObjectName(cost == lb_cs_vant ? "lb_cs_vant" : "lb_cs_DV");
        cost->setFont(costFont);
        cost->setFixedWidth(36);
    }
    // The cost follows the selection, not the current row: tabbing into a
    // list makes its first row current without selecting it.
    connect(ls_Vant->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmMain::ls_vantclick);
    connect(ls_DV->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmMain::ls_DVClick);

    buildMagicGroup();
    buildSummaryGroup();
}

void TfrmMain::buildMagicGroup() {
    auto* group = new QGroupBox(fromUtf8("Magias:"), centralWidget());
    group->setObjectName("grpMagias");
    group->setGeometry(368, 2, 209, 201);
    m_magicGroup = group;
    addLabel(group, "Caminho:", 8, 21);
    addLabel(group, "Focus:", 144, 21);
    for (const MagicRow& row : kMagicRows) {
        addLabel(group, row.label, 8, row.top + 4);
        ValueEdit* edit = addEdit<ValueEdit>(group, row.name, 144, row.top, 29, kMaxValueLength);
        m_magicEdits[static_cast<int>(row.which)] = edit;
        connect(edit, &QLineEdit::textChanged, this,
                [this, which = row.which] { tx_focusChange(which); });
    }
}

void TfrmMain::buildSummaryGroup() {
    auto* group = new QGroupBox(fromUtf8("Resumo do Personagem:"), centralWidget());
    group->setObjectName("grpResumo");
    group->setGeometry(368, 208, 209, 177);
    m_summaryGroup = group;
    const std::pair<const char*, QLabel**> rows[] = {{"Atributos:", &lb_atrib},
                                                     {"Vantagens:", &lb_vanttotal},
                                                     {"Desvantagens:", &lb_DVtotal},
                                                     {"Magias:", &lb_magtotal},
                                                     {"Total:", &lb_total}};
    const char* names[] = {"lb_atrib", "lb_vanttotal", "lb_DVtotal", "lb_magtotal", "lb_total"};
    int top = 20;
    for (std::size_t i = 0; i < std::size(rows); ++i, top += 14) {
        addLabel(group, rows[i].first, 9, top);
        QLabel* value = addLabel(group, "0", 88, top);
        value->setObjectName(names[i]);
        value->setFixedWidth(110);
        *rows[i].second = value;
    }
    addLabel(group, "Observações (Não serão impressas):", 10, 99);
    Mm_observ = new ObservationsMemo(group);
    Mm_observ->setObjectName("Mm_observ");
    Mm_observ->setGeometry(12, 114, 185, 55);
    connect(Mm_observ, &ObservationsMemo::edited, this, &TfrmMain::Mm_observChange);
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
    addAction(arquivo, "Sai&r", QKeySequence("Ctrl+R"), &TfrmMain::SairClick);

    QMenu* ajuda = menuBar()->addMenu(fromUtf8("A&juda"));
    ajuda->setFont(windowFont());
    addAction(ajuda, "&Conteúdo", QKeySequence("F1"), &TfrmMain::ContedoClick);
    addAction(ajuda, "&Sobre", QKeySequence(), &TfrmMain::SobreClick);

    // Ctrl+A opens a character even while an edit box has the focus, where
    // it would otherwise select the edit's text.
    qApp->installEventFilter(this);
}

void TfrmMain::setTabOrder() {
    QList<QWidget*> chain{tx_nome};
    for (const AttributeRow& row : kAttributeRows)
        chain.append(m_attributeEdits[static_cast<int>(row.which)]);
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
    m_dialogNovo = new TfrmDialogNovo(this);
    m_dialogSair = new TfrmDialogSair(this);
    centreOnScreen(this);
}

void TfrmMain::createWindows() {
    m_addvant = std::make_unique<Taddvant>(m_document.sheet);
    m_addDV = std::make_unique<TaddDV>(m_document.sheet);
    m_msgbox = std::make_unique<Tmsgbox>();
    m_msgbox2 = std::make_unique<Tmsgbox2>();
    m_frmHelp = std::make_unique<TfrmHelp>();
    m_aboutBox = new TAboutBox(this);

    for (AddItemDialog* dialog : {static_cast<AddItemDialog*>(m_addvant.get()),
                                  static_cast<AddItemDialog*>(m_addDV.get())}) {
        connect(dialog, &AddItemDialog::valueRequired, m_msgbox.get(), &Tmsgbox::showNotice);
        connect(dialog, &AddItemDialog::itemAdded, this, &TfrmMain::itemAdded);
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

// ---- showing the sheet ----

void TfrmMain::refillControls() {
    QScopedValueRollback guard(m_refilling, true);
    const CharacterSheet& sheet = m_document.sheet;
    tx_nome->setText(toQString(sheet.name()));
    for (int i = 0; i < kAttributeCount; ++i)
        m_attributeEdits[i]->showText(toQString(sheet.data().attributes[i]));
    for (int i = 0; i < kMagicPathCount; ++i)
        m_magicEdits[i]->showText(toQString(sheet.data().magicPaths[i]));
    refillAcquiredLists();
    QStringList observations;
    for (const std::string& line : sheet.observations())
        observations.append(toQString(line));
    Mm_observ->setLines(observations);
    showTotals();
}

void TfrmMain::refillAcquiredLists() {
    for (auto [list, lines] : {std::pair{ls_vant_adq, &m_document.sheet.advantages()},
                               std::pair{ls_DV_adq, &m_document.sheet.disadvantages()}}) {
        list->clear();
        for (const std::string& line : *lines)
            list->addItem(toQString(line));
    }
}

void TfrmMain::showTotals() {
    const TotalsText totals = m_document.sheet.totalsText();
    lb_atrib->setText(toQString(totals.attributes));
    lb_vanttotal->setText(toQString(totals.advantages));
    lb_DVtotal->setText(toQString(totals.disadvantages));
    lb_magtotal->setText(toQString(totals.magic));
    lb_total->setText(toQString(totals.grand));
}

void TfrmMain::showPicture(const Picture& picture) {
    m_shownPicture = picture;
    if (picture.isEmpty())
        figura->clear();
    else
        figura->setPixmap(QPixmap::fromImage(picture.image));
}

void TfrmMain::showPictureOfSheet() {
    const QString path = toQString(m_document.sheet.picturePath());
    if (!QFileInfo(path).isFile()) {
        showPicture(m_modelo);
        return;
    }
    const PictureLoad load = loadPictureFile(path);
    if (load.ok()) {
        showPicture(load.picture);
    } else {
        showPicture(m_modelo);
        showErrorBox(this, load.error);
    }
}

// ---- DocumentView ----

DocumentView::PromptAnswer TfrmMain::askToSave(SavePrompt prompt) {
    if (prompt == SavePrompt::BeforeNew)
        return m_dialogNovo->ask();
    return m_dialogSair->ask();
}

std::optional<std::string> TfrmMain::askOpenPath() {
    const auto path = m_fileDialogs.askOpenCharacter();
    return path ? std::optional(QFile::encodeName(*path).toStdString()) : std::nullopt;
}

std::optional<std::string> TfrmMain::askSavePath(const std::string& suggestedName) {
    const auto path = m_fileDialogs.askSaveCharacter(QFile::decodeName(suggestedName.c_str()));
    return path ? std::optional(QFile::encodeName(*path).toStdString()) : std::nullopt;
}

void TfrmMain::reportError(const std::string& message) {
    showErrorBox(this, toQString(message));
}

void TfrmMain::sheetReplaced() {
    refillControls();
    // The file stores the memo's lines as it displays them, or as they
    // were, so that every file that opens saves again unchanged.
    m_document.sheet.setObservations(Mm_observ->sheetLines());
    showPictureOfSheet();
}

void TfrmMain::terminate() {
    m_terminated = true;
    QCoreApplication::quit();
}

// ---- events ----

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (m_terminated) {
        event->accept();
        return;
    }
    event->ignore();
    // A window manager may still offer to close the window while an add
    // dialog has it locked; like any other input, the request waits.
    if (isEnabled())
        FormClose();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Returning true without accepting lets the menu shortcut win.
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_A) &&
            isActiveWindow())
            return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        const std::pair<QWidget*, void (TfrmMain::*)()> lists[] = {
            {ls_Vant->viewport(), &TfrmMain::ls_vantdblclick},
            {ls_DV->viewport(), &TfrmMain::ls_DVdblclick},
            {ls_vant_adq->viewport(), &TfrmMain::ls_vant_adqDblClick},
            {ls_DV_adq->viewport(), &TfrmMain::ls_DV_adqDblClick},
        };
        for (const auto& [viewport, handler] : lists) {
            if (watched != viewport)
                continue;
            // A filter sees input that a disabled list would drop, and the
            // window is disabled while an add dialog is open.
            if (viewport->isEnabled())
                (this->*handler)();
            // Handled once here, though the application filter sees it too.
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- handlers ----

void TfrmMain::tx_nomeChange() {
    if (!m_refilling)
        m_document.sheet.setName(toWindows1252(tx_nome->text()));
}

void TfrmMain::tx_atribChange(Attribute which) {
    if (m_refilling)
        return;
    m_document.sheet.setAttribute(which,
                                  toWindows1252(m_attributeEdits[static_cast<int>(which)]->text()));
    showTotals();
}

void TfrmMain::tx_focusChange(MagicPath which) {
    if (m_refilling)
        return;
    m_document.sheet.setMagicPath(which,
                                  toWindows1252(m_magicEdits[static_cast<int>(which)]->text()));
    showTotals();
}

void TfrmMain::Mm_observChange() {
    m_document.sheet.setObservations(Mm_observ->sheetLines());
    // Typed observations are changes like any other: Exit and New ask first.
    m_document.sheet.setModified();
}

void TfrmMain::ls_vantclick() {
    const int row = selectedRow(ls_Vant);
    if (row >= 0 && row < m_document.advantageCatalogue.size())
        lb_cs_vant->setText(m_advantageModel->shownCost(row));
}

void TfrmMain::ls_DVClick() {
    const int row = selectedRow(ls_DV);
    if (row >= 0 && row < m_document.disadvantageCatalogue.size())
        lb_cs_DV->setText(m_disadvantageModel->shownCost(row));
}

void TfrmMain::ls_vantdblclick() {
    openAddDialog(*m_addvant, ls_Vant, m_document.advantageCatalogue,
                  m_document.sheet.advantages().size(), lb_cs_vant);
}

void TfrmMain::ls_DVdblclick() {
    openAddDialog(*m_addDV, ls_DV, m_document.disadvantageCatalogue,
                  m_document.sheet.disadvantages().size(), lb_cs_DV);
}

// The dialogs are not modal; this window stays disabled until the dialog or
// the list-full notice has closed.
void TfrmMain::openAddDialog(AddItemDialog& dialog, QListView* catalogueList,
                             const Catalogue& catalogue, std::size_t acquired,
                             const QLabel* shownCost) {
    // With no entry selected there is nothing to acquire.
    const QModelIndexList selected = catalogueList->selectionModel()->selectedRows();
    if (selected.isEmpty() || selected.constFirst().row() >= catalogue.size())
        return;
    if (acquired < static_cast<std::size_t>(CharacterSheet::kMaxItems)) {
        m_document.sheet.setModified();
        dialog.showFor(toQString(catalogue.name(selected.constFirst().row())), shownCost->text());
    } else {
        m_msgbox2->showNotice();
    }
    m_addOrigin = catalogueList;
    setEnabled(false);
}

void TfrmMain::addDialogClosed() {
    setEnabled(true);
    // The keyboard returns to the list the item came from. Left to itself it
    // would land on the name, where the next Backspace edits the character.
    if (m_addOrigin)
        m_addOrigin->setFocus(Qt::ActiveWindowFocusReason);
    activateWindow();
}

void TfrmMain::itemAdded() {
    refillAcquiredLists();
    showTotals();
}

void TfrmMain::ls_vant_adqDblClick() {
    m_document.sheet.removeAdvantage(selectedRow(ls_vant_adq));
    refillAcquiredLists();
    showTotals();
}

void TfrmMain::ls_DV_adqDblClick() {
    m_document.sheet.removeDisadvantage(selectedRow(ls_DV_adq));
    refillAcquiredLists();
    showTotals();
}

void TfrmMain::BitBtn3Click() {
    const auto path = m_fileDialogs.askPicture();
    if (!path)
        return;
    m_document.sheet.setModified();
    const PictureLoad load = loadPictureFile(*path);
    if (!load.ok()) {
        showErrorBox(this, load.error);
        return;
    }
    showPicture(load.picture);
    m_document.sheet.setPicturePath(toWindows1252(*path).substr(0, kMaxPicturePathLength));
}

void TfrmMain::BitBtn4Click() {
    m_document.sheet.setModified();
    showPicture(m_nada);
}

void TfrmMain::bitbtn5click() {
    showPicture(m_modelo);
    m_document.sheet.setModified();
}

void TfrmMain::NovoClick() {
    m_commands.newCharacter();
}
void TfrmMain::AbrirClick() {
    m_commands.open();
}
void TfrmMain::SalvarClick() {
    m_commands.save();
}
void TfrmMain::SalvarComoClick() {
    m_commands.saveAs();
}
void TfrmMain::Imprimir1Click() {
    const QString error = m_printCommand.run(m_document.sheet, m_shownPicture, m_icone);
    if (!error.isEmpty())
        showErrorBox(this, error);
}

void TfrmMain::SairClick() {
    m_commands.exit();
}
void TfrmMain::FormClose() {
    m_commands.exit();
}

void TfrmMain::ContedoClick() {
    m_frmHelp->showHelp();
}

void TfrmMain::SobreClick() {
    m_aboutBox->showModal();
}

} // namespace kestrix
