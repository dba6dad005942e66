#include "instances.h"

#include "window_host.h"

namespace forms::detail {

namespace {

struct Instances {
    const Project* project = nullptr;
    WindowHost* defaultWindow = nullptr;
    std::unique_ptr<WindowHost> createdOnDemand;
};

Instances& instances() {
    static Instances state;
    return state;
}

}  // namespace

const Project* currentProject() { return instances().project; }

WindowHost* defaultWindow() { return instances().defaultWindow; }

std::string_view programTitle() {
    const Project* project = instances().project;
    return project ? project->title : std::string_view();
}

void makeDefault(WindowHost& window) {
    instances().project = &window.project();
    instances().defaultWindow = &window;
}

void forgetWindow(const WindowHost& window) {
    if (instances().defaultWindow == &window) instances().defaultWindow = nullptr;
}

void keepCreatedWindow(std::unique_ptr<WindowHost> window) { instances().createdOnDemand = std::move(window); }

void releaseCreatedWindow() { instances().createdOnDemand.reset(); }

}  // namespace forms::detail
