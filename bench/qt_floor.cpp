// The least a Qt Widgets program can do before its window shows: an empty window of Levelwise's
// size, with no text, pictures or fonts. The start-up benchmark sets Levelwise beside it to
// tell the cost of the toolkit from the cost of the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(391, 276);
    window.show();
    return app.exec();
}
