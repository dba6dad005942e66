// The loader's hooks: the page's font before the program starts, the WebAssembly compiled ahead
// of the loader, and a program whose runtime failed stopped visibly.
"use strict";

// The page's font is loaded before the program starts, so that captions are measured with it
// and start-up never waits in the middle of the program. Without it, the fallback is measured.
if (typeof document !== "undefined") {
  Module["preRun"] = [() => {
    addRunDependency("forms-font");
    document.fonts.load('16px "Forms Sans"', "Аa").catch(() => {}).then(() => removeRunDependency("forms-font"));
  }];
  // The WebAssembly inside the page started compiling before this loader was read
  // (tools/web/wasm_first.py), decoded by the browser's own base64 decoder: decoding it byte by byte
  // in JavaScript took longer than compiling it. Without that decoder, the loader decodes it.
  if (window.formsWasm) {
    Module["instantiateWasm"] = (imports, receiveInstance) => {
      window.formsWasm
        .then((module) => WebAssembly.instantiate(module, imports)
          .then((instance) => receiveInstance(instance, module)))
        .catch((error) => abort(error));
      return {};
    };
  }
  // A program that waited for a dialog while starting (an error box from its Load handler)
  // returns to the browser's event loop later; that return is not an error.
  window.addEventListener("unhandledrejection", (event) => {
    if (event.reason === "unwind") event.preventDefault();
    else if (event.reason instanceof WebAssembly.RuntimeError) formsPage.stop();
  });
  // A program whose runtime aborted or trapped cannot go on: its memory and its waiting
  // handler are lost. The page says so instead of looking alive.
  Module["onAbort"] = () => formsPage.stop();
  window.addEventListener("error", (event) => {
    if (event.error instanceof WebAssembly.RuntimeError) formsPage.stop();
  });
}
