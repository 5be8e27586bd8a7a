#include "tests/platform/MetafileTestSupport.h"
#include "tests/tools/HostileMetafiles.h"
#include "tools/kestrix-metafile/DrawingBudget.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kestrix {
namespace {

// What the probe did with a picture, under the limits it was given.
struct ProbeRun {
    bool finished = false; // exited by itself, not ended by a limit
    std::string verdict;   // "drawn" or "refused"
    long peakAddressKb = 0;
    long peakResidentKb = 0;
};

// Runs the probe, which loads, prints and previews the picture as the
// editor does, with at most `addressKb` of address space (0: no limit)
// and `cpuSeconds` of processor time. Threads share one heap, so that the
// address space grows with what is allocated, not with the cores there are.
ProbeRun probe(const QString& picture, const QString& scratch, long addressKb, int cpuSeconds) {
    const std::string program = KESTRIX_PICTURE_DRAW_PROBE;
    const std::string converter = test::realConverter().toStdString();
    const std::string path = picture.toStdString();
    const std::string output = (scratch + "/probe-output").toStdString();
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(converter.c_str()),
                          const_cast<char*>(path.c_str()), nullptr};
    std::vector<std::string> environment{"MALLOC_ARENA_MAX=1"};
    for (char** variable = environ; *variable != nullptr; ++variable)
        environment.emplace_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // Between fork and exec: async-signal-safe calls only.
        if (addressKb > 0) {
            const rlimit address{static_cast<rlim_t>(addressKb) * 1024,
                                 static_cast<rlim_t>(addressKb) * 1024};
            setrlimit(RLIMIT_AS, &address);
        }
        const rlimit cpu{static_cast<rlim_t>(cpuSeconds), static_cast<rlim_t>(cpuSeconds)};
        setrlimit(RLIMIT_CPU, &cpu);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        dup2(out, 1);
        execve(argv[0], argv, envp.data());
        _exit(127);
    }
    close(out);
    ProbeRun run;
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakResidentKb = usage.ru_maxrss;
    QFile said(QString::fromStdString(output));
    if (said.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> words = said.readAll().simplified().split(' ');
        run.verdict = words.value(0).toStdString();
        run.peakAddressKb = words.value(1).toLong();
    }
    return run;
}

TEST(PictureBudgetTest, EveryPictureIsRefusedOrDrawnWithinTheBudget) {
    QTemporaryDir folder;
    const auto write = [&folder](const char* name, const std::string& bytes) {
        const QString path = QDir(folder.path()).filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    };

    // What drawing a small picture takes, the program's own needs: the
    // budget comes on top of it. The address space stops a runaway drawing
    // well before it takes the machine; the budget is what it keeps.
    const ProbeRun small = probe(test::sampleMetafile("shapes.emf"), folder.path(), 0, 10);
    ASSERT_TRUE(small.finished);
    ASSERT_EQ(small.verdict, "drawn");
    const long budgetKb = static_cast<long>(kDrawingBudgetBytes / 1024);

    struct Case {
        const char* what;
        const char* file;
        std::string bytes;
        const char* verdict; // nullptr: either, as long as it is within the budget
    };
    const Case cases[] = {
        {"a PNG bitmap whose texts inflate to 3.6 gigabytes", "textos.emf",
         test::chunkBombEmf(450, 8 << 20), "drawn"},
        {"a thin dashed zig-zag across a large frame", "tracejado.emf",
         test::dashedZigZagEmf(4000, 30000), "refused"},
        {"the same in a Windows metafile", "tracejado.wmf", test::dashedZigZagWmf(2000, 30000),
         "refused"},
        {"185,000 rectangles", "retangulos.emf", test::rectangleFloodEmf(185000), nullptr},
        {"300 pattern brushes", "padroes.emf", test::patternBrushesEmf(300), "drawn"},
        {"a JPEG photo", "foto.emf",
         test::bitmapEmf(test::kBiJpeg,
                         test::encoded(test::filledImage(1600, 1200, Qt::darkCyan), "JPG"), 1600,
                         1200),
         "drawn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The probe draws three times (window, page, preview); each draw
        // has a second, and the toolkit starts in much less.
        const ProbeRun run =
            probe(write(c.file, c.bytes), folder.path(), small.peakAddressKb + 2 * 1024 * 1024, 4);
        EXPECT_TRUE(run.finished) << "ended by its limits";
        if (c.verdict != nullptr)
            EXPECT_EQ(run.verdict, c.verdict);
        else
            EXPECT_TRUE(run.verdict == "drawn" || run.verdict == "refused");
        EXPECT_LE(run.peakResidentKb - small.peakResidentKb, budgetKb);
    }
}

} // namespace
} // namespace kestrix
