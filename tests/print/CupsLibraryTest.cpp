// The print system's library as a print job loads it, and the title a job
// is listed under. Jobs on real queues are in CupsJobTest.
#include "print/qt/CupsLibrary.h"

#include "print/qt/CupsJob.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>

namespace kestrix {
namespace {

// A system without the print system's library, or with one of another
// version, gets the error box when something is printed, never a crash.
TEST(CupsLibraryTest, AMissingOrForeignLibraryIsAnError) {
    const struct {
        const char* file;
        const char* named; // what the message must name
    } cases[] = {
        {"libkestrix-no-such-printing.so.2", "libkestrix-no-such-printing.so.2"},
        {"libm.so.6", "cupsAddOption"}, // a library, but not the print system's
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.file);
        const CupsLibrary library(row.file);
        ASSERT_TRUE(library.error());
        EXPECT_EQ(library.error()->message.rfind("The printing system could not be loaded", 0), 0u)
            << library.error()->message;
        EXPECT_NE(library.error()->message.find(row.named), std::string::npos)
            << library.error()->message;
    }
}

TEST(CupsLibraryTest, TheInstalledLibraryHasEveryFunctionAJobCalls) {
    const CupsLibrary library;
    EXPECT_FALSE(library.error()) << library.error()->message;
}

TEST(CupsJobTitleTest, IsOneLineOfAtMost255BytesOfWholeCharacters) {
    const QString accented = QString(200, QChar(0x00E9)); // 'é', two bytes each
    const struct {
        QString name;
        std::string title;
    } cases[] = {
        {QStringLiteral("Lyra da Torre"), "Lyra da Torre"},
        {QStringLiteral("Lyra\tda\nTorre\r"), "Lyra da Torre "},
        {QString::fromUtf8("alda.QsZ\0x", 10), "alda.QsZ x"},
        {QString(255, 'a'), std::string(255, 'a')},
        {QString(300, 'a'), std::string(255, 'a')},
        {accented, QString(127, QChar(0x00E9)).toStdString()},
        {QStringLiteral("a") + accented,
         (QStringLiteral("a") + QString(127, QChar(0x00E9))).toStdString()},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name.toStdString());
        const std::string title = cupsJobTitle(row.name);
        EXPECT_EQ(title, row.title);
        EXPECT_EQ(title.find('\0'), std::string::npos);
        EXPECT_LE(title.size(), 255u);
    }
}

} // namespace
} // namespace kestrix
