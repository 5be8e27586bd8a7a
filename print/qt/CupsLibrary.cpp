#include "print/qt/CupsLibrary.h"

#include <dlfcn.h>
#include <string>

namespace kestrix {
namespace {

constexpr const char* kNotLoaded = "The printing system could not be loaded";

std::string lastLoaderError() {
    const char* reason = dlerror();
    return reason != nullptr ? reason : "";
}

Error loadError(const std::string& reason) {
    return Error{0, reason.empty() ? std::string(kNotLoaded) : kNotLoaded + (": " + reason)};
}

template <typename Function>
bool lookUp(void* library, const char* name, Function& function, Result& error) {
    dlerror();
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr && !error)
        error = loadError(std::string(name) + " is missing");
    return function != nullptr;
}

} // namespace

CupsLibrary::CupsLibrary(const char* fileName) {
    // Never closed: the library keeps threads' state and handlers of its own
    // that must not outlive its code. A second load only counts a reference.
    void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        m_error = loadError(lastLoaderError());
        return;
    }
    lookUp(library, "cupsAddOption", m_addOption, m_error);
    lookUp(library, "cupsFreeOptions", m_freeOptions, m_error);
    lookUp(library, "cupsPrintFile2", m_printFile2, m_error);
    lookUp(library, "cupsLastErrorString", m_lastErrorString, m_error);
}

} // namespace kestrix
