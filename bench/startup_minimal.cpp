// The floor for start-up: a Qt window with one label, nothing else.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("minimal"));
    label.setWindowTitle(QStringLiteral("bench-minimal-window"));
    label.show();
    return app.exec();
}
