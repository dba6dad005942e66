// A full text box in a real window: what one keystroke at its end costs, and how much memory
// the full box takes beyond an empty one; and what a paste too long for a box costs in memory,
// at its peak and afterwards. Runs on Qt's offscreen platform; see RESULTS.md.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
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

// A figure of /proc/self/status in kilobytes: "VmRSS" (resident now) or "VmHWM" (its peak).
long statusKilobytes(const std::string& field = "VmRSS") {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    }
    return 0;
}
long residentKilobytes() { return statusKilobytes(); }

// Starts the peak (VmHWM) again from what is resident now.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

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

// A paste of state.range(0) megabytes of digits into sumdiff's empty A, refused as too long:
// the memory it takes beyond what was resident before (the clipboard already holding the text),
// at its peak and a second later.
void RefusedPaste(benchmark::State& state) {
    const forms::testing::OpenWindow window(sumdiff::project);
    auto* box = window.controlAs<QLineEdit>("Text1");
    box->setFocus();
    QApplication::clipboard()->setText(QString(static_cast<qsizetype>(state.range(0)) << 20, QChar('7')));
    QApplication::processEvents();
    const long before = residentKilobytes();
    resetPeak();
    for (auto _ : state) QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    const long peak = statusKilobytes("VmHWM");
    QTest::qWait(1000);
    state.counters["peak_MB"] = static_cast<double>(peak - before) / 1024.0;
    state.counters["retained_MB"] = static_cast<double>(residentKilobytes() - before) / 1024.0;
    if (!box->text().isEmpty()) state.SkipWithError("the paste was not refused");
    QApplication::clipboard()->clear();
}
BENCHMARK(RefusedPaste)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);


}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
