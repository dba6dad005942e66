#include "instances.h"

#include "form.h"
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

// What a loaded window carries for the runtime: its form. Ending with the window, it takes the
// window out of the default instance first, then ends the form.
class LoadedWindow : public WindowHost::Attachment {
public:
    LoadedWindow(const WindowHost& window, std::unique_ptr<Form> form) : window_(window), form_(std::move(form)) {}
    ~LoadedWindow() override {
        if (instances().defaultWindow == &window_) instances().defaultWindow = nullptr;
    }

    Form& form() const { return *form_; }

private:
    const WindowHost& window_;
    std::unique_ptr<Form> form_;
};

}  // namespace

void attachForm(WindowHost& window, std::unique_ptr<Form> form) {
    window.attach(std::make_unique<LoadedWindow>(window, std::move(form)));
}

Form& formOf(const WindowHost& window) { return static_cast<const LoadedWindow&>(*window.attachment()).form(); }

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

void keepCreatedWindow(std::unique_ptr<WindowHost> window) { instances().createdOnDemand = std::move(window); }

void releaseCreatedWindow() { instances().createdOnDemand.reset(); }

}  // namespace forms::detail
