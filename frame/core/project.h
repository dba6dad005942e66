// The project descriptor: the constant record a program hands to the runtime at start-up, with
// its window description, event bindings, form variables and version record. No toolkit include.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>

#include "runtime_error.h"

namespace forms {

class Form;
namespace detail {
class WindowHost;
}

enum class ControlKind { Label, TextBox, CommandButton, OptionButton };
// How many kinds there are: one past the last. control_kinds.h says what each is.
inline constexpr std::size_t ControlKindCount = static_cast<std::size_t>(ControlKind::OptionButton) + 1;
enum class Event { Click, KeyPress, Load };

// One control of a window description. Positions and sizes are in twips (1/1440 inch).
struct ControlDescription {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    bool hiddenAtStart = false;
    bool captionCentred = false;
};

// A text box holds at most this many characters (UTF-16 units): enough for any number and for
// joining two 100,000-character texts, small enough that typing stays quick. Typing or pasting
// that would go beyond is refused whole with this notice at the box; a program setting a longer
// Text gets a failed control call.
inline constexpr int MaxTextBoxLength = 262'144;
inline constexpr std::string_view TextTooLongNotice = "Текст не помещается: в поле не более 262144 знаков";

inline constexpr bool Hidden = true;
inline constexpr bool Centred = true;

// The stored layout of the window. Everything not stored takes the runtime's default: one font,
// the platform's colours, empty text boxes, no option button selected, every control enabled.
struct WindowDescription {
    std::string_view caption;
    int clientWidth;   // twips
    int clientHeight;  // twips
    std::span<const ControlDescription> controls;
    int clientLeft = 60;  // stored client origin, twips
    int clientTop = 345;
    int startUpPosition = 3;  // the window system's default position
};

// Runs one bound handler; the key code is only meaningful for KeyPress.
using EventEntry = void (*)(Form& form, std::int16_t& keyCode);

struct Binding {
    std::string_view control;  // a control's name, or the window's ("Form1")
    Event event;
    EventEntry entry;
};

namespace detail {
template <class F>
void invoke(void (*handler)(F&), Form& form, std::int16_t&) {
    handler(static_cast<F&>(form));
}
template <class F>
void invoke(void (*handler)(F&, std::int16_t&), Form& form, std::int16_t& keyCode) {
    handler(static_cast<F&>(form), keyCode);
}
template <auto Handler>
void entryFor(Form& form, std::int16_t& keyCode) {
    invoke(Handler, form, keyCode);
}
template <class F>
std::unique_ptr<Form> create(WindowHost& host) {
    return std::make_unique<F>(host);
}
}  // namespace detail

// Binds a handler `void h(Form1&)` (Click, Load) or `void h(Form1&, std::int16_t& keyCode)`
// (KeyPress) to an event of a control or of the window.
template <auto Handler>
constexpr Binding bind(std::string_view control, Event event) {
    return {control, event, &detail::entryFor<Handler>};
}

// The version record each executable carries.
struct VersionRecord {
    std::string_view fileVersion;     // "1.0.0.0"
    std::string_view productVersion;  // "1.0.0.0"
    std::string_view fileVersionText;     // "1.00"
    std::string_view productVersionText;  // "1.00"
    std::string_view productName;
    std::string_view internalName;
    std::string_view originalFilename;
    std::string_view companyName;
    std::string_view stringTable;  // "040904B0"
};

// What the program's packages say of it, in English and Russian: a short summary (a software
// centre's line, the man page's NAME, the desktop entry's comment in Russian) and a paragraph.
struct PackageTexts {
    std::string_view summary;
    std::string_view summaryRu;
    std::string_view description;
    std::string_view descriptionRu;
};

// A program's package texts as its project descriptor gives them: `.package = packageTexts({...})`.
// Only the desktop packaging reads them; a page never shows them, so the browser build drops
// them here, at compile time, and they take no room in the page.
consteval PackageTexts packageTexts(PackageTexts texts) {
#ifdef __EMSCRIPTEN__
    static_cast<void>(texts);
    return {};
#else
    return texts;
#endif
}

struct Project {
    std::string_view title;  // the program's name; the caption of untitled dialogs
    std::string_view startUpObject = "Form1";
    std::uint32_t locale = 1033;
    std::string_view windowName = "Form1";
    const WindowDescription& window;
    std::span<const Binding> bindings;
    // Creates the window's form variables along with its controls.
    std::unique_ptr<Form> (*createForm)(detail::WindowHost& host);
    std::span<const std::string_view> publicFunctions = {};
    const VersionRecord* version = nullptr;
    // What the program does, in one English sentence: the help text, the installer's shortcut
    // and the pages' index show it.
    std::string_view summary = {};
    PackageTexts package = {};
};

// The form factory for a window class `F` (a Form with its accessors and form variables).
template <class F>
constexpr auto formOf = &detail::create<F>;

}  // namespace forms
