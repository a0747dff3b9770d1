// Prints the folder the program takes as its own, as the program finds its Help folder and external
// programs.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::puts(qPrintable(QCoreApplication::applicationDirPath()));
    return 0;
}
