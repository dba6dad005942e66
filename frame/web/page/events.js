// The page side of the browser backend, read as --pre-js files of every program page in this
// order: loader.js, events.js, exports.js, window.js, keys.js, members.js, editing.js,
// dialogs.js (frame/CMakeLists.txt), after the constants the build writes from their C++
// definitions (tools/web/page_constants.py). The window and its controls are real HTML elements,
// their events handed to the program's WebAssembly, and the dialogs modal dialogs of the page.
// The program calls only the methods of formsPage that frame/web/page.h lists, each from one
// line of page.cpp; the page calls the program only through formsProgram (exports.js). The
// rules (tab order, option group, held keys) are the core's, asked through the program; the
// length limit and a paste's line are applied here by the core's rules, so that pasted text of
// any size never enters the program's memory.
//
// This file: the page's state, and the program's handlers run one at a time.
var formsPage = {
  window: null,   // the window element: caption bar over the client area
  client: null,   // the client area, holding the controls
  controls: [],   // the element of each described control, in the description's order
  kinds: [],      // the ControlKind of each
  notice: "",     // what a refused edit says at the box
  queue: Promise.resolve(),

  // The program's handlers run one at a time, in the order of the events: a handler waiting for
  // a dialog keeps the next event waiting too, as a desktop's modal loop would.
  later(job) {
    formsPage.queue = formsPage.queue.then(() => formsPage.stopped || job()).catch((error) => {
      console.error(error);
      if (error instanceof WebAssembly.RuntimeError) formsPage.stop();
    });
  },

  // The program has stopped for good: its window and any open dialog take no more input, and
  // a message over them says so and how to start again.
  stopped: false,
  stop() {
    if (formsPage.stopped) return;
    formsPage.stopped = true;
    for (const dialog of document.querySelectorAll("dialog")) dialog.remove();
    if (formsPage.window) formsPage.window.inert = true;
    const message = document.createElement("div");
    message.className = "forms-stopped";
    message.setAttribute("role", "alert");
    message.textContent = "Программа остановлена из-за внутренней ошибки. Перезагрузите страницу, чтобы начать заново.";
    document.body.append(message);
  },
};
