#include "tests/ui/UiTestSupport.h"

#include "document/CharacterDocument.h"
#include "storage/CharacterFile.h"
#include "ui/main/Main.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace kestrix::test {

void onNextModal(std::function<void(QWidget* modal)> action) {
    auto* timer = new QTimer;
    auto remaining = std::make_shared<int>(200);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, remaining] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal || --*remaining == 0) {
            timer->stop();
            timer->deleteLater();
            if (modal) {
                QPointer<QWidget> watched(modal);
                action(modal);
                // Should the action have missed its window (a key that went
                // astray on a busy machine), close it so the test fails
                // instead of waiting for ever.
                QTimer::singleShot(10000, [watched] {
                    if (watched && watched->isVisible()) {
                        ADD_FAILURE() << "a modal window stayed open; closing it";
                        watched->close();
                    }
                });
            }
        }
    });
    timer->start(10);
}

std::unique_ptr<TfrmMain> startMainWindow(CharacterDocument& document, const std::string& folder,
                                          const std::string& argument) {
    auto window = std::make_unique<TfrmMain>(document);
    window->FormCreate({folder, argument, {}, {}});
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
}

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void expectErrorBox(QString* textOut) {
    onNextModal([textOut](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            *textOut = box->text();
            box->accept();
        } else {
            *textOut = "(no error box)";
            modal->close();
        }
    });
}

void runClosingModals(const std::function<void()>& action,
                      const std::function<void(QWidget* modal)>& onModal) {
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&onModal] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            onModal(modal);
            if (modal->isVisible())
                modal->close();
        }
    });
    timer.start(10);
    action();
}

QString errorBoxesDuring(const std::function<void()>& action) {
    QStringList shown;
    runClosingModals(action, [&shown](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            shown << box->text();
            box->accept();
        } else {
            shown << "(no error box)";
        }
    });
    return shown.join('\n');
}

TestFolder::TestFolder() {
    static int counter = 0;
    root = (std::filesystem::temp_directory_path() /
            ("kestrix-ui-" + std::to_string(getpid()) + "-" + std::to_string(++counter)))
               .string();
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    write("vantagem.lib", "Acelera\xe7\xe3o\r\n1\r\nAtaque Especial\r\n-1\r\n");
    write("desvant.lib", "C\xf3"
                         "digo de Honra\r\n-1\r\nInimigo\r\n--1\r\n");
    CharacterSheet blank;
    blank.setPicturePath("modelo.bmp");
    EXPECT_FALSE(CharacterFile().SaveCharacter(path("qsz.lib"), blank));
}

TestFolder::~TestFolder() {
    std::filesystem::remove_all(root);
}

std::string TestFolder::path(const std::string& name) const {
    return root + "/" + name;
}

void TestFolder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
}

std::string TestFolder::read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kestrix::test
