// The catalogue editor's commands that read and write files: Importar,
// Exportar, Salvar and Restaurar padrão.

#include "document/Document.h"
#include "storage/CatalogueFile.h"
#include "ui/catalogues/CatalogueEditor.h"
#include "ui/catalogues/CatalogueEditorModel.h"
#include "ui/dialogs/ErrorBox.h"
#include "ui/dialogs/QuestionBox.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QTableView>

namespace kestrix {

namespace {

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

bool CatalogueEditor::loadFromDocument(List list) {
    const Catalogue& catalogue =
        list == List::Advantages ? m_document.advantageCatalogue : m_document.disadvantageCatalogue;
    model(list)->setEntries(CatalogueEntries(catalogue), false);
    return catalogue.readAsUtf8();
}

QString CatalogueEditor::fileDialogFolder() const {
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

std::optional<QString> CatalogueEditor::askFileName(bool save) {
    QString path;
    if (!m_nextFileNames.empty()) {
        path = m_nextFileNames.front();
        m_nextFileNames.pop_front();
    } else {
        const QString filter = utf8("Catálogos (*.lib);;Textos (*.txt);;Todos os arquivos (*)");
        const QDir folder(fileDialogFolder());
        path = save ? QFileDialog::getSaveFileName(
                          this, utf8("Exportar catálogo"),
                          folder.filePath(QString::fromUtf8(fileName(m_shown))), filter)
                    : QFileDialog::getOpenFileName(this, utf8("Importar catálogo"), folder.path(),
                                                   filter);
    }
    if (path.isEmpty())
        return std::nullopt;
    m_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

void CatalogueEditor::importClick() {
    commitEdit();
    const auto path = askFileName(false);
    if (!path)
        return;
    Catalogue imported(shownModel()->entries().variableCostMarker());
    if (const Result error = loadCatalogueFile(localPath(*path), imported)) {
        showErrorBox(this, *error);
        return;
    }
    CatalogueEntries entries(imported);
    const QString name = QFileInfo(*path).fileName();

    // What the file loses is said before anything is replaced.
    QStringList question;
    if (const int lost = imported.lostCharacters()) {
        const QString line = number(imported.firstLineWithLostCharacter());
        question << (lost == 1 ? utf8("%1 tem 1 caractere que o Windows-1252 não guarda, na "
                                      "linha %2: ele fica como \"?\".")
                                     .arg(name, line)
                               : utf8("%1 tem %2 caracteres que o Windows-1252 não guarda, o "
                                      "primeiro na linha %3: eles ficam como \"?\".")
                                     .arg(name, number(lost), line));
    }
    if (const int cut = entries.cutLines())
        question << (cut == 1 ? utf8("1 linha passa de %1 caracteres e é cortada.")
                                    .arg(CatalogueEntries::kLongestLine)
                              : utf8("%1 linhas passam de %2 caracteres e são cortadas.")
                                    .arg(number(cut))
                                    .arg(CatalogueEntries::kLongestLine));
    const int shown = shownModel()->rowCount();
    question << utf8("Substituir %1 %2 de %3?")
                    .arg(shown == 1 ? utf8("a 1 entrada mostrada")
                                    : utf8("as %1 entradas mostradas").arg(number(shown)),
                         entries.size() == 1 ? utf8("pela 1")
                                             : utf8("pelas %1").arg(number(entries.size())),
                         name);
    if (!askQuestion(this, question.join(QStringLiteral("\n\n"))))
        return;

    shownModel()->setEntries(std::move(entries), true);
    setCurrentRow(0);
    setStatus(imported.readAsUtf8()
                  ? utf8("%1 lido como UTF-8; Salvar grava em Windows-1252.").arg(name)
                  : utf8("%1 importado.").arg(name));
}

void CatalogueEditor::exportClick() {
    commitEdit();
    if (!everyEntryNamed(m_shown))
        return;
    const auto path = askFileName(true);
    if (!path)
        return;
    if (const Result error =
            saveCatalogueFile(localPath(*path), shownModel()->entries().fileBytes())) {
        showErrorBox(this, *error);
        return;
    }
    setStatus(utf8("Catálogo exportado para %1.").arg(QFileInfo(*path).fileName()));
}

// Loads the list's file in effect into the document, as start-up would.
bool CatalogueEditor::reloadIntoDocument(List list) {
    Catalogue& catalogue =
        list == List::Advantages ? m_document.advantageCatalogue : m_document.disadvantageCatalogue;
    const Result error =
        loadCatalogueFile(m_document.dataFolders.locate(fileName(list)), catalogue);
    if (error)
        showErrorBox(this, *error);
    emit cataloguesChanged();
    return !error;
}

bool CatalogueEditor::everyEntryNamed(List list) {
    const int row = model(list)->entries().firstWithoutName();
    if (row < 0)
        return true;
    if (list != m_shown)
        showList(list);
    setCurrentRow(row);
    m_table->setFocus();
    showErrorBox(this, {0, utf8("A linha %1 de %2 não tem nome; dê um nome a ela ou remova-a")
                               .arg(number(row + 1), listCaption(list))
                               .toStdString()});
    return false;
}

bool CatalogueEditor::saveClick() {
    commitEdit();
    // Only the changed lists become the user's own: an untouched one keeps
    // following the site's or the shipped file.
    std::vector<List> changed;
    for (List list : {List::Advantages, List::Disadvantages}) {
        if (model(list)->isModified() || list == m_shown)
            changed.push_back(list);
    }
    // Nothing is written while any list to write has an entry without a name.
    for (List list : changed) {
        if (!everyEntryNamed(list))
            return false;
    }
    for (List list : changed) {
        const std::string path = m_document.dataFolders.userFile(fileName(list));
        if (path.empty()) {
            showErrorBox(this, {0, "No folder of the user's own (HOME is not set)"});
            return false;
        }
        if (const Result error = saveCatalogueFile(path, model(list)->entries().fileBytes())) {
            showErrorBox(this, *error);
            return false;
        }
        model(list)->setModified(false);
        reloadIntoDocument(list);
        setStatus(utf8("Catálogo salvo em %1.").arg(QFile::decodeName(path.c_str())));
    }
    return true;
}

void CatalogueEditor::restoreClick() {
    commitEdit();
    const std::string path = m_document.dataFolders.userFile(fileName(m_shown));
    if (path.empty() || !QFileInfo::exists(QFile::decodeName(path.c_str()))) {
        setStatus(utf8("Este catálogo já é o padrão."));
        return;
    }
    if (!askQuestion(this, utf8("Apagar a sua cópia de %1 e voltar ao catálogo padrão?")
                               .arg(QString::fromUtf8(fileName(m_shown)))))
        return;
    if (const Result error = removeDataFile(path)) {
        showErrorBox(this, *error);
        return;
    }
    reloadIntoDocument(m_shown);
    loadFromDocument(m_shown);
    setCurrentRow(0);
    setStatus(utf8("Catálogo padrão restaurado."));
}

} // namespace kestrix
