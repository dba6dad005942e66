// The page side of the browser backend (a --pre-js of every program page): the window and its
// controls as real HTML elements, their events handed to the program's WebAssembly, and the
// modal dialogs. The rules (tab order, option group, held keys, the length limit) are the
// core's, asked through the exported forms_web_* functions. Only a paste's line is found here,
// by the core's rule, so that pasted text of any size never enters the program's memory.
"use strict";

// The page's font is loaded before the program starts, so that captions are measured with it
// and start-up never waits in the middle of the program. Without it, the fallback is measured.
if (typeof document !== "undefined") {
  Module["preRun"] = [() => {
    addRunDependency("forms-font");
    document.fonts.load('16px "Forms Sans"', "Аa").catch(() => {}).then(() => removeRunDependency("forms-font"));
  }];
  // The WebAssembly inside the page started compiling before this loader was read
  // (web/wasm_first.py), decoded by the browser's own base64 decoder: decoding it byte by byte
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

var formsPage = {
  window: null,   // the window element: caption bar over the client area
  client: null,   // the client area, holding the controls
  controls: [],   // the element of each described control, in the description's order
  kinds: [],      // ControlKind of each: 0 label, 1 text box, 2 command button, 3 option button
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
  call(name, ...args) {
    return ccall(name, "number", args.map(() => "number"), args, {async: true});
  },

  dialogOpen() { return document.querySelector("dialog[open]") !== null; },

  // The described control an element belongs to, or -1.
  indexOf(element) {
    for (let node = element; node && node !== formsPage.client; node = node.parentElement) {
      const index = formsPage.controls.indexOf(node);
      if (index >= 0) return index;
    }
    return -1;
  },
  // What takes the keyboard focus for a control: an option button's radio button inside it.
  focusTarget(index) {
    const element = formsPage.controls[index];
    return formsPage.kinds[index] === 3 ? element.firstChild : element;
  },

  openWindow(caption, width, height) {
    const frame = document.createElement("div");
    frame.className = "forms-window";
    frame.setAttribute("role", "region");
    frame.setAttribute("aria-label", caption);
    const bar = document.createElement("div");
    bar.className = "forms-caption";
    const icon = document.querySelector("link[rel=icon]");
    if (icon) {
      const image = document.createElement("img");
      image.src = icon.href;
      image.alt = "";
      bar.append(image);
    }
    bar.append(caption);
    const client = document.createElement("div");
    client.className = "forms-client";
    client.style.width = width + "px";
    client.style.height = height + "px";
    frame.append(bar, client);
    formsPage.window = frame;
    formsPage.client = client;
    // A click on the client area itself (not on a control, a label included) is the window's.
    client.addEventListener("click", (event) => {
      if (event.target === client) formsPage.later(() => formsPage.call("forms_web_click", -1));
    });
    formsPage.listenForKeys();
    window.addEventListener("resize", formsPage.fitToScreen);
  },

  addControl(index, kind, name, caption, left, top, width, height, centred, hidden, hasKeyPress) {
    let element;
    if (kind === 0) {
      element = document.createElement("div");
      element.className = "forms-label" + (centred ? " forms-centred" : "");
      element.textContent = caption;
    } else if (kind === 1) {
      element = document.createElement("input");
      element.type = "text";
      element.className = "forms-text";
      element.spellcheck = false;
      element.autocomplete = "off";
      formsPage.limitLength(element);
      if (hasKeyPress) formsPage.deliverKeyPresses(index, element);
    } else if (kind === 2) {
      element = document.createElement("button");
      element.type = "button";
      element.className = "forms-button";
      element.textContent = caption;
      element.addEventListener("click", () => formsPage.later(() => formsPage.call("forms_web_click", index)));
    } else {
      // A radio button and its caption; a click anywhere on it selects it, as on the desktop.
      // No <label for>: that would move the focus on a click the way no desktop label does.
      element = document.createElement("div");
      element.className = "forms-option";
      const radio = document.createElement("input");
      radio.type = "radio";
      radio.name = "forms-options";
      radio.setAttribute("aria-label", caption);
      const text = document.createElement("span");
      text.textContent = caption;
      text.setAttribute("aria-hidden", "true");
      element.append(radio, text);
      element.addEventListener("click", (event) => {
        if (event.target !== radio && !radio.disabled) radio.click();
      });
      radio.addEventListener("click", () => {
        radio.focus();
        formsPage.later(() => formsPage.call("forms_web_click", index));
      });
    }
    element.id = name;
    // A click on a control is that control's, never the window's.
    element.addEventListener("click", (event) => event.stopPropagation());
    element.style.left = left + "px";
    element.style.top = top + "px";
    element.style.width = width + "px";
    element.style.height = height + "px";
    element.hidden = hidden !== 0;
    formsPage.controls[index] = element;
    formsPage.kinds[index] = kind;
  },

  // Appended in the core's stacking order: each text box's label right before its box, where a
  // screen reader reads it.
  stack(index) { formsPage.client.append(formsPage.controls[index]); },
  nameBy(textBox, label) { formsPage.controls[textBox].setAttribute("aria-labelledby", formsPage.controls[label].id); },

  // What the core's caption rule measures, at a font size in px: the width of a text on one line
  // and the height of a line.
  textWidth(text, pixels) {
    const context = (formsPage.measure ||= document.createElement("canvas").getContext("2d"));
    context.font = pixels + 'px "Forms Sans"';
    return context.measureText(text).width;
  },
  lineHeight(pixels) { return Math.ceil(pixels * 1.15); },
  useFontSize(pixels) { formsPage.client.style.fontSize = pixels + "px"; },

  show() {
    document.body.append(formsPage.window);
    formsPage.fitToScreen();
    // Ready for input once the first frame with the window is drawn (bench/startup-web).
    requestAnimationFrame(() => setTimeout(() => {
      document.documentElement.dataset.formsReady = String(performance.now());
    }));
  },

  // On a screen narrower (or lower) than the window, the window is scaled down to fit, but
  // never so far that its text falls below 9 CSS px (or below its own size, where that is
  // smaller): beyond that the page pans and pinch-zooms instead, and every control stays
  // readable and large enough to tap.
  fitToScreen() {
    const frame = formsPage.window;
    frame.style.transform = "";
    const margin = 16;
    const readable = Math.min(1, 9 / parseFloat(getComputedStyle(formsPage.client).fontSize));
    const scale = Math.min(1, (document.documentElement.clientWidth - margin) / frame.offsetWidth,
                           (window.innerHeight - margin) / frame.offsetHeight);
    frame.style.transform = scale < 1 ? "scale(" + Math.max(scale, readable) + ")" : "";
  },

  // Keyboard: Tab and the arrows by the core's navigation rules; the core's action keys (Enter,
  // Esc, Space on a button) act once however long they are held.
  listenForKeys() {
    // Enter, Esc and Space by the codes the core knows them by; 0 for any other key.
    const keyCode = (event) => ({"Enter": 13, "Escape": 27, " ": 32})[event.key] || 0;
    const onButton = (target) => target && (target.tagName === "BUTTON" || target.type === "radio") ? 1 : 0;
    document.addEventListener("keydown", (event) => {
      const key = keyCode(event);
      if (key && !_forms_web_press_key(key, onButton(event.target), event.repeat ? 1 : 0)) {
        event.preventDefault();
        event.stopImmediatePropagation();
        return;
      }
      if (formsPage.dialogOpen() || event.ctrlKey || event.altKey || event.metaKey) return;
      const from = formsPage.indexOf(document.activeElement);
      if (event.key === "Tab") {
        event.preventDefault();
        formsPage.focus(_forms_web_next_tab_stop(from, event.shiftKey ? 0 : 1), true);
      } else if (from >= 0 && formsPage.kinds[from] === 3 && event.key.startsWith("Arrow")) {
        event.preventDefault();
        const forward = event.key === "ArrowDown" || event.key === "ArrowRight";
        const to = _forms_web_next_in_option_group(from, forward ? 1 : 0);
        if (to >= 0) formsPage.focusTarget(to).click();
      }
    }, true);
    document.addEventListener("keyup", (event) => {
      const key = keyCode(event);
      if (key) _forms_web_release_key(key);
    }, true);
    window.addEventListener("blur", () => _forms_web_release_all_keys());
  },

  focus(index, byTab) {
    if (index < 0) return;
    const target = formsPage.focusTarget(index);
    target.focus();
    // Tabbing into a box selects its text, so that typing replaces it.
    if (byTab && formsPage.kinds[index] === 1) target.select();
  },

  // The key code KeyPress gets for a key, or 0 for a key that types nothing (arrows, Shift, Tab).
  keyCodeOf(event) {
    if (event.isComposing || event.altKey || event.metaKey) return 0;
    if (event.key === "Enter") return 13;
    if (event.key === "Backspace") return 8;
    if (event.key === "Escape") return 27;
    if (event.ctrlKey) return /^[a-z]$/i.test(event.key) ? event.key.toUpperCase().charCodeAt(0) & 31 : 0;
    return [...event.key].length === 1 ? event.key.charCodeAt(0) : 0;
  },

  // A text box with a KeyPress handler: the key waits for the handler, which may swallow it
  // (code 0) or type another character instead. Ctrl+letter keys keep the browser's own action
  // (copy, paste, select all), which no page can redo later.
  deliverKeyPresses(index, box) {
    box.addEventListener("keydown", (event) => {
      const typed = formsPage.keyCodeOf(event);
      if (!typed) return;
      const control = event.ctrlKey;
      if (!control) event.preventDefault();
      const key = event.key;
      formsPage.later(async () => {
        const answer = await formsPage.call("forms_web_key_press", index, typed);
        const outcome = answer >>> 16;
        const replacement = answer & 0xffff;
        if (outcome === 2) {
          if (replacement === 8) formsPage.edit(box, "delete", "");
          else if (replacement >= 32) formsPage.edit(box, "insertText", String.fromCharCode(replacement));
        } else if (outcome === 0 && !control) {
          if (typed === 8) formsPage.edit(box, "delete", "");
          else if (typed >= 32) formsPage.edit(box, "insertText", key);
        }
      });
    });
  },

  // Types into or deletes from a box as the user's own key would, with the box's undo history.
  // An edit made this way raises no beforeinput, so the length is checked here.
  edit(box, command, text) {
    if (command === "insertText" && !formsPage.fits(box, text.length)) return;
    if (document.activeElement === box && document.execCommand(command, false, text)) return;
    let start = box.selectionStart;
    const end = box.selectionEnd;
    if (command === "delete") {
      if (start === end && start > 0) start -= /[\udc00-\udfff]/.test(box.value[start - 1]) && start > 1 ? 2 : 1;
      box.setRangeText("", start, end, "end");
    } else {
      box.setRangeText(text, start, end, "end");
    }
  },

  // Whether `inserted` characters replacing the selection fit the box (the core's rule); if not,
  // the notice shows at the box.
  fits(box, inserted) {
    const selected = Math.abs(box.selectionEnd - box.selectionStart);
    if (_forms_web_fits_text_box(box.value.length, selected, inserted)) return true;
    formsPage.sayTooLong(box);
    return false;
  },

  // The notice shows under the box: in the window, or in the input box's dialog (the window
  // under a modal dialog is out of reach and partly hidden).
  sayTooLong(box) {
    const dialog = box.closest("dialog");
    let notice = dialog ? dialog.querySelector(".forms-notice") : document.getElementById("forms-notice");
    if (!notice) {
      notice = document.createElement("div");
      notice.className = "forms-notice";
      notice.setAttribute("role", "status");
      if (dialog) {
        box.after(notice);
      } else {
        notice.id = "forms-notice";
        formsPage.client.append(notice);
      }
    }
    notice.textContent = formsPage.notice;
    if (!dialog) {
      notice.style.left = box.style.left;
      notice.style.top = (parseFloat(box.style.top) + parseFloat(box.style.height) + 2) + "px";
    }
    notice.hidden = false;
    clearTimeout(formsPage.noticeTimer);
    formsPage.noticeTimer = setTimeout(() => { notice.hidden = true; }, 4000);
  },

  // Typing or dropping that would go beyond the limit is refused whole; a paste takes the
  // pasted line and is decided before anything is inserted. A NUL character never gets into a
  // box, as on the desktop: the program could not take the text after it.
  limitLength(box) {
    box.addEventListener("beforeinput", (event) => {
      if (!event.inputType.startsWith("insert") || event.inputType === "insertFromPaste") return;
      const text = event.data ?? (event.dataTransfer ? event.dataTransfer.getData("text/plain") : "");
      if (!formsPage.fits(box, text.length)) event.preventDefault();
    });
    box.addEventListener("input", () => {
      if (!box.value.includes("\0")) return;
      const caret = box.selectionEnd - (box.value.slice(0, box.selectionEnd).split("\0").length - 1);
      box.value = box.value.replaceAll("\0", "");
      box.setSelectionRange(caret, caret);
    });
    box.addEventListener("paste", (event) => {
      event.preventDefault();
      const line = formsPage.pastedLine(event.clipboardData ? event.clipboardData.getData("text/plain") : "");
      if (line) formsPage.edit(box, "insertText", line);
    });
  },

  // The core's rule (core/pasting.h), applied here so that a paste of any size is decided
  // without copying it into the program's memory: the first line (lines end at CR, LF or both)
  // that is not empty. Its NUL characters are left out.
  pastedLine(text) {
    const line = /[^\r\n]+/.exec(text);
    return line ? line[0].replaceAll("\0", "") : "";
  },

  // A modal dialog of the page, over the window (which takes no input while it is open); gives
  // the typed text, or null when cancelled.
  dialog(kind, caption, prompt, copied, okCaption, cancelCaption) {
    return new Promise((resolve) => {
      const returnFocus = document.activeElement;
      const dialog = document.createElement("dialog");
      dialog.className = "forms-dialog";
      const id = "forms-dialog-" + (formsPage.dialogs = (formsPage.dialogs || 0) + 1);
      dialog.setAttribute("aria-labelledby", id + "-caption");
      dialog.setAttribute("aria-describedby", id + "-prompt");
      const bar = document.createElement("div");
      bar.className = "forms-caption";
      bar.id = id + "-caption";
      bar.textContent = caption;
      const body = document.createElement("div");
      body.className = "forms-dialog-body";
      const text = document.createElement("p");
      text.id = id + "-prompt";
      text.textContent = prompt;
      if (kind === 2) {
        const icon = document.createElement("span");
        icon.className = "forms-error-icon";
        icon.setAttribute("aria-hidden", "true");
        icon.textContent = "!";
        body.append(icon);
      }
      body.append(text);
      let field = null;
      if (kind === 1) {
        field = document.createElement("input");
        field.type = "text";
        field.className = "forms-text";
        field.setAttribute("aria-labelledby", text.id);
        formsPage.limitLength(field);
        body.append(field);
      }
      const buttons = document.createElement("div");
      buttons.className = "forms-dialog-buttons";
      const ok = document.createElement("button");
      ok.type = "button";
      ok.textContent = okCaption;
      buttons.append(ok);
      let cancel = null;
      if (kind === 1) {
        cancel = document.createElement("button");
        cancel.type = "button";
        cancel.textContent = cancelCaption;
        buttons.append(cancel);
      }
      body.append(buttons);
      dialog.append(bar, body);
      const finish = (answer) => {
        dialog.close();
        dialog.remove();
        if (returnFocus && returnFocus.isConnected) returnFocus.focus();
        resolve(answer);
      };
      ok.addEventListener("click", () => finish(field ? field.value : ""));
      if (cancel) cancel.addEventListener("click", () => finish(null));
      // Esc: the input box's Cancel, the message box's OK.
      dialog.addEventListener("cancel", (event) => {
        event.preventDefault();
        finish(field ? null : "");
      });
      dialog.addEventListener("keydown", (event) => {
        if (event.key === "Enter" && event.target === field) {
          event.preventDefault();
          finish(field.value);
        } else if (event.key === "Escape") {
          event.preventDefault();
          finish(field ? null : "");
        } else if ((event.ctrlKey || event.metaKey) && event.key.toLowerCase() === "c" &&
                   (!field || event.target !== field || field.selectionStart === field.selectionEnd)) {
          // Ctrl+C copies the caption and the text where the browser lets a page write the
          // clipboard (a secure context: file:// or https).
          event.preventDefault();
          if (navigator.clipboard) navigator.clipboard.writeText(copied).catch(() => {});
        }
      });
      // The box always keeps a focused control, as on the desktop: a click on its text, its
      // caption or beside it would leave the focus on the dialog itself or the page, where
      // Enter and Space do nothing; the control that had it takes it back.
      let focused = field || ok;
      dialog.addEventListener("focusin", (event) => {
        if (event.target !== dialog) focused = event.target;
      });
      dialog.addEventListener("focusout", () => setTimeout(() => {
        if (dialog.open && !buttons.contains(document.activeElement) && document.activeElement !== field) {
          focused.focus();
        }
      }));
      document.body.append(dialog);
      dialog.showModal();
      focused.focus();
    });
  },
};
