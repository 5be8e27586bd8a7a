#include "ui/main/FileQuestions.h"

#include "platform/TextConversion.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace kestrix {
namespace {

QString fileName(const std::string& path) {
    return QFileInfo(QFile::decodeName(path.c_str())).fileName();
}

} // namespace

QString recoveryQuestion(const RecoveryCopy& copy) {
    CharacterRecord record;
    record.setBytes(copy.record);
    const std::string name = record.extract().name;
    const QString character =
        name.empty() ? QString::fromUtf8("personagem sem nome") : toQString(name);
    const QString file = copy.filePath.empty() ? QString::fromUtf8("sem arquivo")
                                               : QFile::decodeName(copy.filePath.c_str());
    const QString when = QDateTime::fromSecsSinceEpoch(copy.savedAt).toString("dd/MM/yyyy HH:mm");
    return QString::fromUtf8("Há alterações não salvas de %1 (%2, %3) que não chegaram a ser "
                             "salvas. Recuperar?")
        .arg(character, file, when);
}

QString replaceChangedFileQuestion(const std::string& path) {
    return QString::fromUtf8("O arquivo %1 foi alterado por outro programa depois de aberto. "
                             "Substituir pelo personagem desta janela?")
        .arg(fileName(path));
}

QString reloadChangedFileQuestion(const std::string& path) {
    return QString::fromUtf8("O arquivo %1 foi alterado por outro programa. Recarregar?")
        .arg(fileName(path));
}

} // namespace kestrix
