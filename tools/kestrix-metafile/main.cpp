// kestrix-metafile FILE: writes the metafile FILE (wmf or emf) to standard
// output as an SVG document, or a reason to standard error and exits 1.
// The editor runs it as a separate, limited process, so that a metafile that
// crashes or hangs the parsers takes down nothing but this. Before it hands
// a document over, it draws it once as the editor would: a picture that the
// editor cannot afford to draw is no picture.
#include "tools/kestrix-metafile/DrawingBudget.h"
#include "tools/kestrix-metafile/MetafileConversion.h"

#include <QThreadPool>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <malloc.h>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kestrix-metafile FILE\n";
        return 2;
    }
    // The address space is capped: each thread the toolkit starts for image
    // work would reserve a heap of its own, as many as there are cores.
    mallopt(M_ARENA_MAX, 1);
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    // Nor may it write files: fontconfig, finding fonts it has no cache
    // for, tries to write one. Let that write fail, not end the process.
    std::signal(SIGXFSZ, SIG_IGN);

    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "kestrix-metafile: cannot open " << argv[1] << "\n";
        return 1;
    }
    std::string bytes;
    bytes.resize(kestrix::kMaxMetafileBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));

    kestrix::MetafileConversion result = kestrix::convertMetafile(bytes);
    if (result.ok()) {
        kestrix::endProcessFarBeyondDrawingBudget();
        result.error = kestrix::drawingBudgetViolation(result.svg);
    }
    if (!result.ok()) {
        std::cerr << "kestrix-metafile: " << result.error << "\n";
        return 1;
    }
    std::cout.write(result.svg.data(), static_cast<std::streamsize>(result.svg.size()));
    std::cout.flush();
    return std::cout ? 0 : 1;
}
