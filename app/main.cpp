// The orvelo executable: for now the bare main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Varnek Orvelo"));
    window.resize(1200, 800);
    window.show();
    return app.exec();
}
