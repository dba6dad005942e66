// Opens every program's window as it looks at start and saves a picture of it as
// <folder>/<program>.png, so the README's pictures always show the current windows.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <iostream>

#include "qt/open_window.h"

#define FORMS_PROGRAM(name) namespace name { extern const forms::Project project; }
#include "all_programs.inc"
#undef FORMS_PROGRAM

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("."));
    const forms::Project* const projects[] = {
#define FORMS_PROGRAM(name) &name::project,
#include "all_programs.inc"
#undef FORMS_PROGRAM
    };
    for (const forms::Project* project : projects) {
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
