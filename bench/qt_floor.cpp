// The least a Qt Widgets program can do before its window shows: an empty window of Levelwise's
// size, with no text, pictures or fonts. The start-up benchmark sets Levelwise beside it to
// tell the cost of the toolkit from the cost of the program.
//   qt_floor                    shows the empty window
//   qt_floor --libraries-only   ends at once, having only loaded the Qt libraries
#include <QApplication>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--libraries-only") == 0)
        return 0;
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(391, 276);
    window.show();
    return app.exec();
}
