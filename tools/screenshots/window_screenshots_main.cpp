// Opens every program's window as it looks at start and saves a picture of it as
// <folder>/<program>.png, so the README's pictures always show the current windows.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <iostream>

#include "all_programs.h"
#include "qt/open_window.h"


int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    for (const forms::Project* project : forms::allPrograms) {
        const forms::testing::OpenWindow window(*project);
        const QString file = folder.filePath(QString::fromUtf8(project->title.data(), static_cast<qsizetype>(project->title.size())) + ".png");
        if (!window.window()->grab().save(file)) {
            std::cerr << "cannot write " << file.toStdString() << "\n";
            return 1;
        }
        std::cout << file.toStdString() << "\n";
    }
    return 0;
}
