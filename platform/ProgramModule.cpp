#include "platform/ProgramModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <dlfcn.h>
#include <string>

namespace kestrix {
namespace {

Error moduleError(const std::string& reason) {
    return Error{0, "A part of the program is missing (" + reason + ")"};
}

} // namespace

ProgramModule::ProgramModule(const char* fileName) {
    // By its full path: nothing on the library search path stands in for it.
    const QByteArray path =
        QFile::encodeName(QDir(QCoreApplication::applicationDirPath())
                              .filePath(QStringLiteral("modules/") + QString::fromUtf8(fileName)));
    m_library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (m_library == nullptr) {
        const char* reason = dlerror();
        m_error = moduleError(reason != nullptr ? reason : fileName);
    }
}

void* ProgramModule::function(const char* name) {
    if (m_library == nullptr)
        return nullptr;
    dlerror();
    void* found = dlsym(m_library, name);
    if (found == nullptr && !m_error)
        m_error = moduleError(std::string(name) + " not found");
    return found;
}

} // namespace kestrix
