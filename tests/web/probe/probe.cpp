// A throwaway page that proves the browser build's chain before the frame's backend exists:
// C++ waits in the middle of a call for a click on an HTML dialog (asyncify), a C++ exception
// crosses that wait (JavaScript-based exceptions), and everything is in one file that works
// from disk. It asks twice and writes both answers into the page; an empty answer is an error
// that the caller catches.
#include <emscripten.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

// A modal <dialog> with a text box and "OK"; resolves with the text when OK is clicked or Enter
// is pressed. The answer is returned in memory the caller frees.
EM_ASYNC_JS(char*, askInDialog, (const char* prompt), {
    const answer = await new Promise((resolve) => {
        const dialog = document.createElement("dialog");
        const label = document.createElement("p");
        label.textContent = UTF8ToString(prompt);
        const input = document.createElement("input");
        input.type = "text";
        const ok = document.createElement("button");
        ok.textContent = "OK";
        const finish = () => {
            dialog.close();
            dialog.remove();
            resolve(input.value);
        };
        ok.addEventListener("click", finish);
        input.addEventListener("keydown", (event) => {
            if (event.key === "Enter") finish();
        });
        dialog.append(label, input, ok);
        document.body.append(dialog);
        dialog.showModal();
        input.focus();
    });
    const size = lengthBytesUTF8(answer) + 1;
    const text = _malloc(size);
    stringToUTF8(answer, text, size);
    return text;
});

EM_JS(void, showResult, (const char* text), {
    document.getElementById("result").textContent = UTF8ToString(text);
});

std::string ask(const char* prompt) {
    char* answer = askInDialog(prompt);
    std::string text(answer);
    std::free(answer);
    if (text.empty()) throw std::invalid_argument("пустой ответ");
    return text;
}

}  // namespace

int main() {
    try {
        const std::string first = ask("Первый ответ");
        const std::string second = ask("Второй ответ");
        showResult((first + " / " + second).c_str());
    } catch (const std::exception& error) {
        showResult((std::string("Ошибка: ") + error.what()).c_str());
    }
}
