#pragma once

#include "core/Error.h"

namespace kestrix {

// A part of the program built as a library of its own, installed in
// modules/ beside the executable and loaded the first time it is needed. What only some runs
// use and brings libraries of its own (printing, metafile pictures) is kept
// out of every start-up this way. A module, once loaded, stays loaded for
// the rest of the process.
class ProgramModule {
public:
    // Loads the module `fileName` from modules/ in the running executable's
    // directory.
    explicit ProgramModule(const char* fileName);

    // Why the module cannot be used: it is missing, damaged or lacks a
    // function asked for.
    const Result& error() const { return m_error; }

    // The module's function `name`, or null when the module or the function
    // is missing (error() then says which).
    void* function(const char* name);

private:
    void* m_library = nullptr;
    Result m_error;
};

} // namespace kestrix
