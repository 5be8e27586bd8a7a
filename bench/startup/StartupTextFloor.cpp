// The least any window with text and a menu costs: an empty main window plus
// a menu bar, one label and one edit box in the program's font. Not a goal,
// a reference: it shows how much of the program's start-up over the empty
// window is owed to text and menus at all (fonts found, loaded and drawn,
// the menu bar's icons). Like the program, it reads PNG and BMP pictures
// without loading every image-format plugin.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QtPlugin>

Q_IMPORT_PLUGIN(KestrixBuiltInImageFormats)

int main(int argc, char* argv[]) {
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QApplication application(argc, argv);
    QMainWindow window;
    window.setFont(QFont("MS Sans Serif", 8));
    window.menuBar()->addMenu("&Arquivo");
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    auto* label = new QLabel("&Nome:", client);
    label->move(8, 8);
    auto* edit = new QLineEdit("Nome do Personagem", client);
    edit->setGeometry(48, 4, 313, 21);
    window.resize(579, 408);
    window.show();
    return application.exec();
}
