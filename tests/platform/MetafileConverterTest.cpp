#include "platform/MetafileConverter.h"

#include "platform/Picture.h"
#include "tests/platform/MetafileTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kestrix {
namespace {

using test::ConverterOverride;
using test::fakeConverter;

// Short limits so the faults end quickly; the fake converter does nothing
// that needs time when it behaves.
MetafileConverter::Limits testLimits() {
    MetafileConverter::Limits limits;
    limits.wallMilliseconds = 2000;
    limits.cpuSeconds = 1;
    limits.outputBytes = 1024 * 1024;
    return limits;
}

class MetafileConverterTest : public ::testing::Test {
protected:
    QString fileSaying(const char* mode) {
        const QString path = QDir(folder.path()).filePath(QString::fromLatin1(mode) + ".wmf");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(mode);
        return path;
    }

    QTemporaryDir folder;
};

TEST_F(MetafileConverterTest, WhateverTheConverterDoesTheEditorOnlyReportsIt) {
    ConverterOverride converter(fakeConverter(), testLimits());
    // The harness works: a converter that behaves gives a picture.
    const PictureLoad good = loadPictureFile(fileSaying("good"));
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(good.picture.image.pixelColor(10, 10), QColor(Qt::red));

    for (const char* mode :
         {"crash", "spin", "sleep", "hog", "flood", "junk", "frameless", "refuses"}) {
        const PictureLoad load = loadPictureFile(fileSaying(mode));
        EXPECT_EQ(load.errorMessage(), "Metafile is not valid") << mode;
        EXPECT_TRUE(load.picture.isEmpty()) << mode;
    }
}

TEST_F(MetafileConverterTest, TheConverterRunsUnderItsLimits) {
    const MetafileConverter::Limits limits = testLimits();
    const auto report = MetafileConverter(fakeConverter(), limits).toSvg(fileSaying("limits"));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->toStdString(),
              "AS=" + std::to_string(limits.addressSpaceBytes) + " CPU=1 CORE=0 FSIZE=0");
}

TEST_F(MetafileConverterTest, AMissingConverterMeansNoPicture) {
    ConverterOverride converter(QDir(folder.path()).filePath("no-such-converter"), testLimits());
    EXPECT_EQ(loadPictureFile(fileSaying("good")).errorMessage(), "Metafile is not valid");
}

TEST_F(MetafileConverterTest, AFileNamedLikeAToolkitOptionIsReadAsAPicture) {
    // The converter starts the toolkit to draw; a file name must never
    // reach it as one of its options (a plugin path, a platform to load).
    for (const char* name : {"-platform", "-platformpluginpath", "-plugin", "-style"}) {
        SCOPED_TRACE(name);
        const QString path = QDir(folder.path()).filePath(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::copy(test::sampleMetafile("shapes.emf"), path));
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(test::realConverter(), {QString::fromLatin1(name)});
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(
            process.readAllStandardOutput().contains("viewBox=\"0 0 1000.0000 1500.0000\""));
    }
}

TEST_F(MetafileConverterTest, ATextIsDrawnWhereFontconfigFindsFontsItHasNoCacheFor) {
    // Fonts the user just added: fontconfig wants to write their cache,
    // which the converter, allowed to write no file, must survive.
    const QString fonts = QDir(folder.path()).filePath("fontes");
    ASSERT_TRUE(QDir().mkpath(fonts));
    ASSERT_TRUE(QFile::copy("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
                            fonts + "/Nova.ttf"));
    const QString config = QDir(folder.path()).filePath("fonts.conf");
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?><fontconfig>"
               "<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>"
               "<dir>" +
               fonts.toUtf8() + "</dir><cachedir>" + folder.path().toUtf8() +
               "/cache</cachedir></fontconfig>");
    file.close();
    const QByteArray saved = qgetenv("FONTCONFIG_FILE");
    qputenv("FONTCONFIG_FILE", config.toUtf8());
    const auto svg = MetafileConverter(test::realConverter(), MetafileConverter::Limits{})
                         .toSvg(test::sampleMetafile("ansi-text.emf"));
    if (saved.isEmpty())
        qunsetenv("FONTCONFIG_FILE");
    else
        qputenv("FONTCONFIG_FILE", saved);
    ASSERT_TRUE(svg);
    EXPECT_TRUE(svg->contains("Ação"));
}

TEST_F(MetafileConverterTest, TheEditorLooksForTheConverterBesideItself) {
    EXPECT_EQ(MetafileConverter().program(),
              QDir(QCoreApplication::applicationDirPath()).filePath("kestrix-metafile"));
}

} // namespace
} // namespace kestrix
