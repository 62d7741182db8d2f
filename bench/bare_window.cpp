// The peer of the program's start-up: a bare Qt Widgets window of the introduction's size,
// built with the program's flags, that does nothing but show itself. Closing it ends it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(1024, 738);
    window.show();
    return QApplication::exec();
}
