#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace kestrix {
class CharacterDocument;
struct Document;
class TfrmMain;
} // namespace kestrix

namespace kestrix::test {

// Runs `action` on the next modal window that opens (a prompt, an error
// box), so a test never blocks on it. Returns at once; the action runs
// from the event loop.
void onNextModal(std::function<void(QWidget* modal)> action);

// Types any text, one key event per character (QTest::keyClicks knows
// only ASCII keys).
void typeText(QWidget* widget, const QString& text);

// The text of the next error box, which is then closed with OK.
void expectErrorBox(QString* textOut);

// Runs `action`, handing every modal window that opens meanwhile to
// `onModal`, which must close it. Nothing is left watching afterwards, so
// an action that should show no modal window can be checked with it.
void runClosingModals(const std::function<void()>& action,
                      const std::function<void(QWidget* modal)>& onModal);

// The text of every error box `action` shows (each closed with OK), or an
// empty text when it shows none.
QString errorBoxesDuring(const std::function<void()>& action);

// The main window as start-up leaves it, shown and exposed, with `folder`
// as the program's directory and `argument` as the command-line file.
std::unique_ptr<TfrmMain> startMainWindow(CharacterDocument& document, const std::string& folder,
                                          const std::string& argument = "");

// A fresh folder with the shipped-format data files a start-up needs.
struct TestFolder {
    TestFolder();
    ~TestFolder();
    std::string path(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

    std::string root;
};

} // namespace kestrix::test
