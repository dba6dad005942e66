// A full text box in a real window: what one keystroke at its end costs, and how much memory
// the full box takes beyond an empty one. Runs on Qt's offscreen platform; see RESULTS.md.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "project.h"
#include "qt/open_window.h"
#include "sumdiff/sumdiff.h"

namespace {

// Resident memory of this process in kilobytes.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

// sumdiff's A box filled to one character below the limit, as a user's paste leaves it.
struct FullBox {
    std::unique_ptr<forms::testing::OpenWindow> window = std::make_unique<forms::testing::OpenWindow>(sumdiff::project);
    QLineEdit* box = window->controlAs<QLineEdit>("Text1");
    long emptyKilobytes = 0;
    long fullKilobytes = 0;

    FullBox() {
        box->setFocus();
        QApplication::processEvents();
        emptyKilobytes = residentKilobytes();
        box->insert(QString(forms::MaxTextBoxLength - 1, QChar('7')));
        box->end(false);
        QApplication::processEvents();
        window->window()->repaint();
        fullKilobytes = residentKilobytes();
    }
};

// One key typed at the end of the full box and one Backspace, each drawn before the next.
void KeystrokeAtTheEndOfAFullBox(benchmark::State& state) {
    FullBox full;
    for (auto _ : state) {
        QTest::keyClick(full.box, Qt::Key_8);
        full.window->window()->repaint();
        QTest::keyClick(full.box, Qt::Key_Backspace);
        full.window->window()->repaint();
    }
    state.counters["keystrokes"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()));
    state.counters["full_box_MB"] = static_cast<double>(full.fullKilobytes - full.emptyKilobytes) / 1024.0;
    if (full.box->text().size() != forms::MaxTextBoxLength - 1) state.SkipWithError("the box lost its text");
}
BENCHMARK(KeystrokeAtTheEndOfAFullBox)->Unit(benchmark::kMillisecond)->Iterations(20);


}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
