// The floor for start-up: a Qt window with one label. Its text is Japanese, so that it loads a
// Japanese font just as the program does.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("ぽみろ"));
    label.setWindowTitle(QStringLiteral("bench-minimal-window"));
    label.show();
    return app.exec();
}
