// Every function of the program the page calls: the extern "C" list of page.cpp, each once, and
// whether it may wait for a dialog. One that may is called as asynchronous (asyncify unwinds it
// while the dialog is open) and gives a promise of its answer; the others answer at once and
// may be called while a dialog waits. forms_web_next_tab_stop is formsProgram.nextTabStop, and
// so on. No other file of the page calls the program (tools/web/page_exports.py checks both).
var formsProgram = {};
for (const [name, mayWait] of Object.entries({
  forms_web_click: true,
  forms_web_key_press: true,
  forms_web_next_tab_stop: false,
  forms_web_next_in_option_group: false,
  forms_web_press_key: false,
  forms_web_release_key: false,
  forms_web_release_all_keys: false,
  forms_web_fits_text_box: false,
})) {
  const method = name.slice("forms_web_".length).replace(/_(.)/g, (_, letter) => letter.toUpperCase());
  formsProgram[method] = mayWait
    ? (...args) => ccall(name, "number", args.map(() => "number"), args, {async: true})
    : (...args) => Module["_" + name](...args);
}
